// The image store serves "orvo-blob://" addresses from the installed content store.

#include "blobstore/blobstore.h"
#include "ui/image/blob_source.h"
#include "ui/image/image_store.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <filesystem>

using namespace orvo_ui::image_store;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> png_of_size(int w, int h)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    auto out = encode_png(s);
    cairo_surface_destroy(s);
    return out.value();
}

struct InstalledStore {
    fs::path root;
    InstalledStore()
    {
        std::string pattern = (fs::temp_directory_path() / "blob-source-test-XXXXXX").string();
        root = ::mkdtemp(pattern.data());
        zozi::blobstore::FsBlobStoreConfig config;
        config.root = root;
        zozi::blobstore::set_store(std::make_shared<zozi::blobstore::FsBlobStore>(config));
    }
    ~InstalledStore()
    {
        zozi::blobstore::set_store(nullptr);
        fs::remove_all(root);
    }
};

} // namespace

TEST(BlobSource, AddressesKeepAnExistingPrefix)
{
    EXPECT_EQ(blob_address("ab12"), "orvo-blob://ab12");
    EXPECT_EQ(blob_address("orvo-blob://ab12"), "orvo-blob://ab12");
}

TEST(BlobSource, StoredPicturesDecodeAndAnythingElseFails)
{
    InstalledStore installed;
    auto key = zozi::blobstore::put(png_of_size(40, 30)).value();
    auto damaged = zozi::blobstore::put(png_of_size(8, 8)).value();
    zozi::blobstore::FsBlobStore view({installed.root});
    fs::resize_file(view.path_of(damaged), 20);

    orvo_ui::exec::Executor executor(1);
    ImageStore store(executor);
    std::string const sources[] = {blob_address(key), blob_address(damaged), blob_address(std::string(64, 'a')),
                                   "orvo-blob://../../etc/passwd"};
    for (auto const& source : sources) store.get(source);
    ASSERT_TRUE(store.block_until_idle(5s));

    auto ready = store.get(sources[0]);
    ASSERT_EQ(ready.state, ImageState::Ready) << ready.error;
    EXPECT_EQ(ready.image->width, 40);
    EXPECT_EQ(ready.image->height, 30);
    for (std::size_t i = 1; i < std::size(sources); ++i)
        EXPECT_EQ(store.get(sources[i]).state, ImageState::Failed) << sources[i];
}
