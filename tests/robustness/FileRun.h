#pragma once
// Runs the loading command over a file on disk, as the main window does after its
// chooser, and keeps how it ended: the outcome, the conversion error's message if the
// analysis stopped early, and the report.

#include <cstdio>
#include <string>
#include <vector>

#include "AnalysisState.h"
#include "Exceptions.h"
#include "ExifFixture.h"
#include "LoadFile.h"
#include "Strings.h"

struct FileRun {
  LoadOutcome outcome = LoadOutcome::NothingChosen;
  std::string error;  // the conversion error's message, or empty
  std::vector<std::string> lines;
};

// Loads Path on State into a report that holds Earlier beforehand.
inline FileRun RunPath(AnalysisState& state, const std::string& path,
                       const std::vector<std::string>& earlier = {}) {
  TStringList report;
  for (const std::string& line : earlier) report.Add(line);
  state.SelectedFile = path;
  FileRun run;
  try {
    run.outcome = LoadAndAnalyze(state, report);
  } catch (const EConvertError& e) {
    run.outcome = LoadOutcome::Analysed;
    run.error = e.Message;
  }
  run.lines = report.Lines();
  return run;
}

// Writes Bytes to a temporary .jpg file and loads it on a fresh state.
inline FileRun RunBytes(const fixture::Bytes& bytes, const std::string& name = "image.jpg") {
  const fixture::TempFile file(bytes, name);
  AnalysisState state;
  return RunPath(state, file.path());
}

// The message of the conversion error for Text.
inline std::string NotAnInteger(const std::string& text) {
  return "'" + text + "' は整数ではありません";
}

// OffsetPrefixed's prefix for a HexImage position, written independently.
inline std::string Prefix(long long position) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%05llX", position / 2);
  return std::string(digits) + "H  : ";
}
