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

// WNetGetConnectionW, from mpr.dll loaded out of the system folder;
// ERROR_NOT_SUPPORTED when it cannot be had.
DWORD NetworkConnection(const wchar_t* local, wchar_t* remote, DWORD* length);

}  // namespace korvath
