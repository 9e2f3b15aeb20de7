#!/bin/sh
# Builds the fuzz targets with clang (everything instrumented) in build-fuzz
# and runs one for a while.
#   fuzz/run.sh load_document|apply_changes|image_size [SECONDS] [extra libFuzzer flags]
# Seeds come from the Automerge npm package (tests/interop/make_seeds.mjs);
# the corpus grows in build-fuzz/corpus/TARGET, crashes land in
# build-fuzz/artifacts/.
set -e
target=${1:?usage: fuzz/run.sh load_document|apply_changes|image_size [SECONDS]}
seconds=${2:-60}
[ $# -ge 2 ] && shift 2 || shift $#
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer" >/dev/null
cmake --build "$build" -j2 --target "fuzz_$target"

seeds="$build/seeds"
if [ ! -d "$seeds/docs" ]; then
    node "$root/tests/interop/make_seeds.mjs" "$seeds/docs" "$seeds/changes"
fi
case "$target" in
load_document) seed_dir="$seeds/docs" ;;
*) seed_dir="$seeds/changes" ;;
esac
mkdir -p "$build/corpus/$target" "$build/artifacts"
exec "$build/bin/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/$target-" "$@" "$build/corpus/$target" "$seed_dir"
