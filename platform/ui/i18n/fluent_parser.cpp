#include "ui/i18n/fluent_parser.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace orvo_ui::i18n {

namespace {

using Element = EmbeddedCatalog::Element;

bool is_identifier(std::string_view s)
{
    if (s.empty() || !std::isalpha(static_cast<unsigned char>(s[0])))
        return false;
    return std::all_of(s.begin(), s.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_';
    });
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

void append_utf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

base::Result<std::string> string_literal(std::string_view body)
{
    std::string out;
    for (std::size_t i = 0; i < body.size(); ++i) {
        char c = body[i];
        if (c == '"')
            return base::error("unescaped quote inside a string literal");
        if (c != '\\') {
            out.push_back(c);
            continue;
        }
        if (++i >= body.size())
            return base::error("string literal ends with a backslash");
        char e = body[i];
        if (e == '\\' || e == '"') {
            out.push_back(e);
        } else if (e == 'u' || e == 'U') {
            std::size_t digits = e == 'u' ? 4 : 6;
            std::string_view hex = body.substr(i + 1, digits);
            if (hex.size() != digits || !std::all_of(hex.begin(), hex.end(), [](char h) { return std::isxdigit(static_cast<unsigned char>(h)); }))
                return base::error("bad unicode escape");
            char32_t cp = static_cast<char32_t>(std::stoul(std::string(hex), nullptr, 16));
            if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
                return base::error("unicode escape out of range");
            append_utf8(out, cp);
            i += digits;
        } else {
            return base::error(std::string("unknown escape \\") + e);
        }
    }
    return out;
}

base::Result<Element> placeable(std::string_view inner)
{
    inner = trim(inner);
    if (inner.find("->") != std::string_view::npos)
        return base::error("select expressions are not supported");
    if (inner.size() >= 2 && inner.front() == '"' && inner.back() == '"') {
        auto text = string_literal(inner.substr(1, inner.size() - 2));
        if (!text)
            return std::move(text).take_error();
        return Element {Element::Kind::Text, std::move(text.value())};
    }
    if (!inner.empty() && inner.front() == '$' && is_identifier(inner.substr(1)))
        return Element {Element::Kind::Variable, std::string(inner.substr(1))};
    std::string_view name = inner;
    bool term = !name.empty() && name.front() == '-';
    if (term)
        name.remove_prefix(1);
    std::string_view base = name.substr(0, name.find('.'));
    std::string_view attribute = name.find('.') == std::string_view::npos ? "" : name.substr(name.find('.') + 1);
    if (is_identifier(base) && (attribute.empty() || is_identifier(attribute)) && name.back() != '.')
        return Element {term ? Element::Kind::Term : Element::Kind::Message, std::string(inner)};
    return base::error("unsupported placeable { " + std::string(inner) + " }");
}

struct PendingEntry {
    std::string key;
    std::size_t line = 0;
    std::string first;
    std::vector<std::string> continuation; // raw lines, blank ones kept
};

std::string join_value(PendingEntry const& entry)
{
    // Trailing blank lines are not part of the value.
    std::vector<std::string> lines = entry.continuation;
    while (!lines.empty() && trim(lines.back()).empty())
        lines.pop_back();
    std::size_t indent = std::string::npos;
    for (auto const& line : lines) {
        if (!trim(line).empty())
            indent = std::min(indent, line.find_first_not_of(' '));
    }
    std::string value(trim(entry.first));
    for (auto const& line : lines) {
        std::string_view body = trim(line).empty() ? std::string_view() : std::string_view(line).substr(indent);
        if (!value.empty() || &line != &lines.front())
            value.push_back('\n');
        value.append(body);
    }
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
        value.pop_back();
    return value;
}

} // namespace

base::Result<EmbeddedCatalog::Pattern> parse_pattern(std::string_view value)
{
    EmbeddedCatalog::Pattern out;
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        char c = value[i];
        if (c == '}')
            return base::error("unbalanced '}'");
        if (c != '{') {
            text.push_back(c);
            continue;
        }
        // Find the closing brace, skipping over a string literal.
        std::size_t j = i + 1;
        bool in_string = false;
        for (; j < value.size(); ++j) {
            if (in_string && value[j] == '\\')
                ++j;
            else if (value[j] == '"')
                in_string = !in_string;
            else if (!in_string && value[j] == '}')
                break;
        }
        if (j >= value.size()) {
            if (value.find("->", i) != std::string_view::npos)
                return base::error("select expressions are not supported");
            return base::error("unclosed '{'");
        }
        auto element = placeable(value.substr(i + 1, j - i - 1));
        if (!element)
            return std::move(element).take_error();
        if (element->kind == Element::Kind::Text) {
            text += element->value;
        } else {
            if (!text.empty())
                out.push_back({Element::Kind::Text, std::move(text)});
            text.clear();
            out.push_back(std::move(element.value()));
        }
        i = j;
    }
    if (!text.empty())
        out.push_back({Element::Kind::Text, std::move(text)});
    return out;
}

namespace {

// Reads the catalog line by line. An entry's value continues over the indented
// lines that follow it; ".name = value" lines attach attributes to the message.
class FluentReader {
public:
    void line(std::size_t number, std::string_view text)
    {
        bool indented = !text.empty() && text.front() == ' ';
        if (trim(text).empty() || indented)
            return indented_line(number, text);
        finish();
        m_message.clear();
        m_in_junk = false;
        if (text.front() == '#')
            return;
        auto eq = text.find('=');
        std::string_view key = eq == std::string_view::npos ? "" : trim(text.substr(0, eq));
        bool term = !key.empty() && key.front() == '-';
        if (!is_identifier(term ? key.substr(1) : key)) {
            error(number, "expected 'key = value'");
            m_in_junk = true;
            return;
        }
        m_message = std::string(key);
        m_pending = PendingEntry {m_message, number, std::string(text.substr(eq + 1)), {}};
    }

    ParsedCatalog finish_all()
    {
        finish();
        return std::move(m_out);
    }

private:
    void indented_line(std::size_t number, std::string_view text)
    {
        if (m_in_junk)
            return;
        std::string_view body = trim(text);
        if (body.empty() || body.front() != '.' || m_message.empty()) {
            if (m_pending)
                m_pending->continuation.emplace_back(text);
            return;
        }
        finish();
        auto eq = body.find('=');
        std::string_view attribute = eq == std::string_view::npos ? "" : trim(body.substr(1, eq - 1));
        if (!is_identifier(attribute))
            return error(number, "expected '.attribute = value'");
        m_pending = PendingEntry {m_message + "." + std::string(attribute), number, std::string(body.substr(eq + 1)), {}};
    }

    void finish()
    {
        if (!m_pending)
            return;
        std::string value = join_value(*m_pending);
        // A message may have attributes only; an attribute or term needs a value.
        if (value.empty()) {
            if (m_pending->key != m_message)
                error(m_pending->line, m_pending->key + " has no value");
        } else if (auto pattern = parse_pattern(value)) {
            m_out.entries.push_back({m_pending->key, std::move(pattern.value())});
        } else {
            error(m_pending->line, pattern.error());
        }
        m_pending.reset();
    }

    void error(std::size_t number, std::string const& reason)
    {
        m_out.errors.push_back("line " + std::to_string(number) + ": " + reason);
    }

    ParsedCatalog m_out;
    std::optional<PendingEntry> m_pending;
    std::string m_message; // the current message, owner of ".attribute" lines
    bool m_in_junk = false;
};

} // namespace

ParsedCatalog parse_fluent(std::string_view source)
{
    FluentReader reader;
    std::size_t number = 0;
    std::size_t start = 0;
    while (start <= source.size()) {
        std::size_t end = source.find('\n', start);
        if (end == std::string_view::npos)
            end = source.size();
        std::string_view line = source.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        reader.line(++number, line);
        start = end + 1;
    }
    return reader.finish_all();
}

} // namespace orvo_ui::i18n
