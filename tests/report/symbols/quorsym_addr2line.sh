#!/usr/bin/env bash
# The functions of one source file of an image: the unit, name and line
# that quorsym reads back from the image's "EXCEPT" resource agree with
# addr2line on the image's debug information, which the build moved into a
# debug file beside it. (Functions that the line table places in headers are
# left out: addr2line names the compilation unit's file for some of them.)
set -euo pipefail
quorsym=$1 image=$2 debug=$3 unit=$4
command -v i686-w64-mingw32-addr2line >/dev/null || exit 77
mapfile -t addresses < <(i686-w64-mingw32-nm --defined-only "$image" | awk '$2 ~ /[Tt]/ {print $1}' | sort -u)
compared=0 fail=0
while IFS=$'\t' read -r address got_unit got_line name; do
  [ "$got_unit" = "$unit" ] || continue
  expected=$(i686-w64-mingw32-addr2line -e "$debug" "$address")
  want_line=${expected##*:}; want_line=${want_line%% *}
  want_file=$(basename "${expected%:*}")
  compared=$((compared + 1))
  if [ "$got_unit" != "$want_file" ] || [ "$got_line" != "$want_line" ]; then
    echo "MISMATCH $address $name: quorsym $got_unit:$got_line, addr2line $want_file:$want_line"
    fail=1
  fi
done < <("$quorsym" lookup "$image" "${addresses[@]}")
echo "$compared functions of $unit compared"
[ "$compared" -ge 5 ] || { echo "too few functions of $unit"; exit 1; }
exit $fail
