#!/bin/sh
# Draws docs/atlas/contact-sheet.png: every map of the atlas, reduced, with
# its catalogue name. Needs ImageMagick (convert, montage) and the DejaVu fonts.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
i=0
for recipe in "$root"/tools/forge/maps/*.recipe; do
    picture=$(sed -n 's/^picture = //p' "$recipe")
    title=$(sed -n 's/^title = //p' "$recipe")
    i=$((i + 1))
    convert "$root/data/Mapas/$picture" -resize 320x320 -background white -gravity center \
        -extent 320x320 -gravity south -splice 0x22 -font DejaVu-Sans -pointsize 12 -annotate +0+4 "$title" \
        "$tmp/$(printf %02d $i).png"
done
mkdir -p "$root/docs/atlas"
montage "$tmp"/*.png -tile 4x -geometry +6+6 -background white -colors 48 \
    "PNG8:$root/docs/atlas/contact-sheet.png"
