#pragma once

// The system clipboard as text inputs see it. The frame loop installs the
// window system's clipboard; tests and headless runs use MemoryClipboard, a
// complete clipboard that simply lives in the process.

#include <string>
#include <string_view>

namespace orvo_ui::widget {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual std::string text() const = 0;
    virtual void set_text(std::string_view text) = 0;
};

class MemoryClipboard final : public Clipboard {
public:
    std::string text() const override { return m_text; }
    void set_text(std::string_view text) override { m_text = text; }

private:
    std::string m_text;
};

// The clipboard inputs use unless given their own. Until something is installed
// it is a process-wide MemoryClipboard. The installer keeps ownership and must
// outlive the inputs, or install nullptr to restore the default.
Clipboard& system_clipboard();
void install_system_clipboard(Clipboard* clipboard);

} // namespace orvo_ui::widget
