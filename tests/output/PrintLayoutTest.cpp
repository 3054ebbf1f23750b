// The print layout against a recording printer: row positions, cuts, tabs and paging.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "Exceptions.h"
#include "PageOrder.h"
#include "PrintLayout.h"

using platform::Exception;
using platform::TStringList;

namespace {

// Records every printer operation as a line of text; TextOut as "x,y:text".
class RecordingSurface : public PrintSurface {
 public:
  RecordingSurface(int pageWidth, int pageHeight, int charWidth, int fontHeight)
      : pageWidth_(pageWidth),
        pageHeight_(pageHeight),
        charWidth_(charWidth),
        fontHeight_(fontHeight) {}

  std::vector<std::string> log;
  std::string failOn;  // the operation that raises, if any
  bool failWithStdException = false;

  void BeginDoc() override { Record("BeginDoc"); }
  void NewPage() override { Record("NewPage"); }
  void EndDoc() override { Record("EndDoc"); }
  void AbortDoc() override { log.push_back("AbortDoc"); }
  int PageWidth() override { return pageWidth_; }
  int PageHeight() override { return pageHeight_; }
  void SetFontName(const std::string& Name) override { Record("Name " + Name); }
  void SetFontSize(int Points) override { Record("Size " + std::to_string(Points)); }
  int FontHeight() override { return fontHeight_; }
  int TextWidth(const std::string& Text) override {
    return charWidth_ * static_cast<int>(Text.size());
  }
  void TextOut(int X, int Y, const std::string& Text) override {
    Record(std::to_string(X) + "," + std::to_string(Y) + ":" + Text);
  }

  // Only the drawn rows and page breaks, for the paging cases.
  std::vector<std::string> Pages() const {
    std::vector<std::string> out;
    for (const std::string& entry : log) {
      if (entry == "NewPage" || entry.rfind("100,", 0) == 0) out.push_back(entry);
    }
    return out;
  }

 private:
  void Record(const std::string& entry) {
    log.push_back(entry);
    if (!failOn.empty() && entry.rfind(failOn, 0) == 0) {
      if (failWithStdException) throw std::runtime_error("device gone");
      throw Exception("printer failed");
    }
  }
  int pageWidth_, pageHeight_, charWidth_, fontHeight_;
};

TStringList Report(const std::vector<std::string>& lines) {
  TStringList report;
  for (const std::string& line : lines) report.Add(line);
  return report;
}

// Eight bytes per row (150 + 8 * 10 wide), rows 100 high, two rows per page (250 high).
RecordingSurface SmallPage() {
  return RecordingSurface(230, 250, 10, -100);
}

}  // namespace

TEST(CharsPerLine, isTheEvenCountOfCharactersLeftAfterTheAllowance) {
  struct Case {
    int pageWidth, charWidth, expected;
  } cases[] = {
      {4760, 50, 92},  // 4610 / 50 = 92.2
      {4800, 50, 92},  // 93 made even
      {4750, 50, 92},  // exactly 92
      {150 + 3 * 50, 50, 2},
      {150 + 2 * 50, 50, 2},
      // Too narrow for two characters, or no width at all: still two, so cutting ends.
      {150 + 50, 50, 2},
      {100, 50, 2},
      {4760, 0, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CharsPerLine(c.pageWidth, c.charWidth), c.expected)
        << c.pageWidth << " / " << c.charWidth;
  }
}

TEST(ExpandTabs, replacesEveryTabWithEightSpacesWherever) {
  const std::string eight(8, ' ');
  struct Case {
    std::string line, expected;
  } cases[] = {
      {"", ""},
      {"abc", "abc"},
      {"\tabc", eight + "abc"},
      {"abc\t", "abc" + eight},
      {"a\t\tb", "a" + eight + eight + "b"},
      {"\t", eight},
  };
  for (const Case& c : cases) EXPECT_EQ(ExpandTabs(c.line), c.expected) << c.line;
}

TEST(CutLine, cutsAfterCharsPerLineBytesButNeverInsideADoubleByteCharacter) {
  const std::string hiragana = "\x82\xA0";  // one double-byte character
  struct Case {
    const char* claim;
    std::string text;
    int chars;
    std::vector<std::string> rows;
  } cases[] = {
      {"empty line gives one empty row", "", 8, {""}},
      {"exact fit is one row", "abcdefgh", 8, {"abcdefgh"}},
      {"one over leaves a single byte", "abcdefghi", 8, {"abcdefgh", "i"}},
      {"twice the width is two full rows", "abcdefghABCDEFGH", 8, {"abcdefgh", "ABCDEFGH"}},
      {"double-byte character on the cut moves down",
       "abc" + hiragana + "d",
       4,
       {"abc", hiragana + "d"}},
      {"double-byte character ending on the cut stays",
       "ab" + hiragana + "cd",
       4,
       {"ab" + hiragana, "cd"}},
      // 0x82 as a trail byte is no lead byte: the characters are counted from the start.
      {"trail byte with a lead value is not a lead",
       "a\x82\x82\x82\xA0",
       3,
       {"a\x82\x82", "\x82\xA0"}},
      {"lone lead byte at the end is one byte", "abcd\x82", 4, {"abcd", "\x82"}},
      {"all double-byte", hiragana + hiragana + hiragana, 4, {hiragana + hiragana, hiragana}},
      {"count below two is taken as two", "abcde", 0, {"ab", "cd", "e"}},
      {"count of one is taken as two", hiragana + "a", 1, {hiragana, "a"}},
      {"negative count is taken as two", "abc", -5, {"ab", "c"}},
  };
  for (const Case& c : cases) EXPECT_EQ(CutLine(c.text, c.chars), c.rows) << c.claim;
}

TEST(PrintLines, emptyReportStartsAndEndsADocumentWithNoText) {
  RecordingSurface surface = SmallPage();
  PrintLines(Report({}), surface);
  const std::vector<std::string> expected = {"BeginDoc", "Name " + PrintFontName(), "Size 12",
                                             "EndDoc"};
  EXPECT_EQ(surface.log, expected);
}

TEST(PrintLines, setsTheFontAfterStartingAndDrawsRowsAtTheLeftMargin) {
  RecordingSurface surface = SmallPage();
  PrintLines(Report({"ab", "", "cd"}), surface);
  const std::vector<std::string> expected = {"BeginDoc", "Name " + PrintFontName(),
                                             "Size 12",  "100,0:ab",
                                             "100,100:", "NewPage",
                                             "100,0:cd", "EndDoc"};
  EXPECT_EQ(surface.log, expected);
}

TEST(PrintLines, pagesAndCutsAsTheRowsRunOut) {
  struct Case {
    const char* claim;
    std::vector<std::string> lines;
    std::vector<std::string> printed;
  } cases[] = {
      {"two lines fill a page and leave no empty page", {"a", "b"}, {"100,0:a", "100,100:b"}},
      {"a third line starts the next page",
       {"a", "b", "c"},
       {"100,0:a", "100,100:b", "NewPage", "100,0:c"}},
      {"a piece on the last row breaks the page at once",
       {"a", "123456789"},
       {"100,0:a", "100,100:12345678", "NewPage", "100,0:9"}},
      {"a last piece on the last row waits for another line",
       {"1234567812345678"},
       {"100,0:12345678", "100,100:12345678"}},
      {"a line after a full page of pieces begins a new page",
       {"1234567812345678", "x"},
       {"100,0:12345678", "100,100:12345678", "NewPage", "100,0:x"}},
      {"one tab in a line of chars-7 bytes fills one row", {"\t"}, {"100,0:        "}},
      {"one tab in a line of chars-6 bytes is cut", {"a\t"}, {"100,0:a       ", "100,100: "}},
      {"a line of three rows crosses a page",
       {"x", std::string(20, 'z')},
       {"100,0:x", "100,100:zzzzzzzz", "NewPage", "100,0:zzzzzzzz", "100,100:zzzz"}},
  };
  for (const Case& c : cases) {
    RecordingSurface surface = SmallPage();
    PrintLines(Report(c.lines), surface);
    EXPECT_EQ(surface.Pages(), c.printed) << c.claim;
    EXPECT_EQ(surface.log.back(), "EndDoc") << c.claim;
  }
}

TEST(PrintLines, measuresCharsPerLineFromTheWidthOfA) {
  // A4 at 600 dpi with the 12-point font: 92 bytes per row, 6 of 100 rows on the page.
  RecordingSurface surface(4760, 6800, 50, -100);
  PrintLines(Report({std::string(93, 'x')}), surface);
  const std::vector<std::string> printed = {"100,0:" + std::string(92, 'x'), "100,100:x"};
  EXPECT_EQ(surface.Pages(), printed);
}

TEST(PrintLines, pageShorterThanALineStillPrintsEveryRowOnePerPage) {
  RecordingSurface surface(230, 50, 10, -100);
  PrintLines(Report({"a", "b"}), surface);
  const std::vector<std::string> printed = {"100,0:a", "NewPage", "100,0:b"};
  EXPECT_EQ(surface.Pages(), printed);
}

TEST(PrintLines, printerFailureAbandonsTheDocumentAndPassesOn) {
  for (bool stdException : {false, true}) {
    RecordingSurface surface = SmallPage();
    surface.failOn = "NewPage";
    surface.failWithStdException = stdException;
    try {
      PrintLines(Report({"a", "b", "c"}), surface);
      ADD_FAILURE() << "no exception";
    } catch (const std::exception& e) {
      EXPECT_STREQ(e.what(), stdException ? "device gone" : "printer failed");
    }
    EXPECT_EQ(surface.log.back(), "AbortDoc");
    for (const std::string& entry : surface.log) EXPECT_NE(entry, "EndDoc");
  }
}

TEST(PrintLines, failureToStartAbandonsNothing) {
  RecordingSurface surface = SmallPage();
  surface.failOn = "BeginDoc";
  EXPECT_THROW(PrintLines(Report({"a"}), surface), Exception);
  const std::vector<std::string> expected = {"BeginDoc"};
  EXPECT_EQ(surface.log, expected);
}

TEST(PageSequence, repeatsAndOrdersThePages) {
  struct Case {
    const char* name;
    int pages;
    PageOrder order;
    std::vector<int> expected;
  } cases[] = {
      {"one copy", 3, {1, true, false}, {0, 1, 2}},
      {"last page first", 3, {1, true, true}, {2, 1, 0}},
      {"collated copies", 2, {2, true, false}, {0, 1, 0, 1}},
      {"uncollated copies", 2, {2, false, false}, {0, 0, 1, 1}},
      {"uncollated, last page first", 2, {2, false, true}, {1, 1, 0, 0}},
      {"collated, last page first", 2, {2, true, true}, {1, 0, 1, 0}},
      {"no copies counts as one", 2, {0, true, false}, {0, 1}},
      {"no pages", 0, {3, true, false}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(PageSequence(c.pages, c.order), c.expected) << c.name;
}

TEST(PrintLinesInPageOrder, sendsEveryCopyOfEveryPageInOneDocument) {
  RecordingSurface surface = SmallPage();
  PrintLines(Report({"a", "b", "c"}), surface, PageOrder{2, true, true});
  const std::vector<std::string> printed = {"100,0:c", "NewPage", "100,0:a", "100,100:b", "NewPage",
                                            "100,0:c", "NewPage", "100,0:a", "100,100:b"};
  EXPECT_EQ(surface.Pages(), printed);
  EXPECT_EQ(surface.log.front(), "BeginDoc");
  EXPECT_EQ(surface.log.back(), "EndDoc");
}

TEST(PrintLinesInPageOrder, oneCopyFirstPageFirstPrintsAsWithoutOrder) {
  RecordingSurface plain = SmallPage();
  RecordingSurface ordered = SmallPage();
  const std::vector<std::string> lines = {"a", "\tb", "0123456789", ""};
  PrintLines(Report(lines), plain);
  PrintLines(Report(lines), ordered, PageOrder());
  EXPECT_EQ(ordered.log, plain.log);
}

TEST(PrintLinesInPageOrder, printerFailureAbandonsTheDocument) {
  RecordingSurface surface = SmallPage();
  surface.failOn = "100,0:a";
  EXPECT_THROW(PrintLines(Report({"a", "b", "c"}), surface, PageOrder{2, false, false}), Exception);
  EXPECT_EQ(surface.log.back(), "AbortDoc");
  for (const std::string& entry : surface.log) EXPECT_NE(entry, "EndDoc");
}
