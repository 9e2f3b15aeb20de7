// Splits and re-wraps Automerge chunks, to build the compressed change
// chunks the npm package reads but never writes.
import crypto from "node:crypto";
import zlib from "node:zlib";

const MAGIC = [0x85, 0x6f, 0x4a, 0x83];

function readUleb(bytes, at) {
  let value = 0;
  let shift = 0;
  for (;;) {
    const b = bytes[at++];
    value += (b & 0x7f) * 2 ** shift;
    if ((b & 0x80) === 0) return { value, next: at };
    shift += 7;
  }
}

function uleb(value) {
  const out = [];
  do {
    let b = value % 128;
    value = Math.floor(value / 128);
    if (value > 0) b |= 0x80;
    out.push(b);
  } while (value > 0);
  return out;
}

export function splitChunks(bytes) {
  const chunks = [];
  let at = 0;
  while (at < bytes.length) {
    const type = bytes[at + 8];
    const { value: length, next } = readUleb(bytes, at + 9);
    chunks.push({ type, contents: bytes.subarray(next, next + length), bytes: bytes.subarray(at, next + length) });
    at = next + length;
  }
  return chunks;
}

// A type-2 chunk: contents deflated, checksum over the uncompressed change.
export function compressChange(changeChunk) {
  const [chunk] = splitChunks(changeChunk);
  if (chunk.type !== 1) throw new Error(`not a change chunk (type ${chunk.type})`);
  const header = Buffer.from([1, ...uleb(chunk.contents.length)]);
  const checksum = crypto.createHash("sha256").update(header).update(chunk.contents).digest().subarray(0, 4);
  const deflated = zlib.deflateRawSync(chunk.contents);
  return Buffer.concat([Buffer.from(MAGIC), checksum, Buffer.from([2, ...uleb(deflated.length)]), deflated]);
}
