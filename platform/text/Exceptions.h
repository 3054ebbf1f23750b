#pragma once
// Exceptions of the platform layer. Messages are Shift-JIS byte strings.

#include <string>

class Exception {
 public:
  explicit Exception(std::string message) : Message(std::move(message)) {}
  virtual ~Exception() = default;
  std::string Message;
};

// Raised when a text does not convert to a number.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};
