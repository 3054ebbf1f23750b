#include "ReportText.h"

#include "ShiftJis.h"

const char* LineEnd(bool Sjis) {
  return Sjis ? "\r\n" : "\n";
}

std::string ReportBytes(const TStringList& Report, bool Sjis) {
  if (Sjis) return Report.Text();
  // One conversion for the whole report: LF is a single byte in Shift-JIS and never the
  // second byte of a character, so joining before converting gives the same lines.
  size_t size = 0;
  for (const std::string& line : Report.Lines()) size += line.size() + 1;
  std::string joined;
  joined.reserve(size);
  for (const std::string& line : Report.Lines()) {
    joined += line;
    joined += '\n';
  }
  return SjisToUtf8(joined);
}

std::string FileHeader(const std::string& File, bool Sjis) {
  return "==> " + File + " <==" + LineEnd(Sjis);
}
