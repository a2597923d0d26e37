// A message box as the program asked for it, as a test's message box
// handler records it.
#pragma once

#include <windows.h>

#include <string>

namespace korvath::testsupport {

struct Box {
  std::string text, caption;
  UINT flags;
};

}  // namespace korvath::testsupport
