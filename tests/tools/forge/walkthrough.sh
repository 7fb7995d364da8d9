#!/bin/sh
# Follows the teacher's walk-through of README.md as printed there, in a
# scratch folder laid out like a fresh clone after the build: the commands of
# the block between <!-- recorrido --> and <!-- /recorrido --> that run the
# forge are run one by one with sh, from the clone's top folder. The last of
# them checks the game's folder, so every shipped map must still pass.
# Usage: walkthrough.sh SOURCE_DIR FORGE_EXECUTABLE SCRATCH_DIR
set -eu
src=$1
forge=$2
work=$3
rm -rf "$work"
mkdir -p "$work/build/tools/forge" "$work/build/src"
ln -s "$src/tests" "$work/tests"
ln -s "$forge" "$work/build/tools/forge/mapurix-forge"
cp -R "$src/data" "$work/build/src/windows"

# The block's indented lines, continuation lines joined.
sed -n '/<!-- recorrido -->/,/<!-- \/recorrido -->/p' "$src/README.md" \
    | sed -n 's/^    //p' \
    | sed -e ':a' -e '/\\$/N; s/\\\n//; ta' \
    | grep '^build/tools/forge/mapurix-forge ' > "$work/commands" || true
count=$(wc -l < "$work/commands")
if [ "$count" -lt 2 ]; then
    echo "README.md: the walk-through has $count forge commands; expected new and check" >&2
    exit 1
fi
cd "$work"
while IFS= read -r line; do
    echo "+ $line"
    sh -c "$line" < /dev/null
done < commands
