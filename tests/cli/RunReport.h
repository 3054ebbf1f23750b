#pragma once
// Runs the built exif-report as a subprocess and collects what it printed, and the
// report that the core writes for a file in this process, to compare the two.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
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

// Starts exif-report with Args and the file actions given; its process id.
inline pid_t SpawnReport(const std::vector<std::string>& args,
                         const posix_spawn_file_actions_t& actions) {
  std::vector<std::string> argv = {EXIF_REPORT_PATH};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> raw;
  for (std::string& arg : argv) raw.push_back(arg.data());
  raw.push_back(nullptr);
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, EXIF_REPORT_PATH, &actions, nullptr, raw.data(), environ);
  if (rc != 0) throw std::runtime_error("cannot start exif-report");
  return pid;
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
  const pid_t pid = SpawnReport(args, actions);
  posix_spawn_file_actions_destroy(&actions);
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

// Where RunReportCombined sends stdout and stderr together.
enum class SharedPlace { File, Terminal };

// Runs exif-report with Args, its stdout and stderr both on one file (as with 2>&1) or on
// one terminal (a pseudo-terminal that passes bytes unchanged), and returns the bytes in
// the order in which that place received them.
inline std::string RunReportCombined(const std::vector<std::string>& args, SharedPlace place) {
  int reader = -1;
  std::string path;
  if (place == SharedPlace::Terminal) {
    reader = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (reader < 0 || ::grantpt(reader) != 0 || ::unlockpt(reader) != 0) {
      throw std::runtime_error("no pseudo-terminal");
    }
    path = ::ptsname(reader);
  } else {
    path = (std::filesystem::temp_directory_path() / ("cli-both-" + std::to_string(::getpid())))
               .string();
  }
  const int place_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_NOCTTY, 0600);
  if (place_fd < 0) throw std::runtime_error("cannot open " + path);
  if (place == SharedPlace::Terminal) {
    termios raw{};
    ::tcgetattr(place_fd, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(place_fd, TCSANOW, &raw);
  }

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, place_fd, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, place_fd, STDERR_FILENO);
  const pid_t pid = SpawnReport(args, actions);
  posix_spawn_file_actions_destroy(&actions);
  ::close(place_fd);

  std::string got;
  if (place == SharedPlace::Terminal) {
    // Read while the program writes; the read fails once its end of the terminal closes.
    char buffer[4096];
    for (;;) {
      const ssize_t n = ::read(reader, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got.append(buffer, static_cast<size_t>(n));
    }
    ::close(reader);
  }
  int wstatus = 0;
  ::waitpid(pid, &wstatus, 0);
  if (place == SharedPlace::File) {
    got = ReadWholeFile(path);
    std::filesystem::remove(path);
  }
  return got;
}

// The lines that the core's load-and-validate path appends for File, in this process.
inline std::vector<std::string> CoreReportLines(const std::string& file) {
  return RunPath(file).lines;
}

// Those lines as exif-report prints them: each converted to UTF-8 on its own and ended by
// LF, or, with Sjis, the saved file's bytes.
inline std::string ExpectedOutput(const std::vector<std::string>& lines, bool sjis) {
  std::string out;
  for (const std::string& line : lines)
    out += sjis ? line + "\r\n" : platform::SjisToUtf8(line) + "\n";
  return out;
}
