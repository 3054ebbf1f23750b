#include "AnalyzeExif.h"

#include "BytePos.h"
#include "FieldOps.h"
#include "Int32.h"
#include "TagInterpretation.h"
#include "TextOps.h"

using platform::Copy;
using platform::CopyView;
using platform::Pos;
using platform::StrToInt;
using platform::TStrings;

namespace {

class Listing {
 public:
  Listing(AnalysisState& state, const std::string& image, TStrings& report)
      : state_(state), image_(image), report_(report) {}

  void Run() {
    ListMarkers();
    const int32_t ifd1Offset = ListIfd0();
    if (ifd1Offset == 0) {
      // A link of 0 means that there is no IFD1.
      report_.Add("");
      report_.Add("IFD1");
    } else {
      ListIfd1(ifd1Offset);
    }
    ListSubIfd();
  }

 private:
  // The L characters at position P: shorter or empty past the end of the image.
  std::string At(int32_t p, int32_t l) const { return Copy(image_, p, l); }
  void Add(std::string_view line) { report_.Add(line); }

  // The line of the 24-character entry at Q: its offset, then its split fields, built in
  // place without a string.
  void AddEntry(int32_t q, TableKind kind, int32_t position) {
    char line[kMaxOffsetPrefix + kMaxSplitEntry];
    size_t length = WriteOffsetPrefix(q, line);
    length += WriteSplitEntry(state_, CopyView(image_, q, 24), kind, position, line + length);
    report_.Add(std::string_view(line, length));
  }

  // 0-1 SOI FFD8 | 2-3 APP1 FFE1 or APP0 FFE0 | 4-5 length (big-endian) | 6-9 "Exif"
  // | 12-15 start of the TIFF header, when APP1 comes first.
  void ListMarkers() {
    const std::string soi = OffsetPrefixed(0, At(1, 4));
    Add(Pos("FFD8", soi) > 0 ? soi + "        SOI" : "");

    const int32_t header = BytePos("49492A", image_);
    state_.TiffBase = header == 0 ? 0 : (header - 1) / 2;

    const std::string first = OffsetPrefixed(4, At(5, 4));
    if (Pos("FFE1", first) > 0) {
      Add(first + "        APP1");
      Add(OffsetPrefixed(9, At(9, 4)) + "        Size");
      Add(OffsetPrefixed(13, At(13, 8)) + "    Exif");
      Add(OffsetPrefixed(25, At(25, 8)) + "    II*");
    } else if (Pos("FFE0", first) > 0) {
      Add(first + "        APP0");
    }
    Add("");
  }

  // TIFF 4-7 IFD0 offset (shown, not used) | 8 IFD0: count (low byte only), 12-byte
  // entries, 4-byte link to IFD1. Returns the link, counted from the TIFF header.
  int32_t ListIfd0() {
    int32_t p = Add32(Mul32(2, state_.TiffBase), 9);
    Add(OffsetPrefixed(p, At(p, 8)));
    Add("");
    Add("IFD0");

    p = Add32(p, 8);
    const std::string count = At(p, 2);
    Add(OffsetPrefixed(p, count));
    const int32_t n = StrToInt("0X" + count);

    p = Add32(p, 4);
    state_.Ifd0Count = n;
    state_.RowCounter = 0;
    for (int32_t k = 0; k < n; ++k) {
      const int32_t q = Add32(p, Mul32(24, k));
      AddEntry(q, TableKind::Ifd0, q);
    }

    p = Add32(p, Mul32(24, n));
    const std::string link = ReverseByteOrder(At(p, 8));
    Add(OffsetPrefixed(p, link));
    return StrToInt(link);
  }

  // IFD1: count (both bytes), entries, link (shown only).
  void ListIfd1(int32_t offset) {
    int32_t p = Add32(Mul32(2, Add32(offset, state_.TiffBase)), 1);
    const std::string count = ReverseByteOrder(At(p, 4));
    Add("");
    Add("IFD1");
    Add(OffsetPrefixed(p, count));
    const int32_t n = StrToInt(count);

    p = Add32(p, 4);
    state_.RowCounter = 0;
    for (int32_t k = 0; k < n; ++k) {
      const int32_t q = Add32(p, Mul32(24, k));
      AddEntry(q, TableKind::Ifd1, 0);
    }
    const int32_t q = Add32(p, Mul32(24, n));
    Add(OffsetPrefixed(q, ReverseByteOrder(At(q, 8))));
  }

  // SubIFD, found through the value of IFD0's 0x8769 entry: count (low byte only), entries.
  void ListSubIfd() {
    Add("");
    Add("SubIFD");
    state_.RowCounter = 0;
    if (state_.ExifPointerPos <= 0) return;

    const int32_t value = StrToInt(ReverseByteOrder(At(Add32(state_.ExifPointerPos, 16), 8)));
    int32_t p = Add32(Mul32(2, Add32(value, state_.TiffBase)), 1);
    const std::string count = At(p, 2);
    const std::string countText = ReverseByteOrder(count);
    state_.SubIfdCount = StrToInt(countText);
    Add(OffsetPrefixed(p, countText));

    p = Add32(p, 4);
    for (int32_t k = 0; k < state_.SubIfdCount; ++k) {
      const int32_t q = Add32(p, Mul32(24, k));
      AddEntry(q, TableKind::SubIfd, 0);
    }
  }

  AnalysisState& state_;
  const std::string& image_;
  TStrings& report_;
};

}  // namespace

void AnalyzeExif(AnalysisState& State, const std::string& HexImage, TStrings& Report) {
  Report.Clear();
  // Nothing of an earlier file may show: the SubIFD is listed only when this file's IFD0
  // points at one.
  State.ExifPointerPos = 0;
  State.SubIfdCount = 0;
  Listing(State, HexImage, Report).Run();
  InterpretTags(State, HexImage, Report);
}
