#pragma once

// A private attach directory and content store for one test.

#include "blobstore/blobstore.h"
#include "ui/image/decoded_image.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <filesystem>
#include <fstream>
#include <string_view>

namespace chat::testing {

namespace fs = std::filesystem;

struct Sandbox {
    fs::path root;
    fs::path workspace; // the attach directory
    fs::path outside;   // a sibling the attach directory must not reach

    Sandbox()
    {
        std::string pattern = (fs::temp_directory_path() / "attachments-test-XXXXXX").string();
        root = ::mkdtemp(pattern.data());
        workspace = root / "workspace";
        outside = root / "outside";
        fs::create_directories(workspace);
        fs::create_directories(outside);
        zozi::blobstore::FsBlobStoreConfig config;
        config.root = root / "blobs";
        config.max_blob_bytes = 33'554'432;
        zozi::blobstore::set_store(std::make_shared<zozi::blobstore::FsBlobStore>(config));
    }
    ~Sandbox()
    {
        zozi::blobstore::set_store(nullptr);
        fs::remove_all(root);
    }

    fs::path write(fs::path const& relative, std::string_view bytes) const
    {
        auto path = workspace / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    fs::path write(fs::path const& relative, std::vector<std::uint8_t> const& bytes) const
    {
        return write(relative, std::string_view(reinterpret_cast<char const*>(bytes.data()), bytes.size()));
    }
    // A file of `size` zero bytes.
    fs::path sized(fs::path const& relative, std::uintmax_t size) const
    {
        auto path = write(relative, std::string_view());
        fs::resize_file(path, size);
        return path;
    }
};

// A real PNG of the given size.
inline std::vector<std::uint8_t> png_picture(int w, int h)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    auto out = orvo_ui::image_store::encode_png(s);
    cairo_surface_destroy(s);
    return out.value();
}

} // namespace chat::testing
