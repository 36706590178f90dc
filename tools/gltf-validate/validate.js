#!/usr/bin/env node
// Validates glTF binary files with the Khronos validator; exits 1 when any file has errors.
// usage: node tools/gltf-validate/validate.js FILE.glb...
'use strict';
const fs = require('fs');
const path = require('path');
const validator = require('gltf-validator');

async function check(file) {
  const bytes = new Uint8Array(fs.readFileSync(file));
  const report = await validator.validateBytes(bytes, {
    uri: path.basename(file),
    maxIssues: 50,
    externalResourceFunction: () => Promise.reject(new Error('external resources are not used')),
  });
  const n = report.issues.numErrors;
  console.log(`${file}: ${n} errors, ${report.issues.numWarnings} warnings`);
  for (const m of report.issues.messages) {
    if (m.severity === 0) console.log(`  ${m.code} ${m.pointer || ''}: ${m.message}`);
  }
  return n;
}

(async () => {
  const files = process.argv.slice(2);
  if (files.length === 0) {
    console.error('usage: validate.js FILE.glb...');
    process.exit(2);
  }
  let errors = 0;
  for (const f of files) {
    try {
      errors += await check(f);
    } catch (e) {
      console.log(`${f}: cannot validate: ${e.message || e}`);
      errors += 1;
    }
  }
  process.exit(errors > 0 ? 1 : 0);
})();
