#include "StartArguments.h"

#include <climits>
#include <cstdlib>

#include "FileSystemLists.h"

using platform::JoinPath;

StartArguments ParseStartArguments(const std::vector<std::string>& Args) {
  StartArguments start;
  bool optionsEnded = false;
  std::vector<std::string> files;
  for (const std::string& arg : Args) {
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      files.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--extended" || arg == "-x") {
      start.Extended = true;
    } else if (arg == "--help") {
      start.What = StartArguments::Action::Help;
    } else {
      start.What = StartArguments::Action::UsageError;
      start.Error = "unknown option '" + arg + "'";
      return start;
    }
  }
  if (start.What == StartArguments::Action::Help) return start;
  if (files.size() > 1) {
    start.What = StartArguments::Action::UsageError;
    start.Error = "more than one file given";
  } else if (files.size() == 1) {
    start.File = files.front();
    if (start.File.empty()) {
      start.What = StartArguments::Action::UsageError;
      start.Error = "empty file name";
    }
  }
  return start;
}

std::string StartUsageText() {
  return "usage: exif-analyzer [--extended] [FILE]\n"
         "       exif-analyzer --help\n";
}

std::string FolderOf(const std::string& Path) {
  const size_t slash = Path.find_last_of('/');
  if (slash == std::string::npos) return std::string();
  return slash == 0 ? std::string("/") : Path.substr(0, slash);
}

std::string ChooserPath(const std::string& Path, const std::string& Directory) {
  if (Path.empty()) return Path;
  const std::string full = Path.front() == '/' ? Path : JoinPath(Directory, Path);
  const size_t slash = full.find_last_of('/');
  const std::string name = full.substr(slash + 1);
  char resolved[PATH_MAX];
  if (realpath(FolderOf(full).c_str(), resolved) == nullptr) return full;
  return JoinPath(resolved, name);
}
