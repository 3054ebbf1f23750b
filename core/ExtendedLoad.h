#pragma once
// The file-selection command with the extended analysis: checks the name as the standard
// command does, reads the file as far as its Exif segment reaches, finds the TIFF header in
// either byte order and writes the extended report.

#include <cstdint>
#include <string>
#include <vector>

#include "AnalysisState.h"
#include "LoadFile.h"
#include "Strings.h"

// How far into a file the Exif segment is looked for: a segment must start before this
// offset, and the load ends where that segment ends (at most 64 KB further).
constexpr int64_t kExtendedLookLimit = 1 << 20;

// The bytes that the extended analysis reads of File: its first 10000 bytes (as the
// standard load), or more when its Exif segment reaches further, up to that segment's end.
// Empty with a false result when the file cannot be read.
bool LoadExtendedBytes(const std::string& File, std::vector<uint8_t>& Bytes);

// Checks and analyses Bytes, the loaded start of a file, into Report: NotExif when "Exif"
// occurs nowhere in them, NotIntel when no TIFF header of either byte order does.
LoadOutcome AnalyzeExtendedBytes(std::vector<uint8_t> Bytes, platform::TStrings& Report);

// The command for State.SelectedFile. Every outcome but Analysed leaves Report as it was;
// EConvertError from the analysis passes through, with the lines appended so far kept.
LoadOutcome LoadAndAnalyzeExtended(AnalysisState& State, platform::TStrings& Report);

// The warning that a refusal of the extended analysis shows: that of the standard one,
// except that NotIntel, there, means no TIFF header in either byte order.
std::string ExtendedRefusalMessage(LoadOutcome Outcome);
