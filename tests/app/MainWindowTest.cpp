// The main window: its layout, its button bar and the "ファイル選択" and "終了" commands.

#include <QPlainTextEdit>
#include <QPushButton>

#include "AnalysisRun.h"
#include "ExifFixture.h"
#include "Fonts.h"
#include "LoadFile.h"
#include "WindowsFixture.h"

using platform::Application;
using platform::JoinWithCrLf;
using platform::ScaleDesign;
using platform::TButton;
using platform::TMemoLines;
using platform::TObject;
using platform::TPrintDialog;
using platform::TSaveDialog;

namespace {

using fixture::TempFile;

QRect Scaled(int Left, int Top, int Width, int Height) {
  return QRect(ScaleDesign(Left), ScaleDesign(Top), ScaleDesign(Width), ScaleDesign(Height));
}

// The report of Path as the analysis writes it into a plain list.
std::string ReportOf(const std::string& Path) {
  return JoinWithCrLf(RunPath(Path).lines);
}

using MainWindowTest = WindowsTest;

TEST_F(MainWindowTest, laysOutTheButtonBarAndMemoAtTheScreensResolution) {
  EXPECT_EQ(Form1->Caption(), "Exif 分析　Ｖｅｒ１.０１　　2010.3.26");
  EXPECT_EQ(Form1->Widget()->size(), Scaled(0, 0, 682, 467).size());  // the client area
  EXPECT_EQ(Form1->Widget()->font().family(), QStringLiteral("IPAPGothic"));

  struct Expected {
    TButton* button;
    std::string caption;
    QRect bounds;
  };
  const Expected buttons[] = {
      {Form1->Button2, "終了", Scaled(0, 1, 89, 25)},  // one pixel lower than the others
      {Form1->Button1, "ファイル選択", Scaled(96, 0, 113, 25)},
      {Form1->Button3, "印刷", Scaled(216, 0, 73, 25)},
      {Form1->Button4, "フアイルに保存", Scaled(296, 0, 129, 25)},
  };
  for (const Expected& e : buttons) {
    EXPECT_EQ(e.button->Caption(), e.caption);
    EXPECT_EQ(e.button->Widget()->parentWidget(), Form1->Panel1->Widget());
    EXPECT_EQ(e.button->Widget()->geometry(), e.bounds) << e.caption;
    EXPECT_FALSE(static_cast<QPushButton*>(e.button->Widget())->isDefault());
  }

  QPlainTextEdit* memo = Form1->Memo1->Editor();
  EXPECT_EQ(memo->font().family(), QStringLiteral("IPAGothic"));
  EXPECT_EQ(memo->font().pixelSize(), ScaleDesign(18));
  EXPECT_TRUE(memo->isReadOnly());
  EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_EQ(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_TRUE(memo->toPlainText().isEmpty());
}

TEST_F(MainWindowTest, resizingKeepsTheBarOnTopAndTheMemoFillingTheRest) {
  for (const QSize size : {QSize(900, 640), QSize(300, 200)}) {
    Form1->Widget()->resize(size);
    const int barHeight = ScaleDesign(25);
    EXPECT_EQ(Form1->Panel1->Widget()->geometry(), QRect(0, 0, size.width(), barHeight));
    EXPECT_EQ(Form1->Memo1->Widget()->geometry(),
              QRect(0, barHeight, size.width(), size.height() - barHeight));
    EXPECT_EQ(Form1->Button4->Widget()->geometry(), Scaled(296, 0, 129, 25));
  }
}

TEST_F(MainWindowTest, tabOrderRunsAlongTheBarThenToTheMemo) {
  const std::vector<QWidget*> expected = {Form1->Button1->Widget(), Form1->Button2->Widget(),
                                          Form1->Button3->Widget(), Form1->Button4->Widget(),
                                          Form1->Memo1->Widget()};
  std::vector<QWidget*> order;
  QWidget* w = expected.front();
  do {
    if (std::find(expected.begin(), expected.end(), w) != expected.end()) order.push_back(w);
    w = w->nextInFocusChain();
  } while (w != expected.front() && order.size() < expected.size());
  EXPECT_EQ(order, expected);
}

TEST_F(MainWindowTest, quitClosesTheMainWindow) {
  ASSERT_TRUE(Form1->Visible());
  Form1->Button2->Click();
  EXPECT_FALSE(Form1->Visible());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindowTest, aChosenPhotographIsAnalysedIntoTheMemo) {
  const TempFile photo(fixture::SampleJpeg(), "IMG_0001.JpG");
  ChooseWith([&] {
    PickFile(photo.dir(), "IMG_0001.JpG");
    Form2->Button1->Click();
  });
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(Analysis.SelectedFile, photo.path());
  EXPECT_EQ(Form1->Memo1->Lines->Text(), ReportOf(photo.path()));
  // The widget shows the report as soon as the command ends.
  const QString shown = Form1->Memo1->Editor()->toPlainText();
  EXPECT_TRUE(shown.startsWith(QStringLiteral("00000H  : FFD8"))) << shown.left(40).toStdString();
  EXPECT_EQ(shown.count(QLatin1Char('\n')) + 1,
            static_cast<int>(static_cast<TMemoLines*>(Form1->Memo1->Lines)->Appended().size()));
}

TEST_F(MainWindowTest, aRealPhotographIsAnalysedIntoTheMemo) {
  std::ifstream original(std::string(EXIF_CORPUS_DIR) + "/canon-ixus.jpg", std::ios::binary);
  if (!original) GTEST_SKIP() << "no corpus in " << EXIF_CORPUS_DIR;
  // A private copy: loading locks its file, and other test runs read the corpus too.
  const TempFile photo(fixture::Bytes(std::istreambuf_iterator<char>(original), {}),
                       "canon-ixus.jpg");
  ChooseWith([&] { PickFile(photo.dir(), "canon-ixus.jpg", /*Double=*/true); });
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(Form1->Memo1->Lines->Text(), ReportOf(photo.path()));
  EXPECT_NE(Form1->Memo1->Editor()->toPlainText().indexOf(QStringLiteral("Canon")), -1);
}

// Every refusal shows its warning and leaves the earlier report on the screen.
TEST_F(MainWindowTest, refusalsWarnAndKeepTheEarlierReport) {
  const TempFile good(fixture::SampleJpeg(), "good.jpg");
  struct Case {
    const char* name;
    fixture::Bytes content;
    std::string message;
  };
  const Case cases[] = {
      {"notes.txt", fixture::SampleJpeg(), "ＪＰＧ　ファイルではないようです"},
      {"photo.jpeg", fixture::SampleJpeg(), "ＪＰＧ　ファイルではないようです"},
      {"plain.jpg", fixture::FromHex("FFD8 FFE0 0010 4A46494600 0101"), "Exifではないようです"},
      {"motorola.jpg", fixture::FromHex("FFD8 FFE1 0020 457869660000 4D4D002A00000008 0000"),
       "インテル形式ではないようです"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ChooseWith([&] {
      PickFile(good.dir(), "good.jpg");
      Form2->Button1->Click();
    });
    const std::string report = Form1->Memo1->Lines->Text();
    ASSERT_FALSE(report.empty());
    boxes.clear();

    const TempFile refused(c.content, c.name);
    ChooseWith([&] {
      PickFile(refused.dir(), c.name);
      Form2->Button1->Click();
    });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, c.message);
    EXPECT_EQ(boxes[0].Caption, "警告");
    EXPECT_EQ(Form1->Memo1->Lines->Text(), report);
  }
}

TEST_F(MainWindowTest, aFileThatCannotBeOpenedIsRefusedAndTheReportStays) {
  const TempFile good(fixture::SampleJpeg(), "good.jpg");
  ChooseWith([&] {
    PickFile(good.dir(), "good.jpg");
    Form2->Button1->Click();
  });
  const std::string report = Form1->Memo1->Lines->Text();
  Analysis.SelectedFile = good.dir() + "/gone.jpg";
  ChooseWith([] { Form2->Button1->Click(); });  // "選択" without a new choice
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "ファイルを開けませんでした");
  EXPECT_EQ(Form1->Memo1->Lines->Text(), report);
}

TEST_F(MainWindowTest, cancellingTheChooserDoesNothing) {
  const TempFile good(fixture::SampleJpeg(), "good.jpg");
  ChooseWith([&] {
    PickFile(good.dir(), "good.jpg");
    Form2->Button1->Click();
  });
  const std::string report = Form1->Memo1->Lines->Text();
  ChooseWith([&] {
    ClickFileItem("good.jpg");
    Form2->Button2->Click();
  });
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(Analysis.SelectedFile, "");
  EXPECT_EQ(Form1->Memo1->Lines->Text(), report);
}

TEST_F(MainWindowTest, aConversionErrorIsShownAndThePartialReportStays) {
  fixture::Tiff tiff = fixture::SampleTiff();
  tiff.Put32(0x2E, 0x10000);  // IFD0's link: IFD1 beyond the buffer
  const TempFile broken(fixture::ExifJpeg(tiff), "broken.jpg");
  ChooseWith([&] {
    PickFile(broken.dir(), "broken.jpg");
    Form2->Button1->Click();
  });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "'0x' は整数ではありません");
  EXPECT_EQ(boxes[0].Caption, Application->Title);
  EXPECT_EQ(Application->Title, "app_tests");  // the program file's name

  const auto& appended = static_cast<TMemoLines*>(Form1->Memo1->Lines)->Appended();
  ASSERT_FALSE(appended.empty());
  EXPECT_EQ(appended.front(), "00000H  : FFD8        SOI");
  EXPECT_EQ(appended.back(), "1000CH  : 0x");
  EXPECT_TRUE(Form1->Memo1->Editor()->toPlainText().endsWith(QStringLiteral("1000CH  : 0x")));

  // The window goes on working.
  const TempFile good(fixture::SampleJpeg(), "good.jpg");
  boxes.clear();
  ChooseWith([&] {
    PickFile(good.dir(), "good.jpg");
    Form2->Button1->Click();
  });
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(Form1->Memo1->Lines->Text(), ReportOf(good.path()));
}

// "印刷" and "フアイルに保存" hand the memo's lines and the window's dialogs to printing
// and saving.
TEST_F(MainWindowTest, printAndSaveButtonsWorkOnTheMemosLines) {
  Form1->Button4->Click();  // nothing to save right after start
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "デ－タが無いようです");
  EXPECT_EQ(boxes[0].Caption, "警告");

  const TempFile photo(fixture::SampleJpeg(), "good.jpg");
  ChooseWith([&] { PickFile(photo.dir(), "good.jpg", /*Double=*/true); });
  const std::string saved = photo.dir() + "/report.txt";
  TSaveDialog::ExecuteHook = [&](std::string& FileName) {
    FileName = saved;
    return true;
  };
  Form1->Button4->Click();
  TSaveDialog::ExecuteHook = nullptr;
  std::ifstream in(saved, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), Form1->Memo1->Lines->Text());
  EXPECT_EQ(Form1->SaveDialog1->FileName, saved);

  int printDialogs = 0;
  TPrintDialog::ExecuteHook = [&] {
    ++printDialogs;
    return false;  // cancelled
  };
  Form1->Button3->Click();
  TPrintDialog::ExecuteHook = nullptr;
  EXPECT_EQ(printDialogs, 1);
  EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(MainWindowTest, anExceptionThatIsNoPlatformExceptionShowsAnEmptyBox) {
  Form1->Button3->OnClick = [](TObject*) { throw 42; };
  Form1->Button3->Click();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "");
  EXPECT_EQ(boxes[0].Caption, Application->Title);
}

}  // namespace
