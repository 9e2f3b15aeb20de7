#!/bin/sh
# Side-by-side: our engine (crdt_bench) against the Automerge npm package on
# the same workloads. Usage: bench/crdt/compare.sh [BUILD_DIR] [chat|trace ...]
# Needs crdt_bench built in BUILD_DIR (default: build) and `npm ci` done in
# tests/interop.
set -e
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build}
[ $# -gt 0 ] && shift
bench="$build/bin/crdt_bench"
if [ ! -x "$bench" ]; then
    echo "compare.sh: $bench not found; build the crdt_bench target first" >&2
    exit 1
fi
if [ ! -d "$here/../../tests/interop/node_modules/@automerge/automerge" ]; then
    echo "compare.sh: run 'npm ci' in tests/interop first" >&2
    exit 1
fi
exec node "$here/compare.mjs" "$bench" "$@"
