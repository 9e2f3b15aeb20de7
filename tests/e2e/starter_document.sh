#!/usr/bin/env bash
# A first start on a fresh data directory writes the starter workspace and the local
# person's record; the npm Automerge package reads the file.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

start_app
window=$(wait_for_window)
sleep 0.5
"$CLOSE_WINDOW" "$window"
expect_exit 0
node "$(dirname "$0")/check_starter.mjs" "$DATA/workspace.automerge"
