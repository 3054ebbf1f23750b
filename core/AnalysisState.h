#pragma once
// The analysis state: the chosen file, its loaded bytes, the entry tables and the counters
// that the analysis steps share. One instance lives for the whole run of the program;
// a default-constructed one is the state at program load.

#include <array>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

// One directory entry, each field "0x" and its hexadecimal digits in reading order.
struct EntryRow {
  std::string Tag;    // "0x" and 4 digits
  std::string Type;   // "0x" and 4 digits
  std::string Count;  // "0x" and 8 digits
  std::string Value;  // "0x" and 8 digits: the value, or its offset from the TIFF header
};

// The entries of one directory, row 0 first. It starts with 50 empty rows and grows when
// a directory has more entries, up to its limit; entries beyond the limit are not kept.
class EntryTable {
 public:
  static constexpr int32_t kInitialRows = 50;
  static constexpr int32_t kNoLimit = INT32_MAX;
  EntryTable() : EntryTable(kNoLimit) {}
  explicit EntryTable(int32_t Limit) : rows_(kInitialRows), limit_(Limit) {}

  // Row Index to be written, added with the rows before it when the table does not hold it
  // yet; nullptr for an Index below 0 or from the limit on, whose entry is not kept.
  EntryRow* RowToWrite(int32_t Index);
  // Puts Entry into row Index when the table keeps that row.
  void Store(int32_t Index, EntryRow&& Entry);
  // Row Index, or an empty row when the table does not hold it.
  const EntryRow& At(int32_t Index) const;
  int32_t Size() const { return static_cast<int32_t>(rows_.size()); }

 private:
  std::vector<EntryRow> rows_;
  int32_t limit_;
};

constexpr int32_t kLoadBufferSize = 15000;
constexpr int32_t kMaxLoadBytes = 10000;
constexpr int32_t kTextBufferSize = 256;
constexpr int32_t kHexImageLength = 2 * kLoadBufferSize;

struct AnalysisState {
  std::string SelectedFile;                           // full path, native bytes
  std::array<uint8_t, kLoadBufferSize> LoadBuffer{};  // first bytes of the file
  std::array<char, kTextBufferSize> TextBuffer{};     // work area of ASCII values
  int32_t ExifPointerPos = 0;  // HexImage position of IFD0's 0x8769 entry; 0: none
  EntryTable Ifd0Table;
  // Nothing reads IFD1's entries after the listing, and its count can reach 65535: the
  // table keeps its first 50 rows only.
  EntryTable Ifd1Table{EntryTable::kInitialRows};
  EntryTable SubIfdTable;
  int32_t RowCounter = 0;  // row that the next split entry goes to
  int32_t Ifd0Count = 0;
  int32_t SubIfdCount = 0;
  int32_t TiffBase = 0;         // file offset of the TIFF header found by the last analysis
  std::string HexImageStorage;  // the HexImage of the last load; one storage serves all
};

// The 30000-character uppercase hexadecimal text of the whole LoadBuffer, two digits a
// byte, high digit first. The byte at file offset B stands at positions 2B+1 and 2B+2.
std::string HexImage(const AnalysisState& State);
// The same text written over Image, whose storage is kept when it is large enough. When
// the bytes of LoadBuffer from ZeroFrom on are known to be zero, as a load leaves them,
// their digits are filled in as "0" without being converted.
void BuildHexImage(const AnalysisState& State, std::string& Image,
                   int32_t ZeroFrom = kLoadBufferSize);
