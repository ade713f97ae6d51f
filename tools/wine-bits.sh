#!/usr/bin/env bash
# Exit status 0 when Wine can run Windows programs of the given width (32 or
# 64) on this machine.
SORVENAL_WINE_BITS=$1 SORVENAL_WINE_CHECK_ONLY=1
. "$(dirname "$0")/wine-env.sh"
[ "$SORVENAL_WINE_OK" = 1 ]
