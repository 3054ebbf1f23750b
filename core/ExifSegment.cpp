#include "ExifSegment.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint8_t kMarkerPrefix = 0xFF;
constexpr uint8_t kSoi = 0xD8;
constexpr uint8_t kEoi = 0xD9;
constexpr uint8_t kSos = 0xDA;
constexpr uint8_t kApp1 = 0xE1;
const uint8_t kExifIdentifier[] = {'E', 'x', 'i', 'f', 0, 0};

// Markers that stand alone, without a length: TEM and RST0 to RST7.
bool IsStandalone(uint8_t marker) {
  return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

bool Matches(const std::vector<uint8_t>& data, int64_t at, const uint8_t* bytes, size_t count) {
  return at >= 0 && static_cast<uint64_t>(at) + count <= data.size() &&
         std::memcmp(data.data() + at, bytes, count) == 0;
}

}  // namespace

std::optional<ByteOrder> TiffHeaderAt(const std::vector<uint8_t>& Data, int64_t Offset) {
  static const uint8_t intel[] = {'I', 'I', 0x2A, 0x00};
  static const uint8_t motorola[] = {'M', 'M', 0x00, 0x2A};
  if (Matches(Data, Offset, intel, 4)) return ByteOrder::Intel;
  if (Matches(Data, Offset, motorola, 4)) return ByteOrder::Motorola;
  return std::nullopt;
}

// 0-1 SOI FFD8 | then segments: FF, marker, length (big-endian, counting itself), data
// | APP1 Exif: FF E1, length, "Exif\0\0", TIFF header | SOS FFDA starts the image data.
SegmentWalk WalkToExifSegment(const std::vector<uint8_t>& Data, int64_t LookLimit) {
  const int64_t size = static_cast<int64_t>(Data.size());
  SegmentWalk walk;
  auto needMore = [&walk](int64_t bytes) {
    walk.What = SegmentWalk::Outcome::NeedMore;
    walk.NeededBytes = bytes;
    return walk;
  };
  if (size < 2) return needMore(2);
  if (Data[0] != kMarkerPrefix || Data[1] != kSoi) return walk;

  int64_t at = 2;
  while (at < LookLimit) {
    if (at + 4 > size) return needMore(at + 4);
    if (Data[at] != kMarkerPrefix) return walk;
    const uint8_t marker = Data[at + 1];
    if (marker == kMarkerPrefix) {  // a fill byte before the marker
      ++at;
      continue;
    }
    if (IsStandalone(marker)) {
      at += 2;
      continue;
    }
    if (marker == kSos || marker == kEoi || marker == kSoi) return walk;
    const int64_t length = (Data[at + 2] << 8) | Data[at + 3];
    if (length < 2) return walk;
    const int64_t end = at + 2 + length;
    if (marker == kApp1 && length >= 12) {
      // 0-1 FFE1 | 2-3 length | 4-9 "Exif\0\0" | 10- TIFF header ("II*\0" or "MM\0*")
      if (at + 14 > size) return needMore(at + 14);
      if (Matches(Data, at + 4, kExifIdentifier, sizeof kExifIdentifier)) {
        if (const auto order = TiffHeaderAt(Data, at + 10)) {
          walk.What = SegmentWalk::Outcome::Found;
          walk.Header = {at + 10, *order};
          walk.SegmentEnd = end;
          return walk;
        }
      }
    }
    at = end;
  }
  return walk;
}

std::optional<TiffHeader> FirstTiffHeader(const std::vector<uint8_t>& Data) {
  for (size_t at = 0; at + 4 <= Data.size(); ++at) {
    if (Data[at] != 'I' && Data[at] != 'M') continue;
    if (const auto order = TiffHeaderAt(Data, static_cast<int64_t>(at))) {
      return TiffHeader{static_cast<int64_t>(at), *order};
    }
  }
  return std::nullopt;
}

bool HasExifSignature(const std::vector<uint8_t>& Data) {
  static const uint8_t exif[] = {'E', 'x', 'i', 'f'};
  return std::search(Data.begin(), Data.end(), std::begin(exif), std::end(exif)) != Data.end();
}
