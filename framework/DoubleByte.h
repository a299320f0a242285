#pragma once
#include <functional>

// True for a byte that begins a double-byte character of the system code page. Code that walks
// double-byte text without the platform takes it from the caller, who asks the system.
using TLeadBytePredicate = std::function<bool(unsigned char)>;
