#include "doc/records/json_value.h"

#include <nlohmann/json.hpp>

namespace chat::json {
namespace {

// Builds a Value from nlohmann's SAX events; the parser itself checks syntax.
class TreeBuilder final : public nlohmann::json_sax<nlohmann::json> {
public:
    Value take_root() { return std::move(m_root); }
    std::string const& failure() const { return m_failure; }

    bool null() override { return place(nullptr); }
    bool boolean(bool value) override { return place(value); }
    bool number_integer(number_integer_t value) override { return place(std::int64_t{value}); }
    bool number_unsigned(number_unsigned_t value) override { return place(std::uint64_t{value}); }
    bool number_float(number_float_t value, string_t const&) override { return place(double{value}); }
    bool string(string_t& value) override { return place(std::move(value)); }
    bool binary(binary_t&) override { return fail("binary values are not JSON"); }

    bool start_object(std::size_t) override { return open<Value::Object>(); }
    bool key(string_t& name) override
    {
        std::get<Value::Object>(m_open.back()->data).emplace_back().key = std::move(name);
        return true;
    }
    bool end_object() override { return close(); }
    bool start_array(std::size_t) override { return open<Value::Array>(); }
    bool end_array() override { return close(); }

    bool parse_error(std::size_t, std::string const&, nlohmann::detail::exception const& error) override
    {
        // Drop nlohmann's "[json.exception.parse_error.101] " prefix.
        std::string_view text = error.what();
        if (auto bracket = text.find("] "); text.starts_with("[json.exception") && bracket != text.npos)
            text.remove_prefix(bracket + 2);
        return fail(std::string(text));
    }

private:
    // The value where the parser currently is: the root, a new array
    // element, or the value of the object member whose key came last.
    Value& slot()
    {
        if (m_open.empty())
            return m_root;
        if (auto* array = std::get_if<Value::Array>(&m_open.back()->data))
            return array->emplace_back();
        return std::get<Value::Object>(m_open.back()->data).back().value;
    }
    template <class Scalar>
    bool place(Scalar&& scalar)
    {
        slot().data = std::forward<Scalar>(scalar);
        return true;
    }
    // Containers are only ever appended to at the innermost level, so the
    // pointers to enclosing containers held in m_open stay valid.
    template <class Container>
    bool open()
    {
        if (m_open.size() >= max_nesting_depth)
            return fail("recursion limit exceeded");
        Value& container = slot();
        container.data.emplace<Container>();
        m_open.push_back(&container);
        return true;
    }
    bool close()
    {
        m_open.pop_back();
        return true;
    }
    bool fail(std::string message)
    {
        m_failure = std::move(message);
        return false;
    }

    Value m_root;
    std::vector<Value*> m_open;
    std::string m_failure;
};

} // namespace

base::Result<Value> parse(std::string_view text)
{
    TreeBuilder builder;
    bool parsed = false;
    try {
        parsed = nlohmann::json::sax_parse(text, &builder, nlohmann::json::input_format_t::json, true);
    } catch (nlohmann::json::exception const& error) {
        return base::error(error.what());
    }
    if (!parsed)
        return base::error(builder.failure().empty() ? std::string("invalid JSON") : builder.failure());
    return builder.take_root();
}

} // namespace chat::json
