#!/usr/bin/env bash
# The window opens titled "Chat"; its close button and SIGTERM both end the app with status 0
# and leave the document on disk.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

start_app
window=$(wait_for_window)
size=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
[ "$size" = "1280x800" ] || fail "first window size is $size, expected 1280x800"
"$CLOSE_WINDOW" "$window"
expect_exit 0
[ -s "$DATA/workspace.automerge" ] || fail "no document was saved in $DATA"

start_app
wait_for_window >/dev/null
kill -TERM "$APP_PID"
expect_exit 0
echo "ok"
