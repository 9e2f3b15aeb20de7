// Runs each suite once through crdt_bench and once through the npm package,
// each side in its own process, and prints time ratios and peak memory.
//   node compare.mjs CRDT_BENCH [chat|trace ...]
import { spawnSync } from "node:child_process";
import path from "node:path";
import { fileURLToPath } from "node:url";

const here = path.dirname(fileURLToPath(import.meta.url));
const [bench, ...requested] = process.argv.slice(2);
if (!bench) {
  console.error("usage: node compare.mjs CRDT_BENCH [chat|trace ...]");
  process.exit(2);
}
const suites = requested.length > 0 ? requested : ["trace", "chat"];
const FILTERS = { chat: "^BM_Chat", trace: "^BM_Trace" };
const TRACE_WORKLOADS = ["TraceSingleChange", "TracePerTransaction", "TraceSave", "TraceLoad"];
const TO_MS = { ns: 1e-6, us: 1e-3, ms: 1, s: 1e3 };

function run(command, args) {
  const env = { ...process.env, CRDT_BENCH_MESSAGES: messages };
  const r = spawnSync(command, args, { env, encoding: "utf8", maxBuffer: 1 << 28, stdio: ["ignore", "pipe", "inherit"] });
  if (r.status !== 0) throw new Error(`${command} ${args.join(" ")} failed (${r.signal ?? r.status})`);
  return JSON.parse(r.stdout);
}

// CRDT_BENCH_MESSAGES (default 100000) sizes the chat document on both sides.
const messages = process.env.CRDT_BENCH_MESSAGES ?? "100000";

function ours(suite) {
  // Trace workloads each run in their own process, so one workload's peak (the
  // per-transaction replay's, say) never shows up as another's.
  const filters = suite === "trace" ? TRACE_WORKLOADS.map((name) => `^BM_${name}(/|$)`) : [FILTERS[suite]];
  const results = {};
  let peak = 0;
  for (const filter of filters) {
    const report = run(bench, [`--benchmark_filter=${filter}`, "--benchmark_format=json"]);
    for (const b of report.benchmarks) {
      const name = b.name.replace(/^BM_/, "").replace(/\/.*$/, "");
      if (b.error_occurred) throw new Error(`ours ${name}: ${b.error_message}`);
      results[name] = {
        ms: b.real_time * TO_MS[b.time_unit],
        cpu_ms: b.cpu_time * TO_MS[b.time_unit],
        saved_bytes: b.saved_bytes,
        appended_bytes: b.appended_bytes,
        workload_peak_mb: b.workload_peak_mb,
        process_peak_mb: filters.length > 1 ? b.peak_rss_mb : undefined,
      };
      peak = Math.max(peak, b.peak_rss_mb ?? 0);
    }
  }
  return { results, peak_rss_mb: peak, separate: filters.length > 1 };
}

function theirs(suite) {
  return run("node", [path.join(here, "js_bench.mjs"), suite, messages]);
}

const fmtMs = (ms) => (ms === undefined ? "-" : ms >= 100 ? ms.toFixed(0) : ms >= 1 ? ms.toFixed(2) : ms.toFixed(4));
const pad = (text, width) => String(text).padStart(width);
const mb = (value) => (value === undefined ? "-" : value.toFixed(0));

const ratio = (a, b) => (a === undefined || b === undefined ? "-" : (a / b).toFixed(3));

// CPU time is the fairer figure on a shared machine; wall time is shown too.
// Workload peak MB is the high-water mark while it ran, resident setup (the
// parsed trace, the built document) included. For the trace, each of our
// workloads runs in its own process and "own-process peak" is that process's
// whole peak; the suite line gives the largest process peak.
for (const suite of suites) {
  const a = ours(suite);
  const b = theirs(suite);
  const label = suite === "chat" ? ` (${messages} messages)` : "";
  const where = a.separate ? "largest of our per-workload processes" : "one process each side";
  console.log(`\n${suite}${label}: peak RSS (${where}) ours ${a.peak_rss_mb.toFixed(0)} MB, theirs ${b.peak_rss_mb.toFixed(0)} MB` +
    ` (ratio ${(a.peak_rss_mb / b.peak_rss_mb).toFixed(2)})`);
  console.log(`${"workload".padEnd(22)}${pad("ours cpu ms", 13)}${pad("theirs cpu", 13)}${pad("cpu ratio", 10)}` +
    `${pad("ours wall", 12)}${pad("theirs wall", 12)}${pad("wall ratio", 11)}${pad("workload peak MB o/t", 22)}` +
    `${a.separate ? pad("own-process peak ours", 23) : ""}  sizes (ours / theirs)`);
  for (const name of Object.keys(b.results)) {
    const o = a.results[name] ?? {};
    const t = b.results[name];
    const size = t.saved_bytes ? `saved ${o.saved_bytes} / ${t.saved_bytes}` :
      t.appended_bytes ? `appended ${o.appended_bytes} / ${t.appended_bytes}` : "";
    console.log(`${name.padEnd(22)}${pad(fmtMs(o.cpu_ms), 13)}${pad(fmtMs(t.cpu_ms), 13)}${pad(ratio(o.cpu_ms, t.cpu_ms), 10)}` +
      `${pad(fmtMs(o.ms), 12)}${pad(fmtMs(t.ms), 12)}${pad(ratio(o.ms, t.ms), 11)}` +
      `${pad(`${mb(o.workload_peak_mb)} / ${mb(t.workload_peak_mb)}`, 22)}` +
      `${a.separate ? pad(mb(o.process_peak_mb), 23) : ""}  ${size}`);
  }
}
