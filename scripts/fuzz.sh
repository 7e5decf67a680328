#!/usr/bin/env bash
# Fuzzes one libFuzzer target for a chosen time.
#
#   scripts/fuzz.sh TARGET SECONDS
#
# TARGET is a name registered in tests/fuzz/CMakeLists.txt (text_between,
# replace_many, url, merge_cookies, ...). The script builds the fuzz preset,
# starts from the committed seeds in tests/fuzz/corpus/TARGET and keeps the
# inputs it finds in <build>/corpus/TARGET, so the seeds stay untouched.
# A finding is written to <build>/findings/ and makes the script fail.
# The build folder is build/fuzz, or FUZZ_BUILD_DIR when set.
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 TARGET SECONDS" >&2
    exit 2
fi
target=${1%_fuzz}
seconds=$2

root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build/fuzz}
seeds=$root/tests/fuzz/corpus/$target
if [ ! -d "$seeds" ]; then
    echo "no seed corpus for '$target' in tests/fuzz/corpus" >&2
    exit 2
fi

cmake --preset fuzz -B "$build" >/dev/null
cmake --build "$build" --target "${target}_fuzz"

mkdir -p "$build/corpus/$target" "$build/findings"
exec "$build/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$build/findings/${target}-" "$build/corpus/$target" "$seeds"
