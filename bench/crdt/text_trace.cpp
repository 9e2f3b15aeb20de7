#include "text_trace.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <nlohmann/json.hpp>

namespace bench {
namespace {

using Json = nlohmann::json;

// Picks "endContent" and txns[].patches[] out of the event stream; the
// patches array sits at depth 4 (root, txns, txn, patches).
class TraceReader final : public nlohmann::json_sax<Json> {
public:
    explicit TraceReader(TextTrace& trace) : m_trace(trace) {}

    std::string const& error() const { return m_error; }

    bool key(string_t& key) override
    {
        m_key = key;
        return true;
    }
    bool start_object(std::size_t) override { return ++m_depth, true; }
    bool end_object() override { return --m_depth, true; }
    bool start_array(std::size_t) override
    {
        ++m_depth;
        if (m_depth == patches_depth && m_key == "patches") m_in_patches = true;
        else if (m_in_patches && m_depth == patches_depth + 1) m_field = 0, m_patch = {};
        return true;
    }
    bool end_array() override
    {
        if (m_field >= 0 && m_depth == patches_depth + 1) {
            if (m_field != 3) return fail("a patch is not [position, deleteCount, text]");
            m_trace.patches.push_back(m_patch);
            m_field = -1;
        } else if (m_in_patches && m_depth == patches_depth) {
            m_trace.transaction_ends.push_back(static_cast<std::uint32_t>(m_trace.patches.size()));
            m_in_patches = false;
        }
        --m_depth;
        return true;
    }
    bool number_unsigned(number_unsigned_t value) override
    {
        if (m_field == 0) m_patch.position = static_cast<std::uint32_t>(value);
        else if (m_field == 1) m_patch.deleted = static_cast<std::uint32_t>(value);
        else if (m_field >= 0) return fail("a patch's text is not a string");
        if (m_field >= 0) ++m_field;
        return true;
    }
    bool number_integer(number_integer_t value) override
    {
        if (value < 0 && m_field >= 0) return fail("negative patch position");
        return number_unsigned(static_cast<number_unsigned_t>(value));
    }
    bool string(string_t& value) override
    {
        if (m_field == 2) {
            m_patch.text_begin = static_cast<std::uint32_t>(m_trace.inserted.size());
            m_patch.text_size = static_cast<std::uint32_t>(value.size());
            m_trace.inserted += value;
            ++m_field;
        } else if (m_field >= 0) {
            return fail("a patch's position is not a number");
        } else if (m_depth == 1 && m_key == "endContent") {
            m_trace.end_content = value;
        }
        return true;
    }
    bool null() override { return m_field < 0 || fail("null in a patch"); }
    bool boolean(bool) override { return m_field < 0 || fail("boolean in a patch"); }
    bool number_float(number_float_t, string_t const&) override { return m_field < 0 || fail("fraction in a patch"); }
    bool binary(binary_t&) override { return true; }
    bool parse_error(std::size_t position, std::string const&, nlohmann::detail::exception const& e) override
    {
        return fail("JSON error at byte " + std::to_string(position) + ": " + e.what());
    }

private:
    static constexpr int patches_depth = 4;

    bool fail(std::string message)
    {
        m_error = std::move(message);
        return false;
    }

    TextTrace& m_trace;
    std::string m_key;
    std::string m_error;
    TracePatch m_patch;
    int m_depth = 0;
    int m_field = -1;
    bool m_in_patches = false;
};

} // namespace

std::string bench_data_dir()
{
    if (char const* dir = std::getenv("CHAT_BENCH_DATA")) return dir;
    return CRDT_BENCH_DATA_DIR;
}

// Decompresses through gzip(1) and parses the stream as it arrives.
base::Result<TextTrace> load_trace(std::string const& gz_path)
{
    if (gz_path.find('\'') != std::string::npos) return base::error("unsupported path " + gz_path);
    std::string const command = "gzip -dc '" + gz_path + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return base::error("cannot run " + command);
    TextTrace trace;
    TraceReader reader(trace);
    bool const parsed = Json::sax_parse(pipe, &reader);
    int const status = pclose(pipe);
    if (!parsed) return base::error(gz_path + ": " + (reader.error().empty() ? "not JSON" : reader.error()));
    if (status != 0) return base::error(command + " failed");
    return trace;
}

base::Result<void> replay(crdt::Document& doc, crdt::ObjId const& text, TextTrace const& trace, bool commit_each)
{
    std::size_t next = 0;
    for (auto const end : trace.transaction_ends) {
        for (; next < end; ++next) {
            auto const& patch = trace.patches[next];
            TRY_VOID(doc.splice_text(text, patch.position, patch.deleted, trace.text_of(patch)));
        }
        if (commit_each) doc.commit();
    }
    doc.commit();
    return {};
}

} // namespace bench
