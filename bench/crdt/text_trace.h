#pragma once

// A recorded editing trace (bench-data/*.json.gz): transactions of
// [position, deleteCount, insertedText] patches, positions in code points.
// Held compactly and parsed as a stream, so the trace itself adds little to
// the peak memory the benchmarks report.

#include "base/result.h"
#include "crdt/document.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

struct TracePatch {
    std::uint32_t position = 0;
    std::uint32_t deleted = 0;
    std::uint32_t text_begin = 0; // into TextTrace::inserted
    std::uint32_t text_size = 0;
};

struct TextTrace {
    std::vector<TracePatch> patches;
    std::vector<std::uint32_t> transaction_ends; // one past each transaction's last patch
    std::string inserted;                        // every patch's inserted text, back to back
    std::string end_content;

    std::string_view text_of(TracePatch const& patch) const
    {
        return std::string_view(inserted).substr(patch.text_begin, patch.text_size);
    }
};

// The directory of the shared benchmark traces: $CHAT_BENCH_DATA, or the
// bench-data folder beside the repository.
std::string bench_data_dir();
base::Result<TextTrace> load_trace(std::string const& gz_path);

// Replays every patch into `text`; commits once at the end, or after every
// transaction when `commit_each` is set.
base::Result<void> replay(crdt::Document& doc, crdt::ObjId const& text, TextTrace const& trace, bool commit_each);

} // namespace bench
