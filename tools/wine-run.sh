#!/usr/bin/env bash
# Runs one Windows test program under Wine (used by ctest in the win build).
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
trap '[ -n "$_sorvenal_xvfb_pid" ] && kill "$_sorvenal_xvfb_pid" 2>/dev/null; true' EXIT
wine "$@"
