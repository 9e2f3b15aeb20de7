#pragma once

// User-facing strings from a Fluent (.ftl) catalog compiled into the program.
// Supported: comments (#, ##, ###), messages and terms with single- and
// multi-line values, attributes ("key.attr"), and placeables holding a variable
// ({ $name }), a string literal ({ "{" }), or a message or term reference.
// A missing key shows the key itself, so a gap is visible but never fatal.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace orvo_ui::i18n {

using Arguments = std::map<std::string, std::string, std::less<>>;

class EmbeddedCatalog {
public:
    EmbeddedCatalog() = default;
    // Parses `source`; entries that do not parse are skipped and listed in `errors`.
    explicit EmbeddedCatalog(std::string_view source, std::string locale = "en-US");

    std::string t(std::string_view key) const;
    std::string t(std::string_view key, Arguments const& args) const;
    bool contains(std::string_view key) const;

    std::string const& locale() const { return m_locale; }
    // One line per skipped entry: "line N: reason".
    std::vector<std::string> const& errors() const { return m_errors; }

    struct Element {
        enum class Kind { Text, Variable, Message, Term } kind = Kind::Text;
        std::string value; // the text, or the referenced name
    };
    using Pattern = std::vector<Element>;

private:
    std::string resolve(Pattern const& pattern, Arguments const& args, int depth) const;
    std::string lookup(std::string_view key, Arguments const& args, int depth) const;

    std::string m_locale;
    std::map<std::string, Pattern, std::less<>> m_messages; // "key", "key.attr", "-term"
    std::vector<std::string> m_errors;
};

// The catalog the interface reads from, and a revision that changes whenever a
// new catalog is installed, so cached measurements of translated text can expire.
class I18nManager {
public:
    static I18nManager& global();
    void install(EmbeddedCatalog catalog);
    EmbeddedCatalog const& catalog() const { return m_catalog; }
    std::uint64_t revision() const { return m_revision; }

private:
    EmbeddedCatalog m_catalog;
    std::uint64_t m_revision = 0;
};

} // namespace orvo_ui::i18n
