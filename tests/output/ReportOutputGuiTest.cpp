// "印刷" and "フアイルに保存" through the platform's dialogs, printer and message box, with the
// dialogs answered by their test hooks; one real print goes to a PDF file.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QTimer>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "Exceptions.h"
#include "FileFaults.h"
#include "Forms.h"
#include "LoadFile.h"
#include "Printers.h"
#include "ReportPrinting.h"
#include "ReportSaving.h"

using platform::Application;
using platform::EConvertError;
using platform::Exception;
using platform::FileCalls;
using platform::Printer;
using platform::TApplication;
using platform::TFont;
using platform::TPrintDialog;
using platform::TSaveDialog;
using platform::TStringList;

namespace fs = std::filesystem;

namespace {

struct Box {
  std::string text, caption;
  bool operator==(const Box& other) const { return text == other.text && caption == other.caption; }
};

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// Output of a command, or empty when it cannot run.
std::string CommandOutput(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    std::array<char, 4096> buffer;
    size_t got;
    while ((got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), got);
    pclose(pipe);
  }
  return out;
}

// Hands the modal dialog of kind T to Answer as soon as it shows.
template <class T>
void WhenShown(std::function<void(T*)> answer) {
  QTimer::singleShot(10, [answer] {
    if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
      answer(dialog);
    } else {
      WhenShown<T>(answer);
    }
  });
}

TStringList Report(const std::vector<std::string>& lines) {
  TStringList report;
  for (const std::string& line : lines) report.Add(line);
  return report;
}

class ReportOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("report-output-" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    Application->MessageBoxHook = [this](const std::string& text, const std::string& caption) {
      boxes_.push_back({text, caption});
    };
  }
  void TearDown() override {
    Application->MessageBoxHook = nullptr;
    TSaveDialog::ExecuteHook = nullptr;
    TPrintDialog::ExecuteHook = nullptr;
    fs::remove_all(dir_);
  }

  // The save dialog "types" each of Names in turn and records the name it started with.
  void AnswerSaveDialog(std::vector<std::string> names) {
    TSaveDialog::ExecuteHook = [this, names](std::string& fileName) mutable {
      startNames_.push_back(fileName);
      if (names.empty()) return false;
      fileName = names.front();
      names.erase(names.begin());
      return !fileName.empty();
    };
  }

  fs::path dir_;
  std::vector<Box> boxes_;
  std::vector<std::string> startNames_;
};

const Box kNoData{"デ－タが無いようです", "警告"};
const Box kNotSaved{"ファイルに保存できませんでした", "警告"};

}  // namespace

TEST_F(ReportOutputTest, emptyReportWarnsAndShowsNoDialog) {
  AnswerSaveDialog({(dir_ / "out.txt").string()});
  TSaveDialog dialog(nullptr);
  TStringList empty;
  SaveReport(empty, dialog);
  EXPECT_EQ(boxes_, std::vector<Box>{kNoData});
  EXPECT_TRUE(startNames_.empty()) << "the dialog was shown";
  EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(ReportOutputTest, savesTheSevenByteExampleUnderANameWithoutExtension) {
  const std::string name = (dir_ / "report").string();
  AnswerSaveDialog({name});
  TSaveDialog dialog(nullptr);
  TStringList report = Report({"", "ABC"});
  SaveReport(report, dialog);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(Contents(name), std::string("\r\nABC\r\n", 7));
  // Exactly that name: no extension added, nothing else written.
  std::vector<fs::path> files{fs::directory_iterator(dir_), fs::directory_iterator()};
  EXPECT_EQ(files, std::vector<fs::path>{name});
}

TEST_F(ReportOutputTest, secondSaveStartsWithTheFirstNameAndReplacesTheFile) {
  const std::string name = (dir_ / "same.txt").string();
  AnswerSaveDialog({name, name});
  TSaveDialog dialog(nullptr);
  TStringList longer = Report({std::string(500, 'L')});
  TStringList shorter = Report({"S"});
  SaveReport(longer, dialog);
  SaveReport(shorter, dialog);
  EXPECT_EQ(startNames_, (std::vector<std::string>{"", name}));
  EXPECT_EQ(Contents(name), "S\r\n");
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(ReportOutputTest, cancelWritesNothingAndSaysNothing) {
  AnswerSaveDialog({});
  TSaveDialog dialog(nullptr);
  TStringList report = Report({"ABC"});
  SaveReport(report, dialog);
  EXPECT_EQ(startNames_.size(), 1u);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(ReportOutputTest, everyFailureToSaveIsShownAndTheReportStaysAsItWas) {
  const std::vector<std::string> places = {"/dev/full", (dir_ / "missing" / "out.txt").string(),
                                           "/proc/version", dir_.string()};
  for (const std::string& place : places) {
    boxes_.clear();
    AnswerSaveDialog({place});
    TSaveDialog dialog(nullptr);
    TStringList report = Report({"", "ABC"});
    SaveReport(report, dialog);
    EXPECT_EQ(boxes_, std::vector<Box>{kNotSaved}) << place;
    EXPECT_EQ(report.Text(), std::string("\r\nABC\r\n")) << place;
  }
}

// A disk that fills up during the write shows the same warning; the file saved before is
// exactly as it was, a new name stays free, and no temporary file is left in the folder.
TEST_F(ReportOutputTest, aFullDiskShowsTheWarningAndKeepsTheOldFile) {
  const std::string old = (dir_ / "report.txt").string();
  const std::string oldText(2739, 'o');
  std::ofstream(old, std::ios::binary) << oldText;
  std::vector<std::string> lines(3000, std::string(20, 'L'));
  TStringList report = Report(lines);

  InjectedFaults faults;
  FileCalls.Write = fault::FillingWrite;
  for (const fs::path& name : {dir_ / "report.txt", dir_ / "new.txt"}) {
    boxes_.clear();
    fault::WriteRoom = 4096;
    AnswerSaveDialog({name.string()});
    TSaveDialog dialog(nullptr);
    SaveReport(report, dialog);
    EXPECT_EQ(boxes_, std::vector<Box>{kNotSaved}) << name;
    EXPECT_EQ(Contents(old), oldText) << name;
    std::vector<fs::path> files{fs::directory_iterator(dir_), fs::directory_iterator()};
    EXPECT_EQ(files, std::vector<fs::path>{old}) << name;
  }
}

TEST_F(ReportOutputTest, savesWhatTheReportHoldsAfterAConversionErrorOrARefusal) {
  // Exif APP1, Intel TIFF header, IFD0 with no entries whose link "00FF0000" is no decimal
  // number: the analysis stops with a conversion error after the IFD0 lines.
  const std::string jpeg(
      "\xFF\xD8\xFF\xE1\x00\x10"
      "Exif\0\0"
      "II*\0\x08\0\0\0"
      "\0\0\0\0\xFF\0",
      26);
  const fs::path photo = dir_ / "broken.JPG";
  std::ofstream(photo, std::ios::binary) << jpeg;
  AnalysisState state;
  state.SelectedFile = photo.string();
  TStringList report;
  EXPECT_THROW(LoadAndAnalyze(state, report), EConvertError);
  ASSERT_GT(report.Count(), 0);
  const std::string afterError = report.Text();

  // A refused file leaves the report as it was.
  state.SelectedFile = (dir_ / "notes.txt").string();
  EXPECT_EQ(LoadAndAnalyze(state, report), LoadOutcome::NotJpg);

  const std::string name = (dir_ / "saved.txt").string();
  AnswerSaveDialog({name});
  TSaveDialog dialog(nullptr);
  SaveReport(report, dialog);
  EXPECT_EQ(Contents(name), afterError);
}

TEST_F(ReportOutputTest, realSaveDialogStartsWithTheNameChosenLastAndReplacesWithoutAsking) {
  const std::string name = (dir_ / "report").string();
  std::ofstream(name) << "old";
  TSaveDialog dialog(nullptr);
  dialog.FileName = name;
  std::string shown;
  // Accepting a name of an existing file returns at once: a question would keep it open.
  WhenShown<QFileDialog>([&shown](QFileDialog* shownDialog) {
    shown = QFile::encodeName(shownDialog->selectedFiles().value(0)).toStdString();
    static_cast<QDialog*>(shownDialog)->accept();  // as the Save button does
  });
  EXPECT_TRUE(dialog.Execute());
  EXPECT_EQ(shown, name);
  EXPECT_EQ(dialog.FileName, name) << "no extension added";

  WhenShown<QFileDialog>([](QFileDialog* shownDialog) { shownDialog->reject(); });
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, name);
}

// Shown in the dialog's options panel (which opens with its "Options" button).
bool ShownInPanel(QWidget* widget, QWidget* panel) {
  for (; widget != nullptr && widget != panel; widget = widget->parentWidget()) {
    if (widget->isHidden()) return false;
  }
  return widget == panel;
}

TEST_F(ReportOutputTest, realPrintDialogOffersNoPageRangeAndCancels) {
  bool pageRange = true;
  std::vector<std::string> shownPageControls;
  WhenShown<QPrintDialog>([&](QPrintDialog* shownDialog) {
    pageRange = shownDialog->testOption(QAbstractPrintDialog::PrintPageRange);
    auto* panel = shownDialog->findChild<QWidget*>("QPrintSettingsOutput");
    ASSERT_NE(panel, nullptr);
    // Qt's names of its page controls: all pages, a range, from, to, a page list, odd/even.
    for (const char* name :
         {"printAll", "printRange", "from", "to", "pagesLineEdit", "pageSetCombo"}) {
      auto* control = shownDialog->findChild<QWidget*>(name);
      if (control != nullptr && ShownInPanel(control, panel)) shownPageControls.push_back(name);
    }
    shownDialog->reject();
  });
  TPrintDialog dialog(nullptr);
  EXPECT_FALSE(dialog.Execute());
  EXPECT_FALSE(pageRange);
  EXPECT_EQ(shownPageControls, std::vector<std::string>{});
}

TEST_F(ReportOutputTest, realPrintDialogHandsOnCopiesAndOrderAndLeavesThePrinterAtOneCopy) {
  QPrinter& device = Printer()->Device();
  device.setOutputFormat(QPrinter::PdfFormat);
  device.setOutputFileName(QString::fromStdString((dir_ / "copies.pdf").string()));
  WhenShown<QPrintDialog>([](QPrintDialog* shownDialog) {
    auto* copies = shownDialog->findChild<QSpinBox*>("copies");
    auto* collate = shownDialog->findChild<QCheckBox*>("collate");
    auto* reverse = shownDialog->findChild<QCheckBox*>("reverse");
    ASSERT_TRUE(copies != nullptr && collate != nullptr && reverse != nullptr);
    copies->setValue(3);
    collate->setChecked(false);
    reverse->setChecked(true);
    shownDialog->accept();
  });
  TPrintDialog dialog(nullptr);
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Copies, 3);
  EXPECT_FALSE(dialog.Collate);
  EXPECT_TRUE(dialog.LastPageFirst);
  EXPECT_EQ(device.copyCount(), 1) << "the printing system would multiply the copies again";

  // The dialog starts with the choices made last.
  int shownCopies = 0;
  WhenShown<QPrintDialog>([&shownCopies](QPrintDialog* shownDialog) {
    shownCopies = shownDialog->findChild<QSpinBox*>("copies")->value();
    shownDialog->reject();
  });
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(shownCopies, 3);
  EXPECT_EQ(dialog.Copies, 3);
}

TEST_F(ReportOutputTest, printerMeasuresTheMinchoFontInDeviceUnits) {
  TFont* font = Printer()->Canvas()->Font();
  font->SetName("ＭＳ明朝");
  font->SetSize(12);
  EXPECT_EQ(font->Name(), "ＭＳ明朝");
  EXPECT_EQ(font->Height(), -100) << "12 points at 600 dpi";
  // Fixed pitch: a double-byte character is as wide as two half-width ones.
  EXPECT_EQ(Printer()->Canvas()->TextWidth("a"), 50);
  EXPECT_EQ(Printer()->Canvas()->TextWidth("あ"), 100);
}

TEST_F(ReportOutputTest, cancelledPrintDialogPrintsNothing) {
  TPrintDialog::ExecuteHook = [] { return false; };
  QPrinter& device = Printer()->Device();
  device.setOutputFormat(QPrinter::PdfFormat);
  device.setOutputFileName(QString::fromStdString((dir_ / "never.pdf").string()));
  TPrintDialog dialog(nullptr);
  TStringList report = Report({"ABC"});
  PrintReport(report, dialog);
  EXPECT_FALSE(Printer()->Printing());
  EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(ReportOutputTest, printsToAPdfFilePagedAndCutWithNoBrokenCharacter) {
  const fs::path pdf = dir_ / "report.pdf";
  // The dialog's user picks printing to a file on A4 paper.
  TPrintDialog::ExecuteHook = [&pdf] {
    QPrinter& device = Printer()->Device();
    device.setOutputFormat(QPrinter::PdfFormat);
    device.setOutputFileName(QString::fromStdString(pdf.string()));
    device.setPageSize(QPageSize(QPageSize::A4));
    return true;
  };
  // 70 lines do not fit one A4 page of 100-unit rows; the long line starts with one
  // half-width byte, so a cut after an even count of bytes would split a character.
  std::vector<std::string> lines;
  std::string hiragana;
  for (int i = 0; i < 100; ++i) hiragana += "あ";
  lines.push_back("a" + hiragana);
  lines.push_back("\tTAB");
  for (int i = 1; i <= 68; ++i) lines.push_back("LINE" + std::to_string(i));
  TStringList report = Report(lines);

  TPrintDialog dialog(nullptr);
  PrintReport(report, dialog);
  ASSERT_FALSE(Printer()->Printing());
  ASSERT_TRUE(fs::exists(pdf));

  const int charsPerLine = (Printer()->PageWidth() - 150) / 50 / 2 * 2;
  const int rowsPerPage = Printer()->PageHeight() / 100;
  ASSERT_LT(rowsPerPage, 72) << "the report should need a second page";
  ASSERT_LE(charsPerLine, 200);

  const std::string info = CommandOutput("pdfinfo '" + pdf.string() + "'");
  EXPECT_NE(info.find("Pages:           2"), std::string::npos) << info;

  const std::string text = CommandOutput("pdftotext -layout '" + pdf.string() + "' -");
  // The first row holds "a" and as many whole characters as fit in the odd byte count left.
  std::string firstRow = "a";
  for (int i = 0; i < (charsPerLine - 1) / 2; ++i) firstRow += u8"あ";
  EXPECT_NE(text.find(firstRow + "\n"), std::string::npos) << text;
  EXPECT_EQ(text.find(u8"\uFFFD"), std::string::npos) << "a broken character was printed";
  // The layout text places the eight spaces of the tab as about as many columns.
  EXPECT_TRUE(std::regex_search(text, std::regex("\n {6,8}TAB\n"))) << text;
  EXPECT_NE(text.find("LINE68"), std::string::npos);
  EXPECT_NE(text.find('\f'), std::string::npos) << "no page break";
}

TEST_F(ReportOutputTest, printsTheCopiesAndPageOrderChosenInTheDialog) {
  const fs::path pdf = dir_ / "copies.pdf";
  QPrinter& device = Printer()->Device();
  device.setOutputFormat(QPrinter::PdfFormat);
  device.setOutputFileName(QString::fromStdString(pdf.string()));
  device.setPageSize(QPageSize(QPageSize::A4));
  // A report of two pages: "FIRST" on the first row of the first, "SECOND" on the second.
  const int rowsPerPage = Printer()->PageHeight() / 100;
  std::vector<std::string> lines(static_cast<size_t>(rowsPerPage) + 1, "-");
  lines.front() = "FIRST";
  lines.back() = "SECOND";
  TStringList report = Report(lines);
  // The user asks for two copies, not collated, last page first.
  TPrintDialog::ExecuteHook = [&device] {
    device.setCopyCount(2);
    device.setCollateCopies(false);
    device.setPageOrder(QPrinter::LastPageFirst);
    return true;
  };
  TPrintDialog dialog(nullptr);
  PrintReport(report, dialog);
  ASSERT_TRUE(fs::exists(pdf));

  std::vector<std::string> pages;
  std::istringstream text(CommandOutput("pdftotext '" + pdf.string() + "' -"));
  for (std::string page; std::getline(text, page, '\f');) {
    if (page.find("FIRST") != std::string::npos) pages.push_back("FIRST");
    if (page.find("SECOND") != std::string::npos) pages.push_back("SECOND");
  }
  EXPECT_EQ(pages, (std::vector<std::string>{"SECOND", "SECOND", "FIRST", "FIRST"}));
}

TEST_F(ReportOutputTest, printerThatCannotStartRaisesExceptionAndIsLeftClosed) {
  TPrintDialog::ExecuteHook = [this] {
    QPrinter& device = Printer()->Device();
    device.setOutputFormat(QPrinter::PdfFormat);
    device.setOutputFileName(QString::fromStdString((dir_ / "missing" / "x.pdf").string()));
    return true;
  };
  TPrintDialog dialog(nullptr);
  TStringList report = Report({"ABC"});
  EXPECT_THROW(PrintReport(report, dialog), Exception);
  EXPECT_FALSE(Printer()->Printing());
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  TApplication application;
  application.Initialize();
  return RUN_ALL_TESTS();
}
