// Differential test on random edits: for each seed, a random base made in
// JS, then random concurrent edits by our engine (bob) and by JS (carol),
// exchanged both ways. Both sides must agree with each other and with the
// same edits made entirely in JS.
import fs from "node:fs";
import * as A from "@automerge/automerge";
import { setup } from "./lib/setup.mjs";
import { check, finish, assertSameValue, assertSameHeads, sortedHeads, assertToolSees } from "./lib/check.mjs";
import { canonicalDoc } from "./lib/canonical.mjs";
import { ACTORS } from "./lib/fixtures.mjs";
import { applyScript, CHANGE_TIME } from "./lib/script.mjs";
import { randomScript } from "./lib/random_script.mjs";

const { tool, writer, file } = setup("random.mjs");
const SEEDS = Number(process.env.INTEROP_RANDOM_SEEDS ?? 40);

function scenario(seed) {
  const f = (name) => file(`${seed}-${name}`);
  const base = applyScript(A.init({ actor: ACTORS.alice }), randomScript(A.init(), seed * 3 + 1, 25));
  fs.writeFileSync(f("base.automerge"), A.save(base));
  const bobScript = randomScript(base, seed * 3 + 2, 20);
  const carolScript = randomScript(base, seed * 3 + 3, 20);
  fs.writeFileSync(f("bob.json"), JSON.stringify(bobScript));

  writer.edit({
    actor: ACTORS.bob, scriptFile: f("bob.json"), time: CHANGE_TIME,
    input: f("base.automerge"), output: f("bob.automerge"), changes: f("bob.changes"),
  });
  const jsBob = applyScript(A.clone(base, { actor: ACTORS.bob }), bobScript);
  const oursBob = A.load(fs.readFileSync(f("bob.automerge")));
  assertSameValue(canonicalDoc(oursBob), canonicalDoc(jsBob), "bob's edits, ours vs JS");

  let carol = applyScript(A.clone(base, { actor: ACTORS.carol }), carolScript);
  fs.writeFileSync(f("carol.changes"), Buffer.concat(A.getChanges(base, carol).map((c) => Buffer.from(c))));
  fs.writeFileSync(f("carol.automerge"), A.save(carol));

  const theirs = A.loadIncremental(A.clone(carol), fs.readFileSync(f("bob.changes")));
  assertSameValue(canonicalDoc(theirs), canonicalDoc(A.merge(A.clone(carol), jsBob)), "merged, JS vs all-JS");
  writer.apply(f("bob.automerge"), f("carol.changes"), f("merged.automerge"));
  assertToolSees(tool, f("merged.automerge"), theirs, "merged by us");
  assertSameHeads(sortedHeads(A.load(fs.readFileSync(f("merged.automerge")))), sortedHeads(theirs), "our merge in JS");
}

for (let seed = 1; seed <= SEEDS; seed++) {
  check(`random scenario ${seed}`, () => scenario(seed));
}

finish();
