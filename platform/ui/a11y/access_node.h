#pragma once

// One node of the accessibility tree a widget exposes to assistive technology.

#include "ui/core/geometry.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvo_ui {

enum class AccessRole {
    Window,
    Group,
    Region,
    List,
    ListItem,
    Button,
    ToggleButton,
    Link,
    Tab,
    TextInput,
    StaticText,
    Image,
    Menu,
    MenuItem,
    Separator,
    Heading,
};

struct AccessStates {
    bool focused = false;
    bool focusable = false;
    bool selected = false;
    bool checked = false;
    bool expanded = false;
    bool collapsible = false;
    bool disabled = false;
    bool hidden = false;
    friend bool operator==(AccessStates const&, AccessStates const&) = default;
};

struct AccessNode {
    std::string id;
    AccessRole role = AccessRole::Group;
    std::string label;
    std::string description;
    AccessStates states;
    Rect rect;
    // Identity that survives reordering and relabelling (0: none); see `stable_key_for`.
    std::uint64_t stable_key = 0;
    std::vector<AccessNode> children;

    // A readable node id from a scope and a name: "scope/name".
    static std::string key(std::string_view scope, std::string_view name);
    // The stable node key of a pair of strings, e.g. (message id, "message").
    // The pair is hashed with its lengths, so ("ab", "c") and ("a", "bc") differ.
    static std::uint64_t stable_key_for(std::string_view first, std::string_view second);

    AccessNode with_children(std::vector<AccessNode> nodes) &&
    {
        children = std::move(nodes);
        return std::move(*this);
    }

    friend bool operator==(AccessNode const&, AccessNode const&) = default;
};

std::string_view role_name(AccessRole role);

} // namespace orvo_ui
