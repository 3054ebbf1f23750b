#pragma once
// The print-out of the report: one font, a fixed left margin, long lines cut into rows of
// a fixed number of bytes, tabs expanded, a new page when the rows of a page are used up.

#include <string>
#include <vector>

#include "Strings.h"

// The printer operations the layout needs. Distances are device units from the top left
// corner of the printable area; texts are Shift-JIS.
class PrintSurface {
 public:
  virtual ~PrintSurface() = default;
  virtual void BeginDoc() = 0;
  virtual void NewPage() = 0;
  virtual void EndDoc() = 0;
  // Abandons the started document after a failure.
  virtual void AbortDoc() = 0;
  virtual int PageWidth() = 0;
  virtual int PageHeight() = 0;
  virtual void SetFontName(const std::string& Name) = 0;
  virtual void SetFontSize(int Points) = 0;
  // Negative character height in device units.
  virtual int FontHeight() = 0;
  virtual int TextWidth(const std::string& Text) = 0;
  virtual void TextOut(int X, int Y, const std::string& Text) = 0;
};

constexpr int kLeftMargin = 100;
// Subtracted from the page width: the left margin plus at least 50 on the right.
constexpr int kWidthAllowance = 150;
constexpr int kPrintFontSize = 12;

// The print face, "ＭＳ明朝" in Shift-JIS.
std::string PrintFontName();

// Each tab becomes 8 spaces, wherever it stands.
std::string ExpandTabs(const std::string& Line);

// Splits an expanded line into rows of at most CharsPerLine bytes (taken as 2 when below 2);
// a cut never falls between a Shift-JIS lead byte and its trail byte. An empty line gives
// one empty row.
std::vector<std::string> CutLine(const std::string& Expanded, int CharsPerLine);

// The most bytes on one row for a printable width and the width of "a": always even.
int CharsPerLine(int PageWidth, int CharWidth);

// Prints every row of Report (Count/Strings) on Surface as one document: BeginDoc, the rows,
// EndDoc. When an operation fails, the document is abandoned and the failure passes on.
void PrintLines(const platform::TStrings& Report, PrintSurface& Surface);
