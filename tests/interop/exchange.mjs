// Concurrent edits on both sides, exchanged as change chunks, converge to
// the same value and heads in both engines.
import fs from "node:fs";
import * as A from "@automerge/automerge";
import { setup } from "./lib/setup.mjs";
import { check, finish, assertSameValue, assertSameHeads, sortedHeads, assertToolSees } from "./lib/check.mjs";
import { canonicalDoc } from "./lib/canonical.mjs";
import { ACTORS, BOB_SCRIPT, CAROL_SCRIPT, baseDoc } from "./lib/fixtures.mjs";
import { applyScript, CHANGE_TIME } from "./lib/script.mjs";

const { tool, writer, file } = setup("exchange.mjs");
const write = (name, bytes) => fs.writeFileSync(file(name), bytes);
const read = (name) => fs.readFileSync(file(name));

// Round 1: from a JS base, bob edits in our engine while carol edits in JS.
const base = baseDoc();
write("base.automerge", A.save(base));
write("bob.json", JSON.stringify(BOB_SCRIPT));
let carol = A.load(read("base.automerge"), { actor: ACTORS.carol });
carol = applyScript(carol, CAROL_SCRIPT);
write("carol.changes", A.saveIncremental(carol));
write("carol.automerge", A.save(carol));
// The same two edits made entirely in JS: what both sides must arrive at.
const reference = A.merge(applyScript(A.clone(base, { actor: ACTORS.bob }), BOB_SCRIPT), A.clone(carol));

check("our edits on a JS base produce only the new changes", () => {
  writer.edit({
    actor: ACTORS.bob, scriptFile: file("bob.json"), time: CHANGE_TIME,
    input: file("base.automerge"), output: file("bob.automerge"), changes: file("bob.changes"),
  });
  const decoded = A.decodeChange(read("bob.changes"));
  assertSameValue(decoded.deps, A.getHeads(base), "our change depends on the JS heads");
  assertSameValue(decoded.actor, ACTORS.bob, "our change's actor");
});

let jsMerged;
check("JS applies our change chunks and matches the all-JS result", () => {
  jsMerged = A.loadIncremental(A.clone(carol), read("bob.changes"));
  assertSameValue(canonicalDoc(jsMerged), canonicalDoc(reference), "JS after our changes");
  const expectedHeads = [...A.getHeads(carol), A.decodeChange(read("bob.changes")).hash].sort();
  assertSameHeads(sortedHeads(jsMerged), expectedHeads, "JS after our changes");
});

check("we apply JS change chunks and match JS", () => {
  writer.apply(file("bob.automerge"), file("carol.changes"), file("ours-merged.automerge"));
  assertToolSees(tool, file("ours-merged.automerge"), jsMerged, "ours after JS changes");
});

check("crdt-tool merge of the two sides matches JS", () => {
  tool.merge(file("bob.automerge"), file("carol.automerge"), file("tool-merged.automerge"));
  assertToolSees(tool, file("tool-merged.automerge"), jsMerged, "merged by crdt-tool");
  const loaded = A.load(read("tool-merged.automerge"));
  assertSameHeads(sortedHeads(loaded), sortedHeads(jsMerged), "our merged file in JS");
});

// Round 2: both sides build on the converged document once more.
const followUp = (who) => [
  ["splice", ["messages", 0, "text"], 0, 0, `[${who}] `],
  ["insert", ["tags"], 0, { str: who }],
  ["inc", [], "views", 100],
  ["put", ["workspace"], "name", { str: `Acme (${who} again)` }],
  ["commit", `${who} again`],
];

check("a second round of concurrent edits converges both ways", () => {
  write("bob2.json", JSON.stringify(followUp("bob")));
  writer.edit({
    actor: ACTORS.bob, scriptFile: file("bob2.json"), time: CHANGE_TIME,
    input: file("ours-merged.automerge"), output: file("bob2.automerge"), changes: file("bob2.changes"),
  });
  const before = A.clone(jsMerged, { actor: ACTORS.alice });
  const alice = applyScript(before, followUp("alice"));
  write("alice2.changes", Buffer.concat(A.getChanges(jsMerged, alice).map((c) => Buffer.from(c))));

  const theirs = A.loadIncremental(A.clone(alice), read("bob2.changes"));
  writer.apply(file("bob2.automerge"), file("alice2.changes"), file("ours2.automerge"));
  assertToolSees(tool, file("ours2.automerge"), theirs, "round two");
  const reference2 = A.merge(applyScript(A.clone(jsMerged, { actor: ACTORS.bob }), followUp("bob")), A.clone(alice));
  assertSameValue(canonicalDoc(theirs), canonicalDoc(reference2), "round two vs all-JS");
});

check("changes that arrive before their dependencies wait, then apply", () => {
  // carol's changes first, then the base: a file of changes out of order.
  const baseChanges = A.getAllChanges(base).map((c) => Buffer.from(c));
  const carolChanges = A.getChanges(base, carol).map((c) => Buffer.from(c));
  write("out-of-order.automerge", Buffer.concat([...carolChanges, ...baseChanges]));
  assertToolSees(tool, file("out-of-order.automerge"), carol, "out-of-order changes");
});

finish();
