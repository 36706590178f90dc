#!/usr/bin/env node
// Checks a played glTF binary against the trace of the same playback: the animation's times are
// frame / fps, and each traced body's node moves through the trace's positions (millimetres in
// the trace, metres in the file) and rotations (w first in the trace, last in glTF, either sign).
// With a vertex trace of the same playback, every traced cloth mesh is a node whose morph
// weights at frame f are 1 on target f and 0 elsewhere, and whose shape there (base plus target
// f) puts every vertex where the vertex trace has it, with unit normals.
// usage: node glb_matches_trace.js FILE.glb FILE.csv FPS [VERTICES.csv]
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

// The float elements of an accessor, as rows of its width: zeros where it has no buffer view,
// then its sparse entries, if any, put in place.
function flatFloats(glb, accessorIndex) {
  const a = glb.json.accessors[accessorIndex];
  if (a.componentType !== 5126) fail(`accessor ${accessorIndex} is not float`);
  const width = { SCALAR: 1, VEC3: 3, VEC4: 4 }[a.type];
  const out = new Float64Array(a.count * width);
  if (a.bufferView !== undefined) {
    const start = glb.json.bufferViews[a.bufferView].byteOffset + (a.byteOffset || 0);
    for (let i = 0; i < out.length; ++i) out[i] = glb.bin.readFloatLE(start + 4 * i);
  }
  if (a.sparse) {
    const s = a.sparse;
    const at = glb.json.bufferViews[s.indices.bufferView].byteOffset + (s.indices.byteOffset || 0);
    const values = glb.json.bufferViews[s.values.bufferView].byteOffset + (s.values.byteOffset || 0);
    const size = { 5121: 1, 5123: 2, 5125: 4 }[s.indices.componentType];
    for (let k = 0; k < s.count; ++k) {
      const i = size === 4 ? glb.bin.readUInt32LE(at + 4 * k) : size === 2 ? glb.bin.readUInt16LE(at + 2 * k) : glb.bin[at + k];
      for (let c = 0; c < width; ++c) out[i * width + c] = glb.bin.readFloatLE(values + 4 * (k * width + c));
    }
  }
  return { width, values: out };
}

function floats(glb, accessorIndex) {
  const { width, values } = flatFloats(glb, accessorIndex);
  const out = [];
  for (let i = 0; i < values.length; i += width) out.push(Array.from(values.subarray(i, i + width)));
  return out;
}

const [file, csv, fpsText, verticesCsv] = process.argv.slice(2);
const fps = Number(fpsText);
const glb = readGlb(file);
const rows = fs.readFileSync(csv, 'utf8').trim().split('\n').slice(1).map((l) => l.split(','));
const animation = glb.json.animations[0];
const nodeOf = new Map(glb.json.nodes.map((n, i) => [n.name, i]));
let checked = 0;
for (const channel of animation.channels) {
  if (channel.target.path === 'weights') continue;  // cloth: checked below
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
if (verticesCsv) checkCloth(verticesCsv);

function checkCloth(verticesFile) {
  // Rows by mesh, then by frame: x, y, z in millimetres per vertex.
  const byMesh = new Map();
  const lines = fs.readFileSync(verticesFile, 'utf8').trim().split('\n').slice(1);
  for (const line of lines) {
    const r = line.split(',');
    const [f, name, v] = [Number(r[0]), r[1], Number(r[2])];
    if (!byMesh.has(name)) byMesh.set(name, []);
    const frames = byMesh.get(name);
    if (!frames[f]) frames[f] = [];
    frames[f][v] = r.slice(3, 6).map(Number);
  }
  let vertices = 0;
  for (const [name, frames] of byMesh) {
    const nodeIndex = nodeOf.get(name);
    if (nodeIndex === undefined) fail(`traced cloth mesh ${name} has no node`);
    const primitive = glb.json.meshes[glb.json.nodes[nodeIndex].mesh].primitives[0];
    const targets = primitive.targets || [];
    if (targets.length !== frames.length) fail(`${name}: ${targets.length} morph targets for ${frames.length} frames`);
    const channel = animation.channels.find((c) => c.target.node === nodeIndex && c.target.path === 'weights');
    if (!channel) fail(`${name}: no weights channel`);
    const weights = flatFloats(glb, animation.samplers[channel.sampler].output).values;
    const base = flatFloats(glb, primitive.attributes.POSITION).values;
    const baseNormal = flatFloats(glb, primitive.attributes.NORMAL).values;
    frames.forEach((rows, f) => {
      for (let t = 0; t < targets.length; ++t)
        if (weights[f * targets.length + t] !== (t === f ? 1 : 0)) fail(`${name} frame ${f}: weight of target ${t} is ${weights[f * targets.length + t]}`);
      const delta = flatFloats(glb, targets[f].POSITION).values;
      const normal = flatFloats(glb, targets[f].NORMAL).values;
      rows.forEach((mm, v) => {
        for (let c = 0; c < 3; ++c) {
          const m = base[3 * v + c] + delta[3 * v + c];
          // Metres in float, the base plus a float difference: a few float steps of a few metres.
          if (Math.abs(m - mm[c] / 1000) > 2e-6) fail(`${name} frame ${f} vertex ${v}: ${m} m vs trace ${mm[c]} mm`);
        }
        const n = [0, 1, 2].map((c) => baseNormal[3 * v + c] + normal[3 * v + c]);
        if (Math.abs(Math.hypot(...n) - 1) > 1e-5) fail(`${name} frame ${f} vertex ${v}: normal ${n} is not unit`);
        ++vertices;
      });
    });
  }
  console.log(`${vertices} vertex positions of ${byMesh.size} cloth meshes agree with the glTF morph targets`);
}
