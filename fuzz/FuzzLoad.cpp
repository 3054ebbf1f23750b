// The whole file path: the input's bytes as a .jpg file, loaded, checked and analysed into
// a report. The same bytes are then analysed again on a state that has just analysed a
// fixed photograph: a report never depends on the files analysed before it, so both runs
// must end alike, and a refusal must leave the photograph's report untouched.

#include <string>
#include <vector>

#include "AnalysisState.h"
#include "Exceptions.h"
#include "FuzzSupport.h"
#include "LoadFile.h"
#include "ReportBuffer.h"
#include "Strings.h"

using platform::EConvertError;
using platform::TStrings;

namespace {

// How one load ended: its outcome and, when the analysis stopped early, the message of
// the conversion error. The report itself stays in the caller's list.
struct RunResult {
  LoadOutcome outcome = LoadOutcome::NothingChosen;
  std::string error;
};

RunResult Run(AnalysisState& state, const std::string& path, TStrings& report) {
  RunResult result;
  state.SelectedFile = path;
  try {
    result.outcome = LoadAndAnalyze(state, report);
  } catch (const EConvertError& e) {
    result.outcome = LoadOutcome::Analysed;
    result.error = e.Message;
  }
  return result;
}

std::string InputPath() {
  static const std::string path = FuzzTempFile("input.jpg");
  return path;
}

// The state at program load. Copying it over a used state keeps the storage that the
// state's strings and tables grew to; the values are exactly those of a new state.
const AnalysisState& ProgramLoadState() {
  static const AnalysisState* const pristine = new AnalysisState;
  return *pristine;
}

// The state and report right after the fixed photograph was analysed on a new state. The
// analysis is the same every time, so it is done once and its result copied for each input.
struct AfterPhotograph {
  AnalysisState state;
  ReportBuffer report;
};

const AfterPhotograph& StateAfterPhotograph() {
  static const AfterPhotograph* const after = [] {
    auto* made = new AfterPhotograph{ProgramLoadState(), {}};
    const RunResult photo = Run(made->state, FixedPhotographPath(), made->report);
    if (photo.outcome != LoadOutcome::Analysed || !photo.error.empty()) {
      FuzzFail("the fixed photograph no longer analyses");
    }
    return made;
  }();
  return *after;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > static_cast<size_t>(kLoadBufferSize)) return 0;
  const std::string path = InputPath();
  WriteFileOrDie(path, data, size);

  // Kept from one input to the next only for their storage; each is set first.
  static AnalysisState* const fresh = new AnalysisState;
  static AnalysisState* const used = new AnalysisState;
  static ReportBuffer* const freshReport = new ReportBuffer;
  static ReportBuffer* const usedReport = new ReportBuffer;
  const AfterPhotograph& photo = StateAfterPhotograph();
  *fresh = ProgramLoadState();
  freshReport->Clear();
  *used = photo.state;
  *usedReport = photo.report;

  const RunResult alone = Run(*fresh, path, *freshReport);
  const RunResult after = Run(*used, path, *usedReport);

  if (alone.outcome != after.outcome || alone.error != after.error) {
    FuzzFail("outcome or error depends on the file analysed before");
  }
  if (alone.outcome == LoadOutcome::Analysed) {
    if (*freshReport != *usedReport) FuzzFail("report depends on the file analysed before");
  } else {
    if (freshReport->Count() != 0) FuzzFail("a refusal wrote to an empty report");
    if (*usedReport != photo.report) FuzzFail("a refusal changed the earlier report");
  }
  return 0;
}
