#!/usr/bin/env bash
# Runs the Windows test programs under Wine, sharing one virtual display and
# one running wineserver so that each program starts in a fraction of a second.
set -euo pipefail
build=$1
. "$(dirname "$0")/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start
(cd "$build" && ctest --output-on-failure)
