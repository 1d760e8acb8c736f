#pragma once
// The directory of the running executable: every file of the system is found relative to it.
// Tests point it at a temporary directory.

#include <string>

namespace ExeDir {

// The directory, without a trailing slash.
std::string path();
// path() + "/" + name.
std::string file(const std::string& name);
// Overrides the directory (tests); an empty value restores the executable's own.
void setOverride(const std::string& dir);

}
