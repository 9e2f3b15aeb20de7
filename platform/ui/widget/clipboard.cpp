#include "ui/widget/clipboard.h"

namespace orvo_ui::widget {

namespace {

Clipboard* installed = nullptr;

} // namespace

Clipboard& system_clipboard()
{
    static MemoryClipboard fallback;
    return installed ? *installed : fallback;
}

void install_system_clipboard(Clipboard* clipboard) { installed = clipboard; }

} // namespace orvo_ui::widget
