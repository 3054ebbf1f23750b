#include "FileIO.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

int FileOpen(const std::string& FileName, int Mode) {
  // Non-blocking, so that a named pipe or a terminal given a file's name neither waits for
  // a writer when opened nor for data when read; regular files read as ever.
  const int fd = ::open(FileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return -1;
  // Locks are advisory here. A file that another program holds locked exclusively is
  // refused; our own loads only share a lock, so two of them never refuse each other.
  if ((Mode & fmShareExclusive) && ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
    ::close(fd);
    return -1;
  }
  return fd;
}

int FileRead(int Handle, void* Buffer, int Count) {
  char* out = static_cast<char*>(Buffer);
  int total = 0;
  while (total < Count) {
    const ssize_t got = ::read(Handle, out + total, static_cast<size_t>(Count - total));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return total > 0 ? total : -1;
    if (got == 0) break;
    total += static_cast<int>(got);
  }
  return total;
}

void FileClose(int Handle) {
  if (Handle >= 0) ::close(Handle);
}

int _lcreat(const std::string& FileName, int /*Attribute*/) {
  const int fd = ::open(FileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  return fd < 0 ? HFILE_ERROR : fd;
}

int _lwrite(int Handle, const char* Buffer, int Count) {
  int total = 0;
  while (total < Count) {
    const ssize_t put = ::write(Handle, Buffer + total, static_cast<size_t>(Count - total));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return HFILE_ERROR;
    total += static_cast<int>(put);
  }
  return total;
}

int _lclose(int Handle) {
  return ::close(Handle) == 0 ? 0 : HFILE_ERROR;
}
