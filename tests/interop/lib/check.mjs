// A tiny harness: named checks, every failure reported, non-zero exit if any failed.
import * as A from "@automerge/automerge";
import { canonicalDoc, firstDifference } from "./canonical.mjs";

const failures = [];
let passed = 0;

export function check(name, body) {
  try {
    body();
    passed++;
    console.log(`ok   ${name}`);
  } catch (e) {
    failures.push(name);
    console.log(`FAIL ${name}\n     ${String(e.message).replace(/\n/g, "\n     ")}`);
  }
}

export function finish() {
  console.log(`${passed} passed, ${failures.length} failed`);
  process.exit(failures.length === 0 ? 0 : 1);
}

export function assert(condition, message) {
  if (!condition) throw new Error(message);
}

export function assertSameValue(ours, theirs, what) {
  const difference = firstDifference(ours, theirs);
  if (difference) throw new Error(`${what}: ${difference}`);
}

export function sortedHeads(doc) {
  return [...A.getHeads(doc)].sort();
}

export function assertSameHeads(ours, theirs, what) {
  const a = JSON.stringify(ours);
  const b = JSON.stringify(theirs);
  if (a !== b) throw new Error(`${what}: heads differ\n ours:   ${a}\n theirs: ${b}`);
}

// The file as our tool reads it matches the JS document: value and heads.
export function assertToolSees(tool, file, doc, what) {
  assertSameValue(tool.dump(file), canonicalDoc(doc), `${what} value`);
  assertSameHeads(tool.heads(file), sortedHeads(doc), what);
}
