#!/usr/bin/env bash
# Where velmora-cli finds its catalogues, in the caller's German locale (its
# German and English: the build's program here and in C):
#  - a copy in bin/, beside a share/locale of another program's catalogue
#    only and with its own in bin/locale, speaks German;
#  - without /proc (a tmpfs over it, in a mount namespace of its own), in a
#    folder whose locale/ and ../share/locale hold a planted catalogue, it
#    never says the planted words. Exit 77 where no namespace can be had.
#   catalogue_lookup.sh VELMORA-CLI DE.PO
set -uo pipefail
cli=$1 work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "catalogue lookup: $*"; exit 1; }
german=$("$cli" 2026) && english=$(LC_ALL=C "$cli" 2026) && [ "$german" != "$english" ] ||
  fail "the build's velmora-cli does not speak German here: $german"
msgfilter --keep-header -i "$2" -o "$work/planted.po" sed -e 's/^/PLANTED /' &&
  msgfmt -o "$work/planted.mo" "$work/planted.po" || fail "cannot make the planted catalogue"
plant() { mkdir -p "$1/de/LC_MESSAGES" && cp "$3" "$1/de/LC_MESSAGES/$2.mo"; }  # FOLDER NAME CATALOGUE

mkdir -p "$work/copy/bin" && cp "$cli" "$work/copy/bin/velmora-cli"
plant "$work/copy/share/locale" other-program "$work/planted.mo"
plant "$work/copy/bin/locale" velmora-cli "$(dirname "$cli")/locale/de/LC_MESSAGES/velmora-cli.mo"
got=$("$work/copy/bin/velmora-cli" 2026)
[ "$got" = "$german" ] || fail "beside a share/locale without its catalogue it says: $got"

plant "$work/folder/locale" velmora-cli "$work/planted.mo"
plant "$work/share/locale" velmora-cli "$work/planted.mo"
# Propagation as it is (a chroot's root is no mount point, which unshare's
# default needs), /proc made private first: the tmpfs is this namespace's.
hidden='mount --make-private /proc && mount -t tmpfs tmpfs /proc && cd "$1" && shift && exec "$@"'
namespace=(unshare --mount --propagation unchanged)
[ "$(id -u)" = 0 ] || namespace=(unshare --user --map-root-user --mount --propagation unchanged)
"${namespace[@]}" true 2>/dev/null || { echo "catalogue lookup: no mount namespace here, skipped"; exit 77; }
got=$("${namespace[@]}" sh -c "$hidden" sh "$work/folder" "$work/copy/bin/velmora-cli" 2026) ||
  fail "velmora-cli without /proc failed"
[ "$got" = "$english" ] || [ "$got" = "$german" ] || fail "without /proc, beside a planted catalogue, it says: $got"
echo "catalogue lookup: its own catalogue past another's share/locale; without /proc none from the working folder"
