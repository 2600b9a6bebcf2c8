#!/usr/bin/env bash
# Sets Vexa up on a Debian machine: installs the packages it needs (only those missing),
# builds it, and then, by the first argument:
#   ./setup.sh          install and build only
#   ./setup.sh run ...  start Vexa (extra arguments are passed on; no sound card: demo audio)
#   ./setup.sh test     run every test, including the sanitizer build of the core
set -euo pipefail
cd "$(dirname "$0")"

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  portaudio19-dev libasound2-dev libjack-jackd2-dev libsndfile1-dev libsoxr-dev
  libgtest-dev libgmock-dev libbenchmark-dev clang-format
  hamradio-files
  # tests: an independent RTTY modem, Hamlib's rigctld with its dummy rig, a headless X server, a private sound server
  minimodem libhamlib-utils xvfb xauth pulseaudio pulseaudio-utils libasound2-plugins alsa-utils
  fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "setup: installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs="${VEXA_JOBS:-2}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"

case "${1:-}" in
  run)
    shift
    exec ./build/src/app/qt/vexa "$@"
    ;;
  test)
    # The core again with AddressSanitizer and UndefinedBehaviorSanitizer (no Qt).
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVEXA_SANITIZE=ON \
          -DVEXA_BUILD_UI=OFF -DVEXA_BUILD_BENCH=OFF >/dev/null
    cmake --build build-asan -j "$jobs"
    scripts/check-layers
    scripts/check-format
    ctest --test-dir build --output-on-failure -j "$jobs"
    ctest --test-dir build-asan --output-on-failure -j "$jobs"
    ;;
  "") ;;
  *) echo "usage: $0 [run [VEXA OPTIONS] | test]" >&2; exit 2 ;;
esac
