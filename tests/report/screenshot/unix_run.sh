#!/bin/sh
# Runs a Linux program for a Windows test under Wine (started with
# `start.exe /unix`, which does not wait): its output and a last line
# "exit N" land in the file named first, which appears whole at the end.
out=$1
shift
"$@" >"$out.part" 2>&1
echo "exit $?" >>"$out.part"
mv "$out.part" "$out"
