#include "app/views/text_styles.h"

namespace chat::views {

orvo_ui::TextStyle wrapped_text(double size, orvo_ui::Color color, double width)
{
    orvo_ui::TextStyle s;
    s.size = size;
    s.color = color;
    s.width = width;
    return s;
}

orvo_ui::TextStyle ellipsized_text(double size, orvo_ui::Color color, double width)
{
    auto s = wrapped_text(size, color, width);
    s.overflow = orvo_ui::TextOverflow::Ellipsis;
    return s;
}

orvo_ui::TextStyle row_text(double size, orvo_ui::FontWeight weight, orvo_ui::Color color, double width)
{
    orvo_ui::TextStyle s{size, weight, color, width};
    if (width > 0) s.overflow = orvo_ui::TextOverflow::Ellipsis;
    return s;
}

} // namespace chat::views
