#!/usr/bin/env bash
# Sets up a Debian machine for obtmirror, builds it, and runs it or its tests.
#
#   scripts/dev.sh run [ARGS...]   install what is missing, build, open the window
#                                  (on a virtual X display when there is no display)
#   scripts/dev.sh test            install what is missing, build, run every test
#   scripts/dev.sh test-sanitize   the same in an AddressSanitizer + UBSan build
#   scripts/dev.sh test-thread     the engine's and the command line's tests in a
#                                  ThreadSanitizer build (not the window's, nor
#                                  the second run on the plain loops, whose
#                                  threads are those of the first)
#   scripts/dev.sh test-corpus     install Debian's collections of test meshes,
#                                  build, and import every one of them and
#                                  damaged copies (scripts/mesh-corpus.sh;
#                                  SAMPLE=N MUTANTS=N for a part of them)
#   scripts/dev.sh fuzz SECONDS    install clang, run every fuzz target that long
#   scripts/dev.sh format-check    install clang-format, fail on any C++ file
#                                  of the tree that it would change
#   scripts/dev.sh package         install what is missing, build in Release and
#                                  make the Debian package
#                                  (build-release/obtmirror_VERSION_amd64.deb)
#
# OBTMIRROR_WERROR=ON turns warnings into errors (CI sets it).
set -euo pipefail

cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libcli11-dev libassimp-dev
          libseccomp-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core
          fonts-liberation2 dpkg-dev lintian desktop-file-utils man-db
          bash-completion)

install_missing() {
  local missing=()
  for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

build() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DOBTMIRROR_WERROR="${OBTMIRROR_WERROR:-OFF}" "$@"
  cmake --build "$dir"
}

run_tests() {
  local dir=$1
  (cd "$dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)")
}

command=${1:-}
[ $# -gt 0 ] && shift
case "$command" in
  run)
    install_missing
    build build
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
      packages=(xvfb xauth)
      install_missing
      echo "No display: the window runs on a virtual X display; end it with Ctrl+C."
      exec xvfb-run -a build/bin/obtmirror "$@"
    fi
    exec build/bin/obtmirror "$@"
    ;;
  test)
    install_missing
    build build
    run_tests build
    ;;
  test-sanitize)
    install_missing
    build build-sanitize -DCMAKE_BUILD_TYPE=Debug -DOBTMIRROR_SANITIZE=ON \
      -DOBTMIRROR_BENCHMARKS=OFF
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
      UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 run_tests build-sanitize
    ;;
  test-thread)
    install_missing
    cmake -S . -B build-thread -G Ninja -DOBTMIRROR_WERROR="${OBTMIRROR_WERROR:-OFF}" \
      -DCMAKE_BUILD_TYPE=Debug -DOBTMIRROR_THREAD_SANITIZE=ON -DOBTMIRROR_BENCHMARKS=OFF
    cmake --build build-thread --target engine_tests
    (cd build-thread && TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
      ctest --output-on-failure -j "$(nproc)" -L engine -E obt_tests_on_plain_loops)
    ;;
  package)
    install_missing
    build build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
      -DOBTMIRROR_BENCHMARKS=OFF
    (cd build-release && cpack -G DEB)
    ;;
  test-corpus)
    packages+=(assimp-testmodels openscad-testing-data)
    install_missing
    build build
    REQUIRE_CORPUS=1 exec scripts/mesh-corpus.sh build/bin/obtmirror-cli
    ;;
  fuzz)
    packages+=(clang libclang-rt-14-dev)
    install_missing
    exec fuzz/run.sh "${1:?usage: scripts/dev.sh fuzz SECONDS}"
    ;;
  format-check)
    packages=(clang-format git)
    install_missing
    git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
    ;;
  *)
    echo "usage: scripts/dev.sh run|test|test-sanitize|test-thread|test-corpus|package|fuzz SECONDS|format-check" >&2
    exit 64
    ;;
esac
