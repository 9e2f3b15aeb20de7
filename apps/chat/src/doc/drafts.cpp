#include "doc/drafts.h"

#include "doc/read.h"
#include "ui/doc/splice_text_diffed.h"
#include "doc/write.h"

namespace chat::doc {

std::string thread_draft_key(std::string_view channel, std::string_view root)
{
    std::string key(channel);
    key += "::t::";
    key += root;
    return key;
}

void set_draft(crdt::Document& doc, std::string_view key, std::string_view text)
{
    auto const drafts = read_map(doc, crdt::Document::root(), "drafts");
    // Clearing a draft that was never written creates nothing.
    if (text.empty() && (!drafts || !read_text_object(doc, *drafts, key)))
        return;
    auto const draft = ensure_text(doc, ensure_map(doc, crdt::Document::root(), "drafts"), key);
    orvo_ui::doc::splice_text_diffed(doc, draft, text);
}

void clear_draft(crdt::Document& doc, std::string_view key)
{
    set_draft(doc, key, "");
}

std::string read_draft(crdt::Document const& doc, std::string_view key)
{
    auto const drafts = read_map(doc, crdt::Document::root(), "drafts");
    if (!drafts)
        return "";
    return read_text(doc, *drafts, key).value_or("");
}

} // namespace chat::doc
