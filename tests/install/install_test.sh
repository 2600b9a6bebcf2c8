#!/usr/bin/env bash
# Installs the build into a temporary prefix, as `cmake --install` and the .deb do, and
# checks what a user gets: every file in its place, programs that run from there and find
# their demo recording and help by their own location, and no source or build path inside them.
#   install_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$(realpath "$1")
build_dir=$(realpath "$2")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix="$tmp/prefix"
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build_dir" --prefix "$prefix" >/dev/null

expected=(
  bin/vexa
  bin/vexa-modem
  bin/vexa-log
  bin/vexa-rig
  share/vexa/demo.wav
  share/vexa/Help.txt
  share/applications/vexa.desktop
  share/metainfo/org.vexa.Vexa.metainfo.xml
  share/icons/hicolor/scalable/apps/vexa.svg
  share/man/man1/vexa.1
  share/man/man1/vexa-modem.1
  share/man/man1/vexa-log.1
  share/man/man1/vexa-rig.1
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/vexa.png")
done
for f in "${expected[@]}"; do
  [ -f "$prefix/$f" ] || fail "$f is not installed"
done
for size in 16 48 256; do
  file "$prefix/share/icons/hicolor/${size}x${size}/apps/vexa.png" | grep -q "$size x $size" ||
    fail "the ${size}x${size} icon has another size"
done

version=$("$prefix/bin/vexa" --version) || fail "the installed vexa --version failed"
[ "$version" = "Vexa v 1.03/D" ] || fail "vexa --version printed '$version'"
echo "installed vexa --version: $version"

# The menu entry starts a program that is there, with an icon that is there.
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$prefix/share/applications/vexa.desktop")
[ -x "$prefix/bin/$exec_name" ] || fail "the menu entry starts '$exec_name', which is not installed"
icon_name=$(sed -n 's/^Icon=//p' "$prefix/share/applications/vexa.desktop")
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon_name.svg" ] || fail "no icon '$icon_name'"

# The installed programs name neither the source tree nor the build tree.
for program in vexa vexa-modem vexa-log vexa-rig; do
  for dir in "$source_dir" "$build_dir"; do
    if grep -qaF "$dir" "$prefix/bin/$program"; then
      fail "bin/$program contains the path $dir"
    fi
  done
done

# The installed vexa takes the installed demo recording: it complains when there is none.
mkdir -p "$tmp/home"
run_demo() {
  HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/config" XDG_DATA_HOME="$tmp/home/data" \
    QT_QPA_PLATFORM=offscreen timeout -s TERM 2 "$prefix/bin/vexa" --demo 2>&1 || true
}
found=$(run_demo)
if grep -q "not installed" <<<"$found"; then
  fail "the installed vexa does not find share/vexa/demo.wav: $found"
fi
rm "$prefix/share/vexa/demo.wav"
missing=$(run_demo)
grep -q "demo.wav is not installed" <<<"$missing" ||
  fail "without share/vexa/demo.wav the installed vexa should say so, said: $missing"
# A new data directory starts with the installed help file.
cmp -s "$prefix/share/vexa/Help.txt" "$tmp/home/data/vexa/Help.txt" ||
  fail "the installed vexa did not copy share/vexa/Help.txt into its new data directory"
echo "install into a temporary prefix: ${#expected[@]} files, programs run"
