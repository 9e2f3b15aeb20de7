// Damaged files never crash or hang crdt-tool: it reads them (exit 0) or
// refuses them with one line (exit 1). Covers the fuzzers' crash inputs kept
// in fixtures/crash-* and deterministic damage to JS-made files.
import fs from "node:fs";
import path from "node:path";
import { fileURLToPath } from "node:url";
import * as A from "@automerge/automerge";
import { setup } from "./lib/setup.mjs";
import { check, finish, assert } from "./lib/check.mjs";
import { threeActorDocs } from "./lib/fixtures.mjs";
import { compressChange } from "./lib/chunks.mjs";

const { tool, file } = setup("malformed.mjs");
const fixtures = path.join(path.dirname(fileURLToPath(import.meta.url)), "fixtures");

function expectHandled(bytes, what) {
  const target = file("input.automerge");
  fs.writeFileSync(target, bytes);
  const r = tool.run(["dump", target]);
  assert(r.signal === null, `${what}: crdt-tool died of ${r.signal}`);
  assert(r.status === 0 || r.status === 1, `${what}: exit ${r.status}`);
  if (r.status === 1) {
    const lines = r.stderr.trim().split("\n");
    assert(lines.length === 1 && lines[0].length > 0, `${what}: expected one error line, got ${JSON.stringify(r.stderr)}`);
  }
  return r.status;
}

function expectRefused(bytes, what) {
  assert(expectHandled(bytes, what) === 1, `${what}: expected refusal (exit 1)`);
}

// A small deterministic generator, so failures reproduce.
function lcg(seed) {
  let state = seed >>> 0;
  return () => (state = (Math.imul(state, 1664525) + 1013904223) >>> 0);
}

const docs = threeActorDocs();
const change = Buffer.from(A.getLastLocalChange(docs.merged));
const samples = {
  document: Buffer.from(A.save(docs.concurrent)),
  change,
  "compressed change": compressChange(change),
};

for (const name of fs.existsSync(fixtures) ? fs.readdirSync(fixtures).sort() : []) {
  if (!name.startsWith("crash-")) continue;
  check(`kept fuzzer input ${name} is handled`, () => expectHandled(fs.readFileSync(path.join(fixtures, name)), name));
}

for (const [name, bytes] of Object.entries(samples)) {
  check(`${name}: every truncation is handled`, () => {
    const step = Math.max(1, Math.floor(bytes.length / 97));
    for (let n = 0; n < bytes.length; n += n < 48 ? 1 : step) expectHandled(bytes.subarray(0, n), `first ${n} bytes`);
  });

  check(`${name}: damaged bytes are handled`, () => {
    const next = lcg(bytes.length);
    for (let i = 0; i < 300; i++) {
      const damaged = Buffer.from(bytes);
      const at = i < 48 ? i : next() % bytes.length;
      damaged[at] ^= i < 48 ? 0xff : 1 + (next() % 255);
      expectHandled(damaged, `byte ${at} changed (round ${i})`);
    }
  });
}

check("bad magic, bad checksum and bundle chunk types are refused", () => {
  const doc = samples.document;
  const cases = {
    "bad magic": Buffer.concat([Buffer.from([0x85, 0x6f, 0x4a, 0x84]), doc.subarray(4)]),
    "bad checksum": Buffer.concat([doc.subarray(0, 4), Buffer.from([0, 0, 0, 0]), doc.subarray(8)]),
    "chunk type 3": Buffer.concat([doc.subarray(0, 8), Buffer.from([3]), doc.subarray(9)]),
    "chunk type 4": Buffer.concat([doc.subarray(0, 8), Buffer.from([4]), doc.subarray(9)]),
    "trailing garbage": Buffer.concat([doc, Buffer.from("garbage")]),
    "length past the end": Buffer.concat([doc.subarray(0, 9), Buffer.from([0xff, 0xff, 0x03]), doc.subarray(11)]),
  };
  for (const [what, bytes] of Object.entries(cases)) expectRefused(bytes, what);
});

finish();
