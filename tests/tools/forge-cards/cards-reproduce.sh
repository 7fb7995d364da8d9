#!/bin/sh
# cards-reproduce.sh FORGE SOURCE_DIR
# The committed card texts and the sources file are exactly what the card
# writer makes today from the name tables and the reviewed tables: a table changed without the cards
# being written again, or a card edited by hand, shows as a difference.
# Skipped (exit 77) where the pinned sources have not been fetched.
set -eu
forge=$1 src=$2
[ -f "$src/tools/forge/.npm-cache/world-countries/countries.json" ] || {
    echo "sources not fetched (tools/forge/fetch-sources.sh): skipped"
    exit 77
}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp -r "$src/data/Coordenadas" "$src/data/Mapas" "$tmp/"
cd "$src"
"$forge" cards --no-pictures --no-flags "$tmp" >"$tmp.log" 2>&1 || { cat "$tmp.log"; rm -f "$tmp.log"; exit 1; }
rm -f "$tmp.log"
diff -r "$src/data/textos" "$tmp/textos"
cmp "$src/data/FUENTES" "$tmp/FUENTES"
