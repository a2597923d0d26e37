#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test:
#   native       portable libraries and their tests (Linux g++)
#   native-asan  the same under AddressSanitizer and UBSan
#   fuzz         short libFuzzer runs of the parsers (clang)
#   windows      the whole program cross-built, every test under Wine
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
# A header is reached by its name, through the library that exports its folder.
bash scripts/check-includes.sh

summary=()
for preset in native native-asan fuzz windows; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  # The program must not import a DLL that a copy beside it could replace.
  if [ "$preset" = windows ]; then bash scripts/check-imports.sh build/windows/ui/Korvath.exe; fi
  log=$(mktemp)
  ctest --preset "$preset" 2>&1 | tee "$log"
  summary+=("$preset: $(grep -E 'tests passed|No tests were found' "$log" | tail -n 1)")
  rm -f "$log"
done

echo "== summary"
printf '%s\n' "${summary[@]}"
