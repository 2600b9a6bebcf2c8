#!/usr/bin/env bash
# setup.sh's package choice on made-up machines (dpkg-query answers from a list): run takes
# no test packages, test adds them, and pulseaudio is added only where no sound server is
# installed, never next to PipeWire's PulseAudio server, where WirePlumber is added for the
# tests' private PipeWire unless pipewire-media-session is in its place.
#   setup_packages_test.sh SOURCE_DIR
set -euo pipefail
setup="$1/setup.sh"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cat > "$tmp/dpkg-query" <<'FAKE'
#!/usr/bin/env bash
# dpkg-query -W -f='${Status}' NAME: installed when NAME is in $FAKE_INSTALLED.
name="${*: -1}"
for p in $FAKE_INSTALLED; do
  [ "$p" = "$name" ] && { printf 'install ok installed'; exit 0; }
done
exit 1
FAKE
chmod +x "$tmp/dpkg-query"
fail() { echo "FAIL: $*" >&2; exit 1; }
would_install() { # INSTALLED-PACKAGES ARG
  FAKE_INSTALLED="$1" VEXA_SETUP_DRY_RUN=1 PATH="$tmp:$PATH" "$setup" $2
}

run_list=$(would_install "" run)
grep -qx qt6-base-dev <<<"$run_list" || fail "run does not install the build packages"
grep -qx libportaudio2 <<<"$run_list" || fail "run does not install the runtime packages"
for p in libgtest-dev minimodem xvfb pulseaudio pulseaudio-utils; do
  grep -qx "$p" <<<"$run_list" && fail "run installs the test package $p"
done

bare=$(would_install "" test)
grep -qx libgtest-dev <<<"$bare" || fail "test does not install the test packages"
grep -qx pulseaudio <<<"$bare" || fail "a machine without a sound server gets no pulseaudio for the tests"

# installed servers, then whether wireplumber is wanted
while read -r wants server; do
  list=$(would_install "$server" test)
  grep -qx pulseaudio <<<"$list" && fail "test installs pulseaudio next to: $server"
  got=no
  grep -qx wireplumber <<<"$list" && got=yes
  [ "$got" = "$wants" ] || fail "wireplumber wanted: $wants, chosen: $got, next to: $server"
done <<'TABLE'
yes pipewire pipewire-pulse
no pipewire pipewire-pulse pipewire-media-session
no pipewire
no pulseaudio
no pulseaudio pipewire pipewire-pulse
TABLE

all=$(sed -n '/^runtime_packages=(/,/^installed()/p' "$setup" | grep -oE '^  [a-z0-9][a-z0-9.+-]+' | tr -d ' ' | tr '\n' ' ')
[ -n "$all" ] && [ -z "$(would_install "$all pulseaudio" test)" ] || fail "packages already installed are installed again"
echo "setup.sh chooses its packages as it should"
