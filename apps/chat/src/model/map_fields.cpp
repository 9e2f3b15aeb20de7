#include "model/map_fields.h"

#include "doc/read.h"

namespace chat {

std::vector<crdt::ObjId> maps_in(crdt::Document const& doc, crdt::ObjId const& list)
{
    std::vector<crdt::ObjId> maps;
    doc.for_each_element(list, [&](crdt::Value&& value) {
        if (auto id = doc::object_value(value, crdt::ObjType::Map))
            maps.push_back(std::move(*id));
    });
    return maps;
}

} // namespace chat
