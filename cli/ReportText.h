#pragma once
// The bytes that exif-report prints for one report.

#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "Strings.h"

// The UTF-8 text of Shift-JIS report lines, the same as converting each line whole.
// ASCII bytes pass unchanged. A run from a byte of 0x80 or more up to the next byte below
// 0x40, which no character ends in the middle of, converts on its own as within its line;
// the runs of a report are mostly its few labels and headings, so each distinct run is
// converted once and its text kept (up to a limit, beyond which runs are converted anew).
class Utf8Lines {
 public:
  void Append(std::string_view Sjis, std::string& Out);

 private:
  void AppendRun(std::string_view Run, std::string& Out);
  static constexpr size_t kMaxKept = 256;
  std::deque<std::string> keys_;  // the keys' bytes, which the map's views point at
  std::unordered_map<std::string_view, std::string> runs_;
};

// A report written straight into exif-report's output buffer while the analysis appends
// it: each line, as it comes, in Shift-JIS followed by CR LF (the saved file's bytes) or,
// converted on its own, in UTF-8 followed by LF. No string is made per line.
class PrintedReport : public platform::TStrings {
 public:
  PrintedReport(std::string& Out, bool Sjis) : out_(Out), sjis_(Sjis) {}
  // The report begins at the present end of the buffer.
  void Start();
  // Takes back every byte appended since Start.
  void Clear() override;
  void Add(std::string_view Line) override;
  int Count() const override { return static_cast<int>(ends_.size()); }
  // A line as printed, without its line end.
  std::string Strings(int Index) const override;
  // The bytes printed since Start.
  std::string Text() const override;

 private:
  std::string& out_;
  bool sjis_;
  size_t start_ = 0;
  std::vector<size_t> ends_;  // where each line's end begins in out_
  Utf8Lines utf8_;
};

// "==> FILE <==" and the line end of the chosen form; FILE keeps its native bytes.
void AppendFileHeader(const std::string& File, bool Sjis, std::string& Out);

// The line end of the chosen form: LF, or CR LF with Sjis.
const char* LineEnd(bool Sjis);
