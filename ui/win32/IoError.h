#pragma once
// File-system failures of the browser: the platform's error code becomes an
// EInOutError whose message is the program's own text for that code.

#include <stdexcept>
#include <string>

namespace korvath {

// "ファイルが見つかりません" for 2, ... "I/O エラー (%d)" for codes without a text.
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
