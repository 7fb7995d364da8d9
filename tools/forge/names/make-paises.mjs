// Writes paises.tsv: the Spanish country names of CLDR (through the ICU
// built into Node.js) for every ISO 3166 code, corrected by a reviewed table
// of the forms Spanish schools use. Run: node make-paises.mjs > paises.tsv
// (needs the pinned i18n-iso-countries package for the code table).
import { readFileSync } from 'node:fs';
import { fileURLToPath } from 'node:url';
import { dirname, join } from 'node:path';

const here = dirname(fileURLToPath(import.meta.url));
const codes = JSON.parse(readFileSync(join(here, '../.npm-cache/i18n-iso-countries/codes.json'), 'utf8'));
if (!codes.some(c => c[0] === 'XK')) codes.push(['XK', 'XKX', '', '']); // Kosovo has no ISO code

// Where CLDR's form is not what a Spanish classroom says, or would break a
// file name or the Windows-1252 coordinates file.
const overrides = {
  CI: 'Costa de Marfil',
  PS: 'Palestina',
  TL: 'Timor Oriental',
  MM: 'Birmania',
  VA: 'Vaticano',
  CZ: 'República Checa',
  CG: 'República del Congo',
  HK: 'Hong Kong',
  MO: 'Macao',
  FK: 'Islas Malvinas',
  PM: 'San Pedro y Miquelón',
  UM: 'Islas Ultramarinas de Estados Unidos',
  BQ: 'Caribe Neerlandés',
  BL: 'San Bartolomé',
  MF: 'San Martín (Francia)',
  SX: 'San Martín (Países Bajos)',
  CW: 'Curazao',
  AX: 'Islas Åland',
  TF: 'Territorios Australes Franceses',
  IO: 'Territorio Británico del Océano Índico',
  HM: 'Islas Heard y McDonald',
  GS: 'Islas Georgias del Sur y Sandwich del Sur',
  KP: 'Corea del Norte',
  KR: 'Corea del Sur',
  FM: 'Micronesia',
  US: 'Estados Unidos',
};

// Gender, number and article were reviewed by hand: they are carried over
// from the committed table by code (a new code gets masculine singular, to be
// reviewed).
const grammar = new Map();
try {
  for (const line of readFileSync(join(here, 'paises.tsv'), 'utf8').split('\n')) {
    const f = line.split('\t');
    if (!line.startsWith('#') && f.length >= 7 && f[0] !== 'alpha3') grammar.set(f[0], f.slice(4, 7));
  }
} catch { /* first run */ }

const dn = new Intl.DisplayNames(['es'], { type: 'region' });
const rows = codes.map(([a2, a3, num]) => {
  const name = overrides[a2] ?? dn.of(a2);
  if (/[,\/\\:*?"<>|]/.test(name)) throw new Error(`bad name for ${a2}: ${name}`);
  return [a3, num, a2, name, ...(grammar.get(a3) ?? ['m', 's', ''])];
});
rows.sort((a, b) => a[0].localeCompare(b[0]));
console.log(`# Nombres en español de países y territorios. Fuente: CLDR ${process.versions.cldr} (ICU ${process.versions.icu}, de Node.js),`);
console.log('# con correcciones revisadas (make-paises.mjs). Códigos ISO 3166-1 de i18n-iso-countries 7.14.0 (MIT).');
console.log('# genero (m/f), numero (s/p) y articulo (el, la, los, las o nada) son los del nombre dentro de una frase («Limita con el Reino Unido», «las Bahamas están rodeadas»), según la Ortografía de la lengua española (RAE y ASALE, 2010), apéndice 5; revisados a mano. Un nombre en plural sin artículo concuerda en singular («Filipinas es»).');
console.log('alpha3\tnumeric\talpha2\tnombre\tgenero\tnumero\tarticulo');
for (const r of rows) console.log(r.join('\t'));
