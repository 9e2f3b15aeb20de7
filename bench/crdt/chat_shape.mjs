// The chat-shaped workload, as the npm package builds it. Mirrors
// chat_workload.cpp: same keys, values and change boundaries.
import A from "./automerge.mjs";

export const WORKSPACES = 3;
export const CHANNELS = 100;
export const USERS = 20;
export const TIME = 1782477600;
const WORDS = ["ship", "the", "overlay", "today", "call", "review", "merged", "looks", "good", "thanks", "on", "it"];

export function messageId(n) {
  return "m_" + n.toString(16).padStart(32, "0");
}

export function channelId(c) {
  return "c_" + String(c).padStart(3, "0");
}

export function messageText(n) {
  const words = [];
  for (let i = 0; i < 4 + (n % 7); i++) words.push(WORDS[(n * 5 + i * 3) % WORDS.length]);
  return words.join(" ");
}

export function seed(doc) {
  return A.change(doc, { time: TIME, message: "seed" }, (d) => {
    d.seeded = true;
    d.users = {};
    for (let u = 0; u < USERS; u++) {
      d.users[`u_${u}`] = { name: new A.ImmutableString(`User ${u}`), status: new A.ImmutableString("online") };
    }
    d.workspaces = {};
    for (let w = 0; w < WORKSPACES; w++) {
      d.workspaces[`ws_${w}`] = { name: new A.ImmutableString(`Workspace ${w}`), order: w };
    }
    d.channels = {};
    d.messages = {};
    for (let c = 0; c < CHANNELS; c++) {
      d.channels[channelId(c)] = {
        workspace: new A.ImmutableString(`ws_${c % WORKSPACES}`),
        name: new A.ImmutableString(`channel-${c}`),
        kind: new A.ImmutableString("text"),
        order: c,
      };
      d.messages[channelId(c)] = [];
    }
  });
}

// Appends message n to its channel as one change.
export function sendMessage(doc, n) {
  return A.change(doc, { time: TIME + n }, (d) => {
    const list = d.messages[channelId(n % CHANNELS)];
    list.push({});
    const m = list[list.length - 1];
    m.id = new A.ImmutableString(messageId(n));
    m.author = new A.ImmutableString(`u_${n % USERS}`);
    m.ts = TIME + n;
    m.parent = new A.ImmutableString(n % 10 === 9 && n >= CHANNELS ? messageId(n - CHANNELS) : "");
    m.edited = n % 20 === 0;
    m.text = "";
    A.splice(m, ["text"], 0, 0, messageText(n));
    m.reactions = [];
    m.mentions = [];
    m.history = [];
    if (n % 5 === 0) m.reactions.push({ emoji: new A.ImmutableString("👍"), user: new A.ImmutableString(`u_${(n + 1) % USERS}`) });
    if (n % 7 === 0) {
      m.mentions.push({ user: new A.ImmutableString(`u_${(n + 2) % USERS}`), start: 0, len: 4, agent: false });
    }
    if (n % 20 === 0) m.history.push({ ts: TIME + n - 1, text: new A.ImmutableString("before the edit") });
  });
}

export function buildChat(actor, messages) {
  let doc = seed(A.init({ actor }));
  for (let n = 0; n < messages; n++) doc = sendMessage(doc, n);
  return doc;
}
