#include "crdt/columns.h"

namespace crdt {

namespace {

template <typename T>
base::Result<T> read_one(Reader& reader);

template <>
base::Result<std::uint64_t> read_one<std::uint64_t>(Reader& reader) { return reader.uleb(); }

template <>
base::Result<std::int64_t> read_one<std::int64_t>(Reader& reader) { return reader.sleb(); }

template <>
base::Result<std::string> read_one<std::string>(Reader& reader)
{
    auto bytes = reader.prefixed();
    if (!bytes)
        return std::move(bytes).take_error();
    return std::string(reinterpret_cast<char const*>(bytes->data()), bytes->size());
}

} // namespace

template <typename T>
void RleEncoder<T>::append_other(T const& value)
{
    m_only_nulls = false;
    switch (m_state) {
    case State::Empty:
        break;
    case State::Nulls:
        flush();
        break;
    case State::Lone:
        if (m_last == value) {
            m_state = State::Run;
            m_count = 2;
            return;
        }
        m_literal.push_back(std::move(m_last));
        m_state = State::Literal;
        m_last = value;
        return;
    case State::Run:
        if (m_last == value) {
            ++m_count;
            return;
        }
        flush();
        break;
    case State::Literal:
        if (m_last == value) {
            // The repeat starts a run; the literal ends before its first copy.
            write_sleb(m_out, -static_cast<std::int64_t>(m_literal.size()));
            for (auto const& item : m_literal)
                detail::write_value(m_out, item);
            m_literal.clear();
            m_state = State::Run;
            m_count = 2;
            return;
        }
        m_literal.push_back(std::move(m_last));
        m_last = value;
        return;
    }
    m_state = State::Lone;
    m_last = value;
}

template <typename T>
void RleEncoder<T>::start_nulls()
{
    flush();
    m_state = State::Nulls;
    m_count = 1;
}

template <typename T>
void RleEncoder<T>::flush()
{
    switch (m_state) {
    case State::Empty:
        return;
    case State::Nulls:
        m_out.push_back(0);
        write_uleb(m_out, m_count);
        break;
    case State::Lone:
        write_sleb(m_out, -1);
        detail::write_value(m_out, m_last);
        break;
    case State::Run:
        write_sleb(m_out, static_cast<std::int64_t>(m_count));
        detail::write_value(m_out, m_last);
        break;
    case State::Literal:
        m_literal.push_back(std::move(m_last));
        write_sleb(m_out, -static_cast<std::int64_t>(m_literal.size()));
        for (auto const& item : m_literal)
            detail::write_value(m_out, item);
        m_literal.clear();
        break;
    }
    m_state = State::Empty;
}

template <typename T>
std::vector<std::uint8_t> RleEncoder<T>::finish()
{
    if (m_only_nulls)
        return {};
    flush();
    return std::move(m_out);
}

template <typename T>
base::Result<void> RleDecoder<T>::start_run()
{
    auto header = m_reader.sleb();
    if (!header)
        return std::move(header).take_error();
    if (*header > 0) {
        m_kind = Kind::Run;
        m_remaining = static_cast<std::uint64_t>(*header);
        auto value = read_one<T>(m_reader);
        if (!value)
            return std::move(value).take_error();
        m_value = std::move(*value);
    } else if (*header < 0) {
        m_kind = Kind::Literal;
        m_remaining = static_cast<std::uint64_t>(-(*header + 1)) + 1;
    } else {
        auto count = m_reader.uleb();
        if (!count)
            return std::move(count).take_error();
        if (*count == 0)
            return base::error("empty null run in column");
        m_kind = Kind::Nulls;
        m_remaining = *count;
    }
    return {};
}

template <typename T>
base::Result<std::optional<T>> RleDecoder<T>::next()
{
    if (m_remaining == 0) {
        if (m_reader.done())
            return std::optional<T>{};
        TRY_VOID(start_run());
    }
    --m_remaining;
    switch (m_kind) {
    case Kind::Run:
        return std::optional<T>(m_value);
    case Kind::Nulls:
        return std::optional<T>{};
    case Kind::Literal: {
        auto value = read_one<T>(m_reader);
        if (!value)
            return std::move(value).take_error();
        return std::optional<T>(std::move(*value));
    }
    }
    return std::optional<T>{};
}

template class RleEncoder<std::uint64_t>;
template class RleEncoder<std::int64_t>;
template class RleEncoder<std::string>;
template class RleDecoder<std::uint64_t>;
template class RleDecoder<std::int64_t>;
template class RleDecoder<std::string>;

base::Result<std::optional<std::int64_t>> DeltaDecoder::next()
{
    auto delta = m_rle.next();
    if (!delta)
        return std::move(delta).take_error();
    if (!*delta)
        return std::optional<std::int64_t>{};
    // Wrapping arithmetic: hostile deltas must not be undefined behaviour.
    m_value = static_cast<std::int64_t>(static_cast<std::uint64_t>(m_value) + static_cast<std::uint64_t>(**delta));
    return std::optional<std::int64_t>(m_value);
}

void BooleanEncoder::flip()
{
    write_uleb(m_out, m_count);
    m_current = !m_current;
    m_count = 1;
}

std::vector<std::uint8_t> BooleanEncoder::finish()
{
    if (m_count > 0)
        write_uleb(m_out, m_count);
    m_count = 0;
    return std::move(m_out);
}

base::Result<bool> BooleanDecoder::next()
{
    while (m_remaining == 0) {
        if (m_reader.done())
            return false;
        auto count = m_reader.uleb();
        if (!count)
            return std::move(count).take_error();
        m_value = !m_value;
        m_remaining = *count;
    }
    --m_remaining;
    return m_value;
}

} // namespace crdt
