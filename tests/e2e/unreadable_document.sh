#!/usr/bin/env bash
# A document that does not load is moved aside, the app starts on a new one and says
# where the old file went; the old bytes are kept.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

DATA=$(mktemp -d)
printf 'this is not a document' > "$DATA/workspace.automerge"
export XDG_DATA_HOME=$(mktemp -d)
ORVO_CHAT_DATA="$DATA" "$APP" &
APP_PID=$!
window=$(wait_for_window)
sleep 0.5
aside=$(ls "$DATA" | grep '^workspace.automerge.unreadable-' || true)
[ -n "$aside" ] || fail "the unreadable file was not moved aside: $(ls "$DATA")"
[ "$(cat "$DATA/$aside")" = "this is not a document" ] || fail "the old bytes changed"
if [ -n "${GRAB_WINDOW:-}" ] && [ -n "${SHOT:-}" ]; then "$GRAB_WINDOW" "$window" > "$SHOT"; fi
"$CLOSE_WINDOW" "$window"
expect_exit 0
[ -s "$DATA/workspace.automerge" ] || fail "no new document was written"
echo "ok"
