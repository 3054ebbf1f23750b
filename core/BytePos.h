#pragma once
// Search of a hexadecimal signature in the HexImage on whole bytes only.

#include <cstdint>
#include <string>

// The first odd position 2B+1 at which Signature starts in Image, or 0. A match that starts
// in the middle of a byte (an even position) does not count.
inline int32_t BytePos(const std::string& Signature, const std::string& Image) {
  for (size_t at = Image.find(Signature); at != std::string::npos;
       at = Image.find(Signature, at + 1)) {
    if (at % 2 == 0) return static_cast<int32_t>(at + 1);
  }
  return 0;
}
