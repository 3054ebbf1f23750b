#include "OutputStream.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

void OutputStream::Write(const std::string& Bytes) {
  if (error_ != 0) return;
  pending_ += Bytes;
  if (pending_.size() > limit_) Flush();
}

void OutputStream::Flush() {
  size_t done = 0;
  while (error_ == 0 && done < pending_.size()) {
    const ssize_t put = ::write(fd_, pending_.data() + done, pending_.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      error_ = put < 0 ? errno : EIO;
      break;
    }
    done += static_cast<size_t>(put);
  }
  pending_.clear();
}

std::string OutputStream::ErrorText() const {
  return std::strerror(error_);
}
