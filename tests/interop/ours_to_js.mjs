// Documents made by our engine read the same in the npm package, and equal
// what the npm package makes from the same edits.
import fs from "node:fs";
import * as A from "@automerge/automerge";
import { setup } from "./lib/setup.mjs";
import { check, finish, assertSameValue, assertSameHeads, sortedHeads, assertToolSees } from "./lib/check.mjs";
import { canonicalDoc } from "./lib/canonical.mjs";
import { ACTORS, BASE_SCRIPT } from "./lib/fixtures.mjs";
import { applyScript, CHANGE_TIME } from "./lib/script.mjs";
import { chatScript } from "./lib/chat_fixture.mjs";

const { tool, writer, file } = setup("ours_to_js.mjs");

// Hashes are compared only for scripts without replace splices (delete and
// insert in one splice): the npm package emits such a splice's inserts
// before its deletes, our engine the deletes first. Values agree, op ids and
// so hashes do not; "chat" and "replace" are compared by value only.
const cases = {
  base: { script: BASE_SCRIPT, sameHashes: true },
  chat: { script: chatScript(30), sameHashes: false },
  // Deletes and re-puts, list deletes inside runs, splices across non-BMP text.
  churn: {
    sameHashes: true,
    script: [
      ["put", [], "t", { text: "" }],
      ["splice", ["t"], 0, 0, "a😀b𝄞c"],
      ["splice", ["t"], 1, 2, ""],
      ["splice", ["t"], 1, 0, "xyz"],
      ["put", [], "l", { list: null }],
      ["insert", ["l"], 0, { int: 1 }],
      ["insert", ["l"], 1, { f64: 2.5 }],
      ["insert", ["l"], 2, { counter: 3 }],
      ["commit", "first"],
      ["delete", ["l"], 0],
      ["inc", ["l"], 1, 4],
      ["put", ["l"], 0, { str: "replaced" }],
      ["put", [], "k", { str: "v" }],
      ["delete", [], "k"],
      ["splice", ["t"], 0, 1, ""],
      ["commit", "second"],
    ],
  },
  keys: {
    sameHashes: true,
    script: [
      ["put", [], "", { int: 1 }],
      ["put", [], "\uFF61", { int: 2 }],
      ["put", [], "😀", { int: 3 }],
      ["put", [], "é", { str: "e" }],
      ["put", [], "m", { map: null }],
      ["put", ["m"], "😀x", { bool: true }],
      ["put", ["m"], "\uFF61x", { bool: false }],
    ],
  },
  replace: {
    sameHashes: false,
    script: [["put", [], "t", { text: "" }], ["splice", ["t"], 0, 0, "abcd"], ["splice", ["t"], 1, 2, "XY"]],
  },
};

for (const [name, { script, sameHashes }] of Object.entries(cases)) {
  check(`${name}: our document loads in JS with the same value and heads`, () => {
    fs.writeFileSync(file(`${name}.json`), JSON.stringify(script));
    writer.edit({
      actor: ACTORS.alice, scriptFile: file(`${name}.json`), time: CHANGE_TIME,
      output: file(`${name}.automerge`), changes: file(`${name}.changes`),
    });
    const expected = applyScript(A.init({ actor: ACTORS.alice }), script);
    for (const saved of [`${name}.automerge`, `${name}.changes`]) {
      const loaded = A.load(fs.readFileSync(file(saved)));
      assertSameValue(canonicalDoc(loaded), canonicalDoc(expected), `${saved} in JS vs JS's own edits`);
      assertToolSees(tool, file(saved), loaded, `${saved} in ours vs JS`);
    }
  });

  // Same actor, same time, same edits: the changes must be byte-identical,
  // so the hashes agree with the npm package's.
  if (!sameHashes) continue;
  check(`${name}: our changes hash like the npm package's`, () => {
    const expected = applyScript(A.init({ actor: ACTORS.alice }), script);
    const loaded = A.load(fs.readFileSync(file(`${name}.automerge`)));
    assertSameHeads(sortedHeads(loaded), sortedHeads(expected), `${name} heads`);
  });
}

finish();
