#!/usr/bin/env bash
# Draws the Velmora program icon and writes res/velmora.ico.
#
# The icon is a tear-off calendar page (red header band, two binding rings,
# a curled bottom corner) with a decorated Easter egg on it. The .ico holds
# exactly three images, 32x32, 64x64 and 128x128, each in 24-bit colour
# with a 1-bit transparency mask: 32x32 as a classic BI_RGB bitmap with its
# AND mask, the larger two PNG-compressed with the mask as alpha (below).
#
# ImageMagick draws every size on its own (a simpler design for 32x32) at 8x
# resolution and box-filters it down. ImageMagick's own ICO writer always
# stores 32-bit entries, so the script writes the icon file itself: the
# directory, the BITMAPINFOHEADERs and the mask rows are assembled here from
# raw pixel dumps. The output depends only on the drawing below, so running
# the script twice gives identical bytes.
#
# Usage (from the repository root):  bash scripts/make-icon.sh [output.ico]
set -euo pipefail

CONVERT=/usr/bin/convert
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$root/res/velmora.ico}"
sizes=(32 64 128)
ss=8   # supersampling factor

[ -x "$CONVERT" ] || { echo "make-icon: $CONVERT (ImageMagick) not found" >&2; exit 1; }

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# Drawing commands (MVG) in a 128x128 design space. Edges of the main shapes
# lie on multiples of 4 so that they fall on pixel boundaries at 32x32 too.
# $1 = part to draw, $2 = target size in pixels. The parts are layered:
# "page" below, then "decor" (the egg's painted bands, cut to the egg's shape
# by the "eggmask" layer; MVG clip paths are not usable with every
# ImageMagick build), then "top" (egg outline, sheen, curled corner).
mvg() {
  local part=$1 size=$2
  local f u
  f=$(awk -v s="$size" -v k="$ss" 'BEGIN { printf "%.6f", s * k / 128 }')
  u=$((128 / size))              # design units per target pixel (4, 2 or 1)
  local ow=$((u > 2 ? u : 2))    # outline width in design units
  local egg="M 40,90 A 24,35 0 0 1 88,90 A 24,26 0 0 1 40,90 Z"

  # Pixel centres sit at integer coordinates in MVG; shift by half a pixel
  # so that design edges land exactly on pixel edges.
  printf 'translate -0.5,-0.5\nscale %s,%s\nstroke none\n' "$f" "$f"

  case $part in
  page)
    # Page: dark outline, white body.
    cat <<EOF
fill #4a4f57
roundrectangle 12,20 116,124 6,6
fill #ffffff
roundrectangle $((12 + ow)),$((20 + ow)) $((116 - ow)),$((124 - ow)) 4,4
EOF
    # Faint day grid on the page body behind the egg (larger sizes only).
    if [ "$size" -ge 64 ]; then
      echo "fill #e3e7ee"
      local y x
      for y in 56 72 88 104; do
        for x in 20 36 52 68 84 100; do
          echo "rectangle $x,$y $((x + 10)),$((y + 10))"
        done
      done
    fi
    # Red header band with a darker lower edge.
    cat <<EOF
fill #c62828
roundrectangle $((12 + ow)),$((20 + ow)) $((116 - ow)),48 4,4
rectangle $((12 + ow)),32 $((116 - ow)),48
fill #8e1b1b
rectangle $((12 + ow)),$((48 - ow)) $((116 - ow)),48
EOF
    if [ "$size" -ge 64 ]; then
      # highlight line along the top of the header
      echo "fill #e35d5d"
      echo "rectangle 20,$((20 + ow + 2)) 108,$((20 + ow + 3))"
    fi
    # Binding rings: a punched hole in the header and a metal loop above it.
    local cx
    for cx in 36 92; do
      if [ "$size" -ge 64 ]; then
        cat <<EOF
fill #5a1010
circle $cx,34 $((cx + 4)),34
fill #3b3f46
roundrectangle $((cx - 4)),6 $((cx + 4)),35 4,4
fill #9aa3ad
rectangle $((cx - 2)),9 $((cx - 1)),30
EOF
      else
        echo "fill #2f3338"
        echo "rectangle $((cx - 4)),8 $((cx + 4)),32"
      fi
    done
    ;;
  decor)
    # Blue shell, a white stripe, a yellow band with a red zigzag, a pink
    # band and white dots (plain stripes at 32x32).
    echo "fill #2f80d1"
    echo "rectangle 0,0 128,128"
    if [ "$size" -ge 64 ]; then
      # zigzag: finer at 128x128, bolder at 64x64
      local step=$((size >= 128 ? 6 : 8)) sw=5
      # drawn as a filled band: upper edge left to right, lower edge back
      local top="" bottom="" x=$((64 - 6 * step)) y up=0
      while [ "$x" -le $((64 + 6 * step)) ]; do
        y=$((up ? 85 : 93))
        top+=" $x,$(awk -v y="$y" -v w="$sw" 'BEGIN { print y - w / 2 }')"
        bottom="$x,$(awk -v y="$y" -v w="$sw" 'BEGIN { print y + w / 2 }') $bottom"
        up=$((1 - up)); x=$((x + step))
      done
      cat <<EOF
fill #ffffff
rectangle 0,75 128,78
fill #ffd33d
rectangle 0,80 128,98
fill #d62f2f
polygon$top $bottom
fill #ffffff
rectangle 0,100 128,103
fill #e2559b
rectangle 0,105 128,128
fill #ffffff
circle 64,59 66.5,59
circle 57,66 59.5,66
circle 71,66 73.5,66
circle 64,72 66,72
EOF
    else
      cat <<EOF
fill #ffd33d
rectangle 0,80 128,96
fill #d62f2f
rectangle 0,84 128,92
fill #e2559b
rectangle 0,104 128,128
EOF
    fi
    ;;
  eggmask)
    echo "fill #ffffff"
    echo "path '$egg'"
    ;;
  top)
    # Egg outline and a small sheen on the shell.
    cat <<EOF
fill none
stroke #173e66
stroke-width $ow
path '$egg'
stroke none
EOF
    if [ "$size" -ge 64 ]; then
      # a highlight following the upper-left curve of the shell
      cat <<EOF
fill none
stroke #a9d1f5
stroke-width $((size >= 128 ? 3 : 4))
stroke-linecap round
path 'M 49.4,70.7 A 19,30 0 0 1 57.5,61.8'
stroke none
EOF
    fi
    # Curled bottom-right corner of the page (torn from the pad).
    local c=$((size >= 64 ? 18 : 20))
    cat <<EOF
fill #4a4f57
polygon $((116 - c - ow)),124 116,$((124 - c - ow)) 116,124
fill #d3d8df
polygon $((116 - c)),$((124 - ow)) $((116 - ow)),$((124 - c)) $((116 - c)),$((124 - c))
EOF
    ;;
  esac
}

# Little-endian byte writers.
byte() { printf '%b' "\\x$(printf %02x $(($1 & 255)))"; }
le16() { byte "$1"; byte $(($1 >> 8)); }
le32() { le16 $(($1 & 65535)); le16 $((($1 >> 16) & 65535)); }

# Render every size; collect XOR (BGR, bottom-up) and AND (1 bpp, bottom-up).
for s in "${sizes[@]}"; do
  p=$((s * ss))
  "$CONVERT" -size "${p}x${p}" +antialias xc:none -draw "$(mvg page "$s")" \
    \( -size "${p}x${p}" xc:none -draw "$(mvg decor "$s")" \
       \( -size "${p}x${p}" xc:none -draw "$(mvg eggmask "$s")" \) \
       -compose DstIn -composite \) \
    -compose Over -composite -draw "$(mvg top "$s")" \
    -filter Box -resize "${s}x${s}" -depth 8 "$tmp/icon$s.png"
  # Opaque where at least half covered; transparent pixels are black in XOR.
  "$CONVERT" "$tmp/icon$s.png" -alpha extract -threshold 50% "$tmp/solid$s.png"
  "$CONVERT" "$tmp/icon$s.png" -alpha off "$tmp/solid$s.png" \
    -compose Multiply -composite -flip -depth 8 "bgr:$tmp/xor$s.raw"
  "$CONVERT" "$tmp/solid$s.png" -negate -flip -depth 1 "gray:$tmp/and$s.raw"
  if [ "$(wc -c < "$tmp/xor$s.raw")" -ne $((s * s * 3)) ] ||
     [ "$(wc -c < "$tmp/and$s.raw")" -ne $((s * s / 8)) ]; then
    echo "make-icon: unexpected pixel data size at ${s}x${s}" >&2
    exit 1
  fi
done

# Each image as the .ico stores it. 32x32 is a classic bitmap: the
# BITMAPINFOHEADER, the colour rows and the mask rows (each row length, 3*s
# and s/8 bytes, is already a multiple of 4 at these sizes). The larger ones
# are PNG-compressed (Windows Vista and later read them; the program needs
# Windows 7): the same 24-bit colour, the mask carried as an alpha channel
# that is only ever fully opaque or fully transparent, at a tenth of the
# bytes. (An RGB PNG with a tRNS colour key would say "24-bit" in its
# header too, but Wine draws its transparent pixels black.)
for s in "${sizes[@]}"; do
  if [ "$s" -le 32 ]; then
    {
      le32 40; le32 "$s"; le32 $((2 * s)); le16 1; le16 24; le32 0
      le32 $((s * s * 3 + s * s / 8)); le32 0; le32 0; le32 0; le32 0
      cat "$tmp/xor$s.raw" "$tmp/and$s.raw"
    } > "$tmp/image$s"
  else
    # The same pixels and mask as a bitmap entry would hold.
    "$CONVERT" -size "${s}x${s}" -depth 8 "bgr:$tmp/xor$s.raw" -flip \
      \( -size "${s}x${s}" -depth 1 "gray:$tmp/and$s.raw" -flip -negate \) \
      -alpha off -compose CopyOpacity -composite -strip -define png:exclude-chunks=date,time -define png:compression-level=9 \
      "PNG32:$tmp/image$s.png"
    mv "$tmp/image$s.png" "$tmp/image$s"
    # Colour type 6 (RGB and alpha) at 8 bits a channel.
    if [ "$(od -An -tx1 -j24 -N2 "$tmp/image$s" | tr -d ' ')" != 0806 ]; then
      echo "make-icon: the ${s}x${s} PNG is not 8-bit RGB with alpha" >&2
      exit 1
    fi
  fi
done

{
  le16 0; le16 1; le16 ${#sizes[@]}                 # ICONDIR
  offset=$((6 + 16 * ${#sizes[@]}))
  for s in "${sizes[@]}"; do                        # ICONDIRENTRY
    bytes=$(wc -c < "$tmp/image$s")
    bits=24; [ "$s" -le 32 ] || bits=32             # a PNG's alpha counts
    byte "$s"; byte "$s"                            # width, height (0 means 256)
    byte 0; byte 0                                  # colour count, reserved
    le16 1; le16 "$bits"; le32 "$bytes"; le32 "$offset"
    offset=$((offset + bytes))
  done
  for s in "${sizes[@]}"; do cat "$tmp/image$s"; done
} > "$tmp/velmora.ico"

mkdir -p "$(dirname "$out")"
mv "$tmp/velmora.ico" "$out"
echo "make-icon: wrote $out (${sizes[*]} px, 24-bit)"
