#include "ReportText.h"

#include "ShiftJis.h"

namespace {

// Every line followed by LF, in UTF-8. ASCII lines, most of a report, read the same in
// Shift-JIS and UTF-8 and are copied; each other line is converted on its own, so that a
// value's own CR and LF bytes stay inside its line.
std::string Utf8Lines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) {
    out += IsAscii(line) ? line : SjisToUtf8(line);
    out += '\n';
  }
  return out;
}

}  // namespace

const char* LineEnd(bool Sjis) {
  return Sjis ? "\r\n" : "\n";
}

std::string ReportBytes(const TStringList& Report, bool Sjis) {
  return Sjis ? Report.Text() : Utf8Lines(Report.Lines());
}

std::string FileHeader(const std::string& File, bool Sjis) {
  return "==> " + File + " <==" + LineEnd(Sjis);
}
