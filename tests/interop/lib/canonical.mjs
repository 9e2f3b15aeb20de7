// Reduces both engines' views of a document to one comparable shape, the
// one `crdt-tool dump` prints: text and scalar strings become strings,
// counters and timestamps (milliseconds) numbers, bytes arrays of numbers,
// map keys sorted.
import * as A from "@automerge/automerge";

export function canonicalFromAutomerge(value) {
  if (typeof value === "bigint") {
    if (value > BigInt(Number.MAX_SAFE_INTEGER) || value < BigInt(Number.MIN_SAFE_INTEGER)) {
      throw new Error(`integer ${value} does not survive a JSON comparison; keep fixtures within 2^53`);
    }
    return Number(value);
  }
  if (value === null || typeof value !== "object") return value;
  if (value instanceof A.Counter) return value.value;
  if (value instanceof A.ImmutableString) return value.toString();
  if (value instanceof Date) return value.getTime();
  if (value instanceof Uint8Array) return [...value];
  if (Array.isArray(value)) return value.map(canonicalFromAutomerge);
  const out = {};
  for (const key of Object.keys(value).sort()) out[key] = canonicalFromAutomerge(value[key]);
  return out;
}

export function canonicalDoc(doc) {
  return canonicalFromAutomerge(A.toJS(doc));
}

// The first place where two canonical values differ, as a readable path, or null.
export function firstDifference(ours, theirs, path = "$") {
  if (Object.is(ours, theirs)) return null;
  const kind = (v) => (v === null ? "null" : Array.isArray(v) ? "array" : typeof v);
  if (kind(ours) !== kind(theirs)) {
    return `${path}: ours is ${describe(ours)}, theirs is ${describe(theirs)}`;
  }
  if (kind(ours) === "array") {
    if (ours.length !== theirs.length) {
      return `${path}: ours has ${ours.length} elements, theirs ${theirs.length}` +
        ` (ours ${describe(ours)}, theirs ${describe(theirs)})`;
    }
    for (let i = 0; i < ours.length; i++) {
      const d = firstDifference(ours[i], theirs[i], `${path}[${i}]`);
      if (d) return d;
    }
    return null;
  }
  if (kind(ours) === "object") {
    const keys = new Set([...Object.keys(ours), ...Object.keys(theirs)]);
    for (const key of [...keys].sort()) {
      if (!(key in ours)) return `${path}.${key}: missing in ours, theirs is ${describe(theirs[key])}`;
      if (!(key in theirs)) return `${path}.${key}: ours is ${describe(ours[key])}, missing in theirs`;
      const d = firstDifference(ours[key], theirs[key], `${path}.${key}`);
      if (d) return d;
    }
    return null;
  }
  return `${path}: ours is ${describe(ours)}, theirs is ${describe(theirs)}`;
}

function describe(value) {
  const text = JSON.stringify(value);
  return text === undefined ? String(value) : text.length > 120 ? text.slice(0, 117) + "..." : text;
}
