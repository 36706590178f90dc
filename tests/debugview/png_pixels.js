// Reads a PNG frame of the debug view (8-bit RGB, unfiltered rows) with Node's own zlib and
// checks pixels: usage: node png_pixels.js FRAME.png COLUMN,ROW,line|background ...
// Rows count from the top. "line": a line passes within one pixel (a colour neither the
// background nor black); "background": the view's
// background colour (0, 0.125, 0.3): (0, 31.875, 76.5) in 8 bits, either way rounded.
'use strict';
const fs = require('fs');
const zlib = require('zlib');

const [file, ...checks] = process.argv.slice(2);
const bytes = fs.readFileSync(file);
if (bytes.subarray(0, 8).toString('latin1') !== '\x89PNG\r\n\x1a\n') throw new Error(`${file}: no PNG signature`);
let width = 0, height = 0;
const idat = [];
for (let at = 8; at < bytes.length;) {
  const length = bytes.readUInt32BE(at);
  const type = bytes.subarray(at + 4, at + 8).toString('latin1');
  const data = bytes.subarray(at + 8, at + 8 + length);
  if (type === 'IHDR') {
    width = data.readUInt32BE(0);
    height = data.readUInt32BE(4);
    if (data[8] !== 8 || data[9] !== 2) throw new Error(`${file}: not 8-bit RGB`);
  }
  if (type === 'IDAT') idat.push(data);
  at += 12 + length;
}
const raw = zlib.inflateSync(Buffer.concat(idat));
const stride = width * 3 + 1;
if (raw.length !== stride * height) throw new Error(`${file}: ${raw.length} bytes of pixels for ${width} x ${height}`);
const pixel = (c, r) => {
  if (raw[r * stride] !== 0) throw new Error(`${file}: row ${r} is filtered`);
  const p = r * stride + 1 + c * 3;
  return [raw[p], raw[p + 1], raw[p + 2]];
};
const isBackground = (c, r) => {
  const [red, green, blue] = pixel(c, r);
  return red === 0 && (green === 31 || green === 32) && (blue === 76 || blue === 77);
};
const isBlack = (c, r) => pixel(c, r).join() === '0,0,0';
let failed = 0;
for (const check of checks) {
  const [c, r, want] = check.split(',');
  const col = Number(c), row = Number(r);
  let line = false;
  for (let dc = -1; dc <= 1; dc++)
    for (let dr = -1; dr <= 1; dr++) line = line || (!isBackground(col + dc, row + dr) && !isBlack(col + dc, row + dr));
  const ok = want === 'line' ? line : isBackground(col, row);
  if (!ok) {
    console.log(`${file}: (${col}, ${row}) should be ${want}, is ${pixel(col, row).join(',')}`);
    failed = 1;
  }
}
if (!failed) console.log(`${file}: ${width} x ${height}, ${checks.length} pixels as expected`);
process.exit(failed);
