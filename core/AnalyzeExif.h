#pragma once
// The analysis that writes the report: the JPEG markers, the IFD0, IFD1 and SubIFD
// listings with the byte offset of every line, then the interpretation of seven tags.

#include <string>

#include "AnalysisState.h"
#include "Strings.h"

// Clears Report and appends the report of HexImage line by line. A text that does not
// convert to a number raises EConvertError; the lines appended until then stay.
void AnalyzeExif(AnalysisState& State, const std::string& HexImage, platform::TStrings& Report);
