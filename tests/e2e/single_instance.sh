#!/usr/bin/env bash
# A second instance on the same data directory refuses to start and names the directory.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

start_app
wait_for_window >/dev/null
status=0
message=$(ORVO_CHAT_DATA="$DATA" "$APP" 2>&1) || status=$?
[ "$status" -eq 1 ] || fail "second instance exited with $status, expected 1"
case "$message" in
*"another Chat instance is using $DATA"*) ;;
*) fail "unexpected message: $message" ;;
esac
kill -TERM "$APP_PID"
expect_exit 0
echo "ok"
