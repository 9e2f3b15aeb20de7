#pragma once

// The fixed states screenshot scenarios put a fresh ChatApp into
// (ChatApp::apply_scenario and ChatApp::preload_images live in scenarios.cpp).

#include "app/flap.h"

namespace chat {

// A flap pinned open or closed for a shot; `shown` also places its progress there.
void force_flap(Flap& flap, bool open, bool shown);

} // namespace chat
