#pragma once
// The last stage of the analysis: the IFD0 and SubIFD sections that interpret the make,
// model, shutter time, aperture, ISO speed, date taken and metering mode, read from the
// entry tables that the listing filled.

#include <string>

#include "AnalysisState.h"
#include "Strings.h"

void InterpretTags(AnalysisState& State, const std::string& HexImage, platform::TStrings& Report);
