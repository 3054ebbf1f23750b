// Opening a photograph without the chooser: the program's command line and a file dropped
// onto the main window. Both must end exactly as a choice in the chooser would.

#include <unistd.h>

#include <QDropEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>
#include <filesystem>

#include "ExifFixture.h"
#include "FileDrop.h"
#include "LoadFile.h"
#include "StartArguments.h"
#include "WindowsFixture.h"

using platform::TStringList;

namespace {

using fixture::TempFile;

TEST(StartArgumentsTest, takesAtMostOneFileAndRefusesUnknownOptions) {
  using Action = StartArguments::Action;
  struct Case {
    std::vector<std::string> args;
    Action what;
    std::string file;
    bool extended;
  };
  const Case cases[] = {
      {{}, Action::Run, "", false},
      {{"photo.jpg"}, Action::Run, "photo.jpg", false},
      {{"-"}, Action::Run, "-", false},
      {{"--", "-odd.jpg"}, Action::Run, "-odd.jpg", false},
      {{"--extended", "a.jpg"}, Action::Run, "a.jpg", true},
      {{"a.jpg", "-x"}, Action::Run, "a.jpg", true},
      {{"--", "-x"}, Action::Run, "-x", false},
      {{"--help"}, Action::Help, "", false},
      {{"a.jpg", "--help"}, Action::Help, "", false},
      {{"a.jpg", "b.jpg"}, Action::UsageError, "", false},
      {{"--bogus", "a.jpg"}, Action::UsageError, "", false},
      {{"-q"}, Action::UsageError, "", false},
      {{""}, Action::UsageError, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const StartArguments start = ParseStartArguments(c.args);
    EXPECT_EQ(start.What, c.what);
    EXPECT_EQ(start.File, c.file);
    EXPECT_EQ(start.Extended, c.extended);
    EXPECT_EQ(start.Error.empty(), c.what != Action::UsageError);
  }
}

TEST(StartArgumentsTest, chooserPathIsFullWithTheFolderResolved) {
  const TempFile photo(fixture::SampleJpeg(), "sub/photo.jpg");
  const std::string dir = std::filesystem::canonical(photo.dir()).string();
  std::filesystem::create_symlink(dir + "/sub", dir + "/link");
  struct Case {
    std::string path;
    std::string cwd;
    std::string expected;
  };
  const Case cases[] = {
      {"photo.jpg", dir + "/sub", dir + "/sub/photo.jpg"},
      {"./sub/../sub/photo.jpg", dir, dir + "/sub/photo.jpg"},
      {dir + "/link/photo.jpg", "/", dir + "/sub/photo.jpg"},
      {"link/missing.jpg", dir, dir + "/sub/missing.jpg"},  // a missing file in a real folder
      {"gone/photo.jpg", dir, dir + "/gone/photo.jpg"},     // no such folder: only made full
      {"sub/", dir, dir + "/sub/"},
      {"/photo.jpg", dir, "/photo.jpg"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(ChooserPath(c.path, c.cwd), c.expected);
  }
}

// Runs the test in Directory and comes back afterwards.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::string& Directory)
      : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(Directory);
  }
  ~CurrentDirectory() { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};

using OpenFileTest = WindowsTest;

TEST_F(OpenFileTest, aFileNamedAtStartIsAnalysedAsIfChosenInTheChooser) {
  const TempFile photo(fixture::SampleJpeg(), "IMG_0001.JpG");
  const TempFile other(fixture::SampleJpeg(), "other.jpg");
  // What the chooser gives for the same photograph.
  ChooseWith([&] {
    PickFile(photo.dir(), "IMG_0001.JpG");
    Form2->Button1->Click();
  });
  const std::string chosenReport = Form1->Memo1->Lines->Text();
  ASSERT_FALSE(chosenReport.empty());
  // The chooser elsewhere, nothing chosen.
  Form2->DirectoryListBox1->SetDirectory(other.dir());
  Analysis.SelectedFile.clear();
  Form1->Memo1->Lines->Clear();

  {
    const CurrentDirectory in(photo.dir());
    Form1->AnalyseFile("IMG_0001.JpG");
  }
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(Form1->Memo1->Lines->Text(), chosenReport);
  EXPECT_TRUE(Form1->Memo1->Editor()->toPlainText().startsWith(QStringLiteral("00000H  : FFD8")));
  EXPECT_EQ(Analysis.SelectedFile, photo.path());
  EXPECT_EQ(Form2->Label1->Caption(), photo.path());
  // The chooser starts in the photograph's folder with the photograph selected ...
  EXPECT_EQ(Form2->DirectoryListBox1->Directory(), photo.dir());
  EXPECT_EQ(Form2->FileListBox1->Directory(), photo.dir());
  EXPECT_EQ(Form2->FileListBox1->GetFilePath(), photo.path());
  // ... so "選択" without a new choice analyses it again.
  Form1->Memo1->Lines->Clear();
  ChooseWith([] { Form2->Button1->Click(); });
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(Form1->Memo1->Lines->Text(), chosenReport);
}

// A refused file warns as in the chooser; the window and the earlier report stay.
TEST_F(OpenFileTest, aRefusedFileWarnsAndKeepsTheEarlierReport) {
  const TempFile good(fixture::SampleJpeg(), "good.jpg");
  const TempFile notes(fixture::SampleJpeg(), "notes.txt");
  const TempFile locked(fixture::SampleJpeg(), "locked.jpg");
  std::filesystem::permissions(locked.path(), std::filesystem::perms::none);
  struct Case {
    std::string path;
    std::string message;
  };
  std::vector<Case> cases = {
      {good.dir() + "/missing.jpg", "ファイルを開けませんでした"},
      {"/no/such/folder/photo.jpg", "ファイルを開けませんでした"},
      {good.dir(), "ＪＰＧ　ファイルではないようです"},  // a folder
      {notes.path(), "ＪＰＧ　ファイルではないようです"},
  };
  if (::geteuid() != 0) cases.push_back({locked.path(), "ファイルを開けませんでした"});
  Form1->AnalyseFile(good.path());
  const std::string report = Form1->Memo1->Lines->Text();
  ASSERT_FALSE(report.empty());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    boxes.clear();
    Form1->AnalyseFile(c.path);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, c.message);
    EXPECT_EQ(boxes[0].Caption, "警告");
    EXPECT_EQ(Form1->Memo1->Lines->Text(), report);
    EXPECT_EQ(Analysis.SelectedFile, c.path);
    EXPECT_TRUE(Form1->Visible());
  }
}

// A drag from a file manager enters over the memo, which takes no drops itself, and is
// dropped there; the analysis follows once the drop has completed.
class FileDropTest : public WindowsTest {
 protected:
  // Drags Data over the memo and drops it as Action; returns whether the window took it and
  // the action it answered with.
  std::pair<bool, Qt::DropAction> DropOnMemo(const QMimeData& Data, Qt::DropAction Action) {
    QWidget* target = Form1->Memo1->Editor()->viewport();
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Action | Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
    enter.setDropAction(Action);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) {
      QDragLeaveEvent leave;
      QApplication::sendEvent(target, &leave);
      return {false, Qt::IgnoreAction};
    }
    const std::string reportBefore = Form1->Memo1->Lines->Text();
    const size_t boxesBefore = boxes.size();
    QDropEvent drop(at, Action | Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
    drop.setDropAction(Action);
    QApplication::sendEvent(target, &drop);
    const bool accepted = drop.isAccepted();
    // The file manager waits until the drop event returns: nothing may be shown before.
    EXPECT_EQ(Form1->Memo1->Lines->Text(), reportBefore);
    EXPECT_EQ(boxes.size(), boxesBefore);
    QCoreApplication::processEvents();
    return {accepted, drop.dropAction()};
  }
  static QUrl Local(const std::string& Path) {
    return QUrl::fromLocalFile(QString::fromStdString(Path));
  }
};

TEST_F(FileDropTest, theFirstDroppedLocalFileIsAnalysedAsIfChosen) {
  const TempFile first(fixture::SampleJpeg(), "first.jpg");
  const TempFile second(fixture::FromHex("FFD8 FFE0 0010 4A46494600 0101"), "second.jpg");
  QMimeData data;
  data.setUrls({QUrl(QStringLiteral("https://example.org/remote.jpg")), Local(first.path()),
                Local(second.path())});
  // A move proposed by the file manager is answered as a copy: the photograph stays.
  const auto [accepted, action] = DropOnMemo(data, Qt::MoveAction);
  EXPECT_TRUE(accepted);
  EXPECT_EQ(action, Qt::CopyAction);
  EXPECT_TRUE(boxes.empty());
  AnalysisState chosen;
  chosen.SelectedFile = first.path();
  TStringList expected;
  LoadAndAnalyze(chosen, expected);
  EXPECT_EQ(Form1->Memo1->Lines->Text(), expected.Text());
  EXPECT_EQ(Analysis.SelectedFile, first.path());
  EXPECT_EQ(Form2->FileListBox1->GetFilePath(), first.path());
}

TEST_F(FileDropTest, dropsWithoutALocalFileAreIgnored) {
  const TempFile photo(fixture::SampleJpeg(), "photo.jpg");
  QMimeData web;
  web.setUrls({QUrl(QStringLiteral("https://example.org/photo.jpg"))});
  QMimeData text;
  text.setText(QString::fromStdString(photo.path()));
  for (const QMimeData* data : {&web, &text}) {
    EXPECT_FALSE(DropOnMemo(*data, Qt::CopyAction).first);
  }
  EXPECT_TRUE(boxes.empty());
  EXPECT_TRUE(Form1->Memo1->Lines->Text().empty());
  EXPECT_EQ(Analysis.SelectedFile, "");
}

// A refusal or an error after a drop shows its box as any command does.
TEST_F(FileDropTest, aDroppedFileThatFailsShowsTheCommandsBox) {
  fixture::Tiff tiff = fixture::SampleTiff();
  tiff.Put32(0x2E, 0x10000);  // IFD0's link: IFD1 beyond the buffer
  const TempFile broken(fixture::ExifJpeg(tiff), "broken.jpg");
  const TempFile notes(fixture::SampleJpeg(), "notes.txt");
  const std::pair<std::string, std::string> cases[] = {
      {broken.path(), "'0x' は整数ではありません"},
      {notes.path(), "ＪＰＧ　ファイルではないようです"},
  };
  for (const auto& [path, message] : cases) {
    SCOPED_TRACE(path);
    boxes.clear();
    QMimeData data;
    data.setUrls({Local(path)});
    EXPECT_TRUE(DropOnMemo(data, Qt::CopyAction).first);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, message);
  }
}

}  // namespace
