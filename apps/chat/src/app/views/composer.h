#pragma once

// The composer card, drawn the same way for the main composer under the
// timeline and for the thread composer at the bottom of the thread view: the
// attach button, the text input, the emoji button and the send control; or,
// when the user may not write, a read-only notice in their place.

#include "app/controls.h"
#include "ui/core/geometry.h"
#include "ui/paint/painter.h"
#include "ui/widget/text_input.h"

#include <chrono>

namespace chat {
class ChatApp;
}

namespace chat::views {

// Where the parts of a composer card sit. The text spans the card less 10 on
// each side (the width the frame measures the draft in); the buttons share a
// row along the card's bottom edge.
struct ComposerParts {
    orvo_ui::Rect input;
    orvo_ui::Rect focus; // the input and the padding around it
    orvo_ui::Rect attach;
    orvo_ui::Rect emoji;
    orvo_ui::Rect send;
};
ComposerParts composer_parts(orvo_ui::Rect const& card);

void draw_composer_card(ChatApp& app, orvo_ui::Painter& painter, orvo_ui::Rect const& card,
                        orvo_ui::widget::text_input::TextInput& input, ChatControl focus_control,
                        std::chrono::steady_clock::time_point now);

// Step 4 of the frame, in the composer rectangle of the frame geometry.
void draw_main_composer(ChatApp& app, orvo_ui::Painter& painter, orvo_ui::Rect const& card,
                        std::chrono::steady_clock::time_point now);

// The thread composer's card along the bottom of the details panel.
orvo_ui::Rect thread_composer_rect(orvo_ui::Rect const& details, double z);
void draw_thread_composer(ChatApp& app, orvo_ui::Painter& painter, orvo_ui::Rect const& details, double z,
                          std::chrono::steady_clock::time_point now);

} // namespace chat::views
