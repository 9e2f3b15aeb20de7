// Documents made by the npm package read the same in our engine: value and heads.
import fs from "node:fs";
import * as A from "@automerge/automerge";
import { setup } from "./lib/setup.mjs";
import { check, finish, assertToolSees } from "./lib/check.mjs";
import { threeActorDocs, ACTORS } from "./lib/fixtures.mjs";
import { applyScript } from "./lib/script.mjs";
import { chatScript } from "./lib/chat_fixture.mjs";
import { compressChange } from "./lib/chunks.mjs";

const { tool, file } = setup("js_to_ours.mjs");
const docs = threeActorDocs();

for (const [name, doc] of Object.entries(docs)) {
  check(`saved ${name} document reads the same`, () => {
    fs.writeFileSync(file(`${name}.automerge`), A.save(doc));
    assertToolSees(tool, file(`${name}.automerge`), doc, name);
  });
}

check("concurrent document keeps three heads", () => {
  const heads = tool.heads(file("concurrent.automerge"));
  if (heads.length !== 3) throw new Error(`expected 3 heads, got ${heads.length}`);
});

check("bare change chunks (no document chunk) read the same", () => {
  const chunks = A.getAllChanges(docs.merged);
  fs.writeFileSync(file("changes-only.automerge"), Buffer.concat(chunks.map((c) => Buffer.from(c))));
  assertToolSees(tool, file("changes-only.automerge"), docs.merged, "changes only");
});

check("chat-shaped document with long texts reads the same", () => {
  const doc = applyScript(A.init({ actor: ACTORS.alice }), chatScript(40));
  fs.writeFileSync(file("chat.automerge"), A.save(doc));
  assertToolSees(tool, file("chat.automerge"), doc, "chat document");
});

check("one big change (compressed chunk) reads the same", () => {
  let doc = A.init({ actor: ACTORS.bob });
  doc = A.change(doc, { time: 0 }, (d) => {
    d.text = "";
    A.splice(d, ["text"], 0, 0, "lorem ipsum dolor sit amet ".repeat(400));
    d.list = Array.from({ length: 500 }, (_, i) => i * 7);
  });
  const change = A.getLastLocalChange(doc);
  fs.writeFileSync(file("big-change.automerge"), change);
  fs.writeFileSync(file("big-change-deflated.automerge"), compressChange(change));
  fs.writeFileSync(file("big-doc.automerge"), A.save(doc));
  assertToolSees(tool, file("big-change.automerge"), doc, "single change chunk");
  assertToolSees(tool, file("big-change-deflated.automerge"), doc, "compressed change chunk");
  assertToolSees(tool, file("big-doc.automerge"), doc, "document with deflated columns");
});

check("timestamps, bytes and empty document read the same", () => {
  let doc = A.init({ actor: ACTORS.carol });
  fs.writeFileSync(file("empty.automerge"), A.save(doc));
  assertToolSees(tool, file("empty.automerge"), doc, "empty document");
  doc = A.change(doc, { time: 0 }, (d) => {
    d.when = new Date(1700000000123);
    d.blob = new Uint8Array([0, 1, 254, 255]);
    d.float = 1.5;
  });
  fs.writeFileSync(file("scalars.automerge"), A.save(doc));
  assertToolSees(tool, file("scalars.automerge"), doc, "scalar kinds");
});

check("text with marks reads as its characters only", () => {
  let doc = A.change(A.init({ actor: ACTORS.alice }), { time: 0 }, (d) => { d.t = "hello bold world"; });
  doc = A.change(doc, { time: 0 }, (d) => {
    A.mark(d, ["t"], { start: 6, end: 10, expand: "both" }, "bold", true);
    A.mark(d, ["t"], { start: 0, end: 5 }, "link", "https://example.org");
  });
  doc = A.change(doc, { time: 0 }, (d) => {
    A.splice(d, ["t"], 8, 0, "XX");
    A.unmark(d, ["t"], { start: 0, end: 3 }, "link");
  });
  fs.writeFileSync(file("marks.automerge"), A.save(doc));
  assertToolSees(tool, file("marks.automerge"), doc, "marked text");
});

// UTF-16 and UTF-8 order these keys differently; documents sort map ops by
// UTF-8 bytes.
check("keys that sort differently in UTF-16 and UTF-8 read the same", () => {
  const doc = A.change(A.init({ actor: ACTORS.bob }), { time: 0 }, (d) => {
    d[""] = 1;
    d["\uFF61"] = 2;
    d["😀"] = 3;
    d["é"] = 4;
    d.m = { "\uFF61x": 5, "😀x": 6, "Z": 7 };
  });
  fs.writeFileSync(file("keys.automerge"), A.save(doc));
  assertToolSees(tool, file("keys.automerge"), doc, "odd keys");
});

finish();
