#pragma once
// A report kept as one text with the end of each line: two reports hold the same lines
// exactly when both are equal. A mutated IFD1 count lists tens of thousands of lines, and
// a string for each would cost the allocator (and AddressSanitizer) most of the run.
// It lives in fuzz_support, which is not instrumented for coverage: the comparisons of
// the fuzz target's own bookkeeping, run for every line, tell the fuzzer nothing about the
// code under test, and tracing them cost time on every line.

#include <string>
#include <vector>

#include "Strings.h"

class ReportBuffer : public platform::TStrings {
 public:
  void Clear() override;
  void Add(std::string_view Line) override;
  int Count() const override { return static_cast<int>(ends_.size()); }
  std::string Strings(int Index) const override;
  std::string Text() const override;
  bool operator==(const ReportBuffer& other) const;
  bool operator!=(const ReportBuffer& other) const { return !(*this == other); }

 private:
  std::string text_;
  std::vector<size_t> ends_;
};
