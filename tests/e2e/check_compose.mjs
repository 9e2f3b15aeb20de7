// Checks what compose_and_rename.sh did through the window, with Automerge itself.
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { fileURLToPath } from "node:url";
import path from "node:path";

const here = path.dirname(fileURLToPath(import.meta.url));
const require = createRequire(path.join(here, "../interop/package.json"));
const Automerge = require("@automerge/automerge");

const doc = JSON.parse(JSON.stringify(Automerge.load(new Uint8Array(readFileSync(process.argv[2])))));
const channel = process.argv[3];
const name = process.argv[4];
const fail = (why) => { console.error("FAIL: " + why); process.exit(1); };

const me = Object.keys(doc.users ?? {}).find((id) => doc.users[id].name === name);
if (!me) fail("no local person named " + name + ": " + JSON.stringify(doc.users));

const sent = (doc.messages?.c_general ?? []).filter((m) => m && typeof m === "object" && m.text === `hello @${name} from the window`);
if (sent.length !== 1) fail("the sent message is missing: " + JSON.stringify(doc.messages?.c_general));
const mentions = sent[0].mentions ?? [];
if (mentions.length !== 1 || mentions[0].user !== me || Number(mentions[0].start) !== 6 || Number(mentions[0].len) !== Buffer.byteLength(name) + 1)
    fail("mention " + JSON.stringify(mentions));
if (sent[0].author !== me) fail("author " + sent[0].author);

if (doc.drafts?.[channel] !== "unsent thought") fail("draft " + JSON.stringify(doc.drafts));
if (doc.drafts?.c_general) fail("the general channel's draft should be empty after sending");
if (doc.channels?.[channel]?.name !== "roadmap") fail("channel name " + JSON.stringify(doc.channels?.[channel]));
console.log("ok");
