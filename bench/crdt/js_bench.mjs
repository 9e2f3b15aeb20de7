// The npm package's side of compare.sh: the workloads of crdt_bench.cpp,
// timed the same way (mean over repeats filling at least half a second),
// in wall-clock and CPU time.
//   node js_bench.mjs chat|trace [MESSAGES]
// Prints one JSON object: per workload its mean milliseconds (and sizes),
// plus the process's peak RSS.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import path from "node:path";
import { fileURLToPath } from "node:url";
import A from "./automerge.mjs";
import { buildChat, sendMessage } from "./chat_shape.mjs";

const ACTOR = "be7c0000000000000000000000000001";
const results = {};

// The kernel's high-water mark of resident memory, reset per workload.
function resetPeak() {
  fs.writeFileSync("/proc/self/clear_refs", "5");
}

function peakSinceResetMb() {
  const match = /VmHWM:\s+(\d+) kB/.exec(fs.readFileSync("/proc/self/status", "utf8"));
  return match ? Number(match[1]) / 1024 : 0;
}

function measure(name, body, { once = false } = {}) {
  resetPeak();
  let runs = 0;
  let wall = 0;
  let cpu = 0;
  let last;
  do {
    const cpuStart = process.cpuUsage();
    const start = performance.now();
    last = body();
    wall += performance.now() - start;
    const used = process.cpuUsage(cpuStart);
    cpu += (used.user + used.system) / 1000;
    runs++;
  } while (!once && wall < 500);
  results[name] = { ms: wall / runs, cpu_ms: cpu / runs, runs, workload_peak_mb: peakSinceResetMb() };
  return last;
}

function chatSuite(messages) {
  const doc = measure("ChatBuild", () => buildChat(ACTOR, messages), { once: true });
  const saved = measure("ChatSave", () => A.save(doc));
  results.ChatSave.saved_bytes = saved.length;
  measure("ChatLoad", () => A.load(saved));
  const changes = A.getAllChanges(doc);
  measure("ChatApplyChanges", () => A.applyChanges(A.init(), changes)[0]);
  let appendDoc = A.clone(doc);
  A.save(appendDoc);
  let n = messages + 1_000_000;
  let appended = 0;
  measure("ChatAppendMessage", () => {
    appendDoc = sendMessage(appendDoc, n++);
    appended = A.saveIncremental(appendDoc).length;
  });
  results.ChatAppendMessage.appended_bytes = appended;
}

function loadTrace() {
  const here = path.dirname(fileURLToPath(import.meta.url));
  const dir = process.env.CHAT_BENCH_DATA ?? path.join(here, "../../../shared/bench-data");
  const trace = JSON.parse(execFileSync("gzip", ["-dc", path.join(dir, "automerge-paper.json.gz")], {
    maxBuffer: 1 << 30, encoding: "utf8",
  }));
  // Trace positions count code points; the package counts UTF-16 units.
  // This trace is ASCII, where the two agree.
  if (!/^[\x00-\x7f]*$/.test(trace.endContent)) throw new Error("trace is not ASCII: positions need converting");
  return trace;
}

function replay(trace, perTransaction) {
  let doc = A.change(A.init(ACTOR), (d) => { d.text = ""; });
  if (perTransaction) {
    for (const txn of trace.txns) {
      doc = A.change(doc, (d) => { for (const [pos, del, ins] of txn.patches) A.splice(d, ["text"], pos, del, ins); });
    }
  } else {
    doc = A.change(doc, (d) => {
      for (const txn of trace.txns) for (const [pos, del, ins] of txn.patches) A.splice(d, ["text"], pos, del, ins);
    });
  }
  if (doc.text !== trace.endContent) throw new Error("replayed text differs from the trace's endContent");
  return doc;
}

function traceSuite() {
  const trace = loadTrace();
  const doc = measure("TraceSingleChange", () => replay(trace, false), { once: true });
  if (process.env.JS_BENCH_SKIP_PER_TXN !== "1") measure("TracePerTransaction", () => replay(trace, true), { once: true });
  const saved = measure("TraceSave", () => A.save(doc));
  results.TraceSave.saved_bytes = saved.length;
  measure("TraceLoad", () => A.load(saved));
}

const [suite, messages] = process.argv.slice(2);
if (suite === "chat") chatSuite(Number(messages ?? 100000));
else if (suite === "trace") traceSuite();
else {
  console.error("usage: node js_bench.mjs chat|trace [MESSAGES]");
  process.exit(2);
}
console.log(JSON.stringify({ results, peak_rss_mb: process.resourceUsage().maxRSS / 1024 }));
