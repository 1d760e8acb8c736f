#pragma once
// The directory the program writes its hand-off files into, and the preview plug-in reads
// them from: the executable's directory while this user may write there (a build tree, a
// program kept in a folder of its own), else the user's own data directory for the program
// (~/.local/share/cust_prod, as the platform places it). An installed program thus writes
// nothing under its prefix, and each user of one desk has files of their own.
//
// The rule depends only on the executable's directory and the user, so the program and the
// plug-in it loads come to the same directory without telling each other.

#include <string>

namespace WorkDir {

// The directory, without a trailing slash; it may not exist yet.
std::string path();
// path() + "/" + name.
std::string file(const std::string& name);
// The user's own data directory for the program, used when the executable's directory is not
// writable.
std::string userDirectory();
// Makes sure path() exists and returns it; EInOutError naming the directory when it cannot
// be created.
std::string ensure();

}
