#include "doc/records/attachment.h"

namespace chat {

std::string const& attachment_name(Attachment const& attachment)
{
    return std::visit([](auto const& form) -> std::string const& { return form.name; }, attachment);
}

std::string const& attachment_blob(Attachment const& attachment)
{
    return std::visit([](auto const& form) -> std::string const& { return form.blob; }, attachment);
}

} // namespace chat
