#pragma once
// Unbuffered writes to a file descriptor that remember the first failure, so that a full
// disk or a closed pipe is reported instead of lost.

#include <string>

class OutputStream {
 public:
  explicit OutputStream(int Fd) : fd_(Fd) {}

  // Writes all of Bytes with as few system calls as the descriptor allows. After a
  // failure nothing more is written.
  void Write(const std::string& Bytes);
  bool Failed() const { return error_ != 0; }
  // The system's reason for the first failure.
  std::string ErrorText() const;

 private:
  int fd_;
  int error_ = 0;
};
