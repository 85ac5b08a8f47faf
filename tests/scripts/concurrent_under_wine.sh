#!/usr/bin/env bash
# Two zelk.exe runs under Wine at once in one program folder, each learning
# a different connection name: zelk.cfg must end with both (the lock and the
# staged replacement of the Windows side), and both runs end normally.
# Usage: concurrent_under_wine.sh ZELK_EXE SOURCE_DIR [PAIRS]; Wine is
# $ZELK_WINE, else wine.
set -euo pipefail
exe=$(realpath "$1") source=$(realpath "$2") pairs=${3:-20}
wine=${ZELK_WINE:-wine}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
crlf() { printf '%s\r\n' "$@"; }

for ((i = 0; i < pairs; i++)); do
  home="$root/h$i"
  mkdir -p "$home"
  cp "$source/data/ma.zlk" "$home/"
  crlf "zelk Version 4.21" "=de" >"$home/zelk.cfg"
  for side in A B; do
    crlf "RasUp log" "date,time,length,speed,protocol,entry" \
         "2001/03/01,10:00:00,00:01:00,64000,PPP,NAME-$side" >"$home/$side.txt"
  done
done

for ((i = 0; i < pairs; i++)); do
  for side in A B; do
    (cd "$root/h$i" && ZELK_HOME="Z:$root/h$i/" ZELK_TODAY=2001-03-20 \
       "$wine" "$exe" "-rZ:$root/h$i/$side.txt" >/dev/null 2>&1; echo $? >"exit$side") &
  done
  wait
done

lost=0 failed=0
for ((i = 0; i < pairs; i++)); do
  settings="$root/h$i/zelk.cfg"
  grep -q $'^\$NAME-A==0999\r$' "$settings" && grep -q $'^\$NAME-B==0999\r$' "$settings" || lost=$((lost + 1))
  for side in A B; do [ "$(cat "$root/h$i/exit$side")" = 0 ] || failed=$((failed + 1)); done
done
echo "$pairs pairs of zelk.exe runs: $lost lost a name, $failed runs did not end normally"
[ "$lost" = 0 ] && [ "$failed" = 0 ]
