#include "ui/text/layout_cache.h"

namespace orvo_ui {

std::shared_ptr<PangoLayout> LayoutCache::find(std::string const& key)
{
    auto it = m_index.find(key);
    if (it == m_index.end()) {
        ++m_misses;
        return nullptr;
    }
    ++m_hits;
    m_order.splice(m_order.begin(), m_order, it->second);
    return it->second->second;
}

void LayoutCache::insert(std::string key, std::shared_ptr<PangoLayout> layout)
{
    if (auto it = m_index.find(key); it != m_index.end()) {
        it->second->second = std::move(layout);
        m_order.splice(m_order.begin(), m_order, it->second);
        return;
    }
    m_order.emplace_front(key, std::move(layout));
    m_index.emplace(std::move(key), m_order.begin());
    while (m_index.size() > m_capacity) {
        m_index.erase(m_order.back().first);
        m_order.pop_back();
    }
}

void LayoutCache::clear()
{
    m_index.clear();
    m_order.clear();
}

} // namespace orvo_ui
