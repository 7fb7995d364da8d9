#!/bin/sh
# Writes the small GIFs the animated-GIF control's tests play. The files are
# committed; run this again only to change them (needs ImageMagick's convert).
set -eu
cd "$(dirname "$0")"

# One frame, no loop block: plays once, for the default 100 ms. A blue pixel on
# red shows whether the frame is drawn unscaled and unsmoothed.
convert -size 7x5 xc:red -fill blue -draw 'point 3,2' -loop 1 one.gif

# Three frames of 50 ms that loop forever: the end comes when frame 0 returns.
convert -delay 5 -size 12x9 xc:red xc:lime xc:blue -loop 0 loop3.gif

# Three frames of 50 ms played once (-loop 1 writes no loop block).
convert -delay 5 -size 10x6 xc:red xc:lime xc:blue -loop 1 once3.gif

# Two frames held 10 s each: a playback the watchdog has to end.
convert -delay 1000 -size 9x4 xc:red xc:lime -loop 1 slow.gif

# Cut inside the third frame of loop3.gif: the header and two frames decode.
head -c 100 loop3.gif > truncated.gif

# Not a picture at all.
printf 'Esto no es un GIF.\n' > garbage.gif

# A map picture in GIF: white with one blue pixel, so a seed has a white area.
convert -size 7x5 xc:white -fill blue -draw 'point 3,2' -loop 1 map.gif
