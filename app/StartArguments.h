#pragma once
// The command line of exif-analyzer:
//   exif-analyzer [--extended] [FILE]
//   exif-analyzer --help
// FILE is analysed at start as if it had been chosen in the chooser; --extended (-x) turns
// the extended analysis on for this run.

#include <string>
#include <vector>

struct StartArguments {
  enum class Action { Run, Help, UsageError };
  Action What = Action::Run;
  bool Extended = false;  // --extended or -x: the extended analysis for this run
  std::string File;   // native bytes, as given; empty when none was given
  std::string Error;  // what was wrong, for UsageError
};

// Options come before "--"; every argument after it, every argument that does not start
// with "-", and a lone "-" are files. At most one file.
StartArguments ParseStartArguments(const std::vector<std::string>& Args);

// The synopsis, shown after a usage error and for --help.
std::string StartUsageText();

// Path as the chooser would give it: a full path whose folder is written without links,
// "." or ".."; relative paths start at Directory. A folder that cannot be resolved is only
// made absolute.
std::string ChooserPath(const std::string& Path, const std::string& Directory);

// The folder part of a full path: everything before its last "/" ("/" for the root).
std::string FolderOf(const std::string& Path);
