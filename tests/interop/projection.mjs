// A chat document written by the npm package, with agent work in its earlier
// layout and values of the wrong kind, projects as the model reads it:
// wrong-kind values read as missing and take their defaults, and the earlier
// agent-work layout is understood.
//   node projection.mjs CRDT_TOOL WORKDIR PROJECTOR
import fs from "node:fs";
import { spawnSync } from "node:child_process";
import * as A from "@automerge/automerge";
import { setup } from "./lib/setup.mjs";
import { check, finish, assertSameValue } from "./lib/check.mjs";
import { applyScript } from "./lib/script.mjs";
import { ACTORS } from "./lib/fixtures.mjs";

const { file } = setup("projection.mjs");
const projector = process.argv[4];
if (!projector) {
  console.error("usage: node projection.mjs CRDT_TOOL WORKDIR PROJECTOR");
  process.exit(2);
}

const S = (v) => ({ str: v });
const I = (v) => ({ int: v });
const B = (v) => ({ bool: v });

// Puts `fields` (key -> value, or a nested object of fields) into the map at `path`.
function fill(steps, path, fields) {
  for (const [key, value] of Object.entries(fields)) {
    if (value && value.fields) {
      steps.push(["put", path, key, { map: null }]);
      fill(steps, [...path, key], value.fields);
    } else {
      steps.push(["put", path, key, value]);
    }
  }
}
const M = (fields) => ({ fields });

function message(steps, index, fields, mentions = []) {
  const path = ["messages", "c_1", index];
  steps.push(["insert", ["messages", "c_1"], index, { map: null }]);
  fill(steps, path, fields);
  steps.push(["put", path, "mentions", { list: null }]);
  mentions.forEach((entry, i) => {
    steps.push(["insert", [...path, "mentions"], i, { map: null }]);
    fill(steps, [...path, "mentions", i], entry);
  });
}

const steps = [
  ["put", [], "channels", { map: null }],
  ["put", ["channels"], "c_1", { map: null }],
  ["put", ["channels", "c_1"], "name", S("general")],
  ["put", [], "messages", { map: null }],
  ["put", ["messages"], "c_1", { list: null }],
];
// Every scalar of the wrong kind, and work in the earlier layout with a trace
// of legacy keys, bare outcome names, and entries that do not count.
message(steps, 0, {
  id: S("m_0"), author: I(7), ts: S("1782477600"), parent: I(5), edited: S("true"), text: S("plain"), pinned: I(1),
  work: M({
    state: M({ kind: S("doing"), did: S("read the doc"), about: S("the overlay") }),
    since: I(1782400000),
    reasoning: M({ route: S("floor"), why: S("asked for it") }),
    trace: M({
      "00000002": M({ present: B(true), outcome: S("refused"), why: S("no rights"), sequence: I(2), resource: S("doc://a"), label: S("Edit") }),
      "00000001": M({ present: B(true), outcome: S("applied"), sequence: I(1), label: S("Read") }),
      "step-x": M({ present: B(true), outcome: S("no_change"), sequence: S("9") }),
      "0000004": M({ present: B(true), outcome: S("asked"), sequence: I(-5) }),
      "00000003": M({ present: I(1), outcome: S("asked") }),
      "00000005": M({ present: B(true), outcome: S("exploded") }),
      "00000006": S("not a map"),
    }),
  }),
}, [
  { user: S("u_1"), start: S("3"), len: I(-4), agent: S("yes") },
  { user: I(3), start: I(0), len: I(2) },
]);
// Waiting, with wrong kinds inside the earlier layout, a fractional ts and no trace.
message(steps, 1, {
  id: S("m_1"), ts: { f64: 1782477600.75 },
  work: M({ state: M({ kind: S("waiting"), app: I(3) }), since: S("x"), reasoning: M({ route: S("model"), why: I(1) }) }),
});
// A "transition" that is not a string falls back to the earlier state map.
message(steps, 2, {
  id: S("m_2"),
  work: M({ transition: I(5), state: M({ kind: S("done"), did: S("shipped") }), since: I(10), reasoning: M({ route: S("model"), why: S("w") }) }),
});
// No work: a reasoning map with another route; a state of another kind; a state that is not a map.
message(steps, 3, { id: S("m_3"), work: M({ state: M({ kind: S("taken") }), reasoning: M({ route: S("sky"), why: S("") }) }) });
message(steps, 4, { id: S("m_4"), work: M({ state: M({ kind: S("paused") }), reasoning: M({ route: S("model") }) }) });
message(steps, 5, { id: S("m_5"), work: M({ state: S("taken"), reasoning: M({ route: S("model") }) }) });

const plain = { parent: null, author: "", ts: 0, text: "", edited: false, pinned: false, history: 0, mentions: [],
  reference: false, attachment: false, work: null };
const step = (id, sequence, outcome, extra = {}) => ({ id, sequence, resource: "", label: "", outcome, ...extra });
const expected = {
  channels: {
    c_1: [
      { ...plain, id: "m_0", mentions: [{ user: "u_1", start: 0, len: 0, agent: false }], work: {
        state: { kind: "doing", did: "read the doc", about: "the overlay" },
        since: 1782400000,
        reasoning: { route: "floor", why: "asked for it" },
        trace: [
          step("0000004", 0, { kind: "asked" }),
          step("step-x", 0, { kind: "no_change" }),
          step("legacy_step_00000001", 1, { kind: "applied" }, { label: "Read" }),
          step("legacy_step_00000002", 2, { kind: "refused", why: "no rights" }, { resource: "doc://a", label: "Edit" }),
        ],
      } },
      { ...plain, id: "m_1", ts: 1782477600, work: {
        state: { kind: "waiting", app: "" }, since: 0, reasoning: { route: "model", why: "" }, trace: [],
      } },
      { ...plain, id: "m_2", work: {
        state: { kind: "done", did: "shipped" }, since: 10, reasoning: { route: "model", why: "w" }, trace: [],
      } },
      { ...plain, id: "m_3" },
      { ...plain, id: "m_4" },
      { ...plain, id: "m_5" },
    ],
  },
};

check("earlier agent-work layout and wrong-kind values project as the model reads them", () => {
  const doc = applyScript(A.init({ actor: ACTORS.alice }), steps);
  fs.writeFileSync(file("chat.automerge"), A.save(doc));
  const r = spawnSync(projector, [file("chat.automerge")], { encoding: "utf8" });
  if (r.status !== 0) throw new Error(`${projector} failed (${r.signal ?? r.status}): ${r.stderr.trim()}`);
  assertSameValue(JSON.parse(r.stdout), expected, "projection");
});

finish();
