// The whole file path: the input's bytes as a .jpg file, loaded, checked and analysed into
// a report. The same bytes are then analysed again on a state that has just analysed a
// fixed photograph: a report never depends on the files analysed before it, so both runs
// must end alike, and a refusal must leave the photograph's report untouched.

#include <string>

#include "AnalysisState.h"
#include "Exceptions.h"
#include "FuzzSupport.h"
#include "LoadFile.h"
#include "Strings.h"

namespace {

// How one load ended: its outcome and, when the analysis stopped early, the message of
// the conversion error. The report itself stays in the caller's list.
struct RunResult {
  LoadOutcome outcome = LoadOutcome::NothingChosen;
  std::string error;
};

RunResult Run(AnalysisState& state, const std::string& path, TStringList& report) {
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

// Sets State back to the state at program load. Copying a pristine state keeps the
// storage that the tables grew to, which spares the allocator most of the work of inputs
// with tens of thousands of entries; the values are exactly those of a new state.
void ResetToProgramLoad(AnalysisState& state) {
  static const AnalysisState* const pristine = new AnalysisState;
  state = *pristine;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > static_cast<size_t>(kLoadBufferSize)) return 0;
  const std::string path = InputPath();
  WriteFileOrDie(path, data, size);

  // Kept from one input to the next only for their storage; both are reset first.
  static AnalysisState* const fresh = new AnalysisState;
  static AnalysisState* const used = new AnalysisState;
  static TStringList* const freshReport = new TStringList;
  static TStringList* const usedReport = new TStringList;
  ResetToProgramLoad(*fresh);
  ResetToProgramLoad(*used);
  freshReport->Clear();
  usedReport->Clear();

  const RunResult alone = Run(*fresh, path, *freshReport);

  const RunResult photo = Run(*used, FixedPhotographPath(), *usedReport);
  if (photo.outcome != LoadOutcome::Analysed || !photo.error.empty()) {
    FuzzFail("the fixed photograph no longer analyses");
  }
  const size_t photoLines = usedReport->Lines().size();
  const std::string photoText = usedReport->Text();
  const RunResult after = Run(*used, path, *usedReport);

  if (alone.outcome != after.outcome || alone.error != after.error) {
    FuzzFail("outcome or error depends on the file analysed before");
  }
  if (alone.outcome == LoadOutcome::Analysed) {
    if (freshReport->Lines() != usedReport->Lines()) {
      FuzzFail("report depends on the file analysed before");
    }
  } else {
    if (freshReport->Count() != 0) FuzzFail("a refusal wrote to an empty report");
    if (usedReport->Lines().size() != photoLines || usedReport->Text() != photoText) {
      FuzzFail("a refusal changed the earlier report");
    }
  }
  return 0;
}
