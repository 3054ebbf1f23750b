#include "LoadFile.h"

#include <algorithm>

#include "AnalyzeExif.h"
#include "BytePos.h"
#include "FileIO.h"
#include "TextOps.h"

namespace {

// Reads the file's first kMaxLoadBytes bytes into a zeroed LoadBuffer, so that nothing of
// an earlier file remains. False when the file cannot be opened or read; LoadBuffer is then
// unchanged.
bool LoadFileStart(AnalysisState& State) {
  const int handle = FileOpen(State.SelectedFile, fmOpenRead | fmShareExclusive);
  if (handle < 0) return false;
  // A failed read writes no byte; a successful one is followed by zeros to the end.
  const int read = FileRead(handle, State.LoadBuffer.data(), kMaxLoadBytes);
  FileClose(handle);
  if (read < 0) return false;
  std::fill(State.LoadBuffer.begin() + read, State.LoadBuffer.end(), 0);
  return true;
}

}  // namespace

// Provisional: today's reading, with the exclusive read-only open of the load command.
int32_t ReadFileStart(const std::string& FileName, uint8_t* Buffer, int32_t Count) {
  const int handle = FileOpen(FileName, fmOpenRead | fmShareExclusive);
  if (handle < 0) return -1;
  const int read = FileRead(handle, Buffer, Count);
  FileClose(handle);
  return read < 0 ? -1 : read;
}

LoadOutcome LoadAndAnalyze(AnalysisState& State, TStrings& Report) {
  if (State.SelectedFile.empty()) return LoadOutcome::NothingChosen;
  if (UpperCase(ExtractFileExt(State.SelectedFile)) != ".JPG") return LoadOutcome::NotJpg;
  if (!LoadFileStart(State)) return LoadOutcome::CannotOpen;

  std::string image = HexImage(State);
  if (BytePos("45786966", image) == 0) return LoadOutcome::NotExif;
  if (BytePos("49492A00", image) == 0) return LoadOutcome::NotIntel;
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
