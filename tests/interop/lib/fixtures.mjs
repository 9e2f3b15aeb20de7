// Documents made by the npm package. Actors are chosen so that their byte
// order differs from the order in which they act, and changes carry a fixed
// time, so every fixture is byte-for-byte reproducible.
import * as A from "@automerge/automerge";
import { applyScript } from "./script.mjs";

export const ACTORS = {
  alice: "c0ffee00000000000000000000000001",
  bob: "0b0b0000000000000000000000000002",
  carol: "ca40100000000000000000000000000f",
};

const S = (v) => ({ str: v });
const I = (v) => ({ int: v });

// A workspace-like tree: nested maps, lists of maps, text with non-BMP
// characters, a counter, and every scalar kind the chat layer writes.
export const BASE_SCRIPT = [
  ["put", [], "workspace", { map: null }],
  ["put", ["workspace"], "name", S("Acme")],
  ["put", ["workspace"], "order", I(2)],
  ["put", ["workspace"], "archived", { bool: false }],
  ["put", ["workspace"], "channels", { map: null }],
  ["put", ["workspace", "channels"], "general", { map: null }],
  ["put", ["workspace", "channels", "general"], "topic", { text: "" }],
  ["splice", ["workspace", "channels", "general", "topic"], 0, 0, "Daily 🎉 stand-up"],
  ["put", [], "messages", { list: null }],
  ["insert", ["messages"], 0, { map: null }],
  ["put", ["messages", 0], "id", S("m_one")],
  ["put", ["messages", 0], "text", { text: "" }],
  ["splice", ["messages", 0, "text"], 0, 0, "héllo wörld 👋🏽!"],
  ["put", ["messages", 0], "reactions", { list: null }],
  ["insert", ["messages"], 1, { map: null }],
  ["put", ["messages", 1], "id", S("m_two")],
  ["put", ["messages", 1], "text", { text: "" }],
  ["splice", ["messages", 1, "text"], 0, 0, "second"],
  ["put", [], "views", { counter: 10 }],
  ["put", [], "ratio", { f64: 0.25 }],
  ["put", [], "big", { uint: 4000000000 }],
  ["put", [], "negative", I(-42)],
  ["put", [], "nothing", { null: true }],
  ["put", [], "tags", { list: null }],
  ["insert", ["tags"], 0, S("a")],
  ["insert", ["tags"], 1, S("b")],
  ["insert", ["tags"], 2, S("c")],
  ["commit", "base"],
];

// Concurrent edits from each actor on top of the base.
export const ALICE_SCRIPT = [
  ["put", [], "tie", S("alice")],
  ["put", ["workspace"], "name", S("Acme (alice)")],
  ["splice", ["messages", 0, "text"], 13, 0, " from alice"],
  ["insert", ["tags"], 1, S("alice-1")],
  ["insert", ["tags"], 2, S("alice-2")],
  ["inc", [], "views", 1],
  ["put", [], "shared", { map: null }],
  ["put", ["shared"], "by", S("alice")],
  ["commit", "alice edits"],
  ["delete", ["tags"], 0],
  ["commit", "alice deletes"],
];

export const BOB_SCRIPT = [
  ["put", [], "tie", S("bob")],
  ["put", ["workspace"], "name", S("Acme (bob)")],
  ["splice", ["messages", 0, "text"], 0, 6, "Hi"],
  ["insert", ["tags"], 1, S("bob-1")],
  ["inc", [], "views", 5],
  ["put", [], "shared", { list: null }],
  ["insert", ["shared"], 0, S("bob")],
  ["delete", ["messages"], 1],
  ["delete", [], "nothing"],
  ["commit", "bob edits"],
];

export const CAROL_SCRIPT = [
  // Extra ops first: carol's name put then outranks alice's and bob's by
  // counter, while "tie" (alice vs bob, equal counters) is decided by actor.
  ["put", [], "carol_was_here", { bool: true }],
  ["put", [], "carol_count", I(1)],
  ["put", ["workspace"], "name", S("Acme (carol)")],
  ["splice", ["messages", 1, "text"], 6, 0, " edited by carol"],
  ["put", ["messages", 1], "edited", { bool: true }],
  ["splice", ["workspace", "channels", "general", "topic"], 6, 2, ""],
  ["inc", [], "views", -3],
  ["put", [], "nothing", S("carol sets it")],
  ["commit", "carol edits"],
];

export function baseDoc() {
  return applyScript(A.init({ actor: ACTORS.alice }), BASE_SCRIPT);
}

// The three actors edit the base concurrently; alice then merges everyone
// and makes one more change on top, so the result has a single head.
export function threeActorDocs() {
  const base = baseDoc();
  const alice = applyScript(A.clone(base, { actor: ACTORS.alice }), ALICE_SCRIPT);
  const bob = applyScript(A.clone(base, { actor: ACTORS.bob }), BOB_SCRIPT);
  const carol = applyScript(A.clone(base, { actor: ACTORS.carol }), CAROL_SCRIPT);
  let merged = A.merge(A.merge(A.clone(alice), bob), carol);
  const concurrent = A.clone(merged);
  merged = applyScript(merged, [
    ["splice", ["messages", 0, "text"], 0, 0, "» "],
    ["put", [], "merged", { bool: true }],
    ["commit", "after merge"],
  ]);
  return { base, alice, bob, carol, concurrent, merged };
}
