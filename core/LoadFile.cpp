#include "LoadFile.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "AnalyzeExif.h"
#include "FileIO.h"

using platform::ReadRegularFile;
using platform::TStrings;

namespace {

// Reads the file's first kMaxLoadBytes bytes into a zeroed LoadBuffer, so that nothing of
// an earlier file remains, and returns how many were read. -1 when the file cannot be
// opened as a regular file or read; LoadBuffer then keeps the earlier file's bytes, apart
// from any that a read failing part-way delivered, and the file is refused before they
// are looked at.
int32_t LoadFileStart(AnalysisState& State) {
  // A successful read is followed by zeros to the end.
  const int32_t read = ReadFileStart(State.SelectedFile, State.LoadBuffer.data(), kMaxLoadBytes);
  if (read >= 0) std::fill(State.LoadBuffer.begin() + read, State.LoadBuffer.end(), 0);
  return read;
}

// The same for bytes read already: a failed read leaves LoadBuffer as it was.
int32_t LoadFileStart(AnalysisState& State, const FileStart& Start) {
  if (Start.Count < 0) return -1;
  const int32_t read = std::min(Start.Count, kMaxLoadBytes);
  std::copy(Start.Bytes, Start.Bytes + read, State.LoadBuffer.begin());
  std::fill(State.LoadBuffer.begin() + read, State.LoadBuffer.end(), 0);
  return read;
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

// The rest of the command once the file's first bytes are loaded (-1: not read): the
// signatures, then the analysis.
LoadOutcome AnalyzeLoaded(AnalysisState& State, int32_t Loaded, TStrings& Report) {
  if (Loaded < 0) return LoadOutcome::CannotOpen;
  // The signatures count on whole bytes only, so they are looked for in the bytes
  // themselves; the HexImage is built only for a file that passed both.
  if (!LoadBufferHolds(State, "Exif")) return LoadOutcome::NotExif;
  if (!LoadBufferHolds(State, std::string_view("II*\0", 4))) return LoadOutcome::NotIntel;
  BuildHexImage(State, State.HexImageStorage, Loaded);
  AnalyzeExif(State, State.HexImageStorage, Report);
  return LoadOutcome::Analysed;
}

}  // namespace

int32_t ReadFileStart(const std::string& FileName, uint8_t* Buffer, int32_t Count) {
  return ReadRegularFile(FileName, Buffer, Count);
}

LoadOutcome CheckChosenName(const AnalysisState& State) {
  if (State.SelectedFile.empty()) return LoadOutcome::NothingChosen;
  if (!HasJpgName(State.SelectedFile)) return LoadOutcome::NotJpg;
  return LoadOutcome::Analysed;
}

bool HasJpgName(const std::string& FileName) {
  // The answer of UpperCase(ExtractFileExt(FileName)) == ".JPG", without copies: no byte
  // of ".jpg" is a separator or can belong to a double-byte character, so the extension
  // is ".JPG" in some case exactly when the name ends in it.
  if (FileName.size() < 4) return false;
  const char* end = FileName.data() + FileName.size() - 4;
  return end[0] == '.' && (end[1] | 0x20) == 'j' && (end[2] | 0x20) == 'p' &&
         (end[3] | 0x20) == 'g';
}

LoadOutcome LoadAndAnalyze(AnalysisState& State, TStrings& Report) {
  const LoadOutcome named = CheckChosenName(State);
  if (named != LoadOutcome::Analysed) return named;
  return AnalyzeLoaded(State, LoadFileStart(State), Report);
}

LoadOutcome LoadAndAnalyze(AnalysisState& State, TStrings& Report, const FileStart& Start) {
  const LoadOutcome named = CheckChosenName(State);
  if (named != LoadOutcome::Analysed) return named;
  return AnalyzeLoaded(State, LoadFileStart(State, Start), Report);
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
