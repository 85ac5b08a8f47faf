#!/usr/bin/env bash
# The shell completions the build writes (completions/ in the build folder):
# bash's is sourced and driven as bash drives it, through COMP_LINE,
# COMP_POINT, COMP_WORDS (broken at "=" and ":" as bash breaks them) and
# COMP_TYPE; zsh's and fish's are checked where those shells are installed.
# Every flag of zelk --help must be completed by all three.
#   completion_test.sh BUILD_DIR ZELK
set -uo pipefail
build=$(realpath "$1")
zelk=$(realpath "$2")
completions=$build/completions
failures=0
fail() { printf 'FAIL: %s\n' "$*" >&2; failures=$((failures + 1)); }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/logs"
: >"$scratch/logs/wterm.tel"
cd "$scratch"

source "$completions/zelk"

# What bash's completion offers for `line` (the cursor at its end) with
# COMP_TYPE `type`, one reply a line.
bash_complete() {
  local line=$1 type=$2 rest word
  COMP_LINE=$line COMP_POINT=${#line} COMP_TYPE=$type COMP_WORDS=()
  rest=$line
  while [[ -n $rest ]]; do
    if [[ $rest =~ ^[[:space:]]+(.*)$ ]]; then
      rest=${BASH_REMATCH[1]}
    elif [[ $rest =~ ^([=:])(.*)$ ]]; then
      COMP_WORDS+=("${BASH_REMATCH[1]}") rest=${BASH_REMATCH[2]}
    else
      [[ $rest =~ ^([^[:space:]=:]+)(.*)$ ]]
      COMP_WORDS+=("${BASH_REMATCH[1]}") rest=${BASH_REMATCH[2]}
    fi
  done
  [[ $line == *[[:space:]] ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _zelk
  ((${#COMPREPLY[@]} == 0)) || printf '%s\n' "${COMPREPLY[@]}"
}

# line | COMP_TYPE | the whole answer, as an extended regular expression
# (rows of one answer joined by "|", which no answer holds). Types: 9 Tab,
# 37 menu-complete (both insert), 63 a second Tab (lists).
while IFS='|' read -r line type pattern; do
  [[ -z $line || $line == \#* ]] && continue
  pattern=${pattern//\\n/$'\n'}
  answer=$(bash_complete "$line" "$type")
  [[ $answer =~ ^${pattern}$ ]] || fail "bash: '$line' ($type) gave: ${answer//$'\n'/ / }"
done <<'EOF'
zelk --mo|9|--month
zelk --month |9|1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12
zelk --month 1|9|1\n10\n11\n12
zelk --today |9|
zelk --carrier k|9|kddi
zelk --bill logs/w|9|logs/wterm.tel
zelk --tolerance |9|
# Inserting completions never carry a description, listing ones do. Bash
# replaces only what follows its last "=" or ":" in the word (here the "=" of
# "=d"), so the replies drop what precedes it.
zelk =d|9|d\nde
zelk =d|37|d\nde
zelk =d|63|d +\(meter-reading day n \(1-31\)\)\nde +\([^)]+\)
zelk -a|37|-a1\n-a2
zelk --c|63|--calls +\(.+\)\n--csv +\(.+\)\n--check +\(.+\)
zelk =de|63|de
zelk --today=20|9|
zelk -wlo|9|-wlogs/
zelk -wlogs/w|9|-wlogs/wterm.tel
zelk /hlogs/|9|/hlogs/wterm.tel
zelk logs|9|
# After "--" every argument is an option line.
zelk -- --|9|
zelk -- --mo|9|
zelk -- --month |9|=0\n=d\n.+
zelk --json -- =d|9|d\nde
zelk -- -a|9|-a1\n-a2
EOF

# Every flag of the program, in every shell; nothing but flags after "--".
flags=$("$zelk" --help | grep -oE '^  --[a-z][a-z-]*' | sed 's/^ *//')
[[ -n $flags ]] || fail "zelk --help lists no flags"
bash_flags=$(bash_complete "zelk --" 9)
listed=$(bash_complete "zelk " 63)
(($(wc -l <<<"$listed") > 30)) || fail "bash: the full list is short: $listed"
[[ $listed =~ ^([^ $'\n']+\ +\([^$'\n']+\)$'\n'?)+$ ]] || fail "bash: an entry without its description"
for flag in $flags; do
  grep -qx -- "$flag" <<<"$bash_flags" || fail "bash does not complete $flag"
done

if command -v zsh >/dev/null; then
  zsh -n "$completions/_zelk" || fail "zsh: $completions/_zelk does not parse"
  for flag in $flags; do
    grep -q "^  '$flag:" "$completions/_zelk" || fail "zsh does not complete $flag"
  done
else
  echo "zsh is not installed: its completion is not checked"
fi

if command -v fish >/dev/null; then
  fish_complete() {
    fish --no-config -c "source '$completions/zelk.fish'; complete -C '$1'" | cut -f1
  }
  fish_flags=$(fish_complete "zelk --")
  for flag in $flags; do
    grep -qx -- "$flag" <<<"$fish_flags" || fail "fish does not complete $flag"
  done
  while IFS='|' read -r line pattern; do
    pattern=${pattern//\\n/$'\n'}
    answer=$(fish_complete "$line")
    [[ $answer =~ ^${pattern}$ ]] || fail "fish: '$line' gave: ${answer//$'\n'/ / }"
  done <<'EOF'
zelk --mo|--month
zelk --month |1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12
zelk =d|=d\n=de
zelk -wlogs/w|-wlogs/wterm.tel
zelk -- --mo|
EOF
else
  echo "fish is not installed: its completion is not checked"
fi

((failures == 0)) || exit 1
echo "completions: ok"
