#!/usr/bin/env bash
# velmora-cli's completions, one table of cases through each shell's own
# machinery:
#  - bash: the file loaded, COMP_WORDS and COMP_CWORD set as readline splits
#    the line (at blanks and at "="), the function `complete` registered
#    called as bash calls it;
#  - fish: the file loaded, `complete -C LINE`;
#  - zsh: an interactive zsh in a pseudo-terminal (zsh/zpty) with compinit
#    run and the file in its fpath as _velmora-cli; the line typed and Tab
#    pressed, the matches compsys adds noted on their way (compadd -O).
#   completion_test.sh VELMORA_CLI SHELL=FILE...    (bash=, fish=, zsh=)
set -uo pipefail
export LC_ALL=C
cli=$(realpath "$1")
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The completions run velmora-cli as typed: the one under test, on PATH.
mkdir "$work/bin" && ln -s "$cli" "$work/bin/velmora-cli"
export PATH=$work/bin:$PATH
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Each shell reads lines typed after "velmora-cli " and prints, a line for
# each, what <Tab> offers there.
offered_bash() {
  (
    source "$1"
    function=$(complete -p velmora-cli | sed -n 's/.*-F \([^ ]*\) .*/\1/p')
    [ -n "$function" ] || { echo "no completion function registered for velmora-cli" >&2; exit 1; }
    while IFS= read -r line; do
      read -ra typed <<<"$line"
      [[ $line == *' ' ]] && typed+=("")
      COMP_WORDS=(velmora-cli) COMPREPLY=()
      for word in "${typed[@]}"; do
        rest=$word
        while [[ $rest == *=* ]]; do COMP_WORDS+=("${rest%%=*}" =) rest=${rest#*=}; done
        [[ -n $rest || $word != *=* ]] && COMP_WORDS+=("$rest")
      done
      COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
      "$function" velmora-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
      echo "${COMPREPLY[*]}"
    done
  )
}
offered_fish() {
  xargs -d '\n' fish --no-config -c 'source $argv[1]
    for line in $argv[2..]
      printf "%s\n" (complete -C "velmora-cli $line" | string replace -r "\t.*" "" | string join " ")
    end' "$1"
}
offered_zsh() {
  mkdir -p "$work/zsh" && cp "$1" "$work/zsh/_velmora-cli"
  cat >"$work/zsh/setup" <<'ZSH'
PS1='' RPS1=''
unsetopt auto_list auto_menu beep
autoload -Uz compinit && compinit -u -D
typeset -ga offered_matches
compadd() {
  if [[ ${@[1,(i)(-|--)]} == *\ -[OAD]\ * ]]; then builtin compadd "$@"; return; fi
  local -a found
  builtin compadd -O found "$@"
  offered_matches+=($found)
  builtin compadd "$@"
}
offered() { print -r -- $'\n'"OFFERED[$offered_matches]"; offered_matches=(); BUFFER=; }
zle -N offered
bindkey '^I' complete-word '^T' offered
ZSH
  timeout 60 zsh -f -c 'zmodload zsh/zpty || exit 1
    zpty z zsh -f -i
    zpty -w z "fpath=($1 \$fpath); source $1/setup"
    while IFS= read -r line; do
      zpty -w -n z "velmora-cli $line"$'"'"'\t\x14'"'"'
      zpty -r z out "*OFFERED\\[*\\]*" || exit 1
      print -r -- ${${out##*OFFERED\[}%%\]*}
    done
    zpty -d z' zsh "$work/zsh"
}

# The line typed after "velmora-cli " ("" for a word not yet begun) | what
# <Tab> offers there. Every value offered after an option is also run
# through velmora-cli, which must accept it.
cases=$(cat <<'CASES'
--fe|--feast
--feast ""|all ascension ash-wednesday clean-monday corpus-christi easter easter-monday good-friday holy-saturday maundy-thursday palm-sunday pentecost trinity-sunday whit-monday
--feast g|good-friday
--feast=pen|pentecost
--format ""|csv ics iso json text
--format=|csv ics iso json text
--format j|json
--method ""|gregorian julian orthodox western
--method=|gregorian julian orthodox western
--method o|orthodox
2026 --iso ""|
2026 -|--feast --format --help --iso --method --version -V -h
CASES
)

for given in "$@"; do
  shell=${given%%=*} file=${given#*=}
  [ -r "$file" ] || { fail "$shell: no completion file $file"; continue; }
  # Each answer as a set: sorted, without the "--option=" that fish keeps
  # in front of a value.
  mapfile -t answers < <(cut -d'|' -f1 <<<"$cases" | sed 's/""$//' | "offered_$shell" "$file" |
    while read -ra got; do set -- $(printf '%s\n' "${got[@]#--*=}" | sort) && printf '%s\n' "$*"; done)
  i=0
  while IFS='|' read -r typed want; do
    got=${answers[i]-(no answer)} i=$((i + 1))
    [ "$got" = "$want" ] || fail "$shell: velmora-cli $typed<Tab>: '$got', expected '$want'"
    [[ $typed =~ ^(--[a-z]+)\ \"\"$ ]] || continue
    for value in $got; do
      "$cli" "${BASH_REMATCH[1]}" "$value" 2026 >/dev/null 2>&1 ||
        fail "$shell: velmora-cli ${BASH_REMATCH[1]} $value 2026 refuses what was offered"
    done
  done <<<"$cases"
done
[ $failures = 0 ] && echo "completion: all cases passed (${*%%=*})"
exit $((failures > 0))
