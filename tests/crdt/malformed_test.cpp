// Every malformed input must come back as an error value: no crash, no hang.

#include "crdt/chunk.h"
#include "crdt/document.h"
#include "crdt/leb128.h"

#include <gtest/gtest.h>

using namespace crdt;

namespace {

struct Sample {
    std::vector<std::uint8_t> bytes;
    std::size_t first_chunk = 0; // the document chunk; change chunks follow
};

Sample sample_file()
{
    Document doc(*ActorId::from_hex("aabbccdd"));
    auto text = *doc.put_object(ROOT, "text", ObjType::Text);
    (void)doc.splice_text(text, 0, 0, "hello w\xc3\xb6rld");
    auto list = *doc.put_object(ROOT, "list", ObjType::List);
    (void)doc.insert(list, 0, Counter{ 1 });
    (void)doc.increment(list, 0, 4);
    (void)doc.put(ROOT, "n", 2.5);
    Sample sample;
    sample.bytes = doc.save();
    sample.first_chunk = sample.bytes.size();
    (void)doc.splice_text(text, 2, 3, "");
    (void)doc.delete_key(ROOT, "n");
    auto tail = doc.save_incremental();
    sample.bytes.insert(sample.bytes.end(), tail.begin(), tail.end());
    return sample;
}

// The contents of the single chunk in `framed`, to corrupt and re-frame.
std::vector<std::uint8_t> contents_of(std::vector<std::uint8_t> const& framed)
{
    auto chunks = read_chunks(framed);
    return chunks->front().contents;
}

} // namespace

TEST(Malformed, TruncationsAreErrorsExceptAtChunkBoundaries)
{
    auto sample = sample_file();
    ASSERT_TRUE(Document::load(sample.bytes));
    for (std::size_t length = 1; length < sample.bytes.size(); ++length) {
        auto result = Document::load(std::span(sample.bytes).first(length));
        EXPECT_EQ(result.has_value(), length == sample.first_chunk) << "length " << length;
    }
}

TEST(Malformed, FlippedBytesAreCaughtByTheChecksum)
{
    auto sample = sample_file();
    for (std::size_t i = 0; i < sample.bytes.size(); ++i) {
        auto copy = sample.bytes;
        copy[i] ^= 0x10;
        EXPECT_FALSE(Document::load(copy)) << "byte " << i;
    }
}

// With checksums recomputed, corrupt contents reach the parsers themselves.
TEST(Malformed, CorruptContentsWithValidChecksumsNeverCrash)
{
    Document doc(*ActorId::from_hex("aabbccdd"));
    auto text = *doc.put_object(ROOT, "text", ObjType::Text);
    (void)doc.splice_text(text, 0, 0, "hello");
    (void)doc.put(ROOT, "n", std::int64_t(-5));
    auto document = contents_of(doc.save());
    auto change = contents_of(doc.get_changes({}).front());
    std::size_t loaded = 0;
    for (auto const& [type, original] : { std::pair{ ChunkType::Document, document }, std::pair{ ChunkType::Change, change } }) {
        for (std::size_t i = 0; i < original.size(); ++i) {
            for (std::uint8_t mask : { 0x01, 0x40, 0x80, 0xff }) {
                auto corrupt = original;
                corrupt[i] ^= mask;
                std::vector<std::uint8_t> framed;
                write_chunk(framed, type, corrupt);
                auto result = Document::load(framed);
                if (result) {
                    ++loaded;
                    auto again = Document::load(result->save());
                    EXPECT_TRUE(again) << "a loaded document must save and reload: type " << int(type) << " byte " << i << " mask " << int(mask) << (again ? "" : again.error());
                }
            }
        }
    }
    // A document chunk is verified against its stored heads, so nearly every change
    // is refused; the few accepted ones are corrupt change chunks that still parse.
    EXPECT_LT(loaded, (document.size() + change.size()) * 4);
}

TEST(Malformed, ClearErrorsForForeignAndUnsupportedData)
{
    std::vector<std::pair<std::vector<std::uint8_t>, std::string>> cases = {
        { { 'h', 'e', 'l', 'l', 'o' }, "magic" },
        { { 0x85, 0x6f, 0x4a, 0x83, 0, 0, 0, 0, 3, 0 }, "chunk type" },
        { { 0x85, 0x6f, 0x4a, 0x83, 0, 0, 0, 0, 0, 0xff, 0xff, 0xff, 0xff, 0x0f }, "truncated" },
    };
    for (auto const& [input, fragment] : cases) {
        auto result = Document::load(input);
        ASSERT_FALSE(result);
        EXPECT_NE(result.error().find(fragment), std::string::npos) << result.error();
    }
    Document doc;
    EXPECT_FALSE(doc.load_incremental(cases[0].first));
    std::vector<std::vector<std::uint8_t>> junk = { { 1, 2, 3 } };
    EXPECT_FALSE(doc.apply_changes(junk));
    EXPECT_TRUE(doc.heads().empty());
}

TEST(Malformed, HugeClaimedCountsAreRefusedWithoutAllocating)
{
    // A change whose columns claim 2^60 null rows in a handful of bytes.
    std::vector<std::uint8_t> body = { 0x00, 0x01, 0xaa, 0x01, 0x01, 0x00, 0x00, 0x00 };
    body.push_back(1);       // one column
    body.push_back(0x42);    // action
    body.push_back(11);      // length
    body.push_back(0x00);    // a null run...
    write_uleb(body, std::uint64_t(1) << 60);
    while (body.size() < 8 + 3 + 11)
        body.push_back(0);
    std::vector<std::uint8_t> framed;
    write_chunk(framed, ChunkType::Change, body);
    auto result = Document::load(framed);
    ASSERT_FALSE(result);
}
