#pragma once
// The GPS section of the extended report: latitude and longitude in degrees, minutes and
// seconds with their N, S, E or W and as signed decimal degrees, the altitude above or
// below sea level, and the GPS date and time.

#include <cstdint>
#include <string>
#include <vector>

#include "ByteOrderReader.h"
#include "ExtendedEntry.h"
#include "Strings.h"

// Appends the section for the entries of the GPS directory, whose offsets count from the
// TIFF header at Base.
void InterpretGps(const ByteOrderReader& Reader, int64_t Base,
                  const std::vector<ExtendedEntry>& Gps, platform::TStrings& Report);

// N / D in decimal, rounded to at most Places decimals, trailing zeros dropped: 28047/1000
// gives "28.047", 5/1 gives "5". D must not be 0.
std::string RationalDecimal(uint32_t N, uint32_t D, int Places);

// Value with exactly Places decimals and a "-" when negative; no locale is involved.
std::string FixedDecimal(double Value, int Places);
