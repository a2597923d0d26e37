#pragma once
// Switches the platform's critical-error dialogs off for one volume query
// (a drive without a medium then fails quietly) and back on afterwards.

#include <windows.h>

namespace korvath {

class CriticalErrorsOff {
 public:
  CriticalErrorsOff() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
  CriticalErrorsOff(const CriticalErrorsOff&) = delete;
  CriticalErrorsOff& operator=(const CriticalErrorsOff&) = delete;
  ~CriticalErrorsOff() { SetErrorMode(previous_); }

 private:
  UINT previous_;
};

}  // namespace korvath
