#!/usr/bin/env bash
# Fails when a source under ui/ includes a header by a path ("main/Setup.h",
# "../browser/FileListBox.h"). Each library exports only its own folder, so
# a header is reached by its name alone, and only when the library it
# belongs to is one the including library stands on; a path would step past
# that, as a dialog including the main window's header would.
#   scripts/check-includes.sh [root]
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
bad=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]*/' "$root/ui" \
        --include='*.cpp' --include='*.h' || true)
if [ -n "$bad" ]; then
  echo "check-includes: headers included by a path under ui/:" >&2
  sed "s|^$root/|  |" <<<"$bad" >&2
  exit 1
fi
echo "check-includes: every header under ui/ is included by its name"
