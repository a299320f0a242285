#pragma once
#include <stdexcept>
#include <string>

// A failure with a message text in the system code page; reported by the application's error box.
class Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The error box's text: a "." is appended when the last character's code is above that of ".".
std::string ErrorBoxText(const std::string& message);

// The error box's text for a failure that happened `count` times while an earlier box was open.
std::string RepeatedFailureText(const std::string& boxText, int count);

// printf-style message building for failures ("Control '%s' has no parent window").
std::string FormatMessage1(const char* format, const std::string& arg);
