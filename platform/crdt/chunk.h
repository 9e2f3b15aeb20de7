#pragma once

// Chunk framing: magic, checksum, type, length, contents. Also the SHA-256 and raw
// DEFLATE helpers the storage format needs.

#include "base/result.h"
#include "crdt/types.h"

#include <cstdint>
#include <span>
#include <vector>

namespace crdt {

enum class ChunkType : std::uint8_t { Document = 0, Change = 1, CompressedChange = 2 };

struct Chunk {
    ChunkType type = ChunkType::Document;
    // Contents of a document or change chunk; compressed changes arrive inflated,
    // typed as Change.
    std::vector<std::uint8_t> contents;
    ChangeHash hash; // of the (uncompressed) chunk; meaningful for changes
};

// Splits bytes into chunks, verifying every checksum.
base::Result<std::vector<Chunk>> read_chunks(std::span<std::uint8_t const> bytes);

// SHA-256 over the type byte, the uLEB length and the contents.
ChangeHash chunk_hash(ChunkType type, std::span<std::uint8_t const> contents);

// Appends a framed chunk to out; the hash of its contents is returned.
ChangeHash write_chunk(std::vector<std::uint8_t>& out, ChunkType type, std::span<std::uint8_t const> contents);

std::vector<std::uint8_t> deflate_raw(std::span<std::uint8_t const> data);
// Fails on corrupt data or output beyond what DEFLATE can produce from the input.
base::Result<std::vector<std::uint8_t>> inflate_raw(std::span<std::uint8_t const> data);

} // namespace crdt
