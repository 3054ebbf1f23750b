#pragma once
// The bytes that exif-report prints for one report.

#include <string>

#include "Strings.h"

// The report as the terminal gets it: UTF-8, every line followed by LF. With Sjis, the
// bytes that saving the report writes: Shift-JIS, every line followed by CR LF.
std::string ReportBytes(const TStringList& Report, bool Sjis);

// "==> FILE <==" and the line end of the chosen form; FILE keeps its native bytes.
std::string FileHeader(const std::string& File, bool Sjis);

// The line end of the chosen form: LF, or CR LF with Sjis.
const char* LineEnd(bool Sjis);
