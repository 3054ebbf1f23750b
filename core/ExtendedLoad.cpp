#include "ExtendedLoad.h"

#include <algorithm>

#include "ExifSegment.h"
#include "ExtendedAnalysis.h"

using platform::TStrings;

namespace {

// The first read: the standard load's 10000 bytes and some more, since many cameras write
// an Exif segment a little longer than 10000 bytes and a second read costs more than these.
constexpr int64_t kFirstRead = 16 * 1024;

// The last byte an Exif segment that starts before the look limit can reach.
constexpr int64_t kExtendedReadLimit = kExtendedLookLimit + 2 + 0xFFFF;

// Reads the first Count bytes of File into Bytes, fewer when the file is shorter.
bool ReadStart(const std::string& file, int64_t count, std::vector<uint8_t>& bytes) {
  // Room for the zeros that the analysis adds after a short file, so that they need no copy.
  bytes.reserve(static_cast<size_t>(std::max<int64_t>(count, kLoadBufferSize)));
  bytes.resize(static_cast<size_t>(count));
  const int32_t read = ReadFileStart(file, bytes.data(), static_cast<int32_t>(count));
  if (read < 0) {
    bytes.clear();
    return false;
  }
  bytes.resize(static_cast<size_t>(read));
  return true;
}

}  // namespace

bool LoadExtendedBytes(const std::string& File, std::vector<uint8_t>& Bytes) {
  int64_t wanted = kFirstRead;
  while (true) {
    if (!ReadStart(File, wanted, Bytes)) return false;
    const bool fileGoesOn = static_cast<int64_t>(Bytes.size()) == wanted;
    const SegmentWalk walk = WalkToExifSegment(Bytes, kExtendedLookLimit);
    int64_t more = 0;
    if (walk.What == SegmentWalk::Outcome::Found) more = walk.SegmentEnd;
    if (walk.What == SegmentWalk::Outcome::NeedMore) more = std::max(walk.NeededBytes, 2 * wanted);
    more = std::min(more, kExtendedReadLimit);
    // Each round reads more than the last, up to the limit, so the loop ends.
    if (fileGoesOn && more > wanted) {
      wanted = more;
      continue;
    }
    // Only the standard load's bytes, or as far as the segment reaches, are kept.
    const int64_t reach = walk.What == SegmentWalk::Outcome::Found
                              ? std::max<int64_t>(walk.SegmentEnd, kMaxLoadBytes)
                              : kMaxLoadBytes;
    if (static_cast<int64_t>(Bytes.size()) > reach) Bytes.resize(static_cast<size_t>(reach));
    return true;
  }
}

LoadOutcome AnalyzeExtendedBytes(std::vector<uint8_t> Bytes, TStrings& Report) {
  if (!HasExifSignature(Bytes)) return LoadOutcome::NotExif;
  const SegmentWalk walk = WalkToExifSegment(Bytes, kExtendedLookLimit);
  std::optional<TiffHeader> header;
  if (walk.What == SegmentWalk::Outcome::Found) {
    header = walk.Header;
  } else {
    // A file that is not laid out as JPEG segments: the first header anywhere.
    header = FirstTiffHeader(Bytes);
  }
  if (!header) return LoadOutcome::NotIntel;
  // Zeros after the file, as the standard load buffer holds, so that a short file gives
  // the report that the standard analysis gives.
  if (Bytes.size() < static_cast<size_t>(kLoadBufferSize)) Bytes.resize(kLoadBufferSize, 0);
  AnalyzeExifExtended(Bytes, *header, Report);
  return LoadOutcome::Analysed;
}

LoadOutcome LoadAndAnalyzeExtended(AnalysisState& State, TStrings& Report) {
  const LoadOutcome named = CheckChosenName(State);
  if (named != LoadOutcome::Analysed) return named;
  std::vector<uint8_t> bytes;
  if (!LoadExtendedBytes(State.SelectedFile, bytes)) return LoadOutcome::CannotOpen;
  return AnalyzeExtendedBytes(std::move(bytes), Report);
}

std::string ExtendedRefusalMessage(LoadOutcome Outcome) {
  if (Outcome == LoadOutcome::NotIntel) return "TIFF形式ではないようです";
  return RefusalMessage(Outcome);
}
