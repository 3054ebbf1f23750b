#include "ExtendedAnalysis.h"

#include <algorithm>
#include <cstring>

#include "AnalysisState.h"
#include "ExtendedEntry.h"
#include "FieldOps.h"
#include "GpsInterpretation.h"
#include "ReportTexts.h"
#include "TextOps.h"

using platform::IntToHex;
using platform::IntToStr;
using platform::StrToInt;
using platform::TStrings;

namespace {

constexpr uint32_t kExifPointer = 0x8769;
constexpr uint32_t kGpsPointer = 0x8825;
constexpr uint32_t kInteropPointer = 0xA005;

// The most characters an ASCII value shows: what the standard analysis's text buffer holds.
constexpr int64_t kAsciiTextLimit = kTextBufferSize;

// How a directory's entry count is shown on its count line.
enum class CountLine {
  DigitsAfter,  // IFD0: two digits, shown before the count is converted
  HexAfter,     // IFD1: "0x" and four digits, shown before the count is converted
  HexBefore,    // the others: "0x" and two digits, converted before the line is shown
};

class ExtendedListing {
 public:
  ExtendedListing(const ByteOrderReader& reader, int64_t base, TStrings& report)
      : reader_(reader), base_(base), report_(report) {}

  void Run() {
    ListMarkers();
    const int64_t ifd1 = ListIfd0();
    report_.Add("");
    report_.Add("IFD1");
    // A link of 0 means that there is no IFD1.
    if (ifd1 != 0) ListDirectory("IFD1", base_ + ifd1, CountLine::HexAfter, true, ifd1_);
    report_.Add("");
    report_.Add("SubIFD");
    if (const ExtendedEntry* pointer = LastWithTag(ifd0_, kExifPointer)) {
      const uint32_t offset = static_cast<uint32_t>(StrToInt(pointer->Value));
      ListDirectory("SubIFD", base_ + offset, CountLine::HexBefore, false, subIfd_);
    }
    ListPointed(subIfd_, kInteropPointer, "InteropIFD", interop_);
    const bool gpsListed = ListPointed(ifd0_, kGpsPointer, "GPSIFD", gps_);
    InterpretIfd0();
    InterpretSubIfd();
    if (gpsListed) InterpretGps(reader_, base_, gps_, report_);
  }

 private:
  static const ExtendedEntry* LastWithTag(const std::vector<ExtendedEntry>& entries, uint32_t tag) {
    const ExtendedEntry* found = nullptr;
    for (const ExtendedEntry& entry : entries) {
      if (FieldNumber(entry.Tag) == tag) found = &entry;
    }
    return found;
  }

  // 0-1 SOI FFD8 | 2-3 APP1 FFE1 or APP0 FFE0 | 4-5 length (big-endian) | 6-9 "Exif"
  // | 12-15 start of the TIFF header, when APP1 comes first.
  void ListMarkers() {
    const std::string soi = reader_.StoredHex(0, 2);
    report_.Add(soi == "FFD8" ? OffsetLine(0, soi + "        SOI") : "");
    const std::string first = reader_.StoredHex(2, 2);
    if (first == "FFE1") {
      const bool intel = reader_.Order() == ByteOrder::Intel;
      report_.Add(OffsetLine(2, first + "        APP1"));
      report_.Add(OffsetLine(4, reader_.StoredHex(4, 2) + "        Size"));
      report_.Add(OffsetLine(6, reader_.StoredHex(6, 4) + "    Exif"));
      report_.Add(OffsetLine(12, reader_.StoredHex(12, 4) + (intel ? "    II*" : "    MM*")));
    } else if (first == "FFE0") {
      report_.Add(OffsetLine(2, first + "        APP0"));
    }
    report_.Add("");
  }

  // TIFF 4-7 offset of IFD0 (shown as stored) | IFD0. Returns IFD0's link, the offset of
  // IFD1 from the TIFF header.
  int64_t ListIfd0() {
    const int64_t field = base_ + 4;
    report_.Add(OffsetLine(field, reader_.StoredHex(field, 4)));
    const uint32_t offset = static_cast<uint32_t>(StrToInt(reader_.NumberText(field, 4)));
    report_.Add("");
    report_.Add("IFD0");
    const int64_t link = ListDirectory("IFD0", base_ + offset, CountLine::DigitsAfter, true, ifd0_);
    return link;
  }

  // Lists the directory that the last entry tagged Tag of Entries points at, under Heading.
  // False when there is no such entry.
  bool ListPointed(const std::vector<ExtendedEntry>& entries, uint32_t tag, const char* heading,
                   std::vector<ExtendedEntry>& into) {
    const ExtendedEntry* pointer = LastWithTag(entries, tag);
    if (!pointer) return false;
    const uint32_t offset = static_cast<uint32_t>(StrToInt(pointer->Value));
    report_.Add("");
    report_.Add(heading);
    ListDirectory(heading, base_ + offset, CountLine::HexBefore, true, into);
    return true;
  }

  // Directory at Start: 16-bit count | 12-byte entries (tag 2, type 2, count 4, value 4)
  // | 32-bit link to the next directory. Entries that start beyond the loaded bytes are not
  // listed. A directory that was listed before is named instead of listed again. The link
  // line follows when WithLink; IFD0's link is converted and returned, any other gives 0.
  int64_t ListDirectory(const char* name, int64_t start, CountLine style, bool withLink,
                        std::vector<ExtendedEntry>& into) {
    into.clear();
    for (const auto& [earlierStart, earlierName] : listed_) {
      if (earlierStart == start) {
        report_.Add(OffsetLine(start, std::string(earlierName) + "と同じ"));
        return 0;
      }
    }
    listed_.emplace_back(start, name);

    const std::string countText = reader_.NumberText(start, 2);
    int32_t count = 0;
    if (style == CountLine::HexBefore) {
      count = StrToInt(countText);
      report_.Add(OffsetLine(start, "0x" + IntToHex(count, 2)));
    } else if (style == CountLine::HexAfter) {
      report_.Add(OffsetLine(start, countText));
      count = StrToInt(countText);
    } else {
      const bool cut = countText.size() == 2;
      report_.Add(OffsetLine(start, cut ? "" : IntToHex(StrToInt(countText), 2)));
      count = StrToInt("0X" + countText.substr(2));
    }

    int64_t at = start + 2;
    if (at < reader_.Size()) into.reserve(std::min<int64_t>(count, (reader_.Size() - at) / 12 + 1));
    for (int32_t k = 0; k < count && at < reader_.Size(); ++k, at += 12) {
      into.push_back(ReadEntry(at));
      AddEntryLine(into.back());
    }
    if (!withLink) return 0;
    const int64_t linkAt = start + 2 + 12 * static_cast<int64_t>(count);
    const std::string link = reader_.NumberText(linkAt, 4);
    report_.Add(OffsetLine(linkAt, link));
    return style == CountLine::DigitsAfter ? static_cast<uint32_t>(StrToInt(link)) : 0;
  }

  // The listing line of Entry: its offset, then each field followed by a space, the fields
  // copied in one piece each.
  void AddEntryLine(const ExtendedEntry& entry) {
    line_.clear();
    AppendOffsetPrefix(entry.At, line_);
    const std::string* fields[] = {&entry.Tag, &entry.Type, &entry.Count, &entry.Value};
    const size_t start = line_.size();
    size_t length = start;
    for (const std::string* field : fields) length += field->size() + 1;
    line_.resize(length);
    char* put = line_.data() + start;
    for (const std::string* field : fields) {
      std::memcpy(put, field->data(), field->size());
      put += field->size();
      *put++ = ' ';
    }
    report_.Add(line_);
  }

  ExtendedEntry ReadEntry(int64_t at) const {
    ExtendedEntry entry;
    entry.At = at;
    entry.Tag = reader_.NumberText(at, 2);
    entry.Type = reader_.NumberText(at + 2, 2);
    entry.Count = reader_.NumberText(at + 4, 4);
    entry.Value = reader_.ValueText(at + 8, FieldNumber(entry.Type), FieldNumber(entry.Count));
    return entry;
  }

  // The bytes of an ASCII value: Count bytes at its offset, or in the entry when they fit.
  // Converts Value, then Count.
  int64_t AsciiOffset(const ExtendedEntry& entry, int32_t* count) const {
    const uint32_t value = static_cast<uint32_t>(StrToInt(entry.Value));
    *count = StrToInt(entry.Count);
    return ValueOffset(entry, base_, value, *count);
  }

  // The characters of an ASCII value before its first zero byte, at most 256 of them.
  std::string AsciiText(int64_t offset, int32_t count) const {
    const ByteSpan span = reader_.Bytes(offset, std::min<int64_t>(count, kAsciiTextLimit));
    const uint8_t* end = std::find(span.Data, span.Data + span.Size, 0);
    return std::string(reinterpret_cast<const char*>(span.Data), end - span.Data);
  }

  void InterpretIfd0() {
    report_.Add("");
    report_.Add(kIfd0Heading);
    report_.Add("");
    for (const ExtendedEntry& entry : ifd0_) {
      const int32_t tag = StrToInt(entry.Tag);
      if (tag != static_cast<int32_t>(kMakeTag) && tag != static_cast<int32_t>(kModelTag)) continue;
      int32_t count = 0;
      const int64_t offset = AsciiOffset(entry, &count);
      report_.Add(entry.Tag + "   " + reader_.StoredHex(offset, count) + "   " +
                  AsciiText(offset, count));
    }
  }

  // The line of the rational at Value, both numbers read in the file's byte order.
  std::string RationalAt(const ExtendedEntry& entry, const char* label) const {
    const int64_t at = base_ + static_cast<uint32_t>(StrToInt(entry.Value));
    return RationalLine(entry.Tag, reader_.NumberText(at, 4), reader_.NumberText(at + 4, 4), label);
  }

  void InterpretSubIfd() {
    report_.Add(" ");
    report_.Add("");
    report_.Add(kSubIfdHeading);
    report_.Add("");
    for (const ExtendedEntry& entry : subIfd_) {
      switch (static_cast<uint32_t>(StrToInt(entry.Tag))) {
        case kExposureTimeTag:
          report_.Add(RationalAt(entry, kExposureLabel));
          break;
        case kFNumberTag:
          report_.Add(RationalAt(entry, kFNumberLabel));
          break;
        case kIsoSpeedRatingsTag:
          report_.Add(entry.Tag + kIsoLabel + IntToStr(LowShort(entry.Value)));
          break;
        case kDateTimeOriginalTag: {
          int32_t count = 0;
          const int64_t offset = AsciiOffset(entry, &count);
          report_.Add(entry.Tag + kDateLabel + AsciiText(offset, count));
          break;
        }
        case kMeteringModeTag: {
          const char* name = MeteringModeName(LowShort(entry.Value));
          report_.Add(name ? entry.Tag + kMeteringLabel + name : entry.Tag);
          break;
        }
        default:
          break;
      }
    }
  }

  const ByteOrderReader& reader_;
  const int64_t base_;
  TStrings& report_;
  std::vector<ExtendedEntry> ifd0_, ifd1_, subIfd_, interop_, gps_;
  std::vector<std::pair<int64_t, const char*>> listed_;  // start and name of each directory
  std::string line_;                                     // the entry line being built
};

}  // namespace

void AnalyzeExifExtended(const std::vector<uint8_t>& Data, const TiffHeader& Header,
                         TStrings& Report) {
  Report.Clear();
  const ByteOrderReader reader(Data, Header.Order);
  ExtendedListing(reader, Header.Base, Report).Run();
}
