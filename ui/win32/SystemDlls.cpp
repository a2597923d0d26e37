#include "SystemDlls.h"

namespace korvath {
namespace {
// A function of a system DLL, looked up by name. The cast passes through
// the generic function type, which the compiler lets any function type
// convert to.
template <class Function>
Function Lookup(HMODULE module, const char* name) {
  if (!module) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}
}  // namespace

void* SystemProcedure(const wchar_t* dll, const char* name) {
  HMODULE module = GetModuleHandleW(dll);
  if (!module) module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return module ? reinterpret_cast<void*>(GetProcAddress(module, name)) : nullptr;
}

void RestrictDllSearch() {
  // Looked up rather than imported: systems before Windows 8 have it only
  // with an update, and the program must start without it.
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  const auto set =
      Lookup<SetDirectories>(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
  if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

DWORD NetworkConnection(const wchar_t* local, wchar_t* remote, DWORD* length) {
  using GetConnection = DWORD(WINAPI*)(LPCWSTR, LPWSTR, LPDWORD);
  static const GetConnection get = Lookup<GetConnection>(
      LoadLibraryExW(L"mpr.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), "WNetGetConnectionW");
  return get ? get(local, remote, length) : ERROR_NOT_SUPPORTED;
}

}  // namespace korvath
