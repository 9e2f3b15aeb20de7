// crdt-tool, run as a real process on real files.

#include "crdt/document.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>

using namespace crdt;
namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

class ToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // CTest names the directory; run by hand, the tool sits beside this binary.
        char const* bin = std::getenv("CHAT_TEST_BIN_DIR");
        m_tool = (bin ? fs::path(bin) : fs::read_symlink("/proc/self/exe").parent_path()) / "crdt-tool";
        ASSERT_TRUE(fs::exists(m_tool)) << m_tool;
        char pattern[] = "/tmp/crdt-tool-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string write(std::string const& name, std::vector<std::uint8_t> const& bytes)
    {
        auto path = (m_dir / name).string();
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<char const*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    ToolRun run(std::string const& args)
    {
        auto err_path = (m_dir / "stderr").string();
        std::string command = m_tool.string() + " " + args + " 2>" + err_path;
        ToolRun result;
        FILE* pipe = popen(command.c_str(), "r");
        std::array<char, 4096> buffer{};
        while (auto n = fread(buffer.data(), 1, buffer.size(), pipe))
            result.out.append(buffer.data(), n);
        int status = pclose(pipe);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::ifstream err(err_path);
        result.err.assign(std::istreambuf_iterator<char>(err), {});
        return result;
    }

    fs::path m_tool;
    fs::path m_dir;
};

Document sample(std::string const& actor_hex)
{
    Document doc(*ActorId::from_hex(actor_hex));
    (void)doc.put(ROOT, "zeta", std::int64_t(-3));
    (void)doc.put(ROOT, "alpha", true);
    auto text = *doc.put_object(ROOT, "text", ObjType::Text);
    (void)doc.splice_text(text, 0, 0, "h\xc3\xa9llo \"q\"");
    auto list = *doc.put_object(ROOT, "list", ObjType::List);
    (void)doc.insert(list, 0, Counter{ 2 });
    (void)doc.increment(list, 0, 5);
    (void)doc.insert(list, 1, Null{});
    auto map = *doc.insert_object(list, 2, ObjType::Map);
    (void)doc.put(map, "b", 1.5);
    (void)doc.put(map, "a", std::string("x"));
    return doc;
}

} // namespace

TEST_F(ToolTest, DumpPrintsSortedJsonWithTextAsStringsAndCountersAsNumbers)
{
    auto doc = sample("aa");
    auto run_result = run("dump " + write("doc.automerge", doc.save()));
    EXPECT_EQ(run_result.status, 0) << run_result.err;
    EXPECT_EQ(run_result.out,
        "{\"alpha\":true,\"list\":[7,null,{\"a\":\"x\",\"b\":1.5}],\"text\":\"h\xc3\xa9llo \\\"q\\\"\",\"zeta\":-3}\n");
}

TEST_F(ToolTest, HeadsPrintsSortedHex)
{
    auto a = sample("aa");
    auto b = a.fork(*ActorId::from_hex("bb"));
    (void)a.put(ROOT, "k", std::int64_t(1));
    (void)b.put(ROOT, "k", std::int64_t(2));
    (void)a.merge(b);
    auto result = run("heads " + write("doc.automerge", a.save()));
    ASSERT_EQ(result.status, 0) << result.err;
    std::string expected;
    for (auto const& head : a.heads())
        expected += head.to_hex() + "\n";
    EXPECT_EQ(result.out, expected);
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 2);
}

TEST_F(ToolTest, MergeWritesTheMergeOfTwoFiles)
{
    auto a = sample("aa");
    auto b = a.fork(*ActorId::from_hex("bb"));
    (void)a.put(ROOT, "from_a", std::int64_t(1));
    (void)b.put(ROOT, "from_b", std::int64_t(2));
    auto out = (m_dir / "merged.automerge").string();
    auto result = run("merge " + write("a.automerge", a.save()) + " " + write("b.automerge", b.save()) + " " + out);
    ASSERT_EQ(result.status, 0) << result.err;
    std::ifstream in(out, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    auto merged = Document::load(bytes);
    ASSERT_TRUE(merged) << merged.error();
    ASSERT_TRUE(a.merge(b));
    EXPECT_EQ(merged->heads(), a.heads());
    EXPECT_EQ(merged->keys(ROOT), a.keys(ROOT));
}

TEST_F(ToolTest, BadInputExitsOneWithOneLine)
{
    auto good = write("good.automerge", sample("aa").save());
    auto bytes = sample("aa").save();
    bytes.resize(bytes.size() - 3);
    auto bad = write("bad.automerge", bytes);
    for (auto const& args : { "dump " + bad, "heads " + bad, "merge " + good + " " + bad + " " + (m_dir / "o").string(),
                              "dump " + (m_dir / "missing").string(), std::string("frobnicate x") }) {
        auto result = run(args);
        EXPECT_EQ(result.status, 1) << args;
        EXPECT_TRUE(result.out.empty()) << args;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    EXPECT_FALSE(fs::exists(m_dir / "o"));
}
