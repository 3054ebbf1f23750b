#pragma once
// The "ファイル選択" command after the chooser: checks the name of State.SelectedFile,
// loads the file's first bytes, checks the signatures and analyses it into the report.

#include <cstdint>
#include <string>

#include "AnalysisState.h"
#include "Strings.h"

enum class LoadOutcome {
  Analysed,       // the report was written
  NothingChosen,  // SelectedFile is empty: nothing happens, no message
  NotJpg,         // the name does not end in .JPG (any case)
  CannotOpen,     // the file cannot be opened or read
  NotExif,        // no "Exif" signature
  NotIntel,       // no Intel-byte-order TIFF header
};

// Runs the command for State.SelectedFile. Every outcome but Analysed leaves Report as it
// was. EConvertError from the analysis passes through, with the lines appended so far kept.
LoadOutcome LoadAndAnalyze(AnalysisState& State, platform::TStrings& Report);

// The first bytes of a file, read before the command runs: Count bytes at Bytes, or a Count
// of -1 when the file could not be read as ReadFileStart reads it.
struct FileStart {
  const uint8_t* Bytes = nullptr;
  int32_t Count = -1;
};

// The same command for a file whose first bytes (up to kMaxLoadBytes) were read already,
// for a caller that reads the next files while one is analysed. Start is looked at only
// when the name passed its checks.
LoadOutcome LoadAndAnalyze(AnalysisState& State, platform::TStrings& Report,
                           const FileStart& Start);

// The checks of State.SelectedFile's name that come before its file is read:
// NothingChosen, NotJpg, or Analysed for a name whose file is to be read.
LoadOutcome CheckChosenName(const AnalysisState& State);

// True when FileName ends in .JPG, in any case: the only files that the command reads.
bool HasJpgName(const std::string& FileName);

// Reads up to Count bytes from the start of FileName into Buffer when FileName is a regular
// file after following links, until Count bytes or the file's end however the system hands
// them out. Returns the number read, or -1 when FileName cannot be opened as a regular file
// (a pipe, socket or device is refused before anything is read, without waiting) or read.
int32_t ReadFileStart(const std::string& FileName, uint8_t* Buffer, int32_t Count);

// The warning (Shift-JIS) that a refusal shows; empty for Analysed and NothingChosen.
std::string RefusalMessage(LoadOutcome Outcome);
