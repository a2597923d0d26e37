#pragma once
// File-system failures of the browser: the platform's error code becomes an
// EInOutError whose message is the program's own text for that code.

#include <stdexcept>
#include <string>

namespace korvath {

// The program's text for 2 (file not found) to 5 (access denied), and the
// general I/O error text with the number for the other codes.
std::string IoErrorText(unsigned long code);

class EInOutError : public std::runtime_error {
 public:
  explicit EInOutError(unsigned long code);
  unsigned long ErrorCode() const { return code_; }

 private:
  unsigned long code_;
};

// Throws EInOutError with the calling thread's last error code.
[[noreturn]] void RaiseLastIoError();

}  // namespace korvath
