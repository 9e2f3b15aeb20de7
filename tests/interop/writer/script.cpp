#include "script.h"

#include <string>

namespace interop {
namespace {

using nlohmann::json;

base::Result<crdt::ObjId> resolve(crdt::Document const& doc, json const& path)
{
    crdt::ObjId obj = crdt::Document::root();
    for (auto const& prop : path) {
        auto value = prop.is_string() ? doc.get(obj, prop.get<std::string>())
                                      : doc.get(obj, prop.get<std::size_t>());
        if (!value || !crdt::is_object(*value))
            return base::error("no object at " + path.dump());
        obj = std::get<crdt::ObjectRef>(*value).id;
    }
    return obj;
}

// Objects are created empty; their contents come from later steps.
std::optional<crdt::ObjType> object_kind(json const& value)
{
    if (value.contains("map")) return crdt::ObjType::Map;
    if (value.contains("list")) return crdt::ObjType::List;
    if (value.contains("text")) return crdt::ObjType::Text;
    return std::nullopt;
}

bool starts_empty(json const& value)
{
    return !value.contains("text") || value.at("text") == "";
}

base::Result<crdt::ScalarValue> scalar(json const& value)
{
    if (!value.is_object() || value.size() != 1) return base::error("bad value " + value.dump());
    std::string const kind = value.begin().key();
    json const& v = value.begin().value();
    if (kind == "str") return crdt::ScalarValue(v.get<std::string>());
    if (kind == "int") return crdt::ScalarValue(v.get<std::int64_t>());
    if (kind == "uint") return crdt::ScalarValue(v.get<std::uint64_t>());
    if (kind == "f64") return crdt::ScalarValue(v.get<double>());
    if (kind == "bool") return crdt::ScalarValue(v.get<bool>());
    if (kind == "null") return crdt::ScalarValue(crdt::Null{});
    if (kind == "counter") return crdt::ScalarValue(crdt::Counter{v.get<std::int64_t>()});
    return base::error("unknown value kind " + kind);
}

template <typename Prop>
base::Result<void> put(crdt::Document& doc, crdt::ObjId const& obj, Prop prop, json const& value)
{
    if (!starts_empty(value)) return base::error("a text starts empty: " + value.dump());
    if (auto kind = object_kind(value)) {
        auto made = doc.put_object(obj, prop, *kind);
        if (!made) return base::error(made.error());
        return {};
    }
    auto v = scalar(value);
    if (!v) return base::error(v.error());
    return doc.put(obj, prop, std::move(*v));
}

base::Result<void> insert(crdt::Document& doc, crdt::ObjId const& obj, std::size_t index, json const& value)
{
    if (!starts_empty(value)) return base::error("a text starts empty: " + value.dump());
    if (auto kind = object_kind(value)) {
        auto made = doc.insert_object(obj, index, *kind);
        if (!made) return base::error(made.error());
        return {};
    }
    auto v = scalar(value);
    if (!v) return base::error(v.error());
    return doc.insert(obj, index, std::move(*v));
}

base::Result<void> apply_step(crdt::Document& doc, json const& step)
{
    auto const op = step.at(0).get<std::string>();
    auto obj = resolve(doc, step.at(1));
    if (!obj) return base::error(obj.error());
    auto const& prop = step.at(2);
    if (op == "put")
        return prop.is_string() ? put(doc, *obj, prop.get<std::string>(), step.at(3))
                                : put(doc, *obj, prop.get<std::size_t>(), step.at(3));
    if (op == "insert")
        return insert(doc, *obj, prop.get<std::size_t>(), step.at(3));
    if (op == "delete")
        return prop.is_string() ? doc.delete_key(*obj, prop.get<std::string>())
                                : doc.delete_index(*obj, prop.get<std::size_t>());
    if (op == "splice")
        return doc.splice_text(*obj, prop.get<std::size_t>(), step.at(3).get<std::size_t>(),
                               step.at(4).get<std::string>());
    if (op == "inc") {
        auto by = step.at(3).get<std::int64_t>();
        return prop.is_string() ? doc.increment(*obj, prop.get<std::string>(), by)
                                : doc.increment(*obj, prop.get<std::size_t>(), by);
    }
    return base::error("unknown step " + op);
}

void commit(crdt::Document& doc, json const& message, std::int64_t time)
{
    if (!doc.has_pending()) return;
    crdt::CommitOptions options;
    options.time = time;
    if (message.is_string()) options.message = message.get<std::string>();
    doc.commit(options);
}

} // namespace

base::Result<void> apply_script(crdt::Document& doc, json const& script, std::int64_t time)
{
    try {
        for (auto const& step : script) {
            if (step.at(0) == "commit") {
                commit(doc, step.size() > 1 ? step.at(1) : json(), time);
                continue;
            }
            if (auto done = apply_step(doc, step); !done)
                return base::error(done.error() + " in step " + step.dump());
        }
    } catch (json::exception const& e) {
        return base::error(std::string("malformed script: ") + e.what());
    }
    commit(doc, json(), time);
    return {};
}

} // namespace interop
