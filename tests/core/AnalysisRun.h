#pragma once
// Runs the analysis over a crafted file as the loading command would, without a file on
// disk: the file's first 10000 bytes go into a zeroed LoadBuffer.

#include <algorithm>
#include <string>
#include <vector>

#include "AnalysisState.h"
#include "AnalyzeExif.h"
#include "Exceptions.h"
#include "ExifFixture.h"
#include "Strings.h"

struct AnalysisRun {
  std::vector<std::string> lines;  // the report as far as it got
  std::string error;               // the conversion error's message, or empty
};

inline void LoadBytes(AnalysisState& state, const fixture::Bytes& file) {
  state.LoadBuffer.fill(0);
  std::copy_n(file.begin(), std::min<size_t>(file.size(), kMaxLoadBytes), state.LoadBuffer.begin());
}

inline AnalysisRun Analyze(AnalysisState& state, const fixture::Bytes& file) {
  LoadBytes(state, file);
  TStringList report;
  AnalysisRun run;
  try {
    AnalyzeExif(state, HexImage(state), report);
  } catch (const EConvertError& e) {
    run.error = e.Message;
  }
  run.lines = report.Lines();
  return run;
}

inline AnalysisRun Analyze(const fixture::Bytes& file) {
  AnalysisState state;
  return Analyze(state, file);
}
