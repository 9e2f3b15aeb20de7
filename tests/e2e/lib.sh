# Shared by the end-to-end scripts; run inside xvfb-run.
# Expects APP (the orvo-chat binary) and CLOSE_WINDOW (the helper) in the environment.

fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts the app in the background on a fresh data directory; sets APP_PID and DATA.
start_app() {
    DATA=$(mktemp -d)
    # The platform identity lives under the data home: keep tests out of the real one.
    export XDG_DATA_HOME=${XDG_DATA_HOME:-$(mktemp -d)}
    ORVO_CHAT_DATA="$DATA" "$APP" "$@" &
    APP_PID=$!
}

# Prints the id of the app's window once it is mapped.
wait_for_window() {
    local id
    for _ in $(seq 1 100); do
        id=$(xdotool search --onlyvisible --pid "$APP_PID" --name '^Chat$' 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        kill -0 "$APP_PID" 2>/dev/null || fail "the app exited before showing its window"
        sleep 0.1
    done
    fail "no window titled Chat appeared"
}

# Waits for the app to exit and checks its status.
expect_exit() {
    local expected=$1 status=0
    for _ in $(seq 1 100); do
        kill -0 "$APP_PID" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$APP_PID" 2>/dev/null && { kill -9 "$APP_PID"; fail "the app did not exit"; }
    wait "$APP_PID" || status=$?
    [ "$status" -eq "$expected" ] || fail "exit status $status, expected $expected"
}

# Starts the app with its accessibility tree dumped to $A11Y and its window focused;
# sets APP_PID, DATA, A11Y and window.
start_driven_app() {
    A11Y=$(mktemp)
    export ORVO_UI_A11Y_DUMP=$A11Y
    start_app "$@"
    window=$(wait_for_window)
    xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
    sleep 0.5
}

# The centre of an accessibility node, as "x y" in window pixels, from the tree the app
# writes to $A11Y (set ORVO_UI_A11Y_DUMP=$A11Y when starting it). Waits for the node.
node_center() {
    local id=$1 at
    for _ in $(seq 1 50); do
        at=$(python3 - "$A11Y" "$id" <<'PY' 2>/dev/null || true
import json, sys
def find(node, wanted):
    if node.get("id") == wanted:
        return node
    for child in node.get("children", []):
        found = find(child, wanted)
        if found:
            return found
node = find(json.load(open(sys.argv[1])), sys.argv[2])
if node:
    l, t, r, b = node["rect"]
    print(int((l + r) / 2), int((t + b) / 2))
PY
)
        [ -n "$at" ] && { echo "$at"; return 0; }
        sleep 0.1
    done
    fail "no accessibility node $id"
}

# Clicks a node with a mouse button (1 primary, 3 secondary).
click_node() {
    local window=$1 id=$2 button=${3:-1} xy
    xy=$(node_center "$id")
    xdotool mousemove --window "$window" ${xy% *} ${xy#* } click "$button"
    sleep 0.3
}
