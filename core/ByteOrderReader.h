#pragma once
// Reads the TIFF structure of a loaded file in its own byte order, Intel ("II") or
// Motorola ("MM"). Every byte goes through Bytes(), the one bounds-checked accessor, so no
// offset or count taken from the file can reach outside the data.

#include <cstdint>
#include <string>
#include <vector>

enum class ByteOrder { Intel, Motorola };

// A run of bytes inside the data: fewer than asked where the data ends, none beyond it.
struct ByteSpan {
  const uint8_t* Data = nullptr;
  uint32_t Size = 0;
};

class ByteOrderReader {
 public:
  ByteOrderReader(const std::vector<uint8_t>& Data, ByteOrder Order) : data_(Data), order_(Order) {}

  ByteOrder Order() const { return order_; }
  int64_t Size() const { return static_cast<int64_t>(data_.size()); }

  // The Count bytes from file offset Offset on, cut at the end of the data.
  ByteSpan Bytes(int64_t Offset, int64_t Count) const;

  // Uppercase hexadecimal digits of the bytes as they stand in the file.
  std::string StoredHex(int64_t Offset, int64_t Count) const;

  // "0x" and the digits of the Width-byte number at Offset, most significant first, read in
  // the file's byte order. Where the data ends early the digits of the bytes that remain
  // are given ("0x" alone when none remain), as a cut field of the hex listing reads.
  std::string NumberText(int64_t Offset, int64_t Width) const;

  // "0x" and 8 digits: an entry's 4-byte value field at Offset, holding a value of Type
  // with Count items. Values that fit in the field are read item by item in the file's
  // byte order and put together as an Intel file holds them, so that the first SHORT is
  // always the low 16 bits and the first BYTE the low 8; a field that holds a LONG or an
  // offset is read as one 32-bit number.
  std::string ValueText(int64_t Offset, uint32_t Type, uint32_t Count) const;

 private:
  const std::vector<uint8_t>& data_;
  ByteOrder order_;
};
