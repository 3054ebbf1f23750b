#include "TagInterpretation.h"

#include "FieldOps.h"
#include "Int32.h"
#include "ReportTexts.h"
#include "TextOps.h"

using platform::Copy;
using platform::IntToStr;
using platform::StrToInt;
using platform::TStrings;

namespace {

// The line of the rational at Value, both numbers read from the HexImage.
std::string RationalAt(const AnalysisState& state, const std::string& image, const EntryRow& row,
                       const char* label) {
  const int32_t value = StrToInt(row.Value);
  const int32_t p = Add32(Mul32(2, Add32(value, state.TiffBase)), 1);
  return RationalLine(row.Tag, ReverseByteOrder(Copy(image, p, 8)),
                      ReverseByteOrder(Copy(image, Add32(p, 8), 8)), label);
}

}  // namespace

void InterpretTags(AnalysisState& State, const std::string& HexImage, TStrings& Report) {
  Report.Add("");
  Report.Add(kIfd0Heading);
  Report.Add("");
  for (int32_t i = 0; i < State.Ifd0Count; ++i) {
    const int32_t tag = StrToInt(State.Ifd0Table.At(i).Tag);
    if (tag == kMakeTag || tag == kModelTag) Report.Add(ReadAsciiValue(State, HexImage, i));
  }

  Report.Add(" ");
  Report.Add("");
  Report.Add(kSubIfdHeading);
  Report.Add("");
  for (int32_t i = 0; i < State.SubIfdCount; ++i) {
    const EntryRow& row = State.SubIfdTable.At(i);
    switch (StrToInt(row.Tag)) {
      case kExposureTimeTag:
        Report.Add(RationalAt(State, HexImage, row, kExposureLabel));
        break;
      case kFNumberTag:
        Report.Add(RationalAt(State, HexImage, row, kFNumberLabel));
        break;
      case kIsoSpeedRatingsTag:
        Report.Add(Joined({row.Tag, kIsoLabel, IntToStr(LowShort(row.Value))}));
        break;
      case kDateTimeOriginalTag:
        Report.Add(Joined({row.Tag, kDateLabel, AsciiValueText(State, row)}));
        break;
      case kMeteringModeTag: {
        const char* name = MeteringModeName(LowShort(row.Value));
        Report.Add(name ? Joined({row.Tag, kMeteringLabel, name}) : row.Tag);
        break;
      }
      default:
        break;
    }
  }
}
