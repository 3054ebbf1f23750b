// The memo's line list: whole text, rows as the memo shows them, and one widget update per
// command.

#include <gtest/gtest.h>

#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>

#include "Dispatch.h"
#include "DisplayText.h"
#include "Forms.h"
#include "Memo.h"

using platform::alClient;
using platform::DispatchEvent;
using platform::FromSjis;
using platform::TForm;
using platform::TMemo;
using platform::TMemoLines;
using platform::TObject;
using platform::TStrings;

namespace {

// A form of its own holding only a memo, shown so that it has a real width.
class MemoForm : public TForm {
 public:
  MemoForm() {
    SetBounds(0, 0, 400, 300);
    Memo1 = Make<TMemo>(this);
    Memo1->SetAlign(alClient);
    Memo1->SetFont("Terminal", -18);
    Show();
  }
  TMemo* Memo1;
};

class MemoLinesTest : public ::testing::Test {
 protected:
  MemoForm form;
  TStrings& lines = *form.Memo1->Lines;

  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    for (int i = 0; i < lines.Count(); ++i) rows.push_back(lines.Strings(i));
    return rows;
  }
  // Gives the memo the width of about Characters characters of its font.
  void SetWidthInCharacters(int Characters) {
    QPlainTextEdit* editor = form.Memo1->Editor();
    const int extra = editor->width() - editor->viewport()->width();
    const int advance = editor->fontMetrics().horizontalAdvance(QLatin1Char('x'));
    const int margin = 2 * static_cast<int>(editor->document()->documentMargin());
    form.Widget()->resize(Characters * advance + extra + margin + 2, 300);
  }
  std::string Joined(const std::vector<std::string>& rows) {
    std::string all;
    for (const std::string& row : rows) all += row;
    return all;
  }
};

TEST_F(MemoLinesTest, wholeTextIsEveryAppendedLineWithCrLf) {
  EXPECT_EQ(lines.Text(), "");
  EXPECT_EQ(lines.Count(), 0);
  lines.Add("first");
  lines.Add("");
  lines.Add("分析");
  EXPECT_EQ(lines.Text(), "first\r\n\r\n分析\r\n");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"first", "", "分析"}));
  lines.Clear();
  EXPECT_EQ(lines.Text(), "");
  EXPECT_EQ(lines.Count(), 0);
}

TEST_F(MemoLinesTest, aLineWiderThanTheMemoGivesOneRowPerShownRow) {
  SetWidthInCharacters(20);
  const std::string word(50, 'x');
  lines.Add("short");
  lines.Add(word);
  const std::vector<std::string> rows = Rows();
  ASSERT_GE(rows.size(), 4u);
  EXPECT_EQ(rows[0], "short");
  EXPECT_EQ(Joined({rows.begin() + 1, rows.end()}), word);
  for (size_t i = 1; i < rows.size(); ++i) EXPECT_LE(rows[i].size(), 20u) << i;
  // The whole text knows nothing of wrapping.
  EXPECT_EQ(lines.Text(), "short\r\n" + word + "\r\n");
}

TEST_F(MemoLinesTest, wrappingBreaksAtSpacesWherePossible) {
  SetWidthInCharacters(20);
  lines.Add("alpha beta gamma delta epsilon zeta eta theta");
  const std::vector<std::string> rows = Rows();
  ASSERT_GT(rows.size(), 1u);
  EXPECT_EQ(Joined(rows), "alpha beta gamma delta epsilon zeta eta theta");
  for (size_t i = 0; i + 1 < rows.size(); ++i) EXPECT_EQ(rows[i].back(), ' ') << rows[i];
}

TEST_F(MemoLinesTest, aWrapNeverSplitsADoubleByteCharacter) {
  SetWidthInCharacters(15);
  std::string line = "A";
  for (int i = 0; i < 30; ++i) line += "分";
  lines.Add(line);
  const std::vector<std::string> rows = Rows();
  ASSERT_GT(rows.size(), 1u);
  EXPECT_EQ(Joined(rows), line);
  for (const std::string& row : rows) {
    // Each row decodes on its own without a broken character.
    EXPECT_FALSE(FromSjis(row).contains(QChar::ReplacementCharacter)) << row;
  }
}

TEST_F(MemoLinesTest, rowsFollowTheMemosWidth) {
  SetWidthInCharacters(20);
  lines.Add(std::string(60, 'y'));
  const int narrow = lines.Count();
  SetWidthInCharacters(70);
  EXPECT_EQ(lines.Count(), 1);
  EXPECT_GT(narrow, 2);
}

TEST_F(MemoLinesTest, aLineBreakInsideALineKeepsItOneLine) {
  lines.Add("Make\r\nModel\n");
  lines.Add(std::string("nul\0byte", 8));
  EXPECT_EQ(form.Memo1->Editor()->blockCount(), 1);  // not shown yet
  static_cast<TMemoLines&>(lines).Update();
  EXPECT_EQ(form.Memo1->Editor()->blockCount(), 2);
  EXPECT_EQ(lines.Count(), 2);
  EXPECT_EQ(lines.Strings(0), "Make\r\nModel\n");
  EXPECT_EQ(lines.Strings(1), std::string("nul\0byte", 8));
}

TEST_F(MemoLinesTest, theWidgetIsUpdatedOnceWhenTheCommandEnds) {
  QPlainTextEdit* editor = form.Memo1->Editor();
  int blocksDuringCommand = -1;
  DispatchEvent(
      [&](TObject*) {
        for (int i = 0; i < 1000; ++i) lines.Add("line " + std::to_string(i));
        blocksDuringCommand = editor->blockCount();
      },
      nullptr);
  EXPECT_EQ(blocksDuringCommand, 1);  // the empty document
  EXPECT_EQ(editor->blockCount(), 1000);
  EXPECT_EQ(editor->document()->findBlockByNumber(999).text(), QStringLiteral("line 999"));

  // A later command that clears and writes replaces what is shown; one that appends adds.
  DispatchEvent(
      [&](TObject*) {
        lines.Clear();
        lines.Add("new");
      },
      nullptr);
  EXPECT_EQ(editor->toPlainText(), QStringLiteral("new"));
  DispatchEvent([&](TObject*) { lines.Add("more"); }, nullptr);
  EXPECT_EQ(editor->toPlainText(), QStringLiteral("new\nmore"));
}

}  // namespace

// Each line, short or long, plain or not, has as many rows as the memo shows it in: its
// block as the widget lays it out at the memo's width.
TEST_F(MemoLinesTest, eachLineHasTheRowsTheMemoShowsItIn) {
  SetWidthInCharacters(20);
  std::vector<std::string> added;
  for (int n = 0; n <= 45; ++n) added.push_back(std::string(static_cast<size_t>(n), 'x'));
  for (int n = 14; n <= 24; ++n) added.push_back(std::string(static_cast<size_t>(n), 'y') + " z");
  added.push_back("0x010F 0x0002 0x00000006 0x0000009E ");
  added.push_back("\t0x010F");
  added.push_back("分析 0x010F");
  for (const std::string& line : added) lines.Add(line);
  const int count = lines.Count();

  QTextDocument* document = form.Memo1->Editor()->document();
  auto* layout = qobject_cast<QPlainTextDocumentLayout*>(document->documentLayout());
  ASSERT_NE(layout, nullptr);
  int shown = 0;
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    layout->blockBoundingRect(block);
    shown += block.layout()->lineCount();
  }
  EXPECT_EQ(count, shown);
  EXPECT_GT(count, static_cast<int>(added.size()));
}
