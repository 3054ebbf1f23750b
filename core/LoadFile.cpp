#include "LoadFile.h"

#include <algorithm>

#include "AnalyzeExif.h"
#include "BytePos.h"
#include "FileIO.h"
#include "TextOps.h"

namespace {

// Reads the file's first kMaxLoadBytes bytes into a zeroed LoadBuffer, so that nothing of
// an earlier file remains. False when the file cannot be opened as a regular file or read;
// LoadBuffer then keeps the earlier file's bytes, apart from any that a read failing
// part-way delivered, and the file is refused before they are looked at.
bool LoadFileStart(AnalysisState& State) {
  // A successful read is followed by zeros to the end.
  const int32_t read = ReadFileStart(State.SelectedFile, State.LoadBuffer.data(), kMaxLoadBytes);
  if (read < 0) return false;
  std::fill(State.LoadBuffer.begin() + read, State.LoadBuffer.end(), 0);
  return true;
}

}  // namespace

int32_t ReadFileStart(const std::string& FileName, uint8_t* Buffer, int32_t Count) {
  return ReadRegularFile(FileName, Buffer, Count);
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
