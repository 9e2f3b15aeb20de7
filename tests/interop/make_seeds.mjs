// Writes JS-made documents and change chunks as a fuzzing seed corpus:
//   node make_seeds.mjs DOCS_DIR CHANGES_DIR
import fs from "node:fs";
import path from "node:path";
import * as A from "@automerge/automerge";
import { threeActorDocs, ACTORS } from "./lib/fixtures.mjs";
import { applyScript } from "./lib/script.mjs";
import { chatScript } from "./lib/chat_fixture.mjs";
import { compressChange } from "./lib/chunks.mjs";

const [docsDir, changesDir] = process.argv.slice(2);
if (!docsDir || !changesDir) {
  console.error("usage: node make_seeds.mjs DOCS_DIR CHANGES_DIR");
  process.exit(2);
}
fs.mkdirSync(docsDir, { recursive: true });
fs.mkdirSync(changesDir, { recursive: true });

const docs = { ...threeActorDocs(), chat: applyScript(A.init({ actor: ACTORS.bob }), chatScript(6)) };
for (const [name, doc] of Object.entries(docs)) {
  fs.writeFileSync(path.join(docsDir, `${name}.automerge`), A.save(doc));
}
fs.writeFileSync(path.join(docsDir, "grown.automerge"),
  Buffer.concat([A.save(docs.base), ...A.getChanges(docs.base, docs.merged).map((c) => Buffer.from(c))]));

A.getAllChanges(docs.merged).forEach((change, i) => {
  fs.writeFileSync(path.join(changesDir, `change-${i}.bin`), change);
  fs.writeFileSync(path.join(changesDir, `deflated-${i}.bin`), compressChange(change));
});
console.log(`seeds written to ${docsDir} and ${changesDir}`);
