#pragma once
// The tags that the report interprets and the texts of its interpretation part, shared by
// the standard and the extended analysis so that both write the same lines.

#include <cstdint>

inline constexpr uint16_t kMakeTag = 0x010F;
inline constexpr uint16_t kModelTag = 0x0110;
inline constexpr uint16_t kExposureTimeTag = 0x829A;
inline constexpr uint16_t kFNumberTag = 0x829D;
inline constexpr uint16_t kIsoSpeedRatingsTag = 0x8827;
inline constexpr uint16_t kDateTimeOriginalTag = 0x9003;
inline constexpr uint16_t kMeteringModeTag = 0x9207;

inline constexpr char kIfd0Heading[] = "IFD0の一部デ－タの解析（タグのオフセット+0ＣＨのデ－タ）";
inline constexpr char kSubIfdHeading[] =
    "SubIFDの一部デ－タの解析（タグのオフセット+0ＣＨのデ－タ）";
inline constexpr char kExposureLabel[] = "   シャタ－　";
inline constexpr char kFNumberLabel[] = "   絞り　　　";
inline constexpr char kIsoLabel[] = "　　　　　　               ISO ";
inline constexpr char kDateLabel[] = "　　　　   　　　　　　　　撮影日　";
inline constexpr char kMeteringLabel[] = "　　　　   　　　　　　　　測光モ－ド　";

// The name of a metering mode, or nullptr for a mode without one.
inline const char* MeteringModeName(int32_t Mode) {
  switch (Mode) {
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
