#pragma once
// exif-report: for each file, a fresh analysis through the core's load-and-validate path,
// its report on stdout and its refusal or error on stderr.

#include "CommandLine.h"
#include "ConsoleOutput.h"

// Runs the parsed command line and returns the exit status: 0 when every file was
// analysed to its end, 1 when a file was refused or failed or stdout could not be
// written, 2 for a usage error.
int RunExifReport(const CommandLine& Line, ConsoleOutput& Console);
