// Fuzzes applying received change chunks to an existing document, through
// both entry points; a refused input must leave the document unchanged.
#include "crdt/document.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <vector>

namespace {

crdt::Document base_document()
{
    crdt::Document doc(*crdt::ActorId::from_hex("f0220000000000000000000000000001"));
    auto const root = crdt::Document::root();
    auto text = doc.put_object(root, "text", crdt::ObjType::Text);
    auto list = doc.put_object(root, "list", crdt::ObjType::List);
    if (!text || !list || !doc.splice_text(*text, 0, 0, "hello") || !doc.insert(*list, 0, std::int64_t{1}) ||
        !doc.put(root, "views", crdt::Counter{1}))
        std::abort();
    doc.commit();
    return doc;
}

void abort_with(char const* message)
{
    std::fprintf(stderr, "%s\n", message);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    static std::vector<std::uint8_t> const base = base_document().save();
    auto const input = std::span(data, size);

    auto doc = crdt::Document::load(base);
    if (!doc) abort_with("the base document does not load");
    auto const heads = doc->heads();
    if (!doc->load_incremental(input) && doc->heads() != heads)
        abort_with("a refused load_incremental changed the heads");
    (void)doc->save();

    auto other = crdt::Document::load(base);
    if (!other) abort_with("the base document does not load");
    std::vector<std::vector<std::uint8_t>> const chunks{std::vector<std::uint8_t>(input.begin(), input.end())};
    if (!other->apply_changes(chunks) && other->heads() != heads)
        abort_with("refused apply_changes changed the heads");
    (void)other->save();
    return 0;
}
