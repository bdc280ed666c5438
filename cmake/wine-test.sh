#!/bin/sh
# Runs a Windows program under Wine with the project's prefix and a Japanese locale.
# Usage: wine-test.sh PREFIX WINDOWED PROGRAM [ARGS...]
# The output goes through a file: Wine's helper processes inherit the
# standard handles and would keep a pipe open after the program ends.
prefix=$1; windowed=$2; shift 2
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX="$prefix"
wine=$(command -v wine64 || command -v wine)
out=$(mktemp)
if [ "$windowed" = 1 ] && [ -z "$DISPLAY" ]; then
  xvfb-run -a "$wine" "$@" >"$out" 2>&1 </dev/null
else
  "$wine" "$@" >"$out" 2>&1 </dev/null
fi
rc=$?
cat "$out"
rm -f "$out"
exit $rc
