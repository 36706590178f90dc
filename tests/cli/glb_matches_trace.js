#!/usr/bin/env node
// Checks a played glTF binary against the trace of the same playback: the animation's times are
// frame / fps, and each traced body's node moves through the trace's positions (millimetres in
// the trace, metres in the file) and rotations (w first in the trace, last in glTF, either sign).
// usage: node glb_matches_trace.js FILE.glb FILE.csv FPS
'use strict';
const fs = require('fs');

function fail(message) {
  console.error(`glb_matches_trace: ${message}`);
  process.exit(1);
}

function readGlb(file) {
  const bytes = fs.readFileSync(file);
  if (bytes.readUInt32LE(0) !== 0x46546c67) fail(`${file}: not a glTF binary`);
  const jsonLength = bytes.readUInt32LE(12);
  const json = JSON.parse(bytes.toString('utf8', 20, 20 + jsonLength));
  const binStart = 20 + jsonLength + 8;
  return { json, bin: bytes.subarray(binStart) };
}

function floats(glb, accessorIndex) {
  const a = glb.json.accessors[accessorIndex];
  const view = glb.json.bufferViews[a.bufferView];
  const width = { SCALAR: 1, VEC3: 3, VEC4: 4 }[a.type];
  const out = [];
  for (let i = 0; i < a.count; ++i) {
    const row = [];
    for (let c = 0; c < width; ++c) row.push(glb.bin.readFloatLE(view.byteOffset + (a.byteOffset || 0) + 4 * (i * width + c)));
    out.push(row);
  }
  return out;
}

const [file, csv, fpsText] = process.argv.slice(2);
const fps = Number(fpsText);
const glb = readGlb(file);
const rows = fs.readFileSync(csv, 'utf8').trim().split('\n').slice(1).map((l) => l.split(','));
const animation = glb.json.animations[0];
const nodeOf = new Map(glb.json.nodes.map((n, i) => [n.name, i]));
let checked = 0;
for (const channel of animation.channels) {
  const node = glb.json.nodes[channel.target.node];
  const sampler = animation.samplers[channel.sampler];
  const times = floats(glb, sampler.input);
  const values = floats(glb, sampler.output);
  times.forEach(([t], f) => {
    if (Math.abs(t - f / fps) > 1e-6) fail(`time of frame ${f} is ${t}, not ${f / fps}`);
  });
  for (const r of rows.filter((r) => r[1] === node.name)) {
    const f = Number(r[0]);
    const v = values[f];
    if (channel.target.path === 'translation') {
      for (let c = 0; c < 3; ++c)
        if (Math.abs(v[c] - Number(r[2 + c]) / 1000) > 1e-6) fail(`${node.name} frame ${f}: position ${v} vs trace ${r.slice(2, 5)}`);
    } else {
      const q = [v[3], v[0], v[1], v[2]];
      const t = r.slice(5, 9).map(Number);
      const dot = q.reduce((s, x, i) => s + x * t[i], 0);
      if (Math.abs(Math.abs(dot) - 1) > 1e-5) fail(`${node.name} frame ${f}: rotation ${q} vs trace ${t}`);
    }
    ++checked;
  }
}
const traced = new Set(rows.map((r) => r[1]));
for (const name of traced) if (!nodeOf.has(name)) fail(`traced shape ${name} has no node`);
console.log(`${checked} samples of ${traced.size} traced bodies agree with the glTF animation`);
