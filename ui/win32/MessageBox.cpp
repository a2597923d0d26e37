#include "MessageBox.h"

#include <utility>

#include "WideText.h"

namespace korvath {
namespace {
MessageBoxHandler& Handler() {
  static MessageBoxHandler handler;
  return handler;
}
}  // namespace

int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
  if (Handler()) return Handler()(owner, text, caption, flags);
  return MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), flags);
}

void SetMessageBoxHandler(MessageBoxHandler handler) { Handler() = std::move(handler); }

}  // namespace korvath
