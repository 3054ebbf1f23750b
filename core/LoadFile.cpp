#include "LoadFile.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "AnalyzeExif.h"
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

// True when the bytes of Signature stand anywhere in LoadBuffer: the same answer as a
// search of their hexadecimal digits in the HexImage that counts odd positions only.
// Each place of the first byte is found with memchr, which scans far faster than a general
// search, and the rest is compared there. Signature must not be empty.
bool LoadBufferHolds(const AnalysisState& State, std::string_view Signature) {
  const uint8_t* at = State.LoadBuffer.data();
  const uint8_t* const end = at + State.LoadBuffer.size();
  while (static_cast<size_t>(end - at) >= Signature.size()) {
    at = static_cast<const uint8_t*>(std::memchr(at, Signature[0], end - at));
    if (at == nullptr || static_cast<size_t>(end - at) < Signature.size()) return false;
    if (std::memcmp(at, Signature.data(), Signature.size()) == 0) return true;
    ++at;
  }
  return false;
}

}  // namespace

LoadOutcome LoadAndAnalyze(AnalysisState& State, TStrings& Report) {
  if (State.SelectedFile.empty()) return LoadOutcome::NothingChosen;
  if (UpperCase(ExtractFileExt(State.SelectedFile)) != ".JPG") return LoadOutcome::NotJpg;
  if (!LoadFileStart(State)) return LoadOutcome::CannotOpen;

  // The signatures count on whole bytes only, so they are looked for in the bytes
  // themselves; the HexImage is built only for a file that passed both.
  if (!LoadBufferHolds(State, "Exif")) return LoadOutcome::NotExif;
  if (!LoadBufferHolds(State, std::string_view("II*\0", 4))) return LoadOutcome::NotIntel;
  BuildHexImage(State, State.HexImageStorage);
  AnalyzeExif(State, State.HexImageStorage, Report);
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
