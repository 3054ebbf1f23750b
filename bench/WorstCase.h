#pragma once
// The worst case of the analysis, built with the tests' Exif builder: an IFD1 count of
// 0xFFFF, so 65535 entry lines, all but the first few past the loaded bytes.

#include <algorithm>

#include "AnalysisState.h"
#include "ExifFixture.h"

// TIFF 0-3 "II*\0" | 4-7 IFD0 offset 8 | 8-9 IFD0 count 0 | A-D IFD0 link 0E | E-F IFD1
// count FFFF
inline fixture::Bytes WorstCaseJpeg() {
  fixture::Tiff tiff;
  tiff.PutIfd(0x08, {}, 0x0E).Put16(0x0E, 0xFFFF);
  return fixture::ExifJpeg(tiff);
}

// The worst case in State's LoadBuffer, as a load of it leaves it.
inline void LoadWorstCase(AnalysisState& State) {
  const fixture::Bytes bytes = WorstCaseJpeg();
  std::fill(State.LoadBuffer.begin(), State.LoadBuffer.end(), 0);
  std::copy(bytes.begin(), bytes.end(), State.LoadBuffer.begin());
}
