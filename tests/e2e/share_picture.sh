#!/usr/bin/env bash
# Sharing a picture through the window: the attach button lists a private
# attachment directory, clicking the picture's row imports it into the content
# store, and the npm Automerge package finds the posted image in the saved document.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

ATTACH=$(mktemp -d)
export ORVO_CHAT_ATTACH_DIR=$ATTACH
export XDG_DATA_HOME=$(mktemp -d) # the content store lives under it
trap 'rm -rf "$ATTACH" "$XDG_DATA_HOME"' EXIT
python3 - "$ATTACH/wide shot.png" <<'PY'
import struct, sys, zlib
w, h = 64, 24
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
rows = b"".join(b"\0" + bytes([x * 4 % 256, 80, 200]) * w for x in range(h))
png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)) \
    + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b"")
open(sys.argv[1], "wb").write(png)
PY
echo "not shared" > "$ATTACH/notes.txt"
key=$(sha256sum "$ATTACH/wide shot.png" | cut -d' ' -f1)

start_driven_app

click_node "$window" chat.attach
click_node "$window" "chat.attach-pick:$ATTACH/wide shot.png"
# The import runs on a background thread: wait for the stored file, then give the
# answer a moment to reach the window, which posts the message.
for _ in $(seq 1 50); do
    [ -f "$XDG_DATA_HOME/zozi/blobs/${key:0:2}/$key" ] && break
    sleep 0.1
done
sleep 1

"$CLOSE_WINDOW" "$window"
expect_exit 0
cmp "$ATTACH/wide shot.png" "$XDG_DATA_HOME/zozi/blobs/${key:0:2}/$key" || fail "the store does not hold the picture"
node "$(dirname "$0")/check_shared_picture.mjs" "$DATA/workspace.automerge" "$key"
