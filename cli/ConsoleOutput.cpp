#include "ConsoleOutput.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// True when both descriptors lead to the same file, pipe or terminal.
bool SamePlace(int a, int b) {
  struct stat sa {};
  struct stat sb {};
  if (::fstat(a, &sa) != 0 || ::fstat(b, &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// Writes all of Bytes; 0, or the errno of the failure.
int WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return put < 0 ? errno : EIO;
    done += static_cast<size_t>(put);
  }
  return 0;
}

}  // namespace

ConsoleOutput::ConsoleOutput(int OutFd, int ErrFd, size_t Limit)
    : outFd_(OutFd), errFd_(ErrFd), limit_(Limit), shared_(SamePlace(OutFd, ErrFd)) {}

void ConsoleOutput::Written() {
  if (out_.size() > limit_) {
    if (error_ == 0) error_ = WriteAll(outFd_, out_);
    out_.clear();
  }
  if (err_.size() > limit_) Flush();
}

void ConsoleOutput::Flush() {
  if (error_ == 0 && !out_.empty()) error_ = WriteAll(outFd_, out_);
  out_.clear();
  if (!err_.empty()) WriteAll(errFd_, err_);
  err_.clear();
}

std::string ConsoleOutput::ErrorText() const {
  return std::strerror(error_);
}

void ConsoleOutput::Complain(const std::string& Message) {
  out_.clear();
  err_ += Message;
  WriteAll(errFd_, err_);
  err_.clear();
}
