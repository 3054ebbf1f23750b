#include "FuzzSupport.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

// Kept for the whole run (never destroyed), so the exit handler can still walk it.
std::vector<std::string>& CreatedFiles() {
  static auto* files = new std::vector<std::string>;
  return *files;
}

void RemoveTempDir() {
  for (const std::string& file : CreatedFiles()) ::unlink(file.c_str());
  ::rmdir(FuzzTempDir().c_str());
}

void PutLe(std::vector<uint8_t>& out, size_t at, uint32_t value, int bytes) {
  if (out.size() < at + bytes) out.resize(at + bytes);
  for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

void PutText(std::vector<uint8_t>& out, size_t at, const std::string& text) {
  if (out.size() < at + text.size() + 1) out.resize(at + text.size() + 1);
  for (size_t i = 0; i < text.size(); ++i) out[at + i] = static_cast<uint8_t>(text[i]);
  out[at + text.size()] = 0;
}

// TIFF offsets (file offset - 12): 8 IFD0 (3 entries) | 50 IFD1 (1 entry) | 68 Make
// | 74 Model | 84 SubIFD (2 entries) | 114 ExposureTime 1/60 | 122 DateTimeOriginal.
std::vector<uint8_t> SmallExifFile() {
  std::vector<uint8_t> f = {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x90, 'E',  'x',  'i',  'f',
                            0,    0,    'I',  'I',  0x2A, 0x00, 0x08, 0x00, 0x00, 0x00};
  const size_t t = 12;
  auto entry = [&](size_t at, uint16_t tag, uint16_t type, uint32_t count, uint32_t value) {
    PutLe(f, t + at, tag, 2);
    PutLe(f, t + at + 2, type, 2);
    PutLe(f, t + at + 4, count, 4);
    PutLe(f, t + at + 8, value, 4);
  };
  PutLe(f, t + 8, 3, 2);
  entry(10, 0x010F, 2, 6, 68);
  entry(22, 0x0110, 2, 10, 74);
  entry(34, 0x8769, 4, 1, 84);
  PutLe(f, t + 46, 50, 4);
  PutLe(f, t + 50, 1, 2);
  entry(52, 0x0103, 3, 1, 6);
  PutLe(f, t + 64, 0, 4);
  PutText(f, t + 68, "MAKER");
  PutText(f, t + 74, "MODEL 123");
  PutLe(f, t + 84, 2, 2);
  entry(86, 0x829A, 5, 1, 114);
  entry(98, 0x9003, 2, 20, 122);
  PutLe(f, t + 110, 0, 4);
  PutLe(f, t + 114, 1, 4);
  PutLe(f, t + 118, 60, 4);
  PutText(f, t + 122, "2010:03:26 12:34:56");
  return f;
}

}  // namespace

std::string FuzzTempDir() {
  static const std::string dir = [] {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/exif-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) FuzzFail("cannot create a temporary directory");
    return pattern;
  }();
  static const bool registered = (std::atexit(RemoveTempDir), true);
  (void)registered;
  return dir;
}

std::string FuzzTempFile(const std::string& name) {
  const std::string path = FuzzTempDir() + "/" + name;
  CreatedFiles().push_back(path);
  return path;
}

void WriteFileOrDie(const std::string& path, const uint8_t* data, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  out.close();
  if (!out) FuzzFail("cannot write the input file");
}

std::string FixedPhotographPath() {
  static const std::string path = [] {
    // A private copy, so that no other program locking the shared corpus file can make
    // the load refuse it.
    std::ifstream in(std::string(EXIF_CORPUS_DIR) + "/canon-ixus.jpg", std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    if (bytes.empty()) bytes = SmallExifFile();
    const std::string copy = FuzzTempFile("photo.jpg");
    WriteFileOrDie(copy, bytes.data(), bytes.size());
    return copy;
  }();
  return path;
}

void FuzzFail(const char* why) {
  std::fprintf(stderr, "FUZZ FAILURE: %s\n", why);
  std::fflush(stderr);
  std::abort();
}
