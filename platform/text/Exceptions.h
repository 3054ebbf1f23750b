#pragma once
// Exceptions of the platform layer. Messages are Shift-JIS byte strings.

#include <stdexcept>
#include <string>

namespace platform {

// A standard exception, so that one catch of std::exception takes every failure; what()
// gives Message.
class Exception : public std::runtime_error {
 public:
  explicit Exception(std::string message)
      : std::runtime_error(message), Message(std::move(message)) {}
  const char* what() const noexcept override { return Message.c_str(); }
  std::string Message;
};

// Raised when a text does not convert to a number.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace platform
