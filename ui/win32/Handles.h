#pragma once
// Owned Win32 handles. Each alias fixes the call that frees its kind of
// handle, so a handle is freed exactly once, when its owner goes, on every
// path out (an exception included). A GDI object selected into a DC is put
// back by SelectGuard.

#include <windows.h>

#include <utility>

namespace korvath {

// Holds one handle and frees it with Free. Searches and files report a
// failure as INVALID_HANDLE_VALUE rather than null; both are held as null,
// so `if (handle)` reads the same for every kind.
template <typename H, auto Free>
class Owned {
 public:
  Owned() = default;
  explicit Owned(H handle) : handle_(Usable(handle) ? handle : nullptr) {}
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : handle_(other.Release()) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ~Owned() { Reset(); }

  H Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset(H handle = nullptr) {
    if (handle_) Free(handle_);
    handle_ = Usable(handle) ? handle : nullptr;
  }
  H Release() { return std::exchange(handle_, nullptr); }

 private:
  static bool Usable(H handle) {
    return handle && static_cast<HANDLE>(handle) != INVALID_HANDLE_VALUE;
  }

  H handle_ = nullptr;
};

namespace release {
// Plain functions, not the imported ones: an import's address is no
// constant a template can take.
inline void GdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void MemoryDC(HDC dc) { DeleteDC(dc); }
inline void Search(HANDLE search) { FindClose(search); }
inline void KernelObject(HANDLE object) { CloseHandle(object); }
}  // namespace release

using OwnedFont = Owned<HFONT, &release::GdiObject>;
using OwnedBrush = Owned<HBRUSH, &release::GdiObject>;
using OwnedPen = Owned<HPEN, &release::GdiObject>;
using OwnedBitmap = Owned<HBITMAP, &release::GdiObject>;
using OwnedMemoryDC = Owned<HDC, &release::MemoryDC>;  // from CreateCompatibleDC
using OwnedFind = Owned<HANDLE, &release::Search>;     // from FindFirstFileA
using OwnedFile = Owned<HANDLE, &release::KernelObject>;  // from CreateFileA
// Events and threads, from CreateEventA and CreateThread.
using OwnedKernelObject = Owned<HANDLE, &release::KernelObject>;

// A window's (or with null, the screen's) DC from GetDC, given back by
// ReleaseDC, which needs the window too.
class WindowDC {
 public:
  explicit WindowDC(HWND window = nullptr) : window_(window), dc_(GetDC(window)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a DC for the guard's lifetime; a null object
// selects nothing.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object)
      : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard() {
    if (previous_) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace korvath
