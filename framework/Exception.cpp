#include "framework/Exception.h"

std::string ErrorBoxText(const std::string& message) {
  std::string text = message;
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) text += '.';
  return text;
}

std::string RepeatedFailureText(const std::string& boxText, int count) {
  if (count <= 1) return boxText;
  return boxText + "\r\n(" + std::to_string(count) + " times)";
}

std::string FormatMessage1(const char* format, const std::string& arg) {
  std::string out;
  for (const char* p = format; *p; ++p) {
    if (p[0] == '%' && p[1] == 's') {
      out += arg;
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}
