#!/usr/bin/env bash
# Sets Vexa up on a Debian machine: installs the packages it needs (only those missing),
# builds it, and then, by the first argument:
#   ./setup.sh          install the runtime and build packages, build
#   ./setup.sh run ...  the same, then start Vexa (extra arguments are passed on)
#   ./setup.sh test     also install the test packages, build with the tests, run them all
# It never installs a sound server next to the one the machine already has.
# VEXA_SETUP_DRY_RUN=1 only lists the packages that would be installed.
set -euo pipefail
cd "$(dirname "$0")"

# What the vexa program needs to run (a .deb pulls these in by itself).
runtime_packages=(
  libqt6widgets6
  # printing the text windows
  libqt6printsupport6
  qt6-qpa-plugins
  libportaudio2
  libsndfile1
  libsoxr0
  # PortAudio reaches PulseAudio or PipeWire through ALSA's pulse plugin
  libasound2-plugins
  # the country file, /usr/share/hamradio-files/cty.dat
  hamradio-files
  fonts-dejavu-core
)

# What building vexa, vexa-modem and the .deb needs.
build_packages=(
  build-essential
  cmake
  ninja-build
  pkg-config
  qt6-base-dev
  libgl-dev
  portaudio19-dev
  libsndfile1-dev
  libsoxr-dev
  # optional: only to quieten ALSA's and JACK's console messages
  libasound2-dev
  libjack-jackd2-dev
  # cpack -G DEB: the package's dependencies from the shared libraries
  dpkg-dev
  file
)

# What the tests, the benchmarks and the source checks need.
test_packages=(
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  clang-format
  # an independent RTTY modem
  minimodem
  # Hamlib's rigctld with its dummy rig
  libhamlib-utils
  # a headless X server
  xvfb
  xauth
  # scripts/screenshot-main-window grabs the X screen with its import
  imagemagick
  # clients of the private sound server the audio tests start
  pulseaudio-utils
  alsa-utils
  # the menu entry and the AppStream metadata checks
  desktop-file-utils
  appstream
  # the icon pictures, scripts/make-icons
  librsvg2-bin
  # pdftotext and pdfinfo read back what the text windows print
  poppler-utils
)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

# The sound-card tests start a private sound server of whichever kind the machine has: a
# pulseaudio daemon, or PipeWire's pipewire + wireplumber + pipewire-pulse (skipped without
# one). A second server would fight the user's own over the PulseAudio socket, so pulseaudio
# is installed only where there is no sound server at all. Where pipewire-pulse is the
# user's server the private one also needs WirePlumber (so that its null sinks get ports);
# it is added unless the older pipewire-media-session, which it would replace, is in use.
sound_server_packages() {
  if installed pulseaudio; then
    return
  fi
  if installed pipewire-pulse; then
    installed pipewire-media-session || echo wireplumber
    return
  fi
  installed pipewire || echo pulseaudio
}

wanted=("${runtime_packages[@]}" "${build_packages[@]}")
with_tests=OFF
case "${1:-}" in
  test)
    mapfile -t server < <(sound_server_packages)
    wanted+=("${test_packages[@]}" "${server[@]}")
    with_tests=ON
    ;;
  run | "") ;;
  *) echo "usage: $0 [run [VEXA OPTIONS] | test]" >&2; exit 2 ;;
esac

missing=()
for p in "${wanted[@]}"; do
  installed "$p" || missing+=("$p")
done
if [ -n "${VEXA_SETUP_DRY_RUN:-}" ]; then
  # For the tests and the curious: the packages it would install, one a line, and nothing else.
  printf '%s\n' "${missing[@]}"
  exit 0
fi
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "setup: installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs="${VEXA_JOBS:-2}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DBUILD_TESTING="$with_tests" -DVEXA_BUILD_BENCH="$with_tests" >/dev/null
cmake --build build -j "$jobs"

case "${1:-}" in
  run)
    shift
    exec ./build/src/app/qt/vexa "$@"
    ;;
  test)
    # The core again with AddressSanitizer and UndefinedBehaviorSanitizer (no Qt).
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVEXA_SANITIZE=ON \
          -DVEXA_BUILD_UI=OFF -DBUILD_TESTING=ON -DVEXA_BUILD_BENCH=OFF >/dev/null
    cmake --build build-asan -j "$jobs"
    # The code that runs threads (sound-card backends and their block queues, the transmit
    # path and voice keyer on the sound card, the window's audio path) with
    # ThreadSanitizer: only the tests labelled "threads" and what they link.
    cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXA_SANITIZE_THREAD=ON \
          -DBUILD_TESTING=ON -DVEXA_BUILD_BENCH=OFF >/dev/null
    cmake --build build-tsan -j "$jobs" --target test_audio test_audio_device test_transmit test_window_audio
    scripts/check-layers
    scripts/check-format
    ctest --test-dir build --output-on-failure -j "$jobs"
    ctest --test-dir build-asan --output-on-failure -j "$jobs"
    TSAN_OPTIONS="suppressions=$PWD/tests/tsan.supp" \
      ctest --test-dir build-tsan -L threads --output-on-failure -j "$jobs"
    ;;
esac
