// A save followed by appended incremental chunks (how the application's file
// grows) loads the same on both sides.
import fs from "node:fs";
import * as A from "@automerge/automerge";
import { setup } from "./lib/setup.mjs";
import { check, finish, assertSameValue, assertSameHeads, sortedHeads, assertToolSees } from "./lib/check.mjs";
import { canonicalDoc } from "./lib/canonical.mjs";
import { ACTORS } from "./lib/fixtures.mjs";
import { applyScript } from "./lib/script.mjs";
import { chatScript } from "./lib/chat_fixture.mjs";

const { tool, writer, file } = setup("incremental.mjs");

// A document saved once, then grown by three rounds of saveIncremental.
let doc = applyScript(A.init({ actor: ACTORS.alice }), chatScript(12));
const parts = [Buffer.from(A.save(doc))];
const extra = [
  [["splice", ["messages", "c_general", 0, "text"], 0, 0, "edited: "], ["commit", "edit"]],
  [["put", ["channels", "c_dev"], "topic", { str: "builds" }], ["delete", ["messages", "c_random"], 0], ["commit", "topic"]],
  [["insert", ["messages", "c_dev", 0, "reactions"], 0, { map: null }],
   ["put", ["messages", "c_dev", 0, "reactions", 0], "emoji", { str: "🎉" }], ["commit", "react"]],
];
for (const script of extra) {
  doc = applyScript(doc, script);
  parts.push(Buffer.from(A.saveIncremental(doc)));
}
fs.writeFileSync(file("grown.automerge"), Buffer.concat(parts));

check("JS loads its own grown file", () => {
  const loaded = A.load(fs.readFileSync(file("grown.automerge")));
  assertSameValue(canonicalDoc(loaded), canonicalDoc(doc), "JS reload");
});

check("we load the grown file like JS", () => {
  assertToolSees(tool, file("grown.automerge"), doc, "grown file");
});

check("a chunk appended twice changes nothing", () => {
  fs.writeFileSync(file("twice.automerge"), Buffer.concat([...parts, parts[parts.length - 1]]));
  assertToolSees(tool, file("twice.automerge"), doc, "duplicated chunk");
});

check("we apply the incremental chunks onto the first save", () => {
  fs.writeFileSync(file("first.automerge"), parts[0]);
  fs.writeFileSync(file("rest.changes"), Buffer.concat(parts.slice(1)));
  writer.apply(file("first.automerge"), file("rest.changes"), file("applied.automerge"));
  assertToolSees(tool, file("applied.automerge"), doc, "applied increments");
});

check("our save plus our change chunks loads in JS", () => {
  fs.writeFileSync(file("ours.json"), JSON.stringify([
    ["put", ["channels", "c_general"], "topic", { str: "ours" }],
    ["splice", ["messages", "c_dev", 0, "text"], 0, 0, "ours: "],
    ["commit", "ours"],
    ["put", ["channels", "c_general"], "archived", { bool: true }],
  ]));
  writer.edit({
    actor: ACTORS.bob, scriptFile: file("ours.json"), time: 0,
    input: file("applied.automerge"), output: file("ours.automerge"), changes: file("ours.changes"),
  });
  const grown = Buffer.concat([fs.readFileSync(file("applied.automerge")), fs.readFileSync(file("ours.changes"))]);
  fs.writeFileSync(file("ours-grown.automerge"), grown);
  const loaded = A.load(grown);
  const whole = A.load(fs.readFileSync(file("ours.automerge")));
  assertSameValue(canonicalDoc(loaded), canonicalDoc(whole), "our grown file vs our full save, in JS");
  assertSameHeads(sortedHeads(loaded), sortedHeads(whole), "our grown file vs our full save, in JS");
  assertToolSees(tool, file("ours-grown.automerge"), whole, "our grown file in ours");
});

finish();
