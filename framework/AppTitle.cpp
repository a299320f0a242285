#include "framework/AppTitle.h"

std::string DefaultApplicationTitle(const std::string& programPath, const TLeadBytePredicate& isLeadByte) {
  // Characters, not bytes: the second byte of a double-byte character may look like a letter or
  // a path separator.
  std::size_t nameStart = 0;
  for (std::size_t i = 0; i < programPath.size(); ++i) {
    const auto byte = static_cast<unsigned char>(programPath[i]);
    if (isLeadByte(byte) && i + 1 < programPath.size()) {
      ++i;
    } else if (byte == '\\' || byte == '/') {
      nameStart = i + 1;
    }
  }
  std::string name = programPath.substr(nameStart);
  std::size_t dot = std::string::npos;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto byte = static_cast<unsigned char>(name[i]);
    if (isLeadByte(byte) && i + 1 < name.size()) {
      ++i;
    } else if (byte == '.') {
      dot = i;
    }
  }
  if (dot != std::string::npos) name.resize(dot);
  // The first character stays as it is; after it only single-byte letters change.
  std::size_t i = 0;
  if (!name.empty()) i = isLeadByte(static_cast<unsigned char>(name[0])) && name.size() > 1 ? 2 : 1;
  while (i < name.size()) {
    const auto byte = static_cast<unsigned char>(name[i]);
    if (isLeadByte(byte) && i + 1 < name.size()) {
      i += 2;
      continue;
    }
    if (byte >= 'A' && byte <= 'Z') name[i] = static_cast<char>(byte - 'A' + 'a');
    ++i;
  }
  return name;
}
