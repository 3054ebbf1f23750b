#pragma once
// Finding the TIFF header of a JPEG file's Exif data, in either byte order.

#include <cstdint>
#include <optional>
#include <vector>

#include "ByteOrderReader.h"

// Where the TIFF header starts and in which byte order the structure is written.
struct TiffHeader {
  int64_t Base = 0;  // file offset of "II*\0" or "MM\0*"
  ByteOrder Order = ByteOrder::Intel;
};

// The result of walking the JPEG segments of the first bytes of a file.
struct SegmentWalk {
  enum class Outcome {
    Found,     // an APP1 "Exif\0\0" segment holding a TIFF header
    NeedMore,  // the walk reached the end of the bytes read: read NeededBytes and walk again
    NotFound,  // no such segment before the image data, or a malformed segment list
  };
  Outcome What = Outcome::NotFound;
  TiffHeader Header;
  int64_t SegmentEnd = 0;   // file offset just past the segment (Found)
  int64_t NeededBytes = 0;  // NeedMore
};

// Walks the segments from SOI on. Segments that start at or beyond LookLimit are not looked
// at, so a file of many segments cannot make the load read far into it.
SegmentWalk WalkToExifSegment(const std::vector<uint8_t>& Data, int64_t LookLimit);

// The byte order of a TIFF header at Offset, if one starts there.
std::optional<ByteOrder> TiffHeaderAt(const std::vector<uint8_t>& Data, int64_t Offset);

// The first TIFF header anywhere in Data, of either byte order.
std::optional<TiffHeader> FirstTiffHeader(const std::vector<uint8_t>& Data);

// Whether the bytes "Exif" occur anywhere in Data.
bool HasExifSignature(const std::vector<uint8_t>& Data);
