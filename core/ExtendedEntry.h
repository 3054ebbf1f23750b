#pragma once
// One directory entry as the extended analysis lists it, and the small readings that its
// listing and its interpretation share.

#include <cstdint>
#include <string>

#include "ByteOrderReader.h"

struct ExtendedEntry {
  int64_t At = 0;     // file offset of the entry's first byte
  std::string Tag;    // "0x" and 4 digits, in reading order
  std::string Type;   // "0x" and 4 digits
  std::string Count;  // "0x" and 8 digits
  std::string Value;  // "0x" and 8 digits: the value, or its offset from the TIFF header
};

// The file offset as at least five uppercase hex digits, "H  : ", then Text: the prefix of
// every listing line.
std::string OffsetLine(int64_t Offset, const std::string& Text);
// The same prefix, appended to Out.
void AppendOffsetPrefix(int64_t Offset, std::string& Out);

// The number of a complete "0x" field of an entry; 0 when the field was cut short.
uint32_t FieldNumber(const std::string& Field);

// The file offset of an entry's value of Bytes bytes: inside the entry itself when it fits
// in the 4-byte value field, otherwise Value counted from the TIFF header at Base.
int64_t ValueOffset(const ExtendedEntry& Entry, int64_t Base, uint32_t Value, int64_t Bytes);
