#pragma once
#include <string>

// The application's title before the program sets one: the program file's name without folder
// and extension, its first character as it is and the rest in lower case.
std::string DefaultApplicationTitle(const std::string& programPath);
