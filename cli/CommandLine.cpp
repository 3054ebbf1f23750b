#include "CommandLine.h"

CommandLine ParseCommandLine(const std::vector<std::string>& Args) {
  CommandLine line;
  bool help = false;
  bool version = false;
  bool optionsEnded = false;
  for (const std::string& arg : Args) {
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      line.Files.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--sjis") {
      line.Sjis = true;
    } else if (arg == "--extended" || arg == "-x") {
      line.Extended = true;
    } else if (arg == "--help") {
      help = true;
    } else if (arg == "--version") {
      version = true;
    } else {
      line.What = CommandLine::Action::UsageError;
      line.Error = "unknown option '" + arg + "'";
      return line;
    }
  }
  if (help) {
    line.What = CommandLine::Action::Help;
  } else if (version) {
    line.What = CommandLine::Action::Version;
  } else if (line.Files.empty()) {
    line.What = CommandLine::Action::UsageError;
    line.Error = "no file given";
  }
  return line;
}

std::string SynopsisText() {
  return "usage: exif-report [--sjis] [--extended] FILE...\n"
         "       exif-report --help | --version\n";
}

std::string HelpText() {
  return SynopsisText() +
         "Prints the Exif report of each JPEG file (UTF-8, LF line ends).\n"
         "  --sjis     print the report as saved: Shift-JIS, CR LF line ends\n"
         "  --extended, -x\n"
         "             the extended analysis: Motorola byte order, the whole Exif segment,\n"
         "             the interoperability and GPS directories\n"
         "  --help     show this text\n"
         "  --version  show the version\n"
         "Exit status: 0 all files analysed, 1 a file refused or failed, 2 usage error.\n";
}
