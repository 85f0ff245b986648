#pragma once
#include <string>

// The root rule: a text of exactly three characters is cut to its first two, so that a
// drive root such as "C:\" is held as "C:" and "\" plus a name can be appended to it.
// Texts of any other length stay as they are (a typed folder may keep a trailing "\").
std::string TrimDriveRoot(const std::string& path);
