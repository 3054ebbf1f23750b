#pragma once
// Small helpers shared by the fuzz targets: a private temporary directory, writing an
// input to a file, the fixed photograph, and a loud failure that libFuzzer records.

#include <cstddef>
#include <cstdint>
#include <string>

// A directory of this process under $TMPDIR, or else /dev/shm or /tmp, removed with its
// files at exit.
std::string FuzzTempDir();

// The path of a file Name in that directory, removed at exit.
std::string FuzzTempFile(const std::string& name);

void WriteFileOrDie(const std::string& path, const uint8_t* data, size_t size);

// A real camera photograph from the shared corpus; when the corpus is absent, the tests'
// small well-formed sample file with Make, Model and a SubIFD, in the temporary directory.
std::string FixedPhotographPath();

// Prints why and aborts, so that libFuzzer saves the input as a crash.
[[noreturn]] void FuzzFail(const char* why);
