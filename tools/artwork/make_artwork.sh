#!/bin/sh
# Draws the program's own pictures into assets/: the logo mark, the
# publisher's logo, the splash picture and the program icon. The first three
# are flat shapes drawn on
# a 2000 x 2000 canvas and then scaled down to twice the size at which their
# picture boxes show them (fit mode, square pictures): the logo in a 152 x 96
# box (shown 96 x 96), the publisher's logo in 192 x 136 (136 x 136), the
# splash in 384 x 256 (256 x 256). Twice, so that they stay sharp on screens
# with twice the pixel density; no larger, so that decoding them at start
# costs next to nothing. The icon is the logo mark cut white out of a rounded
# square in the accent colour, in the sizes Windows asks for from 16 to 256
# pixels (brevant.ico) and as the 256-pixel PNG that the Linux launcher shows
# (brevant_icon.png); its 16-pixel size is drawn on the pixel grid.
# Needs ImageMagick 6 (convert). Run from anywhere; writes next to the repo's
# assets/ folder. The outputs are committed; run again only to change them.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
assets="$here/../../assets"
mkdir -p "$assets"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

accent='rgb(169,69,71)'     # the program's accent colour
ink='rgb(38,52,74)'         # the publisher's colour
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
[ -f "$font" ] || font=Helvetica-Bold

# PNG without timestamps or other text chunks, so a rerun gives the same bytes.
png_opts='-strip -define png:exclude-chunks=date,time,tEXt,zTXt,iTXt -define png:color-type=6'

# Logo mark: a block "B" built only from rectangles. A stem, three bars and
# two right-hand bowls; the lower bowl is a little wider, as in a printed B.
# Drawn in white, for the icon, and coloured for the logo.
convert -size 2000x2000 xc:none -fill white \
  -draw 'rectangle 420,200 820,1800' \
  -draw 'roundrectangle 420,200 1380,540 60,60' \
  -draw 'roundrectangle 1060,200 1440,1170 140,140' \
  -draw 'rectangle 420,830 1300,1170' \
  -draw 'roundrectangle 1120,880 1580,1800 160,160' \
  -draw 'roundrectangle 420,1460 1500,1800 60,60' \
  -draw 'rectangle 420,200 1100,540' \
  -draw 'rectangle 420,1460 1160,1800' \
  "PNG32:$work/mark_white.png"
# shellcheck disable=SC2086
convert "$work/mark_white.png" -fill "$accent" -colorize 100 \
  -resize 192x192 $png_opts "PNG32:$assets/logo_mark.png"

# Publisher's logo: a rounded square in the publisher's colour with a white
# "V" cut into it as two slanted strokes meeting at the bottom.
# shellcheck disable=SC2086
convert -size 2000x2000 xc:none \
  -fill "$ink" -draw 'roundrectangle 160,160 1840,1840 320,320' \
  -fill white \
  -draw 'polygon 480,520 760,520 1000,1220 1240,520 1520,520 1130,1500 870,1500' \
  -fill "$accent" -draw 'rectangle 480,1620 1520,1700' \
  "PNG32:$work/publisher_logo.png"
# shellcheck disable=SC2086
convert "$work/publisher_logo.png" -resize 272x272 $png_opts "PNG32:$assets/publisher_logo.png"

# Splash picture: the publisher's logo above the product name, on white.
convert -size 2000x2000 xc:white \
  \( "$work/publisher_logo.png" -resize 1000x1000 \) -geometry +500+260 -composite \
  -font "$font" -pointsize 330 -fill "$ink" -gravity north \
  -annotate +0+1340 'Brevant' \
  -resize 512x512 -strip -quality 85 -sampling-factor 4:2:0 "JPEG:$assets/splash.jpg"

# The icon: the white mark, cut to its own size, on the rounded square.
convert -size 2000x2000 xc:none -fill "$accent" -draw 'roundrectangle 60,60 1940,1940 380,380' \
  \( "$work/mark_white.png" -trim +repage -resize x1240 \) -gravity center -composite "PNG32:$work/icon.png"
for size in 24 32 48 64 128 256; do
  # shellcheck disable=SC2086
  convert "$work/icon.png" -resize "${size}x$size" $png_opts "PNG32:$work/icon$size.png"
done
# At 16 pixels a scaled mark blurs: the same shapes on whole pixels, bars of
# two, a stem of three, holes of two by two, the lower bowl one wider.
# shellcheck disable=SC2086
convert -size 16x16 xc:none -fill "$accent" -draw 'roundrectangle 0,0 15,15 3,3' \
  -fill white -draw 'rectangle 4,3 10,8' -draw 'rectangle 4,8 11,12' \
  -fill "$accent" -draw 'rectangle 7,5 8,6' -draw 'rectangle 7,9 8,10' \
  -draw 'point 10,3' -draw 'point 11,8' -draw 'point 11,12' \
  $png_opts "PNG32:$work/icon16.png"
cp "$work/icon256.png" "$assets/brevant_icon.png"

# The .ico: the sizes up to 48 as bitmaps, as every part of Windows reads
# them; the larger ones as PNG, which Windows reads since Vista and which
# keeps the file small. A bitmap entry is what ImageMagick writes for a
# one-image .ico, less its 22-byte header.
le16() { printf "\\$(printf %03o $(($1 % 256)))\\$(printf %03o $(($1 / 256 % 256)))"; }
le32() { le16 $(($1 % 65536)); le16 $(($1 / 65536)); }
sizes='16 24 32 48 64 128 256'
for size in $sizes; do
  if [ "$size" -le 48 ]; then
    convert "$work/icon$size.png" "ICO:$work/one.ico"
    tail -c +23 "$work/one.ico" >"$work/entry$size"
  else
    cp "$work/icon$size.png" "$work/entry$size"
  fi
done
{
  le16 0; le16 1; le16 7  # reserved, type 1 (icon), seven images
  offset=$((6 + 7 * 16))
  for size in $sizes; do
    bytes=$(wc -c <"$work/entry$size")
    # width and height (0 stands for 256), no palette, reserved, one plane, 32 bits
    le16 $((size % 256 * 257)); le16 0; le16 1; le16 32
    le32 "$bytes"; le32 "$offset"
    offset=$((offset + bytes))
  done
  for size in $sizes; do cat "$work/entry$size"; done
} >"$assets/brevant.ico"
