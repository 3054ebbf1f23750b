#pragma once
// The extended analysis: the report of the standard analysis, line for line in the same
// formats, for a TIFF structure in either byte order anywhere in the loaded bytes, with the
// interoperability and GPS directories listed after the Exif directory and a GPS section
// after the interpretation.

#include <cstdint>
#include <vector>

#include "ExifSegment.h"
#include "Strings.h"

// Clears Report and appends the report of Data, the loaded start of the file, whose TIFF
// header is Header. Offsets on the lines count from the start of the file. A field that a
// conversion needs but that lies beyond Data raises EConvertError; the lines appended until
// then stay.
void AnalyzeExifExtended(const std::vector<uint8_t>& Data, const TiffHeader& Header,
                         platform::TStrings& Report);
