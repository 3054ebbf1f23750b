#pragma once
// The arguments of exif-report:
//   exif-report [--sjis] [--extended | -x] FILE...
//   exif-report --help | --version

#include <string>
#include <vector>

struct CommandLine {
  enum class Action { Report, Help, Version, UsageError };
  Action What = Action::Report;
  bool Sjis = false;               // --sjis: the saved file's bytes instead of UTF-8
  bool Extended = false;           // --extended, -x: the extended analysis
  std::vector<std::string> Files;  // native bytes, as given
  std::string Error;               // what was wrong, for UsageError
};

// Options may stand anywhere before "--". Every argument after "--", every argument that
// does not start with "-", and a lone "-" are files; any other "-..." is an unknown option.
CommandLine ParseCommandLine(const std::vector<std::string>& Args);

// The two synopsis lines, shown after a usage error and at the start of --help.
std::string SynopsisText();
// The text of --help.
std::string HelpText();
