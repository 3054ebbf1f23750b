#pragma once
// File functions over POSIX. Paths are native file-system bytes, never Shift-JIS.

#include <cstdint>
#include <string>

constexpr int fmOpenRead = 0x0000;
constexpr int fmShareExclusive = 0x0010;

// A handle, or -1 when the file cannot be opened. Opens an existing file read-only.
int FileOpen(const std::string& FileName, int Mode);
// Reads up to Count bytes; returns the number read, or -1 on error.
int FileRead(int Handle, void* Buffer, int Count);
void FileClose(int Handle);

constexpr int HFILE_ERROR = -1;
// Creates FileName, or truncates it to length 0, for reading and writing.
int _lcreat(const std::string& FileName, int Attribute);
// Writes Count bytes; returns the number written, or HFILE_ERROR.
int _lwrite(int Handle, const char* Buffer, int Count);
// Returns 0, or HFILE_ERROR when closing fails.
int _lclose(int Handle);
