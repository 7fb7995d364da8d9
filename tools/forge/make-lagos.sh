#!/bin/sh
# Writes maps/lagos.geojson, the lakes the atlas draws as water, from Natural
# Earth's 10m lakes layer (public domain), version 4.1.0 as packed in
# ne_10m_lakes.7z of the public repository martynafford/natural-earth-geojson,
# commit 0b9a6ceb0a7032713abd9460ac1e995a9c60cd1e (2024-01-24). Give the
# unpacked ne_10m_lakes.json as the first argument.
#
# Kept: every lake of Natural Earth's two first ranks (scalerank 0 to 2: the
# Great Lakes, Victoria, Baikal, Ladoga, Titicaca, Nicaragua…; not Lake Eyre,
# a salt pan that is dry most years) and, by name,
# the lakes a learner meets on the atlas's country maps. Only the name field
# is kept; outlines are simplified to 0.002° (about 200 m, under a pixel on
# every map) with four decimals.
set -eu
here=$(cd "$(dirname "$0")/maps" && pwd)
names="'Lago de Managua','Lake Geneva','Bodensee','Lago di Garda','Lago di Como','Lake Balaton','Biwa Ko',\
'Lago de Chapala','Lago de Izabal','Lago Llanquihue','Lago Buenos Aires','Lago Argentino','Lago Viedma',\
'Lago Nahuel Huapí','Lago Poopó','Lago de Valencia','Lago Enriquillo','Vättern','Lake Kivu','Lake Turkana',\
'Lake Nasser','Lake Volta','Lake Kariba','Qinghai Hu','Poyang Hu','Dongting Hu','Tai Hu','Tonle Sap'"
rm -f "$here/lagos.geojson"
ogr2ogr -f GeoJSON "$here/lagos.geojson" "$1" -nln lagos -select name \
    -where "(scalerank <= 2 OR name IN ($names)) AND name <> 'Lake Eyre North'" \
    -simplify 0.002 -lco COORDINATE_PRECISION=4 -lco RFC7946=NO
