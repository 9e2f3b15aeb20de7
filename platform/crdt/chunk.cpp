#include "crdt/chunk.h"

#include "crdt/leb128.h"

#include <libdeflate.h>
#include <nettle/sha2.h>

#include <algorithm>
#include <array>
#include <memory>

namespace crdt {

namespace {

constexpr std::array<std::uint8_t, 4> magic = { 0x85, 0x6f, 0x4a, 0x83 };
// DEFLATE cannot expand input by more than about 1032 times.
constexpr std::size_t max_inflate_ratio = 1032;

struct CompressorDeleter {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};
struct DecompressorDeleter {
    void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

} // namespace

ChangeHash chunk_hash(ChunkType type, std::span<std::uint8_t const> contents)
{
    std::vector<std::uint8_t> header;
    header.push_back(static_cast<std::uint8_t>(type));
    write_uleb(header, contents.size());
    sha256_ctx ctx;
    sha256_init(&ctx);
    sha256_update(&ctx, header.size(), header.data());
    sha256_update(&ctx, contents.size(), contents.data());
    ChangeHash hash;
    sha256_digest(&ctx, hash.bytes.size(), hash.bytes.data());
    return hash;
}

ChangeHash write_chunk(std::vector<std::uint8_t>& out, ChunkType type, std::span<std::uint8_t const> contents)
{
    ChangeHash hash = chunk_hash(type, contents);
    write_bytes(out, magic);
    write_bytes(out, std::span(hash.bytes).first(4));
    out.push_back(static_cast<std::uint8_t>(type));
    write_uleb(out, contents.size());
    write_bytes(out, contents);
    return hash;
}

base::Result<std::vector<Chunk>> read_chunks(std::span<std::uint8_t const> bytes)
{
    std::vector<Chunk> chunks;
    Reader reader(bytes);
    while (!reader.done()) {
        auto head = reader.bytes(4);
        if (!head || !std::equal(head->begin(), head->end(), magic.begin()))
            return base::error("not an Automerge chunk (bad magic bytes)");
        auto checksum = reader.bytes(4);
        if (!checksum)
            return base::error("truncated chunk header");
        auto type = reader.byte();
        if (!type)
            return base::error("truncated chunk header");
        if (*type > 2)
            return base::error("unsupported chunk type " + std::to_string(*type));
        auto contents = reader.prefixed();
        if (!contents)
            return base::error("truncated chunk: " + contents.error());
        Chunk chunk;
        chunk.type = static_cast<ChunkType>(*type);
        if (chunk.type == ChunkType::CompressedChange) {
            auto inflated = inflate_raw(*contents);
            if (!inflated)
                return base::error("compressed change: " + inflated.error());
            chunk.contents = std::move(*inflated);
            chunk.type = ChunkType::Change;
        } else {
            chunk.contents.assign(contents->begin(), contents->end());
        }
        chunk.hash = chunk_hash(chunk.type, chunk.contents);
        if (!std::equal(checksum->begin(), checksum->end(), chunk.hash.bytes.begin()))
            return base::error("chunk checksum mismatch");
        chunks.push_back(std::move(chunk));
    }
    return chunks;
}

std::vector<std::uint8_t> deflate_raw(std::span<std::uint8_t const> data)
{
    // A compressor holds large match-finding tables; making one per column cost
    // more than compressing. Each call is independent, so one per thread serves.
    thread_local std::unique_ptr<libdeflate_compressor, CompressorDeleter> const compressor(libdeflate_alloc_compressor(6));
    std::vector<std::uint8_t> out(libdeflate_deflate_compress_bound(compressor.get(), data.size()));
    std::size_t size = libdeflate_deflate_compress(compressor.get(), data.data(), data.size(), out.data(), out.size());
    out.resize(size);
    return out;
}

base::Result<std::vector<std::uint8_t>> inflate_raw(std::span<std::uint8_t const> data)
{
    std::unique_ptr<libdeflate_decompressor, DecompressorDeleter> decompressor(libdeflate_alloc_decompressor());
    std::size_t const limit = data.size() * max_inflate_ratio + 64;
    std::size_t capacity = std::min<std::size_t>(limit, std::max<std::size_t>(data.size() * 4, 256));
    while (true) {
        std::vector<std::uint8_t> out(capacity);
        std::size_t produced = 0;
        auto status = libdeflate_deflate_decompress(decompressor.get(), data.data(), data.size(), out.data(), out.size(), &produced);
        if (status == LIBDEFLATE_SUCCESS) {
            out.resize(produced);
            return out;
        }
        if (status != LIBDEFLATE_INSUFFICIENT_SPACE || capacity >= limit)
            return base::error("corrupt DEFLATE data");
        capacity = std::min(limit, capacity * 4);
    }
}

} // namespace crdt
