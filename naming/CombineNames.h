#pragma once
#include <array>
#include <string>

namespace naming {

// Entries in box order; each is an opaque byte string of the system code page.
using Entries = std::array<std::string, 9>;

// Every ordered pair "entry i + entry j + space", row by row (i outer, j inner).
// The result is 18 x (total entry length) + 81 bytes long; nothing is trimmed or cut.
std::string CombineNames(const Entries& entries);

}  // namespace naming
