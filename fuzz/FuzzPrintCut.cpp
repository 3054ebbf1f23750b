// The print cutting: a line of any bytes (tabs included) is tab-expanded and cut into rows
// of at most a given number of bytes. Joining the rows gives the expanded line back, no
// row is longer than allowed, a cut never splits a double-byte character, and a row is
// shorter than allowed only when the next character would not fit.

#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "PrintLayout.h"
#include "ShiftJis.h"

using platform::IsSjisLeadByte;

namespace {

std::string ReferenceExpandTabs(const std::string& line) {
  std::string out;
  for (size_t i = 0; i < line.size(); ++i) {
    out += line[i] == '\t' ? std::string(8, ' ') : std::string(1, line[i]);
  }
  return out;
}

// Where each character starts, reading from the line's start: a lead byte and the byte
// after it are one character; the last byte of a line is one character whatever it is.
std::vector<bool> CharacterStarts(const std::string& s) {
  std::vector<bool> starts(s.size() + 1, false);
  size_t at = 0;
  while (at < s.size()) {
    starts[at] = true;
    at += IsSjisLeadByte(static_cast<unsigned char>(s[at])) && at + 1 < s.size() ? 2 : 1;
  }
  starts[s.size()] = true;
  return starts;
}

}  // namespace

// Input: one byte for the characters per line (0 to 255, so pages too narrow are tried
// too), the rest the line.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int charsPerLine = data[0];
  const std::string line(reinterpret_cast<const char*>(data + 1), size - 1);

  const std::string expanded = ExpandTabs(line);
  if (expanded != ReferenceExpandTabs(line)) FuzzFail("ExpandTabs");

  const size_t limit = charsPerLine < 2 ? 2 : static_cast<size_t>(charsPerLine);
  const std::vector<std::string> rows = CutLine(expanded, charsPerLine);
  if (rows.empty()) FuzzFail("CutLine gives no row");
  const std::vector<bool> starts = CharacterStarts(expanded);

  std::string joined;
  for (size_t r = 0; r < rows.size(); ++r) {
    const std::string& row = rows[r];
    const bool last = r + 1 == rows.size();
    if (row.size() > limit) FuzzFail("a row is longer than the characters per line");
    if (row.empty() && !(last && rows.size() == 1)) FuzzFail("an empty row");
    joined += row;
    if (!starts[joined.size()]) FuzzFail("a cut splits a double-byte character");
    // A row ends early only when the double-byte character after it does not fit.
    if (!last && row.size() < limit && !(row.size() + 2 > limit)) {
      FuzzFail("a row ends before it is full");
    }
  }
  if (joined != expanded) FuzzFail("the rows do not join to the expanded line");
  return 0;
}
