// crdt-interop-writer: makes documents with our engine for the JS oracle.
//
//   crdt-interop-writer edit ACTOR SCRIPT.json TIME IN|- OUT CHANGES
//       loads IN (or starts empty) as ACTOR, replays the script, saves the
//       whole document to OUT and only the script's change chunks to CHANGES.
//   crdt-interop-writer apply IN CHANGES OUT
//       loads IN, applies the change chunks in CHANGES, saves to OUT.

#include "crdt/document.h"
#include "script.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

base::Result<Bytes> read_file(std::string const& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return base::error("cannot open " + path);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

base::Result<void> write_file(std::string const& path, Bytes const& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<char const*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) return base::error("cannot write " + path);
    return {};
}

base::Result<crdt::Document> open(std::string const& path, crdt::ActorId actor)
{
    if (path == "-") return crdt::Document(std::move(actor));
    auto bytes = read_file(path);
    if (!bytes) return base::error(bytes.error());
    auto doc = crdt::Document::load(*bytes, std::move(actor));
    if (!doc) return base::error(path + ": " + doc.error());
    return doc;
}

base::Result<void> edit(char** args)
{
    auto actor = crdt::ActorId::from_hex(args[0]);
    if (!actor) return base::error(std::string("bad actor ") + args[0]);
    auto script_text = read_file(args[1]);
    if (!script_text) return base::error(script_text.error());
    auto script = nlohmann::json::parse(script_text->begin(), script_text->end(), nullptr, false);
    if (script.is_discarded()) return base::error(std::string(args[1]) + " is not JSON");
    auto doc = open(args[3], std::move(*actor));
    if (!doc) return base::error(doc.error());

    std::int64_t time = 0;
    std::string_view const time_text = args[2];
    if (std::from_chars(time_text.begin(), time_text.end(), time).ptr != time_text.end())
        return base::error(std::string("bad time ") + args[2]);

    auto const before = doc->heads();
    TRY_VOID(interop::apply_script(*doc, script, time));
    Bytes changes;
    for (auto const& chunk : doc->get_changes(before))
        changes.insert(changes.end(), chunk.begin(), chunk.end());
    TRY_VOID(write_file(args[4], doc->save()));
    return write_file(args[5], changes);
}

base::Result<void> apply(char** args)
{
    auto doc = open(args[0], crdt::ActorId::random());
    if (!doc) return base::error(doc.error());
    auto changes = read_file(args[1]);
    if (!changes) return base::error(changes.error());
    if (auto applied = doc->load_incremental(*changes); !applied)
        return base::error(std::string(args[1]) + ": " + applied.error());
    return write_file(args[2], doc->save());
}

} // namespace

int main(int argc, char** argv)
{
    std::string const command = argc > 1 ? argv[1] : "";
    base::Result<void> done = base::error("usage: crdt-interop-writer edit ACTOR SCRIPT TIME IN OUT CHANGES"
                                          " | apply IN CHANGES OUT");
    if (command == "edit" && argc == 8)
        done = edit(argv + 2);
    else if (command == "apply" && argc == 5)
        done = apply(argv + 2);
    if (!done) {
        std::fprintf(stderr, "crdt-interop-writer: %s\n", done.error().c_str());
        return 1;
    }
    return 0;
}
