// What the chooser's file controls list, straight from the file system.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "FileSystemLists.h"

using platform::JoinPath;
using platform::ListDriveRoots;
using platform::ListOrdinaryFiles;
using platform::ListSubdirectories;
using platform::PathFromRoot;
using platform::RootOf;

namespace fs = std::filesystem;

namespace {

TEST(JoinPath, putsASingleSlashBetweenDirectoryAndName) {
  EXPECT_EQ(JoinPath("/photos", "a.jpg"), "/photos/a.jpg");
  EXPECT_EQ(JoinPath("/", "a.jpg"), "/a.jpg");
  EXPECT_EQ(JoinPath("/photos/", "a.jpg"), "/photos/a.jpg");
}

TEST(RootOf, takesTheLongestRootThatHoldsTheDirectory) {
  const std::vector<std::string> roots{"/", "/home/user", "/media/disk"};
  EXPECT_EQ(RootOf("/home/user/photos", roots), "/home/user");
  EXPECT_EQ(RootOf("/home/user", roots), "/home/user");
  EXPECT_EQ(RootOf("/home/username", roots), "/");  // a common prefix is no parent
  EXPECT_EQ(RootOf("/etc", roots), "/");
}

TEST(PathFromRoot, listsEveryDirectoryFromTheRootDown) {
  EXPECT_EQ(PathFromRoot("/", "/"), std::vector<std::string>{"/"});
  EXPECT_EQ(PathFromRoot("/", "/a/b"), (std::vector<std::string>{"/", "/a", "/a/b"}));
  EXPECT_EQ(PathFromRoot("/home/u", "/home/u/p"),
            (std::vector<std::string>{"/home/u", "/home/u/p"}));
  EXPECT_EQ(PathFromRoot("/home/u", "/etc"), std::vector<std::string>{"/etc"});
}

TEST(ListDriveRoots, holdsTheRootAndTheHomeDirectoryOnce) {
  const std::vector<std::string> roots = ListDriveRoots();
  EXPECT_EQ(std::count(roots.begin(), roots.end(), "/"), 1);
  if (const char* home = std::getenv("HOME"); home != nullptr && fs::is_directory(home)) {
    EXPECT_EQ(std::count(roots.begin(), roots.end(), std::string(home)), 1);
  }
  for (const std::string& root : roots) EXPECT_TRUE(fs::is_directory(root)) << root;
}

class DirectoryListing : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("listing-" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "Sub");
    fs::create_directories(dir_ / "another");
    fs::create_directories(dir_ / ".hiddendir");
    for (const char* name : {"b.txt", "A.JPG", "c.jpg", ".hidden.jpg"}) {
      std::ofstream(dir_ / name) << "x";
    }
    fs::create_symlink(dir_ / "c.jpg", dir_ / "link.jpg");
    fs::create_symlink(dir_ / "missing", dir_ / "dangling.jpg");
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(DirectoryListing, filesAreOrdinaryVisibleOnesSortedWithoutRegardToCase) {
  EXPECT_EQ(ListOrdinaryFiles(dir_.string()),
            (std::vector<std::string>{"A.JPG", "b.txt", "c.jpg", "link.jpg"}));
}

TEST_F(DirectoryListing, subdirectoriesAreVisibleOnesSorted) {
  std::vector<std::string> names;
  ASSERT_TRUE(ListSubdirectories(dir_.string(), names));
  EXPECT_EQ(names, (std::vector<std::string>{"another", "Sub"}));
}

TEST_F(DirectoryListing, aMissingDirectoryCannotBeListed) {
  std::vector<std::string> names{"stale"};
  EXPECT_FALSE(ListSubdirectories((dir_ / "nothing").string(), names));
  EXPECT_TRUE(names.empty());
  EXPECT_TRUE(ListOrdinaryFiles((dir_ / "nothing").string()).empty());
}

}  // namespace
