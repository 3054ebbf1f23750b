#include "FileSystemLists.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

namespace platform {

namespace {

bool IsDirectory(const std::string& Path) {
  struct stat info {};
  return stat(Path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Names in the order a user expects: letters without regard to case, then bytes.
void SortNames(std::vector<std::string>& Names) {
  auto folded = [](const std::string& s) {
    std::string f = s;
    for (char& c : f) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return f;
  };
  std::sort(Names.begin(), Names.end(), [&](const std::string& a, const std::string& b) {
    const std::string fa = folded(a), fb = folded(b);
    return fa != fb ? fa < fb : a < b;
  });
}

enum class EntryKind { Directory, OrdinaryFile };

// The non-hidden entries of Directory of one kind; links count as what they point to.
bool ListEntries(const std::string& Directory, EntryKind Kind, std::vector<std::string>& Names) {
  Names.clear();
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(Directory.c_str()), closedir);
  if (!dir) return false;
  while (const dirent* entry = readdir(dir.get())) {
    const std::string name = entry->d_name;
    if (name.empty() || name[0] == '.') continue;
    struct stat info {};
    if (stat(JoinPath(Directory, name).c_str(), &info) != 0) continue;
    const bool wanted =
        Kind == EntryKind::Directory ? S_ISDIR(info.st_mode) : S_ISREG(info.st_mode);
    if (wanted) Names.push_back(name);
  }
  SortNames(Names);
  return true;
}

// /proc/self/mounts writes space, tab, newline and backslash as octal escapes.
std::string UnescapeMountPath(const std::string& Field) {
  std::string path;
  for (size_t i = 0; i < Field.size(); ++i) {
    if (Field[i] == '\\' && i + 3 < Field.size()) {
      const std::string digits = Field.substr(i + 1, 3);
      if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '7'; })) {
        path += static_cast<char>(std::strtol(digits.c_str(), nullptr, 8));
        i += 3;
        continue;
      }
    }
    path += Field[i];
  }
  return path;
}

bool IsRealFileSystem(const std::string& Device, const std::string& Type) {
  static const char* const kNetwork[] = {"nfs", "nfs4", "cifs", "smb3", "sshfs", "fuse.sshfs"};
  if (std::find(std::begin(kNetwork), std::end(kNetwork), Type) != std::end(kNetwork)) return true;
  return Device.rfind("/dev/", 0) == 0 && Type != "squashfs";
}

}  // namespace

std::vector<std::string> ListDriveRoots() {
  std::vector<std::string> roots{"/"};
  if (const char* home = std::getenv("HOME"); home != nullptr && IsDirectory(home)) {
    roots.push_back(home);
  }
  std::ifstream mounts("/proc/self/mounts");
  std::string line;
  while (std::getline(mounts, line)) {
    std::istringstream fields(line);
    std::string device, mountPoint, type;
    if (!(fields >> device >> mountPoint >> type)) continue;
    const std::string path = UnescapeMountPath(mountPoint);
    // Bind-mounted single files (as in containers) are no roots.
    if (IsRealFileSystem(device, type) && IsDirectory(path)) roots.push_back(path);
  }
  std::sort(roots.begin(), roots.end());
  roots.erase(std::unique(roots.begin(), roots.end()), roots.end());
  return roots;
}

std::string RootOf(const std::string& Directory, const std::vector<std::string>& Roots) {
  std::string best = "/";
  for (const std::string& root : Roots) {
    const bool inside =
        Directory == root ||
        (Directory.rfind(root, 0) == 0 && (root.back() == '/' || Directory[root.size()] == '/'));
    if (inside && root.size() > best.size()) best = root;
  }
  return best;
}

bool ListSubdirectories(const std::string& Directory, std::vector<std::string>& Names) {
  return ListEntries(Directory, EntryKind::Directory, Names);
}

std::vector<std::string> ListOrdinaryFiles(const std::string& Directory) {
  std::vector<std::string> names;
  ListEntries(Directory, EntryKind::OrdinaryFile, names);
  return names;
}

std::string JoinPath(const std::string& Directory, const std::string& Name) {
  if (!Directory.empty() && Directory.back() == '/') return Directory + Name;
  return Directory + "/" + Name;
}

std::vector<std::string> PathFromRoot(const std::string& Root, const std::string& Directory) {
  if (RootOf(Directory, {Root}) != Root && Root != "/") return {Directory};
  std::vector<std::string> path{Root};
  size_t at = Root.size();
  while (at < Directory.size()) {
    if (Directory[at] == '/') ++at;
    const size_t next = Directory.find('/', at);
    const size_t end = next == std::string::npos ? Directory.size() : next;
    if (end > at) path.push_back(Directory.substr(0, end));
    at = end;
  }
  return path;
}

std::string CurrentDirectory() {
  std::unique_ptr<char, void (*)(void*)> cwd(getcwd(nullptr, 0), std::free);
  return cwd ? std::string(cwd.get()) : std::string("/");
}

}  // namespace platform
