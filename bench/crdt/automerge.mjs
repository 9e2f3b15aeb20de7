// The npm package as installed for the oracle in tests/interop (one copy).
import { createRequire } from "node:module";
import { pathToFileURL } from "node:url";

const require = createRequire(new URL("../../tests/interop/package.json", import.meta.url));
const module = await import(pathToFileURL(require.resolve("@automerge/automerge")).href);
const A = module.default?.init ? module.default : module;
export default A;
