#include "crdt/change.h"

#include "crdt/leb128.h"
#include "crdt/op_columns.h"

#include <bit>
#include <cstring>

namespace crdt {

std::size_t max_rows_for(std::size_t bytes)
{
    // Runs let a few bytes stand for many rows; allow generous but bounded expansion.
    return 4096 + bytes * 256;
}

void write_change_header(std::vector<std::uint8_t>& out, std::span<ChangeHash const> deps, std::span<ActorId const> actors,
                         std::uint64_t seq, std::uint64_t start_op, std::int64_t time, std::optional<std::string> const& message)
{
    write_uleb(out, deps.size());
    for (auto const& dep : deps)
        write_bytes(out, dep.bytes);
    write_prefixed(out, actors[0].view());
    write_uleb(out, seq);
    write_uleb(out, start_op);
    write_sleb(out, time);
    write_prefixed(out, as_bytes(message.value_or("")));
    write_uleb(out, actors.size() - 1);
    for (std::size_t i = 1; i < actors.size(); ++i)
        write_prefixed(out, actors[i].view());
}

std::vector<std::uint8_t> encode_change(ChangeData const& change)
{
    std::vector<std::uint8_t> out;
    write_change_header(out, change.deps, change.actors, change.seq, change.start_op, change.time, change.message);
    write_columns(out, encode_op_columns(change.ops, OpLayout::Change));
    write_bytes(out, change.extra);
    return out;
}

base::Result<ChangeData> decode_change(std::span<std::uint8_t const> contents)
{
#define CRDT_TRY(var, expr)                               \
    auto var = (expr);                                    \
    if (!var)                                             \
        return base::error("change: " + var.error());
    Reader reader(contents);
    ChangeData change;
    CRDT_TRY(dep_count, reader.uleb());
    if (*dep_count > reader.remaining() / 32)
        return base::error("change: dependency count exceeds the chunk");
    for (std::uint64_t i = 0; i < *dep_count; ++i) {
        CRDT_TRY(bytes, reader.bytes(32));
        ChangeHash hash;
        std::memcpy(hash.bytes.data(), bytes->data(), 32);
        change.deps.push_back(hash);
    }
    CRDT_TRY(actor, reader.prefixed());
    change.actors.emplace_back(std::vector<std::uint8_t>(actor->begin(), actor->end()));
    CRDT_TRY(seq, reader.uleb());
    CRDT_TRY(start_op, reader.uleb());
    CRDT_TRY(time, reader.sleb());
    CRDT_TRY(message, reader.prefixed());
    change.seq = *seq;
    change.start_op = *start_op;
    change.time = *time;
    if (!message->empty())
        change.message = std::string(reinterpret_cast<char const*>(message->data()), message->size());
    CRDT_TRY(other_count, reader.uleb());
    if (*other_count > reader.remaining())
        return base::error("change: actor count exceeds the chunk");
    for (std::uint64_t i = 0; i < *other_count; ++i) {
        CRDT_TRY(other, reader.prefixed());
        change.actors.emplace_back(std::vector<std::uint8_t>(other->begin(), other->end()));
    }
    if (change.seq == 0 || change.start_op == 0)
        return base::error("change: sequence number and start op must be positive");
    CRDT_TRY(layout, read_column_layout(reader));
    CRDT_TRY(columns, read_column_data(reader, *layout, false));
    auto extra = reader.rest();
    change.extra.assign(extra.begin(), extra.end());
    OpColumnsDecoder decoder(*columns, OpLayout::Change, change.actors.size(), max_rows_for(contents.size()));
    ChangeOp op;
    while (true) {
        CRDT_TRY(more, decoder.next(op));
        if (!*more)
            break;
        op.id = { change.start_op + change.ops.size(), 0 };
        change.ops.push_back(std::move(op));
        op = {};
    }
    if (change.start_op + change.ops.size() < change.start_op)
        return base::error("change: op counter overflow");
    return change;
#undef CRDT_TRY
}

namespace {

std::optional<std::uint64_t> parse_uleb(std::string_view bytes)
{
    Reader reader(as_bytes(bytes));
    auto value = reader.uleb();
    if (!value || !reader.done())
        return std::nullopt;
    return *value;
}

std::optional<std::int64_t> parse_sleb(std::string_view bytes)
{
    Reader reader(as_bytes(bytes));
    auto value = reader.sleb();
    if (!value || !reader.done())
        return std::nullopt;
    return *value;
}

std::string uleb_bytes(std::uint64_t value)
{
    std::vector<std::uint8_t> out;
    write_uleb(out, value);
    return std::string(out.begin(), out.end());
}

std::string sleb_bytes(std::int64_t value)
{
    std::vector<std::uint8_t> out;
    write_sleb(out, value);
    return std::string(out.begin(), out.end());
}

} // namespace

ScalarValue to_scalar(std::uint8_t type, std::string_view bytes)
{
    auto unknown = [&] {
        return ScalarValue(UnknownValue{ type, std::vector<std::uint8_t>(bytes.begin(), bytes.end()) });
    };
    switch (type) {
    case Vnull: return bytes.empty() ? ScalarValue(Null{}) : unknown();
    case Vfalse: return bytes.empty() ? ScalarValue(false) : unknown();
    case Vtrue: return bytes.empty() ? ScalarValue(true) : unknown();
    case Vuint: if (auto v = parse_uleb(bytes)) return *v; return unknown();
    case Vint: if (auto v = parse_sleb(bytes)) return *v; return unknown();
    case Vcounter: if (auto v = parse_sleb(bytes)) return Counter{ *v }; return unknown();
    case Vtimestamp: if (auto v = parse_sleb(bytes)) return Timestamp{ *v }; return unknown();
    case Vf64: {
        if (bytes.size() != 8)
            return unknown();
        std::uint64_t bits = 0;
        for (int i = 7; i >= 0; --i)
            bits = (bits << 8) | static_cast<std::uint8_t>(bytes[i]);
        return std::bit_cast<double>(bits);
    }
    case Vstring: return std::string(bytes);
    case Vbytes: return Bytes{ std::vector<std::uint8_t>(bytes.begin(), bytes.end()) };
    default: return unknown();
    }
}

ScalarValue to_scalar(RawValue const& raw) { return to_scalar(raw.type, raw.bytes); }

RawValue to_raw(ScalarValue const& value)
{
    struct Visitor {
        RawValue operator()(Null) const { return { Vnull, {} }; }
        RawValue operator()(std::string const& s) const { return { Vstring, s }; }
        RawValue operator()(std::int64_t v) const { return { Vint, sleb_bytes(v) }; }
        RawValue operator()(std::uint64_t v) const { return { Vuint, uleb_bytes(v) }; }
        RawValue operator()(double v) const
        {
            std::string bytes(8, '\0');
            auto bits = std::bit_cast<std::uint64_t>(v);
            for (int i = 0; i < 8; ++i)
                bytes[i] = static_cast<char>((bits >> (8 * i)) & 0xff);
            return { Vf64, bytes };
        }
        RawValue operator()(bool v) const { return { v ? Vtrue : Vfalse, {} }; }
        RawValue operator()(Counter c) const { return { Vcounter, sleb_bytes(c.value) }; }
        RawValue operator()(Timestamp t) const { return { Vtimestamp, sleb_bytes(t.value) }; }
        RawValue operator()(Bytes const& b) const { return { Vbytes, std::string(b.data.begin(), b.data.end()) }; }
        RawValue operator()(UnknownValue const& u) const { return { u.type_code, std::string(u.data.begin(), u.data.end()) }; }
    };
    return std::visit(Visitor{}, value);
}

} // namespace crdt
