#include "TagInterpretation.h"

#include "FieldOps.h"
#include "Int32.h"
#include "TextOps.h"

namespace {

constexpr int32_t kMake = 0x010F;
constexpr int32_t kModel = 0x0110;
constexpr int32_t kExposureTime = 0x829A;
constexpr int32_t kFNumber = 0x829D;
constexpr int32_t kIsoSpeedRatings = 0x8827;
constexpr int32_t kDateTimeOriginal = 0x9003;
constexpr int32_t kMeteringMode = 0x9207;

const char kIfd0Heading[] = "IFD0の一部デ－タの解析（タグのオフセット+0ＣＨのデ－タ）";
const char kSubIfdHeading[] = "SubIFDの一部デ－タの解析（タグのオフセット+0ＣＨのデ－タ）";
const char kExposureLabel[] = "   シャタ－　";
const char kFNumberLabel[] = "   絞り　　　";
const char kIsoLabel[] = "　　　　　　               ISO ";
const char kDateLabel[] = "　　　　   　　　　　　　　撮影日　";
const char kMeteringLabel[] = "　　　　   　　　　　　　　測光モ－ド　";

// The name of a metering mode, or nullptr for a mode without one.
const char* MeteringModeName(int32_t mode) {
  switch (mode) {
    case 0:
      return "不明";
    case 1:
      return "平均（中央重点平均測光）";
    case 2:
      return "中央";
    case 3:
      return "スポット";
    case 4:
      return "多点";
    case 5:
      return "マルチセグメント（評価測光）";
    case 6:
      return "部分測光";
    case 255:
      return "その他";
    default:
      return nullptr;
  }
}

// The first SHORT of a value field: "0x" and the last four characters of Value.
int32_t LowShort(const std::string& value) {
  const int32_t length = static_cast<int32_t>(value.size());
  return StrToInt("0x" + Copy(value, length - 3, 4));
}

// Tag, both numbers of the rational at Value as stored in hex, the label, then
// numerator/denominator in decimal. Nothing is divided.
std::string RationalLine(const AnalysisState& state, const std::string& image, const EntryRow& row,
                         const char* label) {
  const int32_t value = StrToInt(row.Value);
  const int32_t p = Add32(Mul32(2, Add32(value, state.TiffBase)), 1);
  const std::string numerator = ReverseByteOrder(Copy(image, p, 8));
  const std::string denominator = ReverseByteOrder(Copy(image, Add32(p, 8), 8));
  std::string line = row.Tag + "  " + numerator + "  " + denominator + label;
  const int32_t d = StrToInt(denominator);
  const int32_t n = StrToInt(numerator);
  return line + IntToStr(n) + "/" + IntToStr(d);
}

}  // namespace

void InterpretTags(AnalysisState& State, const std::string& HexImage, TStrings& Report) {
  Report.Add("");
  Report.Add(kIfd0Heading);
  Report.Add("");
  for (int32_t i = 0; i < State.Ifd0Count; ++i) {
    const int32_t tag = StrToInt(State.Ifd0Table.At(i).Tag);
    if (tag == kMake || tag == kModel) Report.Add(ReadAsciiValue(State, HexImage, i));
  }

  Report.Add(" ");
  Report.Add("");
  Report.Add(kSubIfdHeading);
  Report.Add("");
  for (int32_t i = 0; i < State.SubIfdCount; ++i) {
    const EntryRow& row = State.SubIfdTable.At(i);
    switch (StrToInt(row.Tag)) {
      case kExposureTime:
        Report.Add(RationalLine(State, HexImage, row, kExposureLabel));
        break;
      case kFNumber:
        Report.Add(RationalLine(State, HexImage, row, kFNumberLabel));
        break;
      case kIsoSpeedRatings:
        Report.Add(row.Tag + kIsoLabel + IntToStr(LowShort(row.Value)));
        break;
      case kDateTimeOriginal:
        Report.Add(row.Tag + kDateLabel + AsciiValueText(State, row));
        break;
      case kMeteringMode: {
        const char* name = MeteringModeName(LowShort(row.Value));
        Report.Add(name ? row.Tag + kMeteringLabel + name : row.Tag);
        break;
      }
      default:
        break;
    }
  }
}
