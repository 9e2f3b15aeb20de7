#include "crdt/chunk.h"
#include "crdt/columns.h"
#include "crdt/leb128.h"

#include <gtest/gtest.h>

using namespace crdt;

namespace {

std::vector<std::uint8_t> bytes(std::initializer_list<int> list)
{
    std::vector<std::uint8_t> out;
    for (int b : list)
        out.push_back(static_cast<std::uint8_t>(b));
    return out;
}

} // namespace

TEST(Leb128, EncodesShortestFormsAndReadsThemBack)
{
    struct Case {
        std::int64_t value;
        std::vector<std::uint8_t> sleb;
    };
    std::vector<Case> cases = {
        { 0, bytes({ 0x00 }) }, { 1, bytes({ 0x01 }) }, { -1, bytes({ 0x7f }) }, { 63, bytes({ 0x3f }) },
        { 64, bytes({ 0xc0, 0x00 }) }, { -64, bytes({ 0x40 }) }, { -65, bytes({ 0xbf, 0x7f }) },
        { -300, bytes({ 0xd4, 0x7d }) },
        { INT64_MIN, bytes({ 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x7f }) },
        { INT64_MAX, bytes({ 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x00 }) },
    };
    for (auto const& c : cases) {
        std::vector<std::uint8_t> out;
        write_sleb(out, c.value);
        EXPECT_EQ(out, c.sleb) << c.value;
        Reader reader(out);
        auto back = reader.sleb();
        ASSERT_TRUE(back) << c.value << ": " << back.error();
        EXPECT_EQ(*back, c.value);
        EXPECT_TRUE(reader.done());
    }
    std::vector<std::uint8_t> out;
    write_uleb(out, UINT64_MAX);
    EXPECT_EQ(out.size(), 10u);
    Reader reader(out);
    EXPECT_EQ(*reader.uleb(), UINT64_MAX);
}

TEST(Leb128, RejectsOverlongTruncatedAndOversizedForms)
{
    std::vector<std::vector<std::uint8_t>> bad_uleb = {
        bytes({ 0x80, 0x00 }),                                                      // overlong zero
        bytes({ 0x81 }),                                                            // truncated
        bytes({ 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x02 }),      // 65 bits
        bytes({ 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x01 }), // 11 bytes
    };
    for (auto const& input : bad_uleb) {
        Reader reader(input);
        EXPECT_FALSE(reader.uleb());
    }
    std::vector<std::vector<std::uint8_t>> bad_sleb = {
        bytes({ 0x80, 0x00 }), bytes({ 0xff, 0x7f }), bytes({ 0xc0 }),
        bytes({ 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x01 }),
    };
    for (auto const& input : bad_sleb) {
        Reader reader(input);
        EXPECT_FALSE(reader.sleb());
    }
    auto short_input = bytes({ 0x05, 0x01 });
    Reader short_reader(short_input);
    EXPECT_FALSE(short_reader.prefixed());
}

// Expected bytes are what the npm package writes for the same values.
TEST(Columns, RunLengthEncodingMatchesTheReference)
{
    UlebEncoder actions;
    for (int v : { 1, 4, 1, 1, 4, 1, 1, 1, 1, 1 })
        actions.append(v);
    EXPECT_EQ(actions.finish(), bytes({ 0x7e, 0x01, 0x04, 0x02, 0x01, 0x7f, 0x04, 0x05, 0x01 }));

    UlebEncoder actors; // null, null, null, 0, null, null, 0 x4
    actors.append_null(); actors.append_null(); actors.append_null(); actors.append(0);
    actors.append_null(); actors.append_null();
    for (int i = 0; i < 4; ++i) actors.append(0);
    EXPECT_EQ(actors.finish(), bytes({ 0x00, 0x03, 0x7f, 0x00, 0x00, 0x02, 0x04, 0x00 }));

    DeltaEncoder counters; // null, null, 0, 3, null, 0, 6, 7, 8, 9
    counters.append_null(); counters.append_null(); counters.append(0); counters.append(3);
    counters.append_null();
    for (int v : { 0, 6, 7, 8, 9 }) counters.append(v);
    EXPECT_EQ(counters.finish(), bytes({ 0x00, 0x02, 0x7e, 0x00, 0x03, 0x00, 0x01, 0x7e, 0x7d, 0x06, 0x03, 0x01 }));

    StringEncoder messages;
    messages.append("m1"); messages.append_null(); messages.append_null(); messages.append_null();
    EXPECT_EQ(messages.finish(), bytes({ 0x7f, 0x02, 'm', '1', 0x00, 0x03 }));

    StringEncoder only_nulls;
    only_nulls.append_null();
    EXPECT_TRUE(only_nulls.finish().empty());

    BooleanEncoder inserts;
    for (bool v : { false, false, true, true, false, true, true, true, true, true })
        inserts.append(v);
    EXPECT_EQ(inserts.finish(), bytes({ 0x02, 0x02, 0x01, 0x05 }));
    BooleanEncoder starts_true;
    starts_true.append(true);
    EXPECT_EQ(starts_true.finish(), bytes({ 0x00, 0x01 }));
}

TEST(Columns, DecodersReadBackRunsLiteralsAndNulls)
{
    std::vector<std::optional<std::int64_t>> values = { 5, 5, 5, std::nullopt, 1, 2, 3, std::nullopt, std::nullopt, -7 };
    DeltaEncoder encoder;
    for (auto v : values)
        v ? encoder.append(*v) : encoder.append_null();
    auto encoded = encoder.finish();
    DeltaDecoder decoder(encoded);
    for (auto v : values) {
        auto got = decoder.next();
        ASSERT_TRUE(got);
        EXPECT_EQ(*got, v);
    }
    EXPECT_TRUE(decoder.done());
    EXPECT_EQ(*decoder.next(), std::nullopt); // past the end: nulls

    auto zero_nulls = bytes({ 0x00, 0x00 });
    UlebDecoder bad(zero_nulls);
    EXPECT_FALSE(bad.next());
    auto short_literal = bytes({ 0x7d, 0x01 });
    UlebDecoder truncated(short_literal);
    EXPECT_TRUE(truncated.next());
    EXPECT_FALSE(truncated.next());
}

TEST(Chunks, EmptyDocumentChunkAndChecksums)
{
    std::vector<std::uint8_t> out;
    write_chunk(out, ChunkType::Document, bytes({ 0, 0, 0, 0 }));
    EXPECT_EQ(out, bytes({ 0x85, 0x6f, 0x4a, 0x83, 0xb8, 0x1a, 0x95, 0x44, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00 }));
    auto read = read_chunks(out);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->size(), 1u);

    auto corrupt = out;
    corrupt[5] ^= 1;
    EXPECT_FALSE(read_chunks(corrupt));
    auto bad_type = out;
    bad_type[8] = 3;
    EXPECT_FALSE(read_chunks(bad_type));
    EXPECT_FALSE(read_chunks(std::span(out).first(out.size() - 1)));
}

TEST(Chunks, InflateRejectsCorruptDataAndRoundTrips)
{
    std::vector<std::uint8_t> data(5000, 'a');
    auto packed = deflate_raw(data);
    auto back = inflate_raw(packed);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, data);
    EXPECT_FALSE(inflate_raw(bytes({ 0xff, 0xff, 0xff, 0xff })));
    packed.resize(packed.size() / 2);
    EXPECT_FALSE(inflate_raw(packed));
}
