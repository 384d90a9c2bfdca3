#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# hardening.sh [sanitize] [fuzz] [analyse] — checks beyond the unit tests, all three when no
# step is named:
#   sanitize  the whole test suite, built in build-asan with AddressSanitizer and
#             UndefinedBehaviorSanitizer (leak checks off for the Qt tests: those labelled
#             gui, and those named forms_qt.* or gui.*);
#   fuzz      every libFuzzer target of fuzz/, built in build-fuzz with clang, run for
#             FUZZ_SECONDS (default 30) each from a scratch copy of its seed corpus;
#   analyse   every file's license and copyright given as REUSE asks (reuse lint), every
#             tracked C++ file formatted as .clang-format says (clang-format 14), then
#             clang-tidy (.clang-tidy) and cppcheck over the sources of the main build's
#             compile_commands.json, fuzz targets included (COMPILE_DB_DIR, default build:
#             run test.sh first).
# Exits non-zero when any step fails, after a short summary. POKOTAMA_GUI=OFF leaves the Qt
# parts out of the sanitizer build.
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
source scripts/packages.sh

FUZZ_SECONDS=${FUZZ_SECONDS:-30}
COMPILE_DB_DIR=${COMPILE_DB_DIR:-build}
JOBS=$(nproc)
# The directories whose sources the analysers must cover; the main build compiles them all,
# the fuzz targets too (as replays of their seeds).
SOURCE_DIRS=(engine lights forms faces app fuzz tests)

# Tests that need Qt: those labelled gui, and those whose names say so.
QT_TEST_NAMES='^(forms_qt|gui)\.'
SANITIZE_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# Without a session bus address Qt would start a bus daemon of its own that outlives the run.
export DBUS_SESSION_BUS_ADDRESS="${DBUS_SESSION_BUS_ADDRESS:-unix:path=/nonexistent/pokotama-tests}"

# quietly LOG COMMAND… runs the command with its output in LOG, and shows the log if it fails.
quietly() {
    local log=$1
    shift
    mkdir -p "$(dirname "$log")"
    if "$@" >"$log" 2>&1; then
        return 0
    fi
    cat "$log"
    echo "failed: $* (output in $log)"
    return 1
}

# sanitized_ctest NAME LEAKS RETRY CTEST-ARGS… runs a share of the suite in build-asan with
# leak checks on or off. With RETRY=retry, tests that failed without a sanitizer report get
# one more run, and are named: the Qt tests' timers run in real time, several times slower
# here than in the main build.
sanitized_ctest() {
    local name=$1 leaks=$2 retry=$3
    shift 3
    local log=build-asan/ctest-$name.log
    export ASAN_OPTIONS="detect_leaks=$leaks:strict_init_order=1:detect_stack_use_after_return=1"
    if ctest --test-dir build-asan --output-on-failure --parallel "$JOBS" "$@" >"$log" 2>&1; then
        grep -E -m1 'tests passed|No tests were found' "$log"
        return 0
    fi
    local report='ERROR: (Address|Leak)Sanitizer|runtime error:'
    if [ "$retry" = retry ] && ! grep -qE "$report" "$log"; then
        local failed
        failed=$(sed -n '/The following tests FAILED:/,$p' "$log" | grep -E '^\s+[0-9]+ - ')
        if ctest --test-dir build-asan --output-on-failure --rerun-failed >"$log.again" 2>&1; then
            grep -E -m1 'tests passed' "$log"
            echo "passed only on a second run:"
            echo "$failed"
            return 0
        fi
        cat "$log.again"
    fi
    cat "$log"
    echo "failed: the $name tests in build-asan (output in $log)"
    return 1
}

step_sanitize() {
    ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}" || return 1
    ensure_german_locale || return 1
    # -O1 keeps the instrumented tests quick; Debug keeps the assertions (the standard
    # library's bounds checks are on in every build). Warnings are the main build's business:
    # some only appear with the instrumentation.
    quietly build-asan/configure.log cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug \
        -DPOKOTAMA_GUI="${POKOTAMA_GUI:-ON}" -DPOKOTAMA_WERROR=OFF \
        -DCMAKE_CXX_FLAGS="-O1 $SANITIZE_FLAGS" \
        -DCMAKE_EXE_LINKER_FLAGS="$SANITIZE_FLAGS" \
        -DCMAKE_SHARED_LINKER_FLAGS="$SANITIZE_FLAGS" || return 1
    quietly build-asan/build.log cmake --build build-asan --parallel "$JOBS" || return 1

    local status=0
    echo "-- toolkit-free tests, leak checks on"
    sanitized_ctest plain 1 once -LE gui -E "$QT_TEST_NAMES" --no-tests=error || status=1
    echo "-- Qt tests, leak checks off: the toolkit keeps its caches to the end"
    sanitized_ctest qt 0 retry -LE gui -R "$QT_TEST_NAMES" --no-tests=ignore || status=1
    sanitized_ctest gui 0 retry -L gui --no-tests=ignore || status=1
    return $status
}

# Runs one fuzz target on a scratch copy of its seed corpus (the committed seeds stay as
# they are); a crash or a broken invariant ends it with a non-zero status and leaves the
# input in build-fuzz/artifacts/.
fuzz_one() {
    local target=$1
    rm -rf "build-fuzz/corpus-run/$target"
    mkdir -p "build-fuzz/corpus-run/$target" build-fuzz/artifacts
    cp -r "fuzz/corpus/$target/." "build-fuzz/corpus-run/$target/"
    "build-fuzz/$target" -max_total_time="$FUZZ_SECONDS" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$target-" \
        "build-fuzz/corpus-run/$target" >"build-fuzz/$target.log" 2>&1
}

# The targets run side by side, one per core.
step_fuzz() {
    # clang and its runtime libraries (libFuzzer, the sanitizers) for -fsanitize=fuzzer, and
    # Qt with the fonts for the target that builds the real window.
    ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" clang-14 clang libclang-rt-14-dev ||
        return 1
    CC=clang CXX=clang++ quietly build-fuzz/configure.log cmake -S fuzz -B build-fuzz || return 1
    quietly build-fuzz/build.log cmake --build build-fuzz --parallel "$JOBS" || return 1

    local targets=() corpus
    for corpus in fuzz/corpus/*/; do
        targets+=("$(basename "$corpus")")
    done
    [ ${#targets[@]} -gt 0 ] || { echo "no seed corpora in fuzz/corpus/"; return 1; }
    rm -rf build-fuzz/artifacts

    local status=0 start i target
    for ((start = 0; start < ${#targets[@]}; start += JOBS)); do
        local batch=("${targets[@]:start:JOBS}") pids=()
        for target in "${batch[@]}"; do
            if [ ! -x "build-fuzz/$target" ]; then
                echo "fuzz target $target has a seed corpus but was not built"
                return 1
            fi
            fuzz_one "$target" &
            pids+=($!)
        done
        for i in "${!batch[@]}"; do
            target=${batch[$i]}
            if wait "${pids[$i]}"; then
                echo "$target: $(grep -m1 '^Done' "build-fuzz/$target.log")"
            else
                echo "$target: FAILED (build-fuzz/$target.log)"
                # From the first report on: a broken invariant, a sanitizer's or libFuzzer's.
                awk '/^broken|ERROR|runtime error|deadly signal|timeout/ { on = 1 } on' \
                    "build-fuzz/$target.log" | head -30
                ls build-fuzz/artifacts/"$target"-* 2>/dev/null
                status=1
            fi
        done
    done
    return $status
}

# The compile_commands.json entries for the files under the given directories, one a line.
sources_in_database() {
    local database=$1/compile_commands.json
    shift
    local pattern
    pattern="^$ROOT/($(IFS='|'; echo "$*"))/"
    sed -n 's/^ *"file": "\(.*\)",\?$/\1/p' "$database" | grep -E "$pattern" | sort -u
}

# Names the C++ files that clang-format would change; fails if there are any.
check_format() {
    local files=() file unformatted=()
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        mapfile -d '' -t files < <(git ls-files -z '*.cpp' '*.h')
    else
        mapfile -d '' -t files < <(find . -path './build*' -prune -o \
            \( -name '*.cpp' -o -name '*.h' \) -type f -print0)
    fi
    for file in "${files[@]}"; do
        clang-format-14 --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
    done
    if [ ${#unformatted[@]} -gt 0 ]; then
        echo "not formatted as .clang-format says (clang-format-14 -i FILE formats one):"
        printf '  %s\n' "${unformatted[@]}"
        return 1
    fi
    echo "clang-format: ${#files[@]} files, all formatted"
}

# Checks that every file names its license and copyright holder, in a header or in
# .reuse/dep5, as the REUSE rules ask; shows the whole report only when some file does not.
check_licensing() {
    local report
    if report=$(reuse lint 2>&1); then
        echo "$report" | tail -1
        return 0
    fi
    echo "$report"
    return 1
}

step_analyse() {
    ensure_packages clang-format-14 clang-tidy-14 cppcheck clang-14 clang libclang-rt-14-dev \
        reuse || return 1
    echo "-- reuse"
    local licensing_status=0
    check_licensing || licensing_status=1
    echo "-- clang-format"
    local format_status=0
    check_format || format_status=1
    if [ ! -f "$COMPILE_DB_DIR/compile_commands.json" ]; then
        echo "$COMPILE_DB_DIR/compile_commands.json is missing: build the program first (./test.sh)"
        return 1
    fi
    local sources
    mapfile -t sources < <(sources_in_database "$COMPILE_DB_DIR" "${SOURCE_DIRS[@]}")
    # Say so when a source on disk is in no build and so escapes both analysers.
    local unbuilt
    unbuilt=$(comm -23 <(find "${SOURCE_DIRS[@]/#/$ROOT/}" -name '*.cpp' | sort) \
        <(printf '%s\n' "${sources[@]}"))
    if [ -n "$unbuilt" ]; then
        echo "NOT analysed, not compiled in $COMPILE_DB_DIR:"
        echo "$unbuilt" | sed "s|^$ROOT/|  |"
    fi

    local status=0 log
    log=$(mktemp)
    # The path-sensitive analyser would take two thirds of the time on the tests'
    # macro-heavy bodies alone; the tests run under the sanitizers instead. Sources go first,
    # as they take longest.
    local jobs=() source tests=0
    for source in "${sources[@]}"; do
        case $source in
        */tests/*) ;;
        *) jobs+=("$COMPILE_DB_DIR" "$source" "") ;;
        esac
    done
    for source in "${sources[@]}"; do
        case $source in
        */tests/*)
            jobs+=("$COMPILE_DB_DIR" "$source" "--checks=-clang-analyzer-*")
            tests=$((tests + 1))
            ;;
        esac
    done
    echo "-- clang-tidy: $((${#sources[@]} - tests)) sources and $tests tests (clang-analyzer" \
        "off) of $COMPILE_DB_DIR"
    local header_filter="^$ROOT/($(IFS='|'; echo "${SOURCE_DIRS[*]}"))/"
    # Each job is three arguments: the build directory, the file, one more option or "".
    printf '%s\0' "${jobs[@]}" | xargs -0 -r -P "$JOBS" -n 3 sh -c \
        'exec clang-tidy-14 --quiet --header-filter="$0" -p "$1" "$2" ${3:+"$3"}' \
        "$header_filter" >"$log" 2>&1 || status=1
    grep -v -e '^[0-9]* warnings\? generated' -e '^Suppressed [0-9]* warnings' \
        -e '^Use -header-filter' "$log"
    rm -f "$log"
    [ $status -eq 0 ] && echo "clang-tidy: clean"

    echo "-- cppcheck"
    local cppcheck=(cppcheck --enable=warning,performance,portability --std=c++20 --quiet
        --error-exitcode=1 --inline-suppr --suppressions-list=.cppcheck-suppressions
        --library=googletest --library=qt -j "$JOBS")
    local dir filters=()
    for dir in "${SOURCE_DIRS[@]}"; do
        filters+=("--file-filter=$dir/*")
    done
    if "${cppcheck[@]}" --project="$COMPILE_DB_DIR/compile_commands.json" "${filters[@]}"; then
        echo "cppcheck: clean"
    else
        status=1
    fi
    if [ $licensing_status -ne 0 ]; then
        echo "reuse: some files lack their license or copyright (listed above)"
        status=1
    fi
    [ $format_status -eq 0 ] && return $status
    echo "clang-format: some files are not formatted (listed above)"
    return 1
}

declare -A RESULTS=()
declare -A SECONDS_TAKEN=()
run_step() {
    local name=$1
    local started=$SECONDS
    echo "==== $name"
    if "step_$name"; then
        RESULTS[$name]=passed
    else
        RESULTS[$name]=FAILED
    fi
    SECONDS_TAKEN[$name]=$((SECONDS - started))
}

steps=("$@")
[ ${#steps[@]} -eq 0 ] && steps=(sanitize fuzz analyse)
for step in "${steps[@]}"; do
    case $step in
    sanitize | fuzz | analyse) ;;
    *)
        echo "unknown step: $step (sanitize, fuzz, analyse)" >&2
        exit 2
        ;;
    esac
done

for step in "${steps[@]}"; do
    run_step "$step"
done

echo "==== hardening summary"
passed=0
failed=0
for step in "${steps[@]}"; do
    printf '%-9s %-7s %4ss\n' "$step" "${RESULTS[$step]}" "${SECONDS_TAKEN[$step]}"
    if [ "${RESULTS[$step]}" = passed ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
    fi
done
echo "hardening: $passed passed, $failed failed"
[ $failed -eq 0 ]
