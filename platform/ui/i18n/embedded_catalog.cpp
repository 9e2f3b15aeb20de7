#include "ui/i18n/embedded_catalog.h"

#include "ui/i18n/fluent_parser.h"

namespace orvo_ui::i18n {

namespace {

// References deeper than this are treated as a cycle.
constexpr int max_reference_depth = 8;

} // namespace

EmbeddedCatalog::EmbeddedCatalog(std::string_view source, std::string locale) : m_locale(std::move(locale))
{
    ParsedCatalog parsed = parse_fluent(source);
    m_errors = std::move(parsed.errors);
    for (auto& entry : parsed.entries)
        m_messages.insert_or_assign(std::move(entry.key), std::move(entry.pattern));
}

bool EmbeddedCatalog::contains(std::string_view key) const { return m_messages.find(key) != m_messages.end(); }

std::string EmbeddedCatalog::t(std::string_view key) const { return lookup(key, {}, 0); }

std::string EmbeddedCatalog::t(std::string_view key, Arguments const& args) const { return lookup(key, args, 0); }

std::string EmbeddedCatalog::lookup(std::string_view key, Arguments const& args, int depth) const
{
    auto it = m_messages.find(key);
    if (it == m_messages.end() || depth > max_reference_depth)
        return std::string(key);
    return resolve(it->second, args, depth);
}

std::string EmbeddedCatalog::resolve(Pattern const& pattern, Arguments const& args, int depth) const
{
    std::string out;
    for (Element const& element : pattern) {
        switch (element.kind) {
        case Element::Kind::Text: out += element.value; break;
        case Element::Kind::Variable:
            if (auto arg = args.find(element.value); arg != args.end())
                out += arg->second;
            else
                out += "{$" + element.value + "}";
            break;
        case Element::Kind::Message:
        case Element::Kind::Term:
            // Terms are private to the catalog: they see no caller arguments.
            out += lookup(element.value, element.kind == Element::Kind::Term ? Arguments {} : args, depth + 1);
            break;
        }
    }
    return out;
}

I18nManager& I18nManager::global()
{
    static I18nManager manager;
    return manager;
}

void I18nManager::install(EmbeddedCatalog catalog)
{
    m_catalog = std::move(catalog);
    ++m_revision;
}

} // namespace orvo_ui::i18n
