#pragma once
// Runs the built exif-report as a subprocess and collects what it printed, and the
// report that the core writes for a file in this process, to compare the two.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "AnalysisRun.h"
#include "ShiftJis.h"

extern char** environ;

struct ReportRun {
  int status = -1;  // exit status, or -1 when the program did not exit normally
  std::string out;  // stdout bytes
  std::string err;  // stderr bytes
};

inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs exif-report with Args. Stdout goes to StdoutPath when given (e.g. /dev/full),
// otherwise it is collected.
inline ReportRun RunReport(const std::vector<std::string>& args,
                           const std::string& stdoutPath = "") {
  const std::filesystem::path dir = std::filesystem::temp_directory_path();
  const std::string tag = std::to_string(::getpid());
  const std::string outPath = stdoutPath.empty() ? (dir / ("cli-out-" + tag)).string() : stdoutPath;
  const std::string errPath = (dir / ("cli-err-" + tag)).string();

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::vector<std::string> argv = {EXIF_REPORT_PATH};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> raw;
  for (std::string& arg : argv) raw.push_back(arg.data());
  raw.push_back(nullptr);

  pid_t pid = 0;
  const int rc = posix_spawn(&pid, EXIF_REPORT_PATH, &actions, nullptr, raw.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) throw std::runtime_error("cannot start exif-report");
  int wstatus = 0;
  ::waitpid(pid, &wstatus, 0);

  ReportRun run;
  run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
  if (stdoutPath.empty()) {
    run.out = ReadWholeFile(outPath);
    std::filesystem::remove(outPath);
  }
  run.err = ReadWholeFile(errPath);
  std::filesystem::remove(errPath);
  return run;
}

// The lines that the core's load-and-validate path appends for File, in this process.
inline std::vector<std::string> CoreReportLines(const std::string& file) {
  return RunPath(file).lines;
}

// Those lines as exif-report prints them: each converted to UTF-8 on its own and ended by
// LF, or, with Sjis, the saved file's bytes.
inline std::string ExpectedOutput(const std::vector<std::string>& lines, bool sjis) {
  std::string out;
  for (const std::string& line : lines) out += sjis ? line + "\r\n" : SjisToUtf8(line) + "\n";
  return out;
}
