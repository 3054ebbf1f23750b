// Faults of the file system between choosing a file and loading it: the file vanishes,
// becomes a directory, loses its read permission, or is no regular file at all. Each is
// refused without a hang, and the earlier report stays. A lock held by another program
// stops nothing.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

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

// Locks are advisory here and the load takes none: a file that another program holds under
// an exclusive lock is read and analysed as ever.
TEST(LoadFault, aFileLockedByAnotherProgramIsAnalysedAsEver) {
  int holder = -1;
  std::vector<std::string> earlier;
  const AnalysisRun run = LoadAfterFault(
      [&holder](const std::string& p) {
        holder = ::open(p.c_str(), O_RDONLY);
        ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
      },
      &earlier);
  ::close(holder);
  EXPECT_EQ(run.outcome, LoadOutcome::Analysed);
  EXPECT_EQ(run.lines, earlier);
}

// Runs Body in a child process and fails when it does not end within ten seconds, so that
// a load that waits shows as a failure instead of stopping the test run. Body's result is
// the child's exit status.
void ExpectWithoutWaiting(const std::function<bool()>& body, const char* what) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) ::_exit(body() ? 0 : 1);
  int status = 0;
  pid_t done = 0;
  for (int waited = 0; waited < 100 && done == 0; ++waited) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    done = ::waitpid(child, &status, WNOHANG);
  }
  if (done == 0) {
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    FAIL() << what << ": the load waits";
  }
  ASSERT_TRUE(WIFEXITED(status)) << what;
  EXPECT_EQ(WEXITSTATUS(status), 0) << what;
}

// Only regular files are read, after following links. A pipe (with or without a writer),
// a socket or a device named .jpg is refused with "ファイルを開けませんでした" before a byte
// is read: the report and the loaded bytes of the earlier photograph stay, and the part of a
// photograph already sent into a pipe is still there for its reader.
TEST(LoadFault, onlyRegularFilesAreReadAndOthersAreRefusedWithoutWaiting) {
  const TempFile photo(SampleJpeg());
  const std::string dir = photo.dir() + "/";
  ASSERT_EQ(::mkfifo((dir + "idle.jpg").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo((dir + "sending.jpg").c_str(), 0600), 0);
  const int sender = ::open((dir + "sending.jpg").c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(sender, 0);
  const fixture::Bytes sample = SampleJpeg();
  const fixture::Bytes sent(sample.begin(), sample.begin() + 200);
  ASSERT_EQ(::write(sender, sent.data(), sent.size()), 200);
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%ssocket.jpg", dir.c_str());
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listener, 1), 0);
  ASSERT_EQ(::symlink("/dev/zero", (dir + "zero.jpg").c_str()), 0);
  ASSERT_EQ(::symlink(photo.path().c_str(), (dir + "link.jpg").c_str()), 0);

  struct Case {
    const char* name;
    LoadOutcome outcome;
  };
  std::vector<Case> cases = {
      {"idle.jpg", LoadOutcome::CannotOpen},     // a pipe without a writer
      {"sending.jpg", LoadOutcome::CannotOpen},  // a pipe holding part of a photograph
      {"socket.jpg", LoadOutcome::CannotOpen},
      {"zero.jpg", LoadOutcome::CannotOpen},  // a link to a character device
      {"link.jpg", LoadOutcome::Analysed},    // a link to a photograph
  };
  // A device node of its own where the test may make one (root, as in CI).
  if (::mknod((dir + "device.jpg").c_str(), S_IFCHR | 0600, makedev(1, 5)) == 0) {
    cases.push_back({"device.jpg", LoadOutcome::CannotOpen});
  }
  for (const Case& c : cases) {
    ExpectWithoutWaiting(
        [&] {
          AnalysisState state;
          const AnalysisRun first = RunPath(state, photo.path());
          const auto loaded = state.LoadBuffer;
          const AnalysisRun run = RunPath(state, dir + c.name, first.lines);
          return run.outcome == c.outcome && run.lines == first.lines && state.LoadBuffer == loaded;
        },
        c.name);
  }

  fixture::Bytes left(1000);
  EXPECT_EQ(::read(sender, left.data(), left.size()), 200) << "the pipe was read from";
  left.resize(200);
  EXPECT_EQ(left, sent);
  ::close(sender);
  ::close(listener);
}

}  // namespace
