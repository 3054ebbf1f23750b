#include "FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

namespace {

int OpenFile(const char* Path, int Flags, mode_t Mode) {
  return ::open(Path, Flags, Mode);
}
int AllocateSpace(int Handle, int Mode, off_t Offset, off_t Length) {
  return ::fallocate(Handle, Mode, Offset, Length);
}

}  // namespace

SystemFileCalls FileCalls = {OpenFile, ::read, ::write, AllocateSpace};

int ReadRegularFile(const std::string& FileName, void* Buffer, int Count) {
  // Non-blocking, so that a pipe neither waits for a writer when opened nor for data when
  // read, and without becoming our terminal when the name leads to one. What is not a
  // regular file is then refused before a byte is read.
  const int handle =
      FileCalls.Open(FileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0);
  if (handle < 0) return -1;
  struct stat status;
  if (::fstat(handle, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(handle);
    return -1;
  }
  // A read may return less than asked at any point. The size at opening marks the end, so
  // a file that fits is read with one call and no further one that only finds the end;
  // files that claim no size (those of /proc) are read until a read returns nothing.
  char* out = static_cast<char*>(Buffer);
  int total = 0;
  while (total < Count && (status.st_size == 0 || total < status.st_size)) {
    const ssize_t got = FileCalls.Read(handle, out + total, static_cast<size_t>(Count - total));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      total = -1;
      break;
    }
    if (got == 0) break;
    total += static_cast<int>(got);
  }
  ::close(handle);
  return total;
}

}  // namespace platform
