#pragma once
// DLLs from the system's own folder only. The program imports statically
// only DLLs the system keeps in its known list; any other one, and any DLL
// the system loads later on the program's behalf, is searched for in the
// system folder alone, never beside the program, where a planted copy
// would run with the user's rights.

#include <windows.h>

namespace korvath {

// First thing in the program: later loads search the system folder only.
void RestrictDllSearch();

// A function of a system DLL that the program does not import: the DLL is
// loaded from the system folder when the function is first asked for
// (null when it cannot be had). The shell's and COM's libraries are had so:
// imported, their loading weighed on every start-up (the window
// benchmark's start-up phases), while the program needs them only for a
// drop, a shell action, a run's taskbar progress or a screen reader.
// Function is the type of the function itself: decltype(&DragFinish).
void* SystemProcedure(const wchar_t* dll, const char* name);
template <class Function>
Function SystemFunction(const wchar_t* dll, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(SystemProcedure(dll, name)));
}

// WNetGetConnectionW, from mpr.dll loaded out of the system folder;
// ERROR_NOT_SUPPORTED when it cannot be had.
DWORD NetworkConnection(const wchar_t* local, wchar_t* remote, DWORD* length);

}  // namespace korvath
