#include "ui/launch/notice_banner.h"

#include "ui/text/text_renderer.h"

#include <algorithm>

namespace orvo_ui::launch {

void NoticeBanner::show(std::string text, std::chrono::steady_clock::time_point now)
{
    m_text = std::move(text);
    m_until = now + shown_for;
}

bool NoticeBanner::visible(std::chrono::steady_clock::time_point now) const { return m_text && now < m_until; }

std::optional<std::chrono::steady_clock::time_point> NoticeBanner::expires() const
{
    if (!m_text) return std::nullopt;
    return m_until;
}

bool NoticeBanner::consume(Event const& event)
{
    auto const* press = std::get_if<PointerDown>(&event);
    if (!m_text || !press || !m_rect.contains(press->position)) return false;
    m_text.reset();
    return true;
}

void NoticeBanner::draw(Painter& painter, std::chrono::steady_clock::time_point now)
{
    if (!visible(now)) {
        m_text.reset();
        return;
    }
    auto& text = TextRenderer::shared();
    double max_width = std::min(640.0, painter.size().width - 32);
    TextStyle style{.size = 13, .weight = FontWeight::Regular, .color = painter.theme().text, .width = max_width - 32};
    Size measured = text.measure(*m_text, style);
    m_rect = Rect{(painter.size().width - (measured.width + 32)) / 2, 16, measured.width + 32, measured.height + 20};
    painter.fill_rounded(m_rect, 10, painter.theme().card);
    painter.stroke_rounded(m_rect, 10, 1, painter.theme().alert);
    text.draw(painter, *m_text, Point{m_rect.x + 16, m_rect.y + 10}, style);
}

} // namespace orvo_ui::launch
