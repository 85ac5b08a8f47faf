#!/usr/bin/env bash
# scripts/check-layers on small trees: each case is one include in
# tariff/plan.cpp and whether the check must refuse it.
set -uo pipefail
check="$(cd "$(dirname "$0")/../.." && pwd)/scripts/check-layers"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/tariff" "$tree/run" "$tree/base"
touch "$tree/run/x.h" "$tree/base/y.h" "$tree/tariff/z.h"

failures=0
while IFS='|' read -r include refused; do
  printf '#include "%s"\n' "$include" > "$tree/tariff/plan.cpp"
  if "$check" "$tree" > /dev/null; then verdict=accepted; else verdict=refused; fi
  expected=accepted
  [ "$refused" = yes ] && expected=refused
  if [ "$verdict" != "$expected" ]; then
    echo "FAIL: #include \"$include\" in tariff/ was $verdict, expected $expected"
    failures=$((failures + 1))
  fi
done <<'CASES'
base/y.h|no
tariff/z.h|no
run/x.h|yes
../run/x.h|yes
../base/y.h|yes
./../run/x.h|yes
CASES
exit $((failures > 0))
