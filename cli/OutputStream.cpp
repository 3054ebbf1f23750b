#include "OutputStream.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

void OutputStream::Write(const std::string& Bytes) {
  size_t done = 0;
  while (error_ == 0 && done < Bytes.size()) {
    const ssize_t put = ::write(fd_, Bytes.data() + done, Bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      error_ = put < 0 ? errno : EIO;
      break;
    }
    done += static_cast<size_t>(put);
  }
}

std::string OutputStream::ErrorText() const {
  return std::strerror(error_);
}
