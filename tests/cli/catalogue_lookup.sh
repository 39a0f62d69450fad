#!/usr/bin/env bash
# Where velmora-cli finds its catalogues, run in German (the caller's
# locale, LANG=de_DE.UTF-8); its German and its English are those of the
# build's program in that locale and in C:
#  - a copy in a folder bin/ whose ../share/locale holds catalogues of other
#    programs only, its own in bin/locale: it speaks German;
#  - without /proc (a tmpfs over it, in a mount namespace of the run's own),
#    started from a folder whose locale/ and ../share/locale hold a planted
#    catalogue: never the planted words, but English, or German where a
#    catalogue is installed. Where no mount namespace can be had, exit 77.
#   catalogue_lookup.sh VELMORA-CLI DE.PO
set -uo pipefail
cli=$1 po=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "catalogue lookup: $*"; exit 1; }

german=$("$cli" 2026) && english=$(LC_ALL=C "$cli" 2026) || fail "velmora-cli 2026 failed"
[ "$german" != "$english" ] || fail "the build's velmora-cli does not speak German here: $german"
# A catalogue whose every text says PLANTED.
msgfilter --keep-header -i "$po" -o "$work/planted.po" sed -e 's/^/PLANTED /' &&
  msgfmt -o "$work/planted.mo" "$work/planted.po" || fail "cannot make the planted catalogue"
plant() {  # plant FOLDER NAME
  mkdir -p "$1/de/LC_MESSAGES" && cp "$work/planted.mo" "$1/de/LC_MESSAGES/$2.mo"
}

mkdir -p "$work/copy/bin"
cp "$cli" "$work/copy/bin/velmora-cli"
plant "$work/copy/share/locale" other-program
mkdir -p "$work/copy/bin/locale/de/LC_MESSAGES"
cp "$(dirname "$cli")/locale/de/LC_MESSAGES/velmora-cli.mo" "$work/copy/bin/locale/de/LC_MESSAGES/"
got=$("$work/copy/bin/velmora-cli" 2026)
[ "$got" = "$german" ] || fail "beside a share/locale without its catalogue it says: $got"
echo "catalogue lookup: its own catalogue found past a share/locale without it"

plant "$work/folder/locale" velmora-cli
plant "$work/share/locale" velmora-cli
# Propagation as it is (a chroot's root is no mount point, which unshare's
# default, private, needs), with /proc itself made private first, so that
# the tmpfs over it is seen by this namespace alone.
hidden='mount --make-private /proc && mount -t tmpfs tmpfs /proc && cd "$1" && shift && exec "$@"'
namespace=(unshare --mount --propagation unchanged)
[ "$(id -u)" = 0 ] || namespace=(unshare --user --map-root-user --mount --propagation unchanged)
"${namespace[@]}" true 2>/dev/null || { echo "catalogue lookup: no mount namespace here, skipped"; exit 77; }
got=$("${namespace[@]}" sh -c "$hidden" sh "$work/folder" "$work/copy/bin/velmora-cli" 2026) ||
  fail "velmora-cli without /proc failed"
[ "$got" = "$english" ] || [ "$got" = "$german" ] || fail "without /proc, in a folder with a planted catalogue, it says: $got"
echo "catalogue lookup: without /proc, nothing from the working folder: $got"
