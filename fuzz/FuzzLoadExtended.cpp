// The whole file path of the extended analysis: the input's bytes as a .jpg file, read as far
// as its Exif segment reaches, checked in either byte order and analysed into a report. What
// was read must be the start of the input, and a refusal must leave the report as it was.

#include <algorithm>
#include <string>
#include <vector>

#include "AnalysisState.h"
#include "Exceptions.h"
#include "ExtendedLoad.h"
#include "FuzzSupport.h"
#include "Strings.h"

using platform::EConvertError;
using platform::TStringList;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = FuzzTempFile("input.jpg");
  WriteFileOrDie(path, data, size);

  std::vector<uint8_t> bytes;
  if (!LoadExtendedBytes(path, bytes)) FuzzFail("a readable file was not read");
  const size_t least = std::min<size_t>(size, kMaxLoadBytes);
  if (bytes.size() < least || bytes.size() > size ||
      !std::equal(bytes.begin(), bytes.end(), data)) {
    FuzzFail("the bytes read are not the start of the file");
  }

  AnalysisState state;
  state.SelectedFile = path;
  TStringList report;
  report.Add("an earlier report");
  LoadOutcome outcome = LoadOutcome::Analysed;
  try {
    outcome = LoadAndAnalyzeExtended(state, report);
  } catch (const EConvertError&) {
    // The analysis stopped at a field beyond the data; the lines so far stay.
  }
  if (outcome != LoadOutcome::Analysed &&
      (report.Count() != 1 || report.Lines()[0] != "an earlier report")) {
    FuzzFail("a refusal changed the earlier report");
  }
  return 0;
}
