#include "GpsInterpretation.h"

#include <cmath>
#include <optional>

using platform::TStrings;

namespace {

constexpr uint32_t kLatitudeRef = 0x0001;
constexpr uint32_t kLatitude = 0x0002;
constexpr uint32_t kLongitudeRef = 0x0003;
constexpr uint32_t kLongitude = 0x0004;
constexpr uint32_t kAltitudeRef = 0x0005;
constexpr uint32_t kAltitude = 0x0006;
constexpr uint32_t kTimeStamp = 0x0007;
constexpr uint32_t kDateStamp = 0x001D;

const char kHeading[] = "GPSIFDの一部デ－タの解析";
const char kLatitudeLabel[] = "   緯度　　　";
const char kLongitudeLabel[] = "   経度　　　";
const char kAltitudeLabel[] = "   高度　　　";
const char kDateTimeLabel[] = "   GPS日時　";

constexpr int kPlaces = 6;          // decimals of a stored rational shown in decimal
constexpr int kDegreePlaces = 8;    // decimals of decimal degrees
constexpr int64_t kDateLimit = 64;  // characters of a date value shown at most

struct Rational {
  uint32_t N = 0;
  uint32_t D = 0;
};

class GpsSection {
 public:
  GpsSection(const ByteOrderReader& reader, int64_t base, const std::vector<ExtendedEntry>& gps)
      : reader_(reader), base_(base), gps_(gps) {}

  void Append(TStrings& report) const {
    report.Add("");
    report.Add(kHeading);
    report.Add("");
    AddCoordinate(report, kLatitude, kLatitudeRef, kLatitudeLabel, 'S');
    AddCoordinate(report, kLongitude, kLongitudeRef, kLongitudeLabel, 'W');
    AddAltitude(report);
    AddDateTime(report);
  }

 private:
  const ExtendedEntry* Find(uint32_t tag) const {
    for (const ExtendedEntry& entry : gps_) {
      if (FieldNumber(entry.Tag) == tag) return &entry;
    }
    return nullptr;
  }

  // The first Count rationals of Entry, when it holds that many and all lie in the data.
  std::optional<std::vector<Rational>> Rationals(const ExtendedEntry& entry, uint32_t count) const {
    if (FieldNumber(entry.Count) < count) return std::nullopt;
    const int64_t at = ValueOffset(entry, base_, FieldNumber(entry.Value), 8 * int64_t{count});
    std::vector<Rational> values;
    for (uint32_t i = 0; i < count; ++i) {
      const std::string n = reader_.NumberText(at + 8 * i, 4);
      const std::string d = reader_.NumberText(at + 8 * i + 4, 4);
      if (n.size() != 10 || d.size() != 10) return std::nullopt;
      values.push_back({FieldNumber(n), FieldNumber(d)});
    }
    return values;
  }

  // The first byte of a short value held in the entry itself (a reference letter or flag).
  std::optional<uint8_t> FirstByte(uint32_t tag) const {
    const ExtendedEntry* entry = Find(tag);
    if (!entry) return std::nullopt;
    const ByteSpan span = reader_.Bytes(entry->At + 8, 1);
    if (span.Size == 0) return std::nullopt;
    return span.Data[0];
  }

  static std::string Stored(const std::vector<Rational>& values) {
    std::string text;
    for (const Rational& r : values) {
      if (!text.empty()) text += ' ';
      text += std::to_string(r.N) + "/" + std::to_string(r.D);
    }
    return text;
  }

  static bool AllDefined(const std::vector<Rational>& values) {
    for (const Rational& r : values) {
      if (r.D == 0) return false;
    }
    return true;
  }

  // Tag, label, the three rationals as stored, degrees minutes seconds and the reference
  // letter, then signed decimal degrees. South and west are negative.
  void AddCoordinate(TStrings& report, uint32_t tag, uint32_t refTag, const char* label,
                     char negative) const {
    const ExtendedEntry* entry = Find(tag);
    if (!entry) return;
    std::string line = entry->Tag + label;
    const auto values = Rationals(*entry, 3);
    if (values) {
      const std::vector<Rational>& v = *values;
      line += Stored(v);
      if (AllDefined(v)) {
        const std::optional<uint8_t> ref = FirstByte(refTag);
        const bool hasRef = ref && (*ref == 'N' || *ref == 'S' || *ref == 'E' || *ref == 'W');
        line += "   " + RationalDecimal(v[0].N, v[0].D, kPlaces) + "度" +
                RationalDecimal(v[1].N, v[1].D, kPlaces) + "分" +
                RationalDecimal(v[2].N, v[2].D, kPlaces) + "秒";
        if (hasRef) line += std::string(" ") + static_cast<char>(*ref);
        double degrees =
            double(v[0].N) / v[0].D + double(v[1].N) / v[1].D / 60 + double(v[2].N) / v[2].D / 3600;
        if (hasRef && *ref == negative) degrees = -degrees;
        line += "   " + FixedDecimal(degrees, kDegreePlaces);
      }
    }
    report.Add(line);
  }

  // Tag, label, the rational as stored, then above or below sea level in metres.
  void AddAltitude(TStrings& report) const {
    const ExtendedEntry* entry = Find(kAltitude);
    if (!entry) return;
    std::string line = entry->Tag + kAltitudeLabel;
    if (const auto values = Rationals(*entry, 1)) {
      const Rational r = (*values)[0];
      line += Stored(*values);
      if (r.D != 0) {
        const bool below = FirstByte(kAltitudeRef) == uint8_t{1};
        line +=
            std::string("   ") + (below ? "海面下 " : "海抜 ") + RationalDecimal(r.N, r.D, 4) + "m";
      }
    }
    report.Add(line);
  }

  // "HH:MM:SS" with the seconds' decimals, from three rationals.
  static std::string Clock(const std::vector<Rational>& v) {
    std::string text;
    for (const Rational& r : v) {
      std::string part = RationalDecimal(r.N, r.D, kPlaces);
      if (part.find('.') == 1 || part.size() == 1) part.insert(part.begin(), '0');
      text += (text.empty() ? "" : ":") + part;
    }
    return text;
  }

  // The date's tag (or the time's when there is no date), label, then date and time.
  void AddDateTime(TStrings& report) const {
    const ExtendedEntry* date = Find(kDateStamp);
    const ExtendedEntry* time = Find(kTimeStamp);
    if (!date && !time) return;
    std::string line = (date ? date->Tag : time->Tag) + kDateTimeLabel;
    if (date) {
      const uint32_t count = FieldNumber(date->Count);
      const int64_t at = ValueOffset(*date, base_, FieldNumber(date->Value), count);
      const ByteSpan span = reader_.Bytes(at, std::min<int64_t>(count, kDateLimit));
      for (uint32_t i = 0; i < span.Size && span.Data[i] != 0; ++i) {
        line += static_cast<char>(span.Data[i]);
      }
    }
    if (time) {
      const auto values = Rationals(*time, 3);
      if (values && AllDefined(*values)) line += (date ? " " : "") + Clock(*values);
    }
    report.Add(line);
  }

  const ByteOrderReader& reader_;
  const int64_t base_;
  const std::vector<ExtendedEntry>& gps_;
};

uint64_t PowerOfTen(int places) {
  uint64_t p = 1;
  for (int i = 0; i < places; ++i) p *= 10;
  return p;
}

// Whole and fraction digits of Scaled / 10^Places; the fraction keeps its leading zeros.
std::string JoinDecimal(uint64_t scaled, int places, bool trim) {
  const uint64_t unit = PowerOfTen(places);
  std::string text = std::to_string(scaled / unit);
  if (places == 0) return text;
  std::string fraction = std::to_string(scaled % unit);
  fraction.insert(0, static_cast<size_t>(places) - fraction.size(), '0');
  if (trim) fraction.erase(fraction.find_last_not_of('0') + 1);
  return fraction.empty() ? text : text + "." + fraction;
}

}  // namespace

void InterpretGps(const ByteOrderReader& Reader, int64_t Base,
                  const std::vector<ExtendedEntry>& Gps, TStrings& Report) {
  GpsSection(Reader, Base, Gps).Append(Report);
}

std::string RationalDecimal(uint32_t N, uint32_t D, int Places) {
  // Rounded half up in whole numbers: (2 N 10^p + D) / 2D, at most 2^33 x 10^6 here.
  const uint64_t scaled = (2 * uint64_t{N} * PowerOfTen(Places) + D) / (2 * uint64_t{D});
  return JoinDecimal(scaled, Places, true);
}

std::string FixedDecimal(double Value, int Places) {
  const double magnitude = std::fabs(Value) * static_cast<double>(PowerOfTen(Places));
  const uint64_t scaled = static_cast<uint64_t>(std::llround(magnitude));
  const std::string text = JoinDecimal(scaled, Places, false);
  return Value < 0 && scaled != 0 ? "-" + text : text;
}
