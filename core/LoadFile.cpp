#include "LoadFile.h"

#include <algorithm>

#include "AnalyzeExif.h"
#include "FileIO.h"
#include "TextOps.h"

namespace {

// A signature counts only where it starts on a whole byte, at an odd position 2B+1.
bool HasByteAlignedMatch(const std::string& image, const std::string& signature) {
  for (size_t at = image.find(signature); at != std::string::npos;
       at = image.find(signature, at + 1)) {
    if (at % 2 == 0) return true;  // 0-based even index = 1-based odd position
  }
  return false;
}

// Reads the file's first kMaxLoadBytes bytes into a zeroed LoadBuffer, so that nothing of
// an earlier file remains. False when the file cannot be opened or read; LoadBuffer is then
// unchanged.
bool LoadFileStart(AnalysisState& State) {
  const int handle = FileOpen(State.SelectedFile, fmOpenRead | fmShareExclusive);
  if (handle < 0) return false;
  std::array<uint8_t, kLoadBufferSize> fresh{};
  const int read = FileRead(handle, fresh.data(), kMaxLoadBytes);
  FileClose(handle);
  if (read < 0) return false;
  State.LoadBuffer = fresh;
  return true;
}

}  // namespace

LoadOutcome LoadAndAnalyze(AnalysisState& State, TStrings& Report) {
  if (State.SelectedFile.empty()) return LoadOutcome::NothingChosen;
  if (UpperCase(ExtractFileExt(State.SelectedFile)) != ".JPG") return LoadOutcome::NotJpg;
  if (!LoadFileStart(State)) return LoadOutcome::CannotOpen;

  std::string image = HexImage(State);
  if (!HasByteAlignedMatch(image, "45786966")) return LoadOutcome::NotExif;
  if (!HasByteAlignedMatch(image, "49492A00")) return LoadOutcome::NotIntel;
  AnalyzeExif(State, std::move(image), Report);
  return LoadOutcome::Analysed;
}

std::string RefusalMessage(LoadOutcome Outcome) {
  switch (Outcome) {
    case LoadOutcome::NotJpg:
      return "ＪＰＧ　ファイルではないようです";
    case LoadOutcome::CannotOpen:
      return "ファイルを開けませんでした";
    case LoadOutcome::NotExif:
      return "Exifではないようです";
    case LoadOutcome::NotIntel:
      return "インテル形式ではないようです";
    case LoadOutcome::Analysed:
    case LoadOutcome::NothingChosen:
      break;
  }
  return std::string();
}
