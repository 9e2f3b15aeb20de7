// Reads a document written by a first start and checks the starter content with Automerge itself.
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { fileURLToPath } from "node:url";
import path from "node:path";

const here = path.dirname(fileURLToPath(import.meta.url));
const require = createRequire(path.join(here, "../interop/package.json"));
const Automerge = require("@automerge/automerge");

// Plain JSON: scalar strings load as Automerge's immutable string objects otherwise.
const doc = JSON.parse(JSON.stringify(Automerge.load(new Uint8Array(readFileSync(process.argv[2])))));
const fail = (why) => { console.error("FAIL: " + why); process.exit(1); };

if (doc.seeded !== true) fail("not seeded");
const ws = doc.workspaces?.ws_home;
if (!ws || ws.name !== "My Workspace" || ws.glyph !== "MW") fail("no starter workspace: " + JSON.stringify(doc.workspaces));
const general = doc.channels?.c_general;
if (!general || general.kind !== "text" || general.name !== "general") fail("no general channel");
const lounge = doc.channels?.c_lounge;
if (!lounge || lounge.kind !== "voice") fail("no Lounge voice channel");
if (!doc.voice || !("c_lounge" in doc.voice)) fail("no voice map for the Lounge");
const users = Object.entries(doc.users ?? {});
if (users.length !== 1) fail("expected the local person only, got " + users.length + " users");
const [id, me] = users[0];
if (!/^u_[0-9a-f]{16}$/.test(id)) fail("local person id " + id);
if (me.status !== "online" || typeof me.name !== "string" || me.name.trim() === "") fail("user record " + JSON.stringify(me));
if (!(Number(me.color_idx) >= 0 && Number(me.color_idx) < 8)) fail("colour index " + me.color_idx);
console.log("ok");
