// exif-report [--sjis] FILE... | --help | --version: prints the Exif report of each file.

#include <unistd.h>

#include <exception>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "ExifReport.h"
#include "OutputStream.h"

int main(int argc, char** argv) {
  OutputStream out(STDOUT_FILENO, 1 << 16);
  OutputStream err(STDERR_FILENO, 0);
  try {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return RunExifReport(ParseCommandLine(args), out, err);
  } catch (const std::exception& error) {
    out.Flush();
    err.Write(std::string("exif-report: ") + error.what() + "\n");
    return 1;
  }
}
