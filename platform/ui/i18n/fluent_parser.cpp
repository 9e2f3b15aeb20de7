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

ParsedCatalog parse_fluent(std::string_view source)
{
    ParsedCatalog out;
    std::optional<PendingEntry> pending;
    std::string message; // the current message, owner of ".attribute" lines
    bool in_junk = false;

    auto finish = [&] {
        if (!pending)
            return;
        std::string value = join_value(*pending);
        bool is_message_value = pending->key == message;
        if (value.empty()) {
            if (!is_message_value)
                out.errors.push_back("line " + std::to_string(pending->line) + ": " + pending->key + " has no value");
        } else if (auto pattern = parse_pattern(value)) {
            out.entries.push_back({pending->key, std::move(pattern.value())});
        } else {
            out.errors.push_back("line " + std::to_string(pending->line) + ": " + pattern.error());
        }
        pending.reset();
    };

    std::size_t line_number = 0;
    std::size_t start = 0;
    while (start <= source.size()) {
        std::size_t end = source.find('\n', start);
        if (end == std::string_view::npos)
            end = source.size();
        std::string_view line = source.substr(start, end - start);
        start = end + 1;
        ++line_number;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        bool indented = !line.empty() && line.front() == ' ';
        if (trim(line).empty() || indented) {
            std::string_view body = trim(line);
            if (!body.empty() && body.front() == '.' && !message.empty() && !in_junk) {
                finish();
                auto eq = body.find('=');
                std::string_view attribute = eq == std::string_view::npos ? "" : trim(body.substr(1, eq - 1));
                if (!is_identifier(attribute)) {
                    out.errors.push_back("line " + std::to_string(line_number) + ": expected '.attribute = value'");
                    continue;
                }
                pending = PendingEntry {message + "." + std::string(attribute), line_number, std::string(body.substr(eq + 1)), {}};
            } else if (pending && !in_junk) {
                pending->continuation.emplace_back(line);
            }
            continue;
        }
        finish();
        message.clear();
        in_junk = false;
        if (line.front() == '#')
            continue;
        auto eq = line.find('=');
        std::string_view key = eq == std::string_view::npos ? "" : trim(line.substr(0, eq));
        bool term = !key.empty() && key.front() == '-';
        if (!is_identifier(term ? key.substr(1) : key)) {
            out.errors.push_back("line " + std::to_string(line_number) + ": expected 'key = value'");
            in_junk = true;
            continue;
        }
        message = std::string(key);
        pending = PendingEntry {message, line_number, std::string(line.substr(eq + 1)), {}};
    }
    finish();
    return out;
}

} // namespace orvo_ui::i18n
