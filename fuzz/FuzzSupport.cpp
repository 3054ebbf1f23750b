#include "FuzzSupport.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "ExifFixture.h"

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

// The folder for the temporary directory: $TMPDIR when set, otherwise /dev/shm, a memory
// file system, when there is one: the input file is rewritten for every input.
std::string TempBase() {
  const char* base = std::getenv("TMPDIR");
  if (base && *base) return base;
  struct stat shm {};
  if (::stat("/dev/shm", &shm) == 0 && S_ISDIR(shm.st_mode) && ::access("/dev/shm", W_OK) == 0) {
    return "/dev/shm";
  }
  return "/tmp";
}

}  // namespace

std::string FuzzTempDir() {
  static const std::string dir = [] {
    std::string pattern = TempBase() + "/exif-fuzz-XXXXXX";
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
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) FuzzFail("cannot create the input file");
  size_t done = 0;
  while (done < size) {
    const ssize_t put = ::write(fd, data + done, size - done);
    if (put <= 0) FuzzFail("cannot write the input file");
    done += static_cast<size_t>(put);
  }
  if (::close(fd) != 0) FuzzFail("cannot write the input file");
}

std::string FixedPhotographPath() {
  static const std::string path = [] {
    // A private copy, so that no other program locking the shared corpus file can make
    // the load refuse it.
    std::ifstream in(std::string(EXIF_CORPUS_DIR) + "/canon-ixus.jpg", std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    if (bytes.empty()) bytes = fixture::SampleJpeg();
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
