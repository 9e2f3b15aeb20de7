#!/bin/sh
# Runs an oracle under CTest. Exit 77 (skipped) only when node is absent;
# every other problem fails loudly.
#   run.sh npm-ci           install the lockfile's packages when missing
#   run.sh node ARGS...     run an oracle script
cd "$(dirname "$0")" || exit 1
if ! command -v node >/dev/null 2>&1; then
    echo "node is not installed: skipping the Automerge oracle"
    exit 77
fi
case "$1" in
npm-ci)
    [ -d node_modules/@automerge/automerge ] && exit 0
    exec npm ci --no-audit --no-fund
    ;;
node)
    shift
    if [ ! -d node_modules/@automerge/automerge ]; then
        echo "tests/interop/node_modules is missing: run 'npm ci' in tests/interop" >&2
        exit 1
    fi
    exec node "$@"
    ;;
*)
    echo "usage: run.sh npm-ci | node SCRIPT ARGS..." >&2
    exit 2
    ;;
esac
