#pragma once
// A window's text as the program's UTF-8, read and written through the wide
// functions, so that names in any script survive the trip.

#include <windows.h>

#include <string>
#include <string_view>

#include "WideText.h"

namespace korvath {

// As drawn: owner-drawn controls paint the wide text itself.
inline std::wstring WideWindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

inline std::string WindowText(HWND window) { return Narrow(WideWindowText(window)); }

inline void SetWindowTextUtf8(HWND window, std::string_view text) {
  SetWindowTextW(window, Widen(text).c_str());
}

}  // namespace korvath
