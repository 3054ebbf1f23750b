// Faults of the file system between choosing a file and loading it: the file vanishes,
// becomes a directory, loses its read permission, is held by another opener, or is a
// named pipe. Each is refused without a hang, and the earlier report stays.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "AnalysisRun.h"

namespace {

using fixture::SampleJpeg;
using fixture::TempFile;

// Analyses the sample, lets Fault act on the chosen file, then loads it again.
AnalysisRun LoadAfterFault(const std::function<void(const std::string&)>& fault,
                           std::vector<std::string>* earlier) {
  const TempFile file(SampleJpeg());
  AnalysisState state;
  const AnalysisRun first = RunPath(state, file.path());
  EXPECT_EQ(first.outcome, LoadOutcome::Analysed);
  *earlier = first.lines;
  fault(file.path());
  return RunPath(state, file.path(), first.lines);
}

TEST(LoadFault, aFileThatCannotBeReadAnyMoreIsRefusedAndTheReportStays) {
  struct Case {
    const char* what;
    std::function<void(const std::string&)> fault;
  };
  const Case cases[] = {
      {"vanished", [](const std::string& p) { std::filesystem::remove(p); }},
      {"replaced by a directory",
       [](const std::string& p) {
         std::filesystem::remove(p);
         std::filesystem::create_directory(p);
       }},
  };
  for (const Case& c : cases) {
    std::vector<std::string> earlier;
    const AnalysisRun run = LoadAfterFault(c.fault, &earlier);
    EXPECT_EQ(run.outcome, LoadOutcome::CannotOpen) << c.what;
    EXPECT_EQ(run.lines, earlier) << c.what;
  }
  EXPECT_EQ(RefusalMessage(LoadOutcome::CannotOpen), "ファイルを開けませんでした");
}

TEST(LoadFault, aFileThatLostItsReadPermissionIsRefused) {
  if (geteuid() == 0) GTEST_SKIP() << "read permission does not stop root";
  std::vector<std::string> earlier;
  const AnalysisRun run =
      LoadAfterFault([](const std::string& p) { ::chmod(p.c_str(), 0); }, &earlier);
  EXPECT_EQ(run.outcome, LoadOutcome::CannotOpen);
  EXPECT_EQ(run.lines, earlier);
}

// A file that another program holds locked exclusively is refused.
TEST(LoadFault, aFileHeldExclusivelyByAnotherOpenerIsRefused) {
  int holder = -1;
  std::vector<std::string> earlier;
  const AnalysisRun run = LoadAfterFault(
      [&holder](const std::string& p) {
        holder = ::open(p.c_str(), O_RDONLY);
        ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
      },
      &earlier);
  ::close(holder);
  EXPECT_EQ(run.outcome, LoadOutcome::CannotOpen);
  EXPECT_EQ(run.lines, earlier);
}

// A named pipe called x.jpg has no writer: opening or reading it must not wait for one.
// It reads nothing, like an empty file. The load runs in a child process so that a hang
// shows as a failure instead of stopping the test run.
TEST(LoadFault, aNamedPipeIsRefusedWithoutWaitingForAWriter) {
  const TempFile dir(fixture::Bytes{}, "unused");
  const std::string pipe = dir.dir() + "/pipe.jpg";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);

  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    AnalysisState state;
    const AnalysisRun run = RunPath(state, pipe, {"an earlier report"});
    const bool kept = run.lines == std::vector<std::string>{"an earlier report"};
    ::_exit(run.outcome == LoadOutcome::NotExif && kept ? 0 : 1);
  }
  int status = 0;
  pid_t done = 0;
  for (int waited = 0; waited < 100 && done == 0; ++waited) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    done = ::waitpid(child, &status, WNOHANG);
  }
  if (done == 0) {
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    FAIL() << "loading a named pipe waits for a writer";
  }
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "refused as a file without Exif, report kept";
}

}  // namespace
