// Checks what share_picture.sh posted through the window, with Automerge itself.
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { fileURLToPath } from "node:url";
import path from "node:path";

const here = path.dirname(fileURLToPath(import.meta.url));
const require = createRequire(path.join(here, "../interop/package.json"));
const Automerge = require("@automerge/automerge");

const doc = JSON.parse(JSON.stringify(Automerge.load(new Uint8Array(readFileSync(process.argv[2])))));
const key = process.argv[3];
const fail = (why) => { console.error("FAIL: " + why); process.exit(1); };

const posted = Object.values(doc.messages ?? {}).flat().filter((m) => m && typeof m === "object" && m.attachment);
if (posted.length !== 1) fail("expected one message with an attachment: " + JSON.stringify(doc.messages));
const a = posted[0].attachment;
if (a.kind !== "image" || a.name !== "wide shot.png" || a.blob !== key || Number(a.w) !== 64 || Number(a.h) !== 24)
    fail("attachment " + JSON.stringify(a));
if (posted[0].text !== "") fail("the message carries only the attachment: " + JSON.stringify(posted[0].text));
console.log("ok");
