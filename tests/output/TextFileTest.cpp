// Writing the saved report: exact bytes, replacement, every failure reported, and a failed
// save that leaves the old file as it was.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "FileFaults.h"
#include "Strings.h"
#include "TextFile.h"

using platform::FileCalls;
using platform::TStringList;

namespace {

class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/textfile-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

  static std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }

  std::string dir_;
};

}  // namespace

TEST_F(TextFileTest, writesExactlyTheReportTextInShiftJisWithCrLf) {
  TStringList report;
  report.Add("");
  report.Add("ABC");
  ASSERT_TRUE(SaveTextFile(Path("out.txt"), report.Text()));
  EXPECT_EQ(Contents(Path("out.txt")), std::string("\r\nABC\r\n", 7));

  // Double-byte text and a long line are written as they are, with no break inside.
  TStringList japanese;
  japanese.Add("\x83\x81\x81\x5B\x83\x4A" + std::string(300, 'x'));
  ASSERT_TRUE(SaveTextFile(Path("jp.txt"), japanese.Text()));
  EXPECT_EQ(Contents(Path("jp.txt")), japanese.Text());
}

TEST_F(TextFileTest, replacesALongerFileLeavingNothingOfIt) {
  { std::ofstream(Path("old.txt")) << std::string(5000, 'o'); }
  ASSERT_TRUE(SaveTextFile(Path("old.txt"), "new\r\n"));
  EXPECT_EQ(Contents(Path("old.txt")), "new\r\n");
}

TEST_F(TextFileTest, reportsEveryFailure) {
  EXPECT_FALSE(SaveTextFile("/dev/full", "ABC\r\n")) << "short write";
  EXPECT_FALSE(SaveTextFile(Path("missing/out.txt"), "ABC\r\n")) << "no such directory";
  EXPECT_FALSE(SaveTextFile("/proc/version", "ABC\r\n")) << "read-only place";
  EXPECT_FALSE(SaveTextFile(dir_, "ABC\r\n")) << "a directory";
  EXPECT_FALSE(SaveTextFile("", "ABC\r\n")) << "empty name";
}

TEST_F(TextFileTest, reportsADirectoryWithoutWritePermission) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
  ASSERT_EQ(mkdir(Path("locked").c_str(), 0555), 0);
  EXPECT_FALSE(SaveTextFile(Path("locked/out.txt"), "ABC\r\n"));
}

namespace {

// The names in Dir, sorted.
std::vector<std::string> Names(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A report of Lines lines, each 40 bytes with its CR LF.
std::string LongReport(int lines) {
  TStringList report;
  for (int i = 0; i < lines; ++i) {
    char line[40];
    std::snprintf(line, sizeof line, "%05XH  : %-28s", i, "ENTRY LINE");
    report.Add(line);
  }
  return report.Text();
}

const std::string kOldReport = LongReport(68) + "OLD";  // 2,723 bytes, not a new report's form

}  // namespace

// A disk that fills up part-way through the write: the old file is exactly as it was, with
// its permission bits, a new name stays free, and no temporary file is left in the folder.
TEST_F(TextFileTest, aFailedWriteKeepsTheOldFileAndLeavesNothingBehind) {
  const std::string text = LongReport(2000);
  InjectedFaults faults;
  FileCalls.Write = fault::FillingWrite;
  for (const size_t room : {size_t{0}, size_t{4096}, text.size() - 1}) {
    { std::ofstream(Path("old.txt"), std::ios::binary) << kOldReport; }
    ASSERT_EQ(chmod(Path("old.txt").c_str(), 0640), 0);
    fault::WriteRoom = room;
    EXPECT_FALSE(SaveTextFile(Path("old.txt"), text)) << room;
    EXPECT_EQ(Contents(Path("old.txt")), kOldReport) << room;
    struct stat status;
    ASSERT_EQ(stat(Path("old.txt").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u) << room;

    fault::WriteRoom = room;
    EXPECT_FALSE(SaveTextFile(Path("new.txt"), text)) << room;
    EXPECT_EQ(Names(dir_), std::vector<std::string>{"old.txt"}) << room;
  }
}

// The same on a real file system that fills up: a 64 KiB tmpfs, which needs the right to
// mount (root, as in CI). The space of the abandoned temporary file comes back, so a report
// that fits is saved afterwards.
TEST_F(TextFileTest, aFileSystemThatFillsUpKeepsTheOldFile) {
  const std::string small = Path("small");
  ASSERT_EQ(mkdir(small.c_str(), 0755), 0);
  if (mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "cannot mount a tmpfs here";
  }
  struct Unmount {
    std::string at;
    ~Unmount() { umount2(at.c_str(), MNT_DETACH); }
  } unmount{small};
  const std::string old = small + "/report.txt";
  { std::ofstream(old, std::ios::binary) << kOldReport; }
  const std::string text = LongReport(2000);  // 80,000 bytes

  EXPECT_FALSE(SaveTextFile(old, text));
  EXPECT_EQ(Contents(old), kOldReport);
  EXPECT_FALSE(SaveTextFile(small + "/new.txt", text));
  EXPECT_EQ(Names(small), std::vector<std::string>{"report.txt"});

  const std::string fits = LongReport(1000);
  EXPECT_TRUE(SaveTextFile(old, fits));
  EXPECT_EQ(Contents(old), fits);
  EXPECT_EQ(Names(small), std::vector<std::string>{"report.txt"});
}

// A replaced file keeps its permission bits, a new one gets those of any new file, and a
// link stays a link to the file that now holds the report.
TEST_F(TextFileTest, keepsPermissionBitsAndLinks) {
  { std::ofstream(Path("private.txt")) << kOldReport; }
  ASSERT_EQ(chmod(Path("private.txt").c_str(), 0604), 0);
  ASSERT_TRUE(SaveTextFile(Path("private.txt"), "new\r\n"));
  struct stat status;
  ASSERT_EQ(stat(Path("private.txt").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0604u);

  const int reference = open(Path("reference").c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
  ASSERT_GE(reference, 0);
  close(reference);
  struct stat expected;
  ASSERT_EQ(stat(Path("reference").c_str(), &expected), 0);
  ASSERT_TRUE(SaveTextFile(Path("fresh.txt"), "new\r\n"));
  ASSERT_EQ(stat(Path("fresh.txt").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, expected.st_mode & 07777);

  ASSERT_EQ(mkdir(Path("real").c_str(), 0755), 0);
  { std::ofstream(Path("real/target.txt")) << kOldReport; }
  ASSERT_EQ(symlink("real/target.txt", Path("link.txt").c_str()), 0);
  ASSERT_TRUE(SaveTextFile(Path("link.txt"), "linked\r\n"));
  ASSERT_EQ(lstat(Path("link.txt").c_str(), &status), 0);
  EXPECT_TRUE(S_ISLNK(status.st_mode));
  EXPECT_EQ(Contents(Path("real/target.txt")), "linked\r\n");
  EXPECT_EQ(Names(Path("real")), std::vector<std::string>{"target.txt"});
}

// Where the folder takes no new file but the file itself is writable, the file is written in
// place, once its new length is reserved: all of the new report or, when the disk cannot
// reserve it, nothing. A new name in such a folder cannot be saved.
TEST_F(TextFileTest, writesInPlaceWhereTheFolderTakesNoNewFile) {
  InjectedFaults faults;
  FileCalls.Open = fault::NoNewFile;
  for (const std::string& text : {std::string("short\r\n"), LongReport(200)}) {
    { std::ofstream(Path("old.txt"), std::ios::binary) << kOldReport; }
    EXPECT_TRUE(SaveTextFile(Path("old.txt"), text));
    EXPECT_EQ(Contents(Path("old.txt")), text);
  }
  EXPECT_FALSE(SaveTextFile(Path("new.txt"), "new\r\n"));
  EXPECT_EQ(Names(dir_), std::vector<std::string>{"old.txt"});

  FileCalls.Fallocate = fault::NoRoomToReserve;
  { std::ofstream(Path("old.txt"), std::ios::binary) << kOldReport; }
  EXPECT_FALSE(SaveTextFile(Path("old.txt"), LongReport(200)));
  EXPECT_EQ(Contents(Path("old.txt")), kOldReport);
}

// A pipe given as the name is written as it is and stays a pipe; without a reader the save
// fails at once instead of waiting for one.
TEST_F(TextFileTest, aPipeIsWrittenAsItIsAndStaysAPipe) {
  ASSERT_EQ(mkfifo(Path("pipe").c_str(), 0600), 0);
  EXPECT_FALSE(SaveTextFile(Path("pipe"), "ABC\r\n")) << "no reader";

  const int reader = open(Path("pipe").c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_TRUE(SaveTextFile(Path("pipe"), "ABC\r\n"));
  char got[16] = {};
  EXPECT_EQ(read(reader, got, sizeof got), 5);
  EXPECT_STREQ(got, "ABC\r\n");
  close(reader);
  struct stat status;
  ASSERT_EQ(lstat(Path("pipe").c_str(), &status), 0);
  EXPECT_TRUE(S_ISFIFO(status.st_mode));
  EXPECT_EQ(Names(dir_), std::vector<std::string>{"pipe"});
}
