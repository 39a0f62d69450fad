#!/usr/bin/env bash
# velmora-cli's bash completion, through bash's own machinery: the file
# loaded, COMP_WORDS and COMP_CWORD set, the function `complete` registered
# called as bash calls it.   completion_test.sh COMPLETION_FILE VELMORA_CLI
set -uo pipefail
source "$1"
cli=$2
function=$(complete -p velmora-cli | sed -n 's/.*-F \([^ ]*\) .*/\1/p')
[ -n "$function" ] || { echo "no completion function registered for velmora-cli"; exit 1; }
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# What <Tab> offers after `velmora-cli WORD...` (the last word being typed).
offered() {
  COMP_WORDS=("$cli" "$@") COMP_CWORD=$# COMPREPLY=()
  "$function" "$cli" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  [ ${#COMPREPLY[@]} = 0 ] || printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' '
}
while IFS='|' read -r words want; do
  read -ra words <<<"$words"
  [ "${words[-1]}" = '""' ] && words[-1]=""
  got=$(offered "${words[@]}")
  [ "$got" = "$want" ] || fail "velmora-cli ${words[*]}<Tab>: '$got', expected '$want'"
done <<'CASES'
--fe|--feast 
--feast g|good-friday 
--feast = pen|pentecost 
--format =|csv ics iso json text 
--format j|json 
--method ""|1 2 3 
--method = ""|1 2 3 
2026 --iso ""|
2026 -|--feast --format --help --iso --method --version -V -h 
CASES

# Every option of --help is offered; every feast, format and method offered
# is accepted by velmora-cli, and all of them are offered.
for option in $("$cli" --help | grep -oE '^  (-[a-zA-Z], )?--[a-z]+' | tr ', ' '\n\n'); do
  [[ " $(offered -) " == *" $option "* ]] || fail "$option (in --help) is not offered"
done
for case in "--feast 14" "--format 5" "--method 3"; do
  set -- $case
  values=($(offered "$1" ""))
  [ ${#values[@]} = "$2" ] || fail "$1 offers ${#values[@]} values, expected $2: ${values[*]}"
  for value in "${values[@]}"; do
    "$cli" "$1" "$value" 2026 >/dev/null || fail "velmora-cli $1 $value 2026 refuses what was offered"
  done
done
[ $failures = 0 ] && echo "completion: all cases passed"
exit $((failures > 0))
