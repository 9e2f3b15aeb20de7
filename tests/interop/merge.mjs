// crdt-tool merge of two JS-made files equals the npm package's own merge.
import fs from "node:fs";
import * as A from "@automerge/automerge";
import { setup } from "./lib/setup.mjs";
import { check, finish, assertSameHeads, sortedHeads, assertToolSees } from "./lib/check.mjs";
import { threeActorDocs } from "./lib/fixtures.mjs";

const { tool, file } = setup("merge.mjs");
const docs = threeActorDocs();
for (const name of ["base", "alice", "bob", "carol", "merged"]) {
  fs.writeFileSync(file(`${name}.automerge`), A.save(docs[name]));
}

const pairs = [
  ["alice", "bob"],
  ["bob", "alice"],
  ["carol", "alice"],
  ["base", "bob"],        // one side contains the other
  ["merged", "carol"],    // nothing new from the second file
  ["alice", "alice"],
];

for (const [a, b] of pairs) {
  check(`merge ${a} + ${b} equals JS's merge`, () => {
    const out = file(`${a}+${b}.automerge`);
    tool.merge(file(`${a}.automerge`), file(`${b}.automerge`), out);
    const theirs = A.merge(A.clone(docs[a]), docs[b]);
    assertToolSees(tool, out, theirs, `${a}+${b}`);
    assertSameHeads(sortedHeads(A.load(fs.readFileSync(out))), sortedHeads(theirs), `${a}+${b} reloaded in JS`);
  });
}

check("three-way merge through two tool merges equals JS", () => {
  tool.merge(file("alice+bob.automerge"), file("carol.automerge"), file("three.automerge"));
  assertToolSees(tool, file("three.automerge"), docs.concurrent, "three-way");
});

check("merge refuses a corrupt input and writes nothing", () => {
  const bytes = Buffer.from(fs.readFileSync(file("bob.automerge")));
  bytes[bytes.length - 3] ^= 0xff;
  fs.writeFileSync(file("corrupt.automerge"), bytes);
  const out = file("never.automerge");
  const r = tool.run(["merge", file("alice.automerge"), file("corrupt.automerge"), out]);
  if (r.status !== 1) throw new Error(`expected exit 1, got ${r.signal ?? r.status}`);
  if (r.stderr.trim().split("\n").length !== 1) throw new Error(`expected one error line, got: ${r.stderr}`);
  if (fs.existsSync(out)) throw new Error("merge wrote output despite the error");
});

finish();
