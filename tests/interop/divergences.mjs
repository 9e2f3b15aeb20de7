// Cases where the engine once turned edits into different ops than the npm
// package: the same script, actor and time must give byte-identical changes
// (same heads). Each fixtures/divergence-*.json is one minimal case; a
// mismatch changes op ids, hashes and the winners of later conflicts.
import fs from "node:fs";
import path from "node:path";
import { fileURLToPath } from "node:url";
import * as A from "@automerge/automerge";
import { setup } from "./lib/setup.mjs";
import { check, finish, assertSameValue, assertSameHeads, sortedHeads } from "./lib/check.mjs";
import { canonicalDoc } from "./lib/canonical.mjs";
import { ACTORS } from "./lib/fixtures.mjs";
import { applyScript, CHANGE_TIME } from "./lib/script.mjs";

const { writer, file } = setup("divergences.mjs");
const fixtures = path.join(path.dirname(fileURLToPath(import.meta.url)), "fixtures");

for (const name of fs.readdirSync(fixtures).filter((n) => /^divergence-.*\.json$/.test(n)).sort()) {
  check(`${name}: same edits, same changes as the npm package`, () => {
    const script = JSON.parse(fs.readFileSync(path.join(fixtures, name), "utf8"));
    writer.edit({
      actor: ACTORS.alice, scriptFile: path.join(fixtures, name), time: CHANGE_TIME,
      output: file(`${name}.automerge`), changes: file(`${name}.changes`),
    });
    const ours = A.load(fs.readFileSync(file(`${name}.automerge`)));
    const theirs = applyScript(A.init({ actor: ACTORS.alice }), script);
    assertSameValue(canonicalDoc(ours), canonicalDoc(theirs), "value");
    const describe = (doc) => A.getAllChanges(doc).map(A.decodeChange)
      .map((c) => c.ops.map((o) => `${o.action}${o.insert ? "+insert" : ""}@${o.elemId ?? o.key}`).join(" ")).join(" | ");
    try {
      assertSameHeads(sortedHeads(ours), sortedHeads(theirs), "heads");
    } catch (e) {
      throw new Error(`${e.message}\n ours:   ${describe(ours)}\n theirs: ${describe(theirs)}`);
    }
  });
}

finish();
