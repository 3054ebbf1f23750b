// exif-report [--sjis] FILE... | --help | --version: prints the Exif report of each file.

#include <unistd.h>

#include <exception>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "ConsoleOutput.h"
#include "ExifReport.h"

int main(int argc, char** argv) {
  ConsoleOutput console(STDOUT_FILENO, STDERR_FILENO, 1 << 16);
  try {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return RunExifReport(ParseCommandLine(args), console);
  } catch (const std::exception& error) {
    console.Flush();
    console.Complain(std::string("exif-report: ") + error.what() + "\n");
    return 1;
  }
}
