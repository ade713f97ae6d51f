#!/usr/bin/env bash
# Replays a fuzz target's seed corpus, then fuzzes for FUZZ_SECONDS (default 10).
set -euo pipefail
target=$1 corpus=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ -d "$corpus" ] && cp -r "$corpus/." "$work/"
"$target" -max_total_time="${FUZZ_SECONDS:-10}" -rss_limit_mb=2048 -print_final_stats=0 "$work" 2>"$work.log" || { tail -n 60 "$work.log"; rm -f "$work.log"; exit 1; }
rm -f "$work.log"
