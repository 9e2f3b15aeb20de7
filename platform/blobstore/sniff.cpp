// Media types from libmagic's database; pixel sizes from the image headers.

#include "blobstore/blobstore.h"
#include "blobstore/image_size.h"

#include <magic.h>

namespace zozi::blobstore {

namespace {

constexpr std::string_view unknown_type = "application/octet-stream";

// A libmagic cookie is not safe to share between threads, and loading the
// database is far dearer than a lookup, so each thread keeps its own.
class MagicCookie {
public:
    MagicCookie() : m_cookie(magic_open(MAGIC_MIME_TYPE))
    {
        if (m_cookie && magic_load(m_cookie, nullptr) != 0) {
            magic_close(m_cookie);
            m_cookie = nullptr;
        }
    }
    ~MagicCookie()
    {
        if (m_cookie) magic_close(m_cookie);
    }
    MagicCookie(MagicCookie const&) = delete;
    MagicCookie& operator=(MagicCookie const&) = delete;

    std::string media_type(ByteView bytes) const
    {
        if (!m_cookie) return std::string(unknown_type);
        char const* found = magic_buffer(m_cookie, bytes.data(), bytes.size());
        return found && *found ? std::string(found) : std::string(unknown_type);
    }

private:
    magic_t m_cookie;
};

} // namespace

Sniffed sniff(ByteView bytes)
{
    thread_local MagicCookie const cookie;
    Sniffed found;
    found.media_type = cookie.media_type(bytes);
    found.is_video = found.media_type.starts_with("video/");
    if (auto size = image_size(bytes)) {
        found.width = size->width;
        found.height = size->height;
    }
    return found;
}

} // namespace zozi::blobstore
