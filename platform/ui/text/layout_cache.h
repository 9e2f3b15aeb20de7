#pragma once

// Least-recently-used cache of shaped Pango layouts keyed by everything that
// affects shaping (text, size, weight, width, overflow, spans). Shaping is the
// expensive half of drawing text; a chat frame redraws the same runs every frame.

#include "ui/text/gobject_ptr.h"

#include <pango/pango.h>

#include <cstddef>
#include <list>
#include <string>
#include <unordered_map>

namespace orvo_ui {

class LayoutCache {
public:
    explicit LayoutCache(std::size_t capacity) : m_capacity(capacity) {}

    std::shared_ptr<PangoLayout> find(std::string const& key);
    void insert(std::string key, std::shared_ptr<PangoLayout> layout);
    void clear();

    std::size_t size() const { return m_index.size(); }
    std::size_t hits() const { return m_hits; }
    std::size_t misses() const { return m_misses; }

private:
    using Entry = std::pair<std::string, std::shared_ptr<PangoLayout>>;
    std::size_t m_capacity;
    std::list<Entry> m_order; // most recently used first
    std::unordered_map<std::string, std::list<Entry>::iterator> m_index;
    std::size_t m_hits = 0;
    std::size_t m_misses = 0;
};

} // namespace orvo_ui
