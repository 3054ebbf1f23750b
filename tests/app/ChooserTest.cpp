// The chooser: what SelectedFile holds after each way of leaving it, the label, and the
// linked drive box, directory list and file list.

#include <QComboBox>
#include <QLabel>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>

#include "Fonts.h"
#include "WindowsFixture.h"

using platform::Application;
using platform::mrCancel;
using platform::ScaleDesign;

namespace fs = std::filesystem;

namespace {

class ChooserTest : public WindowsTest {
 protected:
  void SetUp() override {
    WindowsTest::SetUp();
    root_ = fs::temp_directory_path() / ("chooser-" + std::to_string(getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "second");
    for (const char* name : {"a.jpg", "b.JPG", "c.txt", ".hidden.jpg", "second/d.jpg"}) {
      std::ofstream(root_ / name) << "x";
    }
    dir_ = root_.string();
    second_ = (root_ / "second").string();
    Form2->DirectoryListBox1->SetDirectory(dir_);
  }
  void TearDown() override {
    fs::remove_all(root_);
    WindowsTest::TearDown();
  }

  // Shows the chooser modally, runs Action in it and returns the modal result.
  int ShowChooser(std::function<void()> Action) {
    QTimer::singleShot(0, [Action] { Action(); });
    const int result = Form2->ShowModal();
    EXPECT_FALSE(Form2->Visible());
    return result;
  }

  fs::path root_;
  std::string dir_;
  std::string second_;
};

TEST_F(ChooserTest, laysOutItsControlsWithoutDefaultOrCancelButtons) {
  EXPECT_EQ(Form2->Caption(), "Form2");
  EXPECT_EQ(Form2->Label1->Caption(), "Label1");
  EXPECT_EQ(Form2->Button1->Caption(), "選択");
  EXPECT_EQ(Form2->Button2->Caption(), "中止");
  const QRect bounds(ScaleDesign(208), ScaleDesign(40), ScaleDesign(345), ScaleDesign(289));
  EXPECT_EQ(Form2->FileListBox1->Widget()->geometry(), bounds);
  EXPECT_FALSE(Form2->Visible());  // hidden until "ファイル選択" shows it

  // Escape does not close it; Enter presses "選択" when that button has the focus.
  int result = ShowChooser([] {
    QTest::keyClick(Form2->FileListBox1->Widget(), Qt::Key_Escape);
    EXPECT_TRUE(Form2->Visible());
    QTest::keyClick(Form2->Button1->Widget(), Qt::Key_Return);
  });
  EXPECT_EQ(result, mrCancel);
}

TEST_F(ChooserTest, theFileListShowsTheDirectorysOrdinaryFilesSorted) {
  EXPECT_EQ(Form2->FileListBox1->Items(), (std::vector<std::string>{"a.jpg", "b.JPG", "c.txt"}));
  EXPECT_EQ(Form2->FileListBox1->ItemIndex(), -1);
  EXPECT_EQ(Form2->FileListBox1->GetFilePath(), "");
}

TEST_F(ChooserTest, aClickStoresTheFullPathAndShowsIt) {
  Form2->Show();
  ClickFileItem("b.JPG");
  EXPECT_EQ(Analysis.SelectedFile, dir_ + "/b.JPG");
  EXPECT_EQ(Form2->Label1->Caption(), dir_ + "/b.JPG");
  EXPECT_EQ(Form2->Label1->Label()->text(), QString::fromStdString(dir_ + "/b.JPG"));
  EXPECT_EQ(Form2->Label1->Label()->textFormat(), Qt::PlainText);
  // Width follows the text.
  EXPECT_GT(Form2->Label1->Widget()->width(), ScaleDesign(41));
}

// A name may hold any byte but "/" and NUL: the label still takes one row and shows the
// control characters as U+FFFD, while the stored path keeps the name's own bytes.
TEST_F(ChooserTest, aNameWithControlCharactersShowsOnOneRow) {
  const std::string name = "two\nrows\r\tand\x1b.jpg";
  std::ofstream(root_ / name) << "x";
  Form2->DirectoryListBox1->SetDirectory(dir_);
  Form2->Show();
  const int oneRow = Form2->Label1->Widget()->height();
  ClickFileItem(name);
  EXPECT_EQ(Analysis.SelectedFile, dir_ + "/" + name);
  EXPECT_EQ(Form2->Label1->Caption(), dir_ + "/" + name);
  const QChar mark = QChar::ReplacementCharacter;
  EXPECT_EQ(Form2->Label1->Label()->text(), QString::fromStdString(dir_) + "/two" + mark + "rows" +
                                                mark + mark + "and" + mark + ".jpg");
  // One row; the replacement glyph comes from a fallback font that may add a pixel.
  EXPECT_LT(Form2->Label1->Widget()->height(), 2 * oneRow);
}

TEST_F(ChooserTest, arrowKeysStoreEachNewlySelectedFile) {
  Form2->Show();
  ClickFileItem("a.jpg");
  QTest::keyClick(Form2->FileListBox1->Widget(), Qt::Key_Down);
  EXPECT_EQ(Analysis.SelectedFile, dir_ + "/b.JPG");
  QTest::keyClick(Form2->FileListBox1->Widget(), Qt::Key_Down);
  EXPECT_EQ(Analysis.SelectedFile, dir_ + "/c.txt");
  QTest::keyClick(Form2->FileListBox1->Widget(), Qt::Key_Up);
  EXPECT_EQ(Analysis.SelectedFile, dir_ + "/b.JPG");
}

// What SelectedFile holds after each way of leaving the chooser.
TEST_F(ChooserTest, eachWayOfLeavingLeavesItsSelectedFile) {
  const std::string earlier = "/earlier/choice.jpg";
  struct Case {
    const char* leaving;
    std::function<void()> action;
    std::string expected;
  };
  const Case cases[] = {
      {"select without a click", [] { Form2->Button1->Click(); }, earlier},
      {"close box without a click", [] { Form2->Widget()->close(); }, earlier},
      {"click then select",
       [] {
         ClickFileItem("a.jpg");
         Form2->Button1->Click();
       },
       dir_ + "/a.jpg"},
      {"click then close box",
       [] {
         ClickFileItem("b.JPG");
         Form2->Widget()->close();
       },
       dir_ + "/b.JPG"},
      {"double-click", [] { ClickFileItem("c.txt", true); }, dir_ + "/c.txt"},
      {"click then cancel",
       [] {
         ClickFileItem("a.jpg");
         Form2->Button2->Click();
       },
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.leaving);
    Analysis.SelectedFile = earlier;
    EXPECT_EQ(ShowChooser(c.action), mrCancel);
    EXPECT_EQ(Analysis.SelectedFile, c.expected);
  }
}

TEST_F(ChooserTest, cancelKeepsTheLabelShowingTheLastPath) {
  ShowChooser([] {
    ClickFileItem("a.jpg");
    Form2->Button2->Click();
  });
  EXPECT_EQ(Analysis.SelectedFile, "");
  EXPECT_EQ(Form2->Label1->Caption(), dir_ + "/a.jpg");
}

TEST_F(ChooserTest, openingAnotherDirectoryWithoutSelectingKeepsTheFirstChoice) {
  ShowChooser([&] {
    ClickFileItem("a.jpg");
    const auto& paths = Form2->DirectoryListBox1->ItemPaths();
    const auto second = std::find(paths.begin(), paths.end(), second_);
    ASSERT_NE(second, paths.end());
    Form2->DirectoryListBox1->OpenItem(int(second - paths.begin()));
    EXPECT_EQ(Form2->FileListBox1->Items(), std::vector<std::string>{"d.jpg"});
    EXPECT_EQ(Form2->FileListBox1->ItemIndex(), -1);
    Form2->Button1->Click();
  });
  EXPECT_EQ(Analysis.SelectedFile, dir_ + "/a.jpg");
  EXPECT_EQ(Form2->Label1->Caption(), dir_ + "/a.jpg");
  // The next showing finds the chooser as it was left.
  EXPECT_EQ(Form2->FileListBox1->Directory(), second_);
}

TEST_F(ChooserTest, theDirectoryListWalksTheTreeFromTheDrivesRoot) {
  const auto& paths = Form2->DirectoryListBox1->ItemPaths();
  ASSERT_GE(paths.size(), 3u);
  EXPECT_EQ(paths.front(), Form2->DirectoryListBox1->Drive());
  EXPECT_EQ(paths[paths.size() - 2], dir_);
  EXPECT_EQ(paths.back(), second_);
  // Going up: the parent's item.
  Form2->DirectoryListBox1->OpenItem(static_cast<int>(paths.size()) - 3);
  EXPECT_EQ(Form2->FileListBox1->Directory(), root_.parent_path().string());
}

TEST_F(ChooserTest, aDirectoryThatCannotBeOpenedIsReportedAndTheListStays) {
  const auto& paths = Form2->DirectoryListBox1->ItemPaths();
  fs::remove_all(root_ / "second");
  Form2->DirectoryListBox1->OpenItem(static_cast<int>(paths.size()) - 1);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Caption, Application->Title);
  EXPECT_EQ(Form2->DirectoryListBox1->Directory(), dir_);
  EXPECT_EQ(Form2->FileListBox1->Directory(), dir_);
}

TEST_F(ChooserTest, aPathAtARootHasASingleSlash) {
  Form2->FileListBox1->SetDirectory(dir_ + "/");
  Form2->FileListBox1->SetItemIndex(0);
  EXPECT_EQ(Form2->FileListBox1->GetFilePath(), dir_ + "/a.jpg");
}

TEST_F(ChooserTest, choosingADriveReturnsToItsLastDirectory) {
  const std::vector<std::string>& drives = Form2->DriveComboBox1->Drives();
  ASSERT_NE(std::find(drives.begin(), drives.end(), "/"), drives.end());
  const char* home = std::getenv("HOME");
  if (home == nullptr || std::string(home) == "/" ||
      std::find(drives.begin(), drives.end(), home) == drives.end()) {
    GTEST_SKIP() << "no home directory among the drives";
  }
  Form2->DriveComboBox1->SetDrive("/");
  Form2->DirectoryListBox1->SetDirectory(dir_);
  Form2->DriveComboBox1->SetDrive(home);
  EXPECT_EQ(Form2->DirectoryListBox1->Directory(), home);
  EXPECT_EQ(Form2->DirectoryListBox1->ItemPaths().front(), home);
  Form2->DriveComboBox1->SetDrive("/");
  EXPECT_EQ(Form2->DirectoryListBox1->Directory(), dir_);
  EXPECT_EQ(Form2->DriveComboBox1->Combo()->currentText(), QStringLiteral("/"));
}

}  // namespace
