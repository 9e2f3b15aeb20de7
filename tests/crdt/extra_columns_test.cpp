// Document chunks with columns this engine does not interpret: they load, and a
// save writes them again row by row, with nulls for rows made since.

#include "crdt/chunk.h"
#include "crdt/columns.h"
#include "crdt/document.h"
#include "crdt/leb128.h"
#include "crdt/op_columns.h"

#include <gtest/gtest.h>

#include <map>

using namespace crdt;

namespace {

constexpr std::uint32_t extra_uleb = column_spec(20, ColumnType::Uleb);
constexpr std::uint32_t extra_actor = column_spec(21, ColumnType::Actor);
constexpr std::uint32_t extra_string = column_spec(22, ColumnType::String);
constexpr std::uint32_t extra_per_successor = column_spec(successor_column_id, ColumnType::Boolean);
constexpr std::uint32_t extra_change = column_spec(20, ColumnType::Delta);

// A document chunk taken apart: its columns inflated, the rest kept as bytes.
struct Parts {
    std::vector<std::uint8_t> head; // actors and heads
    std::vector<std::string> actors; // hex, in file order
    std::size_t actor_count = 0;
    ColumnSet change_columns;
    ColumnSet op_columns;
    std::vector<std::uint8_t> tail; // head indices
};

Parts parse(std::vector<std::uint8_t> const& saved)
{
    auto chunks = read_chunks(saved);
    EXPECT_TRUE(chunks && chunks->size() == 1 && chunks->front().type == ChunkType::Document);
    auto const& contents = chunks->front().contents;
    Parts parts;
    Reader reader(contents);
    parts.actor_count = *reader.uleb();
    for (std::size_t i = 0; i < parts.actor_count; ++i) {
        auto actor = *reader.prefixed();
        parts.actors.push_back(ActorId(std::vector<std::uint8_t>(actor.begin(), actor.end())).to_hex());
    }
    auto heads = *reader.uleb();
    (void)*reader.bytes(heads * 32);
    parts.head.assign(contents.begin(), contents.begin() + static_cast<std::ptrdiff_t>(reader.position()));
    auto change_layout = *read_column_layout(reader);
    auto op_layout = *read_column_layout(reader);
    parts.change_columns = *read_column_data(reader, change_layout, true);
    parts.op_columns = *read_column_data(reader, op_layout, true);
    auto rest = reader.rest();
    parts.tail.assign(rest.begin(), rest.end());
    return parts;
}

std::vector<std::uint8_t> assemble(Parts const& parts)
{
    auto columns = [](ColumnSet const& set) {
        std::vector<Column> out;
        for (auto const& [column_id, data] : set)
            out.push_back({ column_id, data });
        prepare_columns(out, 0);
        return out;
    };
    std::vector<std::uint8_t> contents = parts.head;
    auto changes = columns(parts.change_columns);
    auto ops = columns(parts.op_columns);
    write_column_meta(contents, changes);
    write_column_meta(contents, ops);
    write_column_data(contents, changes);
    write_column_data(contents, ops);
    write_bytes(contents, parts.tail);
    std::vector<std::uint8_t> chunk;
    write_chunk(chunk, ChunkType::Document, contents);
    return chunk;
}

std::vector<ChangeOp> rows_of(Parts const& parts)
{
    OpColumnsDecoder decoder(parts.op_columns, OpLayout::Document, parts.actor_count, 1000);
    std::vector<ChangeOp> rows;
    ChangeOp op;
    while (*decoder.next(op))
        rows.push_back(op);
    return rows;
}

std::vector<std::optional<std::uint64_t>> uleb_values(std::vector<std::uint8_t> const& data, std::size_t rows)
{
    UlebDecoder decoder(data);
    std::vector<std::optional<std::uint64_t>> out;
    for (std::size_t i = 0; i < rows; ++i)
        out.push_back(*decoder.next());
    return out;
}

// Op id ("counter@actor") -> what the extra uleb and actor columns hold for that op.
using ExtraValues = std::pair<std::optional<std::uint64_t>, std::optional<std::string>>;
std::map<std::string, ExtraValues> extra_by_op(Parts const& parts)
{
    auto rows = rows_of(parts);
    auto column = [&](std::uint32_t column_id) {
        auto found = parts.op_columns.find(column_id);
        return uleb_values(found == parts.op_columns.end() ? std::vector<std::uint8_t>{} : found->second, rows.size());
    };
    auto numbers = column(extra_uleb);
    auto actors = column(extra_actor);
    std::map<std::string, ExtraValues> out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        auto id = std::to_string(rows[i].id.counter) + "@" + parts.actors[rows[i].id.actor];
        out[id] = { numbers[i], actors[i] ? std::optional<std::string>(parts.actors[*actors[i]]) : std::nullopt };
    }
    return out;
}

struct Fixture {
    Document original{ *ActorId::from_hex("aa01") };
    std::vector<std::uint8_t> with_extra;
    std::size_t op_rows = 0;
};

// Three changes (a map key overwritten, so one op has a successor, and text), saved,
// then given extra op and change columns by hand.
Fixture make_fixture()
{
    Fixture f;
    auto& doc = f.original;
    EXPECT_TRUE(doc.put(Document::root(), "a", std::int64_t{ 1 }));
    auto text = doc.put_object(Document::root(), "text", ObjType::Text);
    EXPECT_TRUE(text && doc.splice_text(*text, 0, 0, "hi"));
    doc.commit({ std::nullopt, 1 });
    EXPECT_TRUE(doc.put(Document::root(), "a", std::int64_t{ 2 }));
    doc.commit({ std::nullopt, 2 });
    EXPECT_TRUE(doc.put(Document::root(), "b", "x"));
    doc.commit({ std::nullopt, 3 });

    auto parts = parse(doc.save());
    auto rows = rows_of(parts);
    f.op_rows = rows.size();
    UlebEncoder numbers, actors;
    StringEncoder strings;
    BooleanEncoder per_successor;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        numbers.append(100 + i);
        actors.append(0);
        if (i % 2 == 0)
            strings.append("row " + std::to_string(i));
        else
            strings.append_null();
        for (std::size_t k = 0; k < rows[i].succ.size(); ++k)
            per_successor.append(true);
    }
    parts.op_columns[extra_uleb] = numbers.finish();
    parts.op_columns[extra_actor] = actors.finish();
    parts.op_columns[extra_string] = strings.finish();
    parts.op_columns[extra_per_successor] = per_successor.finish();
    DeltaEncoder change_values;
    for (int k = 0; k < 3; ++k)
        change_values.append(1000 + k);
    parts.change_columns[extra_change] = change_values.finish();
    f.with_extra = assemble(parts);
    return f;
}

} // namespace

TEST(ExtraColumns, SurviveLoadAndSaveUnchanged)
{
    auto f = make_fixture();
    auto loaded = Document::load(f.with_extra);
    ASSERT_TRUE(loaded) << loaded.error();
    EXPECT_EQ(loaded->get(Document::root(), "a"), Value(ScalarValue(std::int64_t{ 2 })));
    EXPECT_EQ(loaded->heads(), f.original.heads());

    auto before = parse(f.with_extra);
    auto after = parse(loaded->save());
    for (auto column_id : { extra_uleb, extra_actor, extra_string, extra_per_successor })
        EXPECT_EQ(after.op_columns[column_id], before.op_columns[column_id]) << column_id;
    EXPECT_EQ(after.change_columns[extra_change], before.change_columns[extra_change]);

    // And again through a fork (a save and a load).
    auto fork = loaded->fork();
    EXPECT_EQ(parse(fork.save()).op_columns[extra_uleb], before.op_columns[extra_uleb]);
}

TEST(ExtraColumns, RowsMadeSinceHoldNulls)
{
    auto f = make_fixture();
    auto loaded = Document::load(f.with_extra, *ActorId::from_hex("aa02"));
    ASSERT_TRUE(loaded) << loaded.error();
    auto before = extra_by_op(parse(f.with_extra));

    // A local write that overwrites "b" (its row gains a successor), and a merged one.
    ASSERT_TRUE(loaded->put(Document::root(), "b", "y"));
    // The merged actor sorts first, so every actor index in the file moves.
    auto other = f.original.fork(*ActorId::from_hex("0003"));
    ASSERT_TRUE(other.put(Document::root(), "c", true));
    ASSERT_TRUE(loaded->merge(other));

    auto saved = loaded->save();
    auto after = extra_by_op(parse(saved));
    ASSERT_EQ(after.size(), before.size() + 2);
    std::size_t nulls = 0;
    for (auto const& [id, values] : after) {
        if (auto old = before.find(id); old != before.end()) {
            EXPECT_EQ(values, old->second) << "op " << id;
            EXPECT_EQ(values.second, std::optional<std::string>("aa01")) << "op " << id;
        } else {
            nulls += !values.first && !values.second;
        }
    }
    EXPECT_EQ(nulls, 2u);
    auto change_values = parse(saved).change_columns[extra_change];
    DeltaDecoder decoder(change_values);
    for (std::int64_t k = 0; k < 3; ++k)
        EXPECT_EQ(*decoder.next(), std::optional<std::int64_t>(1000 + k));
    EXPECT_EQ(*decoder.next(), std::nullopt);

    auto again = Document::load(saved);
    ASSERT_TRUE(again) << again.error();
    EXPECT_EQ(again->get(Document::root(), "b"), Value(ScalarValue(std::string("y"))));
    EXPECT_EQ(again->get(Document::root(), "c"), Value(ScalarValue(true)));
}

TEST(ExtraColumns, MalformedExtraColumnsAreErrors)
{
    auto f = make_fixture();
    struct Case {
        char const* name;
        std::uint32_t column_id;
        std::vector<std::uint8_t> data;
    };
    UlebEncoder too_many;
    for (std::size_t i = 0; i < f.op_rows + 1; ++i)
        too_many.append(i);
    UlebEncoder bad_actor;
    bad_actor.append(7);
    std::vector<Case> cases = {
        { "more values than rows", extra_uleb, too_many.finish() },
        { "actor out of range", extra_actor, bad_actor.finish() },
        { "value without metadata", column_spec(23, ColumnType::Value), { 1, 2, 3 } },
    };
    for (auto const& c : cases) {
        auto parts = parse(f.with_extra);
        parts.op_columns[c.column_id] = c.data;
        auto loaded = Document::load(assemble(parts));
        EXPECT_FALSE(loaded) << c.name;
    }
}
