#!/usr/bin/env bash
# The translation catalogues in po/: velmora.pot, the template (the English
# texts the sources mark with Tr, TrUtf8 and Msg), and a LANG.po for each
# language, with the English text as the key.
#   po.sh update   makes the template from the sources again and merges it
#                  into every catalogue (msgmerge): a new text arrives
#                  untranslated, a changed one fuzzy, for the translator
#   po.sh check    what the tests require: the template is what the sources
#                  give; every catalogue passes msgfmt --check (its
#                  placeholders %1..%9 those of the English text: the texts
#                  are Qt-style format strings) and is complete, with no
#                  untranslated or fuzzy text (msgcmp)
# gettext's own tools (Debian's gettext package) do the work.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
pot=po/velmora.pot

# The template on standard output. The texts are numbered in the template's
# order, and each Windows program carries those of its own folders: the
# modules both programs share come first, so that each program's texts lie
# together. Locations name the file only, so that moving a line leaves the
# template as it is.
extract() {
  local dir files=()
  for dir in src/runtime src/computus src/sentence src/sysmenu src/ui src/app src/cli; do
    mapfile -t -O ${#files[@]} files < <(find "$dir" -type f \( -name '*.cpp' -o -name '*.hpp' \) | LC_ALL=C sort)
  done
  xgettext --language=C++ --from-code=UTF-8 --qt --keyword=Tr --keyword=TrUtf8 --keyword=Msg \
    --flag=Tr:1:qt-format --flag=TrUtf8:1:qt-format --flag=Msg:1:qt-format \
    --add-comments=TRANSLATORS: --add-location=file --no-wrap \
    --package-name=Velmora --msgid-bugs-address=velmora@example.org \
    --copyright-holder="Velmora developers" -o - "${files[@]}"
}

# The file without the line that says when it was made.
undated() { grep -v '^"POT-Creation-Date:' "$1"; }

case "${1:-}" in
  update)
    fresh=$(mktemp)
    trap 'rm -f "$fresh"' EXIT
    extract >"$fresh"
    if [ -f "$pot" ] && cmp -s <(undated "$pot") <(undated "$fresh"); then
      echo "po: $pot is up to date"
    else
      cp "$fresh" "$pot"
      echo "po: $pot made anew"
    fi
    for po in po/*.po; do
      [ -e "$po" ] || continue
      msgmerge --quiet --update --backup=none --no-wrap --add-location=file --previous "$po" "$pot"
    done
    ;;
  check)
    failures=0
    fail() { echo "po: $*" >&2; failures=$((failures + 1)); }
    if ! diff -u <(undated "$pot") <(extract | undated /dev/stdin) >&2; then
      fail "$pot is not what the sources give: run make po (above: - the file, + the sources)"
    fi
    count=0
    for po in po/*.po; do
      [ -e "$po" ] || continue
      count=$((count + 1))
      msgfmt --check --output-file=/dev/null "$po" || fail "$po: msgfmt --check failed"
      msgcmp "$po" "$pot" || fail "$po: texts of the template untranslated, fuzzy or missing"
    done
    [ "$count" -gt 0 ] || fail "no catalogues in po/"
    [ $failures = 0 ] || exit 1
    echo "po: the template is current; $count catalogues valid and complete"
    ;;
  *)
    echo "usage: po.sh update|check" >&2
    exit 2
    ;;
esac
