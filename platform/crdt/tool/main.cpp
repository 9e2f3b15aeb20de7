// crdt-tool: inspect and merge Automerge files from the command line.
//   crdt-tool dump FILE        the document as JSON
//   crdt-tool heads FILE       the heads in hex, one per line, sorted
//   crdt-tool merge A B OUT    writes the merge of A and B to OUT

#include "crdt/document.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

namespace {

base::Result<crdt::Document> load_file(std::string const& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return base::error(path + ": cannot open");
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto doc = crdt::Document::load(bytes);
    if (!doc)
        return base::error(path + ": " + doc.error());
    return doc;
}

nlohmann::json to_json(crdt::Document const& doc, crdt::Value const& value);

nlohmann::json scalar_json(crdt::ScalarValue const& scalar)
{
    struct Visitor {
        nlohmann::json operator()(crdt::Null) const { return nullptr; }
        nlohmann::json operator()(std::string const& s) const { return s; }
        nlohmann::json operator()(std::int64_t v) const { return v; }
        nlohmann::json operator()(std::uint64_t v) const { return v; }
        nlohmann::json operator()(double v) const { return std::isfinite(v) ? nlohmann::json(v) : nlohmann::json(nullptr); }
        nlohmann::json operator()(bool v) const { return v; }
        nlohmann::json operator()(crdt::Counter c) const { return c.value; }
        nlohmann::json operator()(crdt::Timestamp t) const { return t.value; }
        nlohmann::json operator()(crdt::Bytes const& b) const { return b.data; }
        nlohmann::json operator()(crdt::UnknownValue const& u) const { return u.data; }
    };
    return std::visit(Visitor{}, scalar);
}

nlohmann::json object_json(crdt::Document const& doc, crdt::ObjectRef const& ref)
{
    switch (ref.type) {
    case crdt::ObjType::Text:
        return doc.text(ref.id).value_or("");
    case crdt::ObjType::List: {
        auto out = nlohmann::json::array();
        for (std::size_t i = 0; i < doc.length(ref.id); ++i)
            out.push_back(to_json(doc, *doc.get(ref.id, i)));
        return out;
    }
    case crdt::ObjType::Map:
    case crdt::ObjType::Table: {
        auto out = nlohmann::json::object(); // std::map underneath: keys come out sorted
        for (auto const& key : doc.keys(ref.id))
            out[key] = to_json(doc, *doc.get(ref.id, key));
        return out;
    }
    }
    return nullptr;
}

nlohmann::json to_json(crdt::Document const& doc, crdt::Value const& value)
{
    if (auto const* ref = std::get_if<crdt::ObjectRef>(&value))
        return object_json(doc, *ref);
    return scalar_json(std::get<crdt::ScalarValue>(value));
}

int fail(std::string const& message)
{
    std::fprintf(stderr, "crdt-tool: %s\n", message.c_str());
    return 1;
}

int usage()
{
    return fail("usage: crdt-tool dump FILE | heads FILE | merge A B OUT");
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && (args[0] == "dump" || args[0] == "heads")) {
        auto doc = load_file(args[1]);
        if (!doc)
            return fail(doc.error());
        if (args[0] == "dump") {
            std::cout << object_json(*doc, { crdt::ROOT, crdt::ObjType::Map }).dump() << '\n';
        } else {
            for (auto const& head : doc->heads())
                std::cout << head.to_hex() << '\n';
        }
        return 0;
    }
    if (args.size() == 4 && args[0] == "merge") {
        auto a = load_file(args[1]);
        if (!a)
            return fail(a.error());
        auto b = load_file(args[2]);
        if (!b)
            return fail(b.error());
        if (auto merged = a->merge(*b); !merged)
            return fail("merge: " + merged.error());
        auto bytes = a->save();
        std::ofstream out(args[3], std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<char const*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush())
            return fail(args[3] + ": cannot write");
        return 0;
    }
    return usage();
}
