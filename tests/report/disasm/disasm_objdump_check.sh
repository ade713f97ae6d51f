#!/usr/bin/env bash
# Checks that every instruction length that `disasm --linear` gives for real
# compiled i686 code agrees with objdump. The code: .text sections of the
# mingw runtime libraries and of a few files of this project compiled here
# with several option sets (x87, SSE2, MMX-era, AVX2/FMA (VEX), -O0/-O2/-Os).
# Usage: disasm_objdump_check.sh DISASM WORKDIR   (exit 77: tools missing)
set -euo pipefail
disasm=$1 work=$2
command -v objdump >/dev/null && command -v i686-w64-mingw32-objcopy >/dev/null \
  && command -v i686-w64-mingw32-g++-posix >/dev/null || { echo "skipped: cross tools missing"; exit 77; }
root=$(cd "$(dirname "$0")/../.." && pwd)
rm -rf "$work"; mkdir -p "$work"; cd "$work"

blobs=()
add_object() {  # object file -> raw .text blob
  local obj=$1 name=$2
  i686-w64-mingw32-objcopy -O binary --only-section=.text "$obj" "$name.bin" 2>/dev/null || return 0
  [ -s "$name.bin" ] && blobs+=("$name.bin")
  return 0
}
i=0
for opts in "-O0" "-O2" "-Os -march=pentium3 -mfpmath=387" "-O2 -msse2 -mfpmath=sse" "-O3 -march=core2" "-O2 -march=athlon -m3dnow" "-O3 -march=haswell -mfpmath=sse"; do
  for src in "$root"/report/disasm/quorDisAsm.cpp "$root"/report/disasm/quorDisAsmText.cpp "$root"/toolkit/SysUtils.cpp; do
    i=$((i+1))
    i686-w64-mingw32-g++-posix -std=c++20 -I"$root" $opts -c "$src" -o "o$i.o" 2>/dev/null && add_object "o$i.o" "c$i"
  done
done
# precompiled runtime code: libm/libmingwex (x87, SSE), libstdc++
for lib in /usr/i686-w64-mingw32/lib/libmingwex.a /usr/lib/gcc/i686-w64-mingw32/*-posix/libstdc++.a; do
  [ -f "$lib" ] || continue
  d=lib$((i=i+1)); mkdir -p "$d"; (cd "$d" && ar x "$lib")
  n=0
  for obj in "$d"/*.o; do
    n=$((n+1)); [ $n -gt 400 ] && break
    add_object "$obj" "$d/$(basename "$obj" .o)"
  done
done

total=0 bad=0
for blob in "${blobs[@]}"; do
  # objdump: "   addr:\tbytes\tmnemonic"; continuation lines of long byte lists
  # have no mnemonic and are folded into the previous instruction.
  # objdump folds a wait (9b) into the x87 instruction after it (fstcw);
  # the decoder keeps them apart, as the processor sees them.
  objdump -D -b binary -mi386 -M intel "$blob" | awk -F'\t' '
    function hex(s,   i, v) { v = 0; for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1; return v }
    function out() { if (w && len > 1) { print prev, 1, 0; print prev + 1, len - 1, bad } else print prev, len, bad }
    /^ *[0-9a-f]+:\t/ { split($1, a, ":"); addr=a[1]; sub(/^ +/, "", addr); n=split($2, b, " ");
      if (NF >= 3) { if (have) out(); prev=hex(addr); len=n; have=1; bad=($3 ~ /\(bad\)/); w=(b[1]=="9b" && $3 ~ /^f/) }
      else if (have) len+=n }
    END { if (have) out() }' > "$blob.obj"
  "$disasm" --linear "$blob" 0 | awk 'function hex(s,   i, v) { v = 0; for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1; return v }
                               { print hex($1), $2, ($3=="db") }' > "$blob.mine"
  # compare the instruction starts and lengths that both decode as valid
  r=$(awk 'NR==FNR { o[$1]=$2; ob[$1]=$3; next }
           { m[$1]=$2; mb[$1]=$3 }
           END { t=0; e=0; for (a in o) { if (ob[a]) continue; t++;
                   if (!(a in m) || mb[a] || m[a]!=o[a]) { e++; if (e<=5) printf "%x objdump=%d mine=%s\n", a, o[a], (a in m) ? m[a] (mb[a]?"(db)":"") : "-" > "/dev/stderr" } }
                 print t, e }' "$blob.obj" "$blob.mine" 2>"$blob.diff")
  set -- $r
  total=$((total+$1)); bad=$(($bad+$2))
  if [ "$2" != 0 ]; then echo "$blob: $2 of $1 differ"; cat "$blob.diff"; fi
done
echo "checked $total instructions in ${#blobs[@]} blobs, $bad differ"
[ "$bad" = 0 ]
