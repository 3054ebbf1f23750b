#pragma once
// What the file controls list, read from the file system. Paths and names are native
// file-system bytes.

#include <string>
#include <vector>

namespace platform {

// The roots a user picks from, in place of drives: "/", the home directory and the mount
// points of real file systems (on a device, or network file systems), sorted, each once.
std::vector<std::string> ListDriveRoots();

// The root among Roots that Directory lies in: the longest one that contains it.
std::string RootOf(const std::string& Directory, const std::vector<std::string>& Roots);

// The names of the non-hidden subdirectories of Directory, sorted. False when Directory
// cannot be read.
bool ListSubdirectories(const std::string& Directory, std::vector<std::string>& Names);

// The names of the ordinary, non-hidden files of Directory, sorted; empty when it cannot be
// read.
std::vector<std::string> ListOrdinaryFiles(const std::string& Directory);

// Directory, "/", Name, with a single "/" when Directory already ends with one.
std::string JoinPath(const std::string& Directory, const std::string& Name);

// The directories from Root down to Directory, both included; just Directory when it does
// not lie in Root.
std::vector<std::string> PathFromRoot(const std::string& Root, const std::string& Directory);

// The process's current directory ("/" when it cannot be known).
std::string CurrentDirectory();

}  // namespace platform
