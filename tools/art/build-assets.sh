#!/bin/sh
# Regenerates every piece of the game's artwork and sound, byte for byte:
#   data/gifs/        miro.gif acierto.gif fallo.gif idea.gif la_tierra.gif
#   data/sonidos/     a_ver.wav fallo.wav 1.wav .. 12.wav
#   src/windows/resources mapurix-{16,32,48,64,128,256}.png startup-background.png
#                     command2-arrow.png default.wav
# Needs: cmake, ninja, Qt 6 (Gui), libgif-dev, npm, espeak-ng, sox,
# librsvg2-bin. The generator and its tests are built in build-art/
# (git-ignored). Prints the checksums of everything it wrote.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

"$here/fetch-sources.sh"
cmake -S "$here" -B "$root/build-art" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build-art"
"$root/build-art/artgen" "$here/.npm-cache/world-atlas" "$root"

"$here/make-sounds.sh" "$root"

for size in 16 32 48 64 128 256; do
    rsvg-convert -w $size -h $size "$here/icon/mapurix.svg" \
        -o "$root/src/windows/resources/mapurix-$size.png"
done

# The writer's tests and the checks of the files just made (sizes, loops,
# durations, wave formats).
ctest --test-dir "$root/build-art" --output-on-failure >/dev/null

cd "$root"
sha256sum data/gifs/*.gif data/sonidos/*.wav src/windows/resources/*.png \
    src/controls/sounds/default.wav
