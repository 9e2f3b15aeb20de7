#include "crdt/op_columns.h"

#include "crdt/chunk.h"

#include <algorithm>
#include <array>

namespace crdt {

namespace {

namespace op_column {
constexpr std::uint32_t obj_actor = column_spec(0, ColumnType::Actor);
constexpr std::uint32_t obj_counter = column_spec(0, ColumnType::Uleb);
constexpr std::uint32_t key_actor = column_spec(1, ColumnType::Actor);
constexpr std::uint32_t key_counter = column_spec(1, ColumnType::Delta);
constexpr std::uint32_t key_string = column_spec(1, ColumnType::String);
constexpr std::uint32_t id_actor = column_spec(2, ColumnType::Actor);
constexpr std::uint32_t id_counter = column_spec(2, ColumnType::Delta);
constexpr std::uint32_t insert = column_spec(3, ColumnType::Boolean);
constexpr std::uint32_t action = column_spec(4, ColumnType::Uleb);
constexpr std::uint32_t value_meta = column_spec(5, ColumnType::ValueMeta);
constexpr std::uint32_t value = column_spec(5, ColumnType::Value);
constexpr std::uint32_t pred_group = column_spec(7, ColumnType::Group);
constexpr std::uint32_t pred_actor = column_spec(7, ColumnType::Actor);
constexpr std::uint32_t pred_counter = column_spec(7, ColumnType::Delta);
constexpr std::uint32_t succ_group = column_spec(8, ColumnType::Group);
constexpr std::uint32_t succ_actor = column_spec(8, ColumnType::Actor);
constexpr std::uint32_t succ_counter = column_spec(8, ColumnType::Delta);
constexpr std::uint32_t expand = column_spec(9, ColumnType::Boolean);
constexpr std::uint32_t mark_name = column_spec(10, ColumnType::String);
} // namespace op_column

constexpr std::array document_specs = { op_column::obj_actor, op_column::obj_counter, op_column::key_actor,
    op_column::key_counter, op_column::key_string, op_column::id_actor, op_column::id_counter, op_column::insert,
    op_column::action, op_column::value_meta, op_column::value, op_column::succ_group, op_column::succ_actor,
    op_column::succ_counter, op_column::expand, op_column::mark_name };

std::span<std::uint8_t const> column(ColumnSet const& columns, std::uint32_t id)
{
    auto found = columns.find(id);
    if (found == columns.end())
        return {};
    return found->second;
}

} // namespace

std::span<std::uint32_t const> document_op_column_specs() { return document_specs; }

void prepare_columns(std::vector<Column>& columns, std::size_t deflate_threshold)
{
    std::erase_if(columns, [](Column const& c) { return c.data.empty(); });
    std::sort(columns.begin(), columns.end(), [](Column const& a, Column const& b) { return a.column_spec < b.column_spec; });
    if (deflate_threshold == 0)
        return;
    for (auto& c : columns) {
        if (c.data.size() >= deflate_threshold) {
            c.data = deflate_raw(c.data);
            c.column_spec |= deflate_bit;
        }
    }
}

void write_column_meta(std::vector<std::uint8_t>& out, std::vector<Column> const& columns)
{
    write_uleb(out, columns.size());
    for (auto const& c : columns) {
        write_uleb(out, c.column_spec);
        write_uleb(out, c.data.size());
    }
}

void write_column_data(std::vector<std::uint8_t>& out, std::vector<Column> const& columns)
{
    for (auto const& c : columns)
        write_bytes(out, c.data);
}

void write_columns(std::vector<std::uint8_t>& out, std::vector<Column> columns)
{
    prepare_columns(columns, 0);
    write_column_meta(out, columns);
    write_column_data(out, columns);
}

base::Result<ColumnLayout> read_column_layout(Reader& reader)
{
    auto count = reader.uleb();
    if (!count)
        return std::move(count).take_error();
    if (*count > reader.remaining() / 2)
        return base::error("column count exceeds the chunk");
    ColumnLayout layout;
    std::uint32_t previous = 0;
    for (std::uint64_t i = 0; i < *count; ++i) {
        auto column_spec = reader.uleb();
        if (!column_spec)
            return std::move(column_spec).take_error();
        auto length = reader.uleb();
        if (!length)
            return std::move(length).take_error();
        if (*column_spec > 0xffffffffu)
            return base::error("column id out of range");
        auto normal = static_cast<std::uint32_t>(*column_spec) & ~deflate_bit;
        if (i > 0 && normal <= previous)
            return base::error("columns not in ascending order");
        previous = normal;
        layout.entries.emplace_back(static_cast<std::uint32_t>(*column_spec), *length);
    }
    return layout;
}

base::Result<ColumnSet> read_column_data(Reader& reader, ColumnLayout const& layout, bool allow_deflate)
{
    ColumnSet columns;
    for (auto [column_spec, length] : layout.entries) {
        auto data = reader.bytes(length);
        if (!data)
            return base::error("column data exceeds the chunk");
        if (column_spec & deflate_bit) {
            if (!allow_deflate)
                return base::error("compressed column in a change chunk");
            auto inflated = inflate_raw(*data);
            if (!inflated)
                return base::error("column: " + inflated.error());
            columns.emplace(column_spec & ~deflate_bit, std::move(*inflated));
        } else {
            columns.emplace(column_spec, std::vector<std::uint8_t>(data->begin(), data->end()));
        }
    }
    return columns;
}

void OpColumnsEncoder::add(OpRow const& op)
{
    if (op.obj.counter == 0) {
        m_obj_actor.append_null();
        m_obj_counter.append_null();
    } else {
        m_obj_actor.append(op.obj.actor);
        m_obj_counter.append(op.obj.counter);
    }
    if (op.key) {
        m_key_actor.append_null();
        m_key_counter.append_null();
        m_key_string.append(*op.key);
    } else {
        if (op.elem.counter == 0)
            m_key_actor.append_null();
        else
            m_key_actor.append(op.elem.actor);
        m_key_counter.append(static_cast<std::int64_t>(op.elem.counter));
        m_key_string.append_null();
    }
    if (m_layout == OpLayout::Document) {
        m_id_actor.append(op.id.actor);
        m_id_counter.append(static_cast<std::int64_t>(op.id.counter));
    }
    m_insert.append(op.insert);
    m_action.append(op.action);
    m_value_meta.append((static_cast<std::uint64_t>(op.value.size()) << 4) | op.value_type);
    m_values.insert(m_values.end(), op.value.begin(), op.value.end());
    m_group.append(op.group.size());
    for (auto const& ref : op.group) {
        m_group_actor.append(ref.actor);
        m_group_counter.append(static_cast<std::int64_t>(ref.counter));
    }
    m_expand.append(op.expand);
    m_any_expand |= op.expand;
    if (op.mark_name)
        m_mark_name.append(*op.mark_name);
    else
        m_mark_name.append_null();
}

void OpColumnsEncoder::add(ChangeOp const& op)
{
    OpRow row;
    row.id = op.id;
    row.obj = op.obj;
    row.key = op.map_key ? &op.key : nullptr;
    row.elem = op.elem;
    row.insert = op.insert;
    row.action = op.action;
    row.value_type = op.value.type;
    row.value = op.value.bytes;
    row.group = m_layout == OpLayout::Document ? op.succ : op.pred;
    row.expand = op.expand;
    row.mark_name = op.mark_name ? &*op.mark_name : nullptr;
    add(row);
}

std::vector<Column> OpColumnsEncoder::finish()
{
    bool doc = m_layout == OpLayout::Document;
    std::vector<Column> columns;
    columns.push_back({ op_column::obj_actor, m_obj_actor.finish() });
    columns.push_back({ op_column::obj_counter, m_obj_counter.finish() });
    columns.push_back({ op_column::key_actor, m_key_actor.finish() });
    columns.push_back({ op_column::key_counter, m_key_counter.finish() });
    columns.push_back({ op_column::key_string, m_key_string.finish() });
    if (doc) {
        columns.push_back({ op_column::id_actor, m_id_actor.finish() });
        columns.push_back({ op_column::id_counter, m_id_counter.finish() });
    }
    columns.push_back({ op_column::insert, m_insert.finish() });
    columns.push_back({ op_column::action, m_action.finish() });
    columns.push_back({ op_column::value_meta, m_value_meta.finish() });
    columns.push_back({ op_column::value, std::move(m_values) });
    columns.push_back({ doc ? op_column::succ_group : op_column::pred_group, m_group.finish() });
    columns.push_back({ doc ? op_column::succ_actor : op_column::pred_actor, m_group_actor.finish() });
    columns.push_back({ doc ? op_column::succ_counter : op_column::pred_counter, m_group_counter.finish() });
    // Expand only matters for marks; the reference leaves the column out without them.
    if (m_any_expand)
        columns.push_back({ op_column::expand, m_expand.finish() });
    columns.push_back({ op_column::mark_name, m_mark_name.finish() });
    return columns;
}

std::vector<Column> encode_op_columns(std::vector<ChangeOp> const& ops, OpLayout layout)
{
    OpColumnsEncoder encoder(layout);
    for (auto const& op : ops)
        encoder.add(op);
    return encoder.finish();
}

OpColumnsDecoder::OpColumnsDecoder(ColumnSet const& columns, OpLayout layout, std::size_t actor_count, std::size_t max_rows)
    : m_layout(layout)
    , m_actor_count(actor_count)
    , m_max_rows(max_rows)
    , m_obj_actor(column(columns, op_column::obj_actor))
    , m_key_actor(column(columns, op_column::key_actor))
    , m_id_actor(column(columns, op_column::id_actor))
    , m_group_actor(column(columns, layout == OpLayout::Document ? op_column::succ_actor : op_column::pred_actor))
    , m_obj_counter(column(columns, op_column::obj_counter))
    , m_key_counter(column(columns, op_column::key_counter))
    , m_id_counter(column(columns, op_column::id_counter))
    , m_group_counter(column(columns, layout == OpLayout::Document ? op_column::succ_counter : op_column::pred_counter))
    , m_key_string(column(columns, op_column::key_string))
    , m_mark_name(column(columns, op_column::mark_name))
    , m_insert(column(columns, op_column::insert))
    , m_expand(column(columns, op_column::expand))
    , m_action(column(columns, op_column::action))
    , m_value_meta(column(columns, op_column::value_meta))
    , m_group(column(columns, layout == OpLayout::Document ? op_column::succ_group : op_column::pred_group))
    , m_values(column(columns, op_column::value))
{
}

bool OpColumnsDecoder::done() const
{
    return m_obj_actor.done() && m_obj_counter.done() && m_key_actor.done() && m_key_counter.done()
        && m_key_string.done() && m_id_actor.done() && m_id_counter.done() && m_insert.done() && m_action.done()
        && m_value_meta.done() && m_values.done() && m_group.done() && m_group_actor.done()
        && m_group_counter.done() && m_expand.done() && m_mark_name.done();
}

#define CRDT_READ(var, expr)                      \
    auto var = (expr);                            \
    if (!var)                                     \
        return std::move(var).take_error();

base::Result<bool> OpColumnsDecoder::next(ChangeOp& op)
{
    if (done())
        return false;
    if (++m_rows > m_max_rows)
        return base::error("more operations than the chunk can hold");

    CRDT_READ(obj_actor, m_obj_actor.next());
    CRDT_READ(obj_counter, m_obj_counter.next());
    if (obj_actor->has_value() != obj_counter->has_value())
        return base::error("operation with half an object id");
    op.obj = {};
    if (*obj_counter) {
        if (**obj_counter == 0 || **obj_actor >= m_actor_count)
            return base::error("operation with an invalid object id");
        op.obj = { **obj_counter, static_cast<std::uint32_t>(**obj_actor) };
    }
    TRY_VOID(read_key(op));
    if (m_layout == OpLayout::Document) {
        CRDT_READ(id_actor, m_id_actor.next());
        CRDT_READ(id_counter, m_id_counter.next());
        if (!*id_actor || !*id_counter || **id_actor >= m_actor_count || **id_counter <= 0)
            return base::error("operation with an invalid id");
        op.id = { static_cast<std::uint64_t>(**id_counter), static_cast<std::uint32_t>(**id_actor) };
    }
    CRDT_READ(insert, m_insert.next());
    op.insert = *insert;
    CRDT_READ(action, m_action.next());
    if (!*action || **action > 255)
        return base::error("operation with an invalid action");
    op.action = static_cast<std::uint8_t>(**action);
    TRY_VOID(read_value(op));
    auto& group = m_layout == OpLayout::Document ? op.succ : op.pred;
    TRY_VOID(read_group(m_group, m_group_actor, m_group_counter, group));
    CRDT_READ(expand, m_expand.next());
    op.expand = *expand;
    CRDT_READ(mark_name, m_mark_name.next());
    op.mark_name = std::move(*mark_name);
    return true;
}

base::Result<void> OpColumnsDecoder::read_key(ChangeOp& op)
{
    CRDT_READ(key_actor, m_key_actor.next());
    CRDT_READ(key_counter, m_key_counter.next());
    CRDT_READ(key_string, m_key_string.next());
    if (*key_string) {
        if (*key_actor || *key_counter)
            return base::error("operation with both a map key and a list key");
        op.map_key = true;
        op.key = std::move(**key_string);
        return {};
    }
    if (!*key_counter || **key_counter < 0)
        return base::error("operation without a key");
    op.map_key = false;
    op.key.clear();
    op.elem = { static_cast<std::uint64_t>(**key_counter), 0 };
    if (op.elem.counter != 0) {
        if (!*key_actor || **key_actor >= m_actor_count)
            return base::error("list key with an invalid actor");
        op.elem.actor = static_cast<std::uint32_t>(**key_actor);
    }
    return {};
}

base::Result<void> OpColumnsDecoder::read_value(ChangeOp& op)
{
    CRDT_READ(meta, m_value_meta.next());
    std::uint64_t m = meta->value_or(0);
    op.value.type = static_cast<std::uint8_t>(m & 15);
    CRDT_READ(bytes, m_values.bytes(m >> 4));
    op.value.bytes.assign(reinterpret_cast<char const*>(bytes->data()), bytes->size());
    return {};
}

base::Result<void> OpColumnsDecoder::read_group(UlebDecoder& group, UlebDecoder& actor, DeltaDecoder& counter, std::vector<OpRef>& out)
{
    out.clear();
    CRDT_READ(count, group.next());
    std::uint64_t n = count->value_or(0);
    if (n > m_max_rows)
        return base::error("successor or predecessor list too long");
    for (std::uint64_t i = 0; i < n; ++i) {
        CRDT_READ(a, actor.next());
        CRDT_READ(c, counter.next());
        if (!*a || !*c || **a >= m_actor_count || **c <= 0)
            return base::error("invalid operation reference");
        out.push_back({ static_cast<std::uint64_t>(**c), static_cast<std::uint32_t>(**a) });
    }
    return {};
}

#undef CRDT_READ

} // namespace crdt
