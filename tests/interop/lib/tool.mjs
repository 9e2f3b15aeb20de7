// Runs our command-line tool and hands back its answers.
import { spawnSync } from "node:child_process";

export class Tool {
  constructor(path) {
    this.path = path;
  }

  run(args) {
    const result = spawnSync(this.path, args, { encoding: "utf8", maxBuffer: 1 << 30 });
    if (result.error) throw new Error(`cannot run ${this.path}: ${result.error.message}`);
    return { status: result.status, signal: result.signal, stdout: result.stdout, stderr: result.stderr };
  }

  // Like run, but any failure is an error naming the command and its output.
  runOk(args) {
    const r = this.run(args);
    if (r.status !== 0) {
      const how = r.signal ? `died of ${r.signal}` : `exited ${r.status}`;
      throw new Error(`${this.path} ${args.join(" ")} ${how}: ${r.stderr.trim()}`);
    }
    return r.stdout;
  }

  dump(file) {
    const text = this.runOk(["dump", file]);
    try {
      return JSON.parse(text);
    } catch (e) {
      throw new Error(`dump of ${file} is not JSON (${e.message}): ${text.slice(0, 200)}`);
    }
  }

  heads(file) {
    return this.runOk(["heads", file]).split("\n").filter((line) => line.length > 0);
  }

  merge(a, b, out) {
    this.runOk(["merge", a, b, out]);
  }
}
