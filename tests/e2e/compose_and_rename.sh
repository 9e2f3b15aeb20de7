#!/usr/bin/env bash
# Driving the real window: a message with an @-mention sent from the composer, a draft
# that survives switching channels, and a channel renamed from its context menu; the
# npm Automerge package then reads the saved document.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

# The local person is named after the account (its full name, else the login name).
me=$(getent passwd "$(id -un)" | cut -d: -f5 | cut -d, -f1)
[ -n "$me" ] || me=$(id -un)
start_driven_app

click_node "$window" chat.composer
xdotool type --delay 20 "hello @$me from the window"
xdotool key Return
sleep 0.3

# A second channel: the category's add button makes one and starts renaming it.
click_node "$window" chat.add-channel:ws_home:cat_home_text
xdotool key Return
sleep 0.3
new_channel=$(python3 -c "
import json, sys
def walk(n):
    yield n
    for c in n.get('children', []): yield from walk(c)
ids = [n['id'] for n in walk(json.load(open('$A11Y'))) if n['id'].startswith('chat.channel:') and n['id'] != 'chat.channel:c_general']
print(ids[0].split(':', 1)[1] if ids else '')")
[ -n "$new_channel" ] || fail "no new channel row"

click_node "$window" "chat.channel:$new_channel"
click_node "$window" chat.composer
xdotool type --delay 20 "unsent thought"
click_node "$window" chat.channel:c_general
click_node "$window" "chat.channel:$new_channel"

click_node "$window" "chat.channel:$new_channel" 3
click_node "$window" context-menu:item:2 # Rename
xdotool key ctrl+a
xdotool type --delay 20 "roadmap"
xdotool key Return
sleep 0.5

"$CLOSE_WINDOW" "$window"
expect_exit 0
node "$(dirname "$0")/check_compose.mjs" "$DATA/workspace.automerge" "$new_channel" "$me"
