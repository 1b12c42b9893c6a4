#!/usr/bin/env bash
# Builds Pathwick and runs its tests through ctest, in two configurations, each in its own folder:
#   clang  build/        Clang, every layer (unit, gui, e2e, fuzz: libFuzzer, a few seconds each)
#   asan   build-asan/   GCC with AddressSanitizer and UndefinedBehaviorSanitizer: unit, gui and
#                        fuzz (each fuzz target replays its seed corpus); any report fails a test
# Both run even when the first fails; the script fails when either does.
#
#   --only clang|asan    run one of the two configurations
#   CXX=... / BUILD_DIR=... / PATHWICK_SANITIZE=1 given: one configuration built as they say
#                        (see scripts/build.sh), every layer
# Further arguments go to ctest in each configuration (e.g. -L unit, -R MenuItem).
set -uo pipefail
cd "$(dirname "$0")/.."

only=""
if [ "${1:-}" = "--only" ]; then
    only=${2:-}
    case "$only" in
        clang | asan) ;;
        *)
            echo "usage: $0 [--only clang|asan] [ctest arguments]" >&2
            exit 2
            ;;
    esac
    shift 2
fi

# run_config NAME [VARIABLE=VALUE...] -- [ctest arguments]: builds with those variables and tests.
run_config() {
    local name=$1
    shift
    local settings=()
    while [ "$1" != "--" ]; do
        settings+=("$1")
        shift
    done
    shift
    local dir
    dir=$(env "${settings[@]}" bash -c 'echo "${BUILD_DIR:-build}"')
    echo "== $name: building in $dir/"
    if ! env "${settings[@]}" bash scripts/build.sh; then
        echo "== $name: the build failed" >&2
        return 1
    fi
    echo "== $name: testing in $dir/"
    if ! (cd "$dir" && ctest --output-on-failure -j "$(nproc)" "$@"); then
        echo "== $name: tests failed" >&2
        return 1
    fi
    echo "== $name: passed"
}

if [ -z "$only" ] && { [ -n "${CXX:-}" ] || [ -n "${BUILD_DIR:-}" ] || [ -n "${PATHWICK_SANITIZE:-}" ]; }; then
    run_config "${CXX:-clang++}${PATHWICK_SANITIZE:+ (sanitizers)}" -- "$@"
    exit
fi

failed=()
if [ -z "$only" ] || [ "$only" = clang ]; then
    run_config clang CXX=clang++ BUILD_DIR=build PATHWICK_SANITIZE=0 -- "$@" || failed+=(clang)
fi
if [ -z "$only" ] || [ "$only" = asan ]; then
    run_config asan CXX=g++ BUILD_DIR=build-asan PATHWICK_SANITIZE=1 -- -L '^(unit|gui|fuzz)$' "$@" ||
        failed+=(asan)
fi
if [ ${#failed[@]} -gt 0 ]; then
    echo "== failed: ${failed[*]}" >&2
    exit 1
fi
echo "== all configurations passed"
