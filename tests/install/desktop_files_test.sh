#!/usr/bin/env bash
# The menu entry and the AppStream metadata pass the freedesktop.org validators; skipped
# (exit 77) with a message where a validator is not installed.
#   desktop_files_test.sh desktop|metainfo SOURCE_DIR
set -euo pipefail
what="$1"
res="$2/res"
case "$what" in
  desktop)
    command -v desktop-file-validate >/dev/null ||
      { echo "SKIP: desktop-file-validate is not installed (package desktop-file-utils)"; exit 77; }
    desktop-file-validate "$res/vexa.desktop"
    grep -q '^Categories=.*HamRadio;' "$res/vexa.desktop" || { echo "FAIL: not in HamRadio"; exit 1; }
    grep -q '^Categories=.*Audio;' "$res/vexa.desktop" || { echo "FAIL: not in Audio"; exit 1; }
    ;;
  metainfo)
    command -v appstreamcli >/dev/null ||
      { echo "SKIP: appstreamcli is not installed (package appstream)"; exit 77; }
    appstreamcli validate --no-net "$res/org.vexa.Vexa.metainfo.xml"
    ;;
  *) echo "usage: $0 desktop|metainfo SOURCE_DIR" >&2; exit 2 ;;
esac
