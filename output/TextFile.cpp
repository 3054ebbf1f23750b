#include "TextFile.h"

#include "FileReplace.h"

using platform::ReplaceFileContents;

bool SaveTextFile(const std::string& FileName, const std::string& Text) {
  return ReplaceFileContents(FileName, Text);
}
