#pragma once
#include <string>

#include "framework/DoubleByte.h"

// The application's title before the program sets one: the program file's name without folder
// and extension, its first character as it is and the rest in lower case, character by
// character: the second byte of a double-byte character is never changed.
std::string DefaultApplicationTitle(const std::string& programPath, const TLeadBytePredicate& isLeadByte);
