// Writing the saved report: exact bytes, replacement, and every failure reported.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "Strings.h"
#include "TextFile.h"

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
