#!/usr/bin/env bash
# Builds every preset and runs every test: the native unit tests under the
# sanitizers, the fuzz targets' seed corpora, the Windows-side tests under
# Wine and Xvfb, and the check of the 32-bit release executable.
# Exits non-zero on any failure.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh >/dev/null || { echo "setup failed"; exit 1; }

jobs=$(nproc)
failed_steps=()
passed=0
failed=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT

step() {
    local name=$1
    shift
    echo "== $name"
    if ! "$@"; then
        failed_steps+=("$name")
    fi
}

build() {
    cmake --preset "$1" >/dev/null && cmake --build --preset "$1" -j "$jobs"
}

# Runs ctest in a build folder and adds its counts to the totals.
run_ctest() {
    local status=0
    "$@" 2>&1 | tee "$log" || status=1
    grep -q 'tests passed' "$log" || status=1
    local summary
    summary=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    if [ -n "$summary" ]; then
        local total bad
        total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
        bad=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$summary")
        passed=$((passed + total - bad))
        failed=$((failed + bad))
    fi
    return "$status"
}

native_tests() {
    build native && run_ctest ctest --test-dir build/native --output-on-failure -j "$jobs"
}

fuzz_corpora() {
    build fuzz && run_ctest ctest --test-dir build/fuzz --output-on-failure
}

windows_tests() {
    build win64 || return 1
    local status=0
    xvfb-run -a -s "-screen 0 1280x1024x24" \
        bash -c 'ctest --test-dir build/win64 --output-on-failure; code=$?; /usr/lib/wine/wineserver64 -k; exit $code' \
        >"$log.win" 2>&1 || status=1
    cat "$log.win"
    run_ctest cat "$log.win" || status=1
    rm -f "$log.win"
    return "$status"
}

release_build() {
    build win32 && python3 scripts/check_pe.py build/win32/tandrel.exe
}

step "native unit tests" native_tests
step "fuzz seed corpora" fuzz_corpora
step "Windows-side tests" windows_tests
step "32-bit release executable" release_build

echo
if [ ${#failed_steps[@]} -ne 0 ]; then
    printf 'failed: %s\n' "${failed_steps[@]}"
fi
echo "total: $passed passed, $failed failed"
[ ${#failed_steps[@]} -eq 0 ]
