#include "PrintLayout.h"

#include "ShiftJis.h"

using platform::IsSjisLeadByte;
using platform::TStrings;

namespace {

constexpr char kTab = '\t';
constexpr int kTabSpaces = 8;

// Rows that fit on a page; at least one, so that every page prints something.
int RowsPerPage(int PageHeight, int LineHeight) {
  const int rows = PageHeight / LineHeight;
  return rows > 0 ? rows : 1;
}

// Draws the rows of every report line, breaking pages when the rows of one are used up.
void PrintRows(const TStrings& Report, PrintSurface& Surface) {
  Surface.SetFontName(PrintFontName());
  Surface.SetFontSize(kPrintFontSize);
  const int charsPerLine = CharsPerLine(Surface.PageWidth(), Surface.TextWidth("a"));
  const int fontHeight = Surface.FontHeight();
  const int lineHeight = fontHeight < 0 ? -fontHeight : (fontHeight > 0 ? fontHeight : 1);
  const int rowsPerPage = RowsPerPage(Surface.PageHeight(), lineHeight);

  int row = 0;
  const int count = Report.Count();
  for (int index = 0; index < count; ++index) {
    if (row >= rowsPerPage) {
      Surface.NewPage();
      row = 0;
    }
    const std::vector<std::string> rows = CutLine(ExpandTabs(Report.Strings(index)), charsPerLine);
    for (size_t piece = 0; piece < rows.size(); ++piece) {
      Surface.TextOut(kLeftMargin, row * lineHeight, rows[piece]);
      ++row;
      // After a piece the rest of its line goes on at the top of the next page; after the
      // last piece the break waits for a following line, so no empty page ends the document.
      const bool morePieces = piece + 1 < rows.size();
      if (morePieces && row >= rowsPerPage) {
        Surface.NewPage();
        row = 0;
      }
    }
  }
}

}  // namespace

std::string PrintFontName() {
  return "ＭＳ明朝";
}

std::string ExpandTabs(const std::string& Line) {
  std::string expanded;
  expanded.reserve(Line.size());
  for (char c : Line) {
    if (c == kTab) {
      expanded.append(kTabSpaces, ' ');
    } else {
      expanded.push_back(c);
    }
  }
  return expanded;
}

std::vector<std::string> CutLine(const std::string& Expanded, int CharsPerLine) {
  const size_t limit = CharsPerLine < 2 ? 2 : static_cast<size_t>(CharsPerLine);
  const size_t length = Expanded.size();
  std::vector<std::string> rows;
  size_t start = 0;
  while (length - start > limit) {
    // Walk whole characters from the row's start; a double-byte character that would end
    // past the limit begins the next row. With limit >= 2 every row takes at least one.
    size_t end = start;
    while (true) {
      const bool doubleByte =
          IsSjisLeadByte(static_cast<unsigned char>(Expanded[end])) && end + 1 < length;
      const size_t next = end + (doubleByte ? 2 : 1);
      if (next - start > limit) break;
      end = next;
    }
    rows.push_back(Expanded.substr(start, end - start));
    start = end;
  }
  rows.push_back(Expanded.substr(start));
  return rows;
}

int CharsPerLine(int PageWidth, int CharWidth) {
  if (CharWidth <= 0) return 2;
  // 64-bit so that no page width can wrap the subtraction.
  const long long chars = (static_cast<long long>(PageWidth) - kWidthAllowance) / CharWidth;
  if (chars < 2) return 2;
  if (chars > 0x7FFFFFFE) return 0x7FFFFFFE;
  return static_cast<int>(chars) & ~1;
}

void PrintLines(const TStrings& Report, PrintSurface& Surface) {
  Surface.BeginDoc();
  try {
    PrintRows(Report, Surface);
    Surface.EndDoc();
  } catch (...) {
    Surface.AbortDoc();
    throw;
  }
}
