#!/bin/sh
# Writes the small GIFs the information card's tests show. The files are
# committed; run this again only to change them (needs ImageMagick's convert).
set -eu
cd "$(dirname "$0")"

# A region picture of 60 x 40 pixels with two frames: the card shows only the
# first (red with a blue pixel at 5,5), never the green second one.
convert -delay 10 -size 60x40 \( xc:red -fill blue -draw 'point 5,5' \) xc:lime -loop 0 picture.gif

# A long, low picture: fitted to the card's height it is wider than half the
# card.
convert -size 900x150 xc:orange -loop 1 wide.gif

# 2400 pixels wide, 36000 twips: more than a 16-bit whole number holds.
convert -size 2400x100 xc:purple -loop 1 huge.gif

# A flag of 30 x 20 pixels, waving in two frames.
convert -delay 20 -size 30x20 xc:yellow xc:red -loop 0 flag.gif

# A flag larger than a quarter of the card.
convert -size 400x300 xc:navy -loop 1 bigflag.gif

# Named .gif but not a picture at all.
printf 'Esto no es un GIF.\n' > garbage.gif
