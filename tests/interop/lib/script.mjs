// Edit scripts: one list of steps that both engines replay, so the same
// edits can be made on either side. Text positions in a script count Unicode
// code points, as our engine does; the npm package counts UTF-16 code units,
// so positions are converted here and nowhere else.
//
// Steps:
//   ["put", path, key, value]      key is a map key or a list index
//   ["insert", path, index, value]
//   ["delete", path, keyOrIndex]
//   ["splice", path, pos, deleteCount, text]
//   ["inc", path, keyOrIndex, by]
//   ["commit", message]            ends the current change
// Values: {"str"}, {"int"}, {"uint"}, {"f64"}, {"bool"}, {"null"}, {"counter"},
//   {"map": null}, {"list": null}, {"text": ""} (objects start empty).
import * as A from "@automerge/automerge";

export const CHANGE_TIME = 1700000000;

// UTF-16 offset of the code point at `index` in `text`.
export function utf16Offset(text, index) {
  let units = 0;
  let points = 0;
  for (const ch of text) {
    if (points === index) return units;
    units += ch.length;
    points++;
  }
  if (points === index) return units;
  throw new Error(`code point ${index} is past the end of a ${points}-point text`);
}

function toAutomergeValue(value) {
  const [kind] = Object.keys(value);
  const v = value[kind];
  switch (kind) {
    case "str": return new A.ImmutableString(v);
    case "int": return new A.Int(v);
    case "uint": return new A.Uint(v);
    case "f64": return new A.Float64(v);
    case "bool": return v;
    case "null": return null;
    case "counter": return new A.Counter(v);
    case "map": return {};
    case "list": return [];
    case "text":
      if (v !== "") throw new Error("a text starts empty; fill it with splice steps");
      return v;
    default: throw new Error(`unknown value kind ${kind}`);
  }
}

// The package's list proxy stores the Int/Uint/Float64 wrappers given to
// insertAt as maps ({value: n}), and plain numbers as an int only when
// positive and whole, otherwise as an f64. So list inserts pass plain
// numbers, and the ints a script may insert into a list are positive.
// (Puts by index take the wrappers correctly.)
function toListValue(value) {
  if ("int" in value) {
    if (!(value.int > 0)) throw new Error("the npm list proxy inserts only positive ints as ints");
    return value.int;
  }
  if ("f64" in value) {
    if (Number.isInteger(value.f64)) throw new Error("an f64 list element must have a fraction");
    return value.f64;
  }
  if ("uint" in value) throw new Error("the npm list proxy cannot insert a uint");
  return toAutomergeValue(value);
}

function resolve(root, path) {
  let node = root;
  for (const prop of path) {
    node = node[prop];
    if (node === undefined) throw new Error(`no object at ${JSON.stringify(path)}`);
  }
  return node;
}

function textAt(root, path) {
  const text = resolve(root, path);
  if (typeof text !== "string") throw new Error(`no text at ${JSON.stringify(path)}`);
  return text;
}

export function applyStep(d, step) {
  const [op, path] = step;
  const target = () => resolve(d, path);
  switch (op) {
    case "put":
      target()[step[2]] = toAutomergeValue(step[3]);
      return;
    case "insert":
      target().insertAt(step[2], toListValue(step[3]));
      return;
    case "delete": {
      const obj = target();
      if (Array.isArray(obj)) obj.deleteAt(step[2]);
      else delete obj[step[2]];
      return;
    }
    case "splice": {
      const [, , pos, del, insert] = step;
      const text = textAt(d, path);
      const from = utf16Offset(text, pos);
      const to = utf16Offset(text, pos + del);
      A.splice(d, path, from, to - from, insert);
      return;
    }
    case "inc":
      target()[step[2]].increment(step[3]);
      return;
    default:
      throw new Error(`unknown step ${op}`);
  }
}

// Replays a script onto `doc`, one change per "commit" (and one for any
// trailing steps), every change stamped with the same time.
export function applyScript(doc, script) {
  let pending = [];
  const flush = (message) => {
    if (pending.length === 0) return;
    const steps = pending;
    pending = [];
    doc = A.change(doc, { time: CHANGE_TIME, message }, (d) => steps.forEach((s) => applyStep(d, s)));
  };
  for (const step of script) {
    if (step[0] === "commit") flush(step[1]);
    else pending.push(step);
  }
  flush(undefined);
  return doc;
}
