#!/usr/bin/env bash
# Fails when an executable's import table names a DLL outside the system's
# known DLLs (or the API sets): any other DLL is looked for beside the
# executable first, where whoever unpacked the release next to a planted
# copy would have it loaded before the program's first line runs.
#   scripts/check-imports.sh build/windows/ui/Korvath.exe
set -euo pipefail
exe=${1:?usage: check-imports.sh <exe>}
allowed='^(kernel32|user32|gdi32|comctl32|shell32|ole32|oleaut32|advapi32|comdlg32|shlwapi|msvcrt|api-ms-win-.*)\.dll$'
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
if [ -z "$dlls" ]; then
  echo "check-imports: no import table read from $exe" >&2
  exit 1
fi
bad=$(grep -Ev "$allowed" <<<"$dlls" || true)
if [ -n "$bad" ]; then
  echo "check-imports: $exe imports DLLs that may be planted beside it:" >&2
  sed 's/^/  /' <<<"$bad" >&2
  exit 1
fi
echo "check-imports: $(wc -l <<<"$dlls") DLLs, all known to the system"
