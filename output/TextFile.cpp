#include "TextFile.h"

#include <algorithm>

#include "FileIO.h"

namespace {
// _lwrite counts in int; larger texts go in pieces of this size.
constexpr size_t kMaxPiece = size_t{1} << 30;
}  // namespace

bool SaveTextFile(const std::string& FileName, const std::string& Text) {
  const int handle = _lcreat(FileName, 0);
  if (handle == HFILE_ERROR) return false;
  bool written = true;
  for (size_t done = 0; written && done < Text.size();) {
    const int piece = static_cast<int>(std::min(kMaxPiece, Text.size() - done));
    written = _lwrite(handle, Text.data() + done, piece) == piece;
    done += static_cast<size_t>(piece);
  }
  const bool closed = _lclose(handle) == 0;
  return written && closed;
}
