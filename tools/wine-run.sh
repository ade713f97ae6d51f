#!/usr/bin/env bash
# Runs one Windows test program under Wine (used by ctest in the win build).
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
trap '[ -n "$_sorvenal_xvfb_pid" ] && kill "$_sorvenal_xvfb_pid" 2>/dev/null; true' EXIT
if [ "$SORVENAL_WINE_OK" != 1 ]; then
  echo "skipped: $SORVENAL_WINE_MISSING"
  exit 77  # ctest's skip code for the Windows tests
fi
wine "$@"
