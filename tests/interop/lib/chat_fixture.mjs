// A small chat-shaped document as an edit script: workspaces, channels and
// message records with text, reactions, mentions and history, the layout
// the application stores.
const S = (v) => ({ str: v });
const I = (v) => ({ int: v });

const WORDS = ["ship", "it", "the", "overlay", "call", "naïve", "café", "🚀", "review", "merge", "日本語", "ok"];

function sentence(seed, length) {
  const words = [];
  for (let i = 0; i < length; i++) words.push(WORDS[(seed * 7 + i * 3) % WORDS.length]);
  return words.join(" ");
}

function messageSteps(channel, index, n) {
  const path = ["messages", channel, index];
  const text = sentence(n, 3 + (n % 9));
  const steps = [
    ["insert", ["messages", channel], index, { map: null }],
    ["put", path, "id", S(`m_${n.toString(16).padStart(8, "0")}`)],
    ["put", path, "author", S(`u_${n % 5}`)],
    ["put", path, "ts", I(1782477600 + n * 37)],
    ["put", path, "parent", S(n % 4 === 3 ? `m_${(n - 1).toString(16).padStart(8, "0")}` : "")],
    ["put", path, "edited", { bool: n % 5 === 0 }],
    ["put", path, "text", { text: "" }],
    ["splice", [...path, "text"], 0, 0, text],
    ["put", path, "reactions", { list: null }],
    ["put", path, "mentions", { list: null }],
    ["put", path, "history", { list: null }],
  ];
  if (n % 3 === 0) {
    steps.push(
      ["insert", [...path, "reactions"], 0, { map: null }],
      ["put", [...path, "reactions", 0], "emoji", S("👍")],
      ["put", [...path, "reactions", 0], "user", S("u_1")],
    );
  }
  if (n % 4 === 0) {
    steps.push(
      ["insert", [...path, "mentions"], 0, { map: null }],
      ["put", [...path, "mentions", 0], "user", S("u_2")],
      ["put", [...path, "mentions", 0], "start", I(0)],
      ["put", [...path, "mentions", 0], "len", I(4)],
      ["put", [...path, "mentions", 0], "agent", { bool: false }],
    );
  }
  if (n % 5 === 0) {
    steps.push(
      ["insert", [...path, "history"], 0, { map: null }],
      ["put", [...path, "history", 0], "ts", I(1782477700 + n)],
      ["put", [...path, "history", 0], "text", S("before the edit")],
      ["splice", [...path, "text"], 0, 1, "É"],
    );
  }
  return steps;
}

export function chatScript(messageCount) {
  const channels = ["c_general", "c_random", "c_dev"];
  const script = [
    ["put", [], "seeded", { bool: true }],
    ["put", [], "workspaces", { map: null }],
    ["put", ["workspaces"], "ws_acme", { map: null }],
    ["put", ["workspaces", "ws_acme"], "name", S("Acme")],
    ["put", ["workspaces", "ws_acme"], "order", I(0)],
    ["put", [], "channels", { map: null }],
    ["put", [], "messages", { map: null }],
  ];
  for (const [i, id] of channels.entries()) {
    script.push(
      ["put", ["channels"], id, { map: null }],
      ["put", ["channels", id], "name", S(id.slice(2))],
      ["put", ["channels", id], "order", I(i)],
      ["put", ["messages"], id, { list: null }],
    );
  }
  script.push(["commit", "seed"]);
  const counts = Object.fromEntries(channels.map((c) => [c, 0]));
  for (let n = 0; n < messageCount; n++) {
    const channel = channels[n % channels.length];
    script.push(...messageSteps(channel, counts[channel]++, n));
    if (n % 8 === 7) script.push(["commit", `messages up to ${n}`]);
  }
  script.push(["commit", "last messages"]);
  return script;
}
