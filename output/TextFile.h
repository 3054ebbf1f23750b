#pragma once
// Writing the saved report.

#include <string>

// Creates FileName (native path bytes), or empties an existing file, and writes exactly the
// bytes of Text. True only when the file was created, every byte written and the file
// closed; the file is closed in every case once it was created.
bool SaveTextFile(const std::string& FileName, const std::string& Text);
