#pragma once

// Shared ownership of a GObject (PangoLayout, GdkPixbuf, ...) through its own
// reference count.

#include <glib-object.h>

#include <memory>

namespace orvo_ui {

template <typename T>
std::shared_ptr<T> adopt_gobject(T* object)
{
    return std::shared_ptr<T>(object, [](T* p) {
        if (p)
            g_object_unref(p);
    });
}

} // namespace orvo_ui
