// Compares two traces of physplug-host (CSV: frame, shape, then numbers) row by row and prints
// the largest difference of a position (mm) and of a rotation component, to tell how far apart
// two traces that should be the same bytes came out; exits 1 when the rows differ in anything
// but numbers.
// usage: node trace_diff.js A.csv B.csv
'use strict';
const fs = require('fs');
const [a, b] = process.argv.slice(2);
const rows = (file) => fs.readFileSync(file, 'utf8').trim().split('\n');
const ra = rows(a), rb = rows(b);
if (ra.length !== rb.length || ra[0] !== rb[0]) {
  console.log(`${a} and ${b}: ${ra.length} and ${rb.length} rows, headers "${ra[0]}" and "${rb[0]}"`);
  process.exit(1);
}
const header = ra[0].split(',');
let position = 0, rotation = 0, where = '';
for (let i = 1; i < ra.length; i++) {
  const fa = ra[i].split(','), fb = rb[i].split(',');
  for (let k = 0; k < header.length; k++) {
    const x = Number(fa[k]), y = Number(fb[k]);
    if (Number.isNaN(x) || Number.isNaN(y)) {
      if (fa[k] !== fb[k]) { console.log(`row ${i}: "${fa[k]}" and "${fb[k]}"`); process.exit(1); }
      continue;
    }
    const d = Math.abs(x - y);
    const isRotation = header[k].startsWith('q');
    if (isRotation && d > rotation) rotation = d;
    if (!isRotation && header[k] !== 'frame' && header[k] !== 'vertex' && d > position) {
      position = d;
      where = `frame ${fa[0]}, ${fa[1]}`;
    }
  }
}
console.log(`largest differences: position ${position} mm${where ? ` (${where})` : ''}, rotation ${rotation}`);
