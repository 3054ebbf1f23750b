#pragma once
// Writing the saved report.

#include <string>

// Writes exactly the bytes of Text as the whole content of FileName (native path bytes),
// creating it or replacing what it held. True only when every byte was written and the file
// closed; on false an existing file is exactly as it was and a new name left free.
bool SaveTextFile(const std::string& FileName, const std::string& Text);
