#!/usr/bin/env bash
# Runs the Windows test programs under Wine, sharing one virtual display and
# one running wineserver so that each program starts in a fraction of a second.
set -euo pipefail
build=$1
. "$(dirname "$0")/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start
if [ "$SORVENAL_WINE_OK" != 1 ]; then
  echo "test-win: WARNING: $SORVENAL_WINE_MISSING; the Windows test programs are reported as skipped" >&2
fi
(cd "$build" && ctest --output-on-failure)
