// Command line of every oracle script: TOOL WORKDIR [WRITER].
import fs from "node:fs";
import path from "node:path";
import { spawnSync } from "node:child_process";
import { Tool } from "./tool.mjs";

export function setup(name) {
  const [toolPath, workdir, writerPath] = process.argv.slice(2);
  if (!toolPath || !workdir) {
    console.error(`usage: node ${name} CRDT_TOOL WORKDIR [INTEROP_WRITER]`);
    process.exit(2);
  }
  const dir = path.join(workdir, path.basename(name, ".mjs"));
  fs.rmSync(dir, { recursive: true, force: true });
  fs.mkdirSync(dir, { recursive: true });
  return {
    tool: new Tool(toolPath),
    writer: writerPath ? new Writer(writerPath) : null,
    file: (base) => path.join(dir, base),
  };
}

// Our engine's side of an exchange: see tests/interop/writer/main.cpp.
export class Writer {
  constructor(path) {
    this.path = path;
  }

  run(args) {
    const r = spawnSync(this.path, args, { encoding: "utf8" });
    if (r.error) throw new Error(`cannot run ${this.path}: ${r.error.message}`);
    if (r.status !== 0) {
      throw new Error(`${this.path} ${args.join(" ")} failed (${r.signal ?? r.status}): ${r.stderr.trim()}`);
    }
  }

  // Replays `script` as `actor` onto the file `input` (null: a new document).
  edit({ actor, scriptFile, time, input, output, changes }) {
    this.run(["edit", actor, scriptFile, String(time), input ?? "-", output, changes]);
  }

  apply(input, changes, output) {
    this.run(["apply", input, changes, output]);
  }
}
