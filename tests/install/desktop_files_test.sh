#!/usr/bin/env bash
# The menu entry and the AppStream metadata pass the freedesktop.org validators; skipped
# (exit 77) with a message where a validator is not installed.
# The metainfo is the one CMake made from its template, with the .deb's maintainer in it.
#   desktop_files_test.sh desktop|metainfo SOURCE_DIR BUILD_DIR
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
    metainfo="$3/res/org.vexa.Vexa.metainfo.xml"
    appstreamcli validate --no-net "$metainfo"
    grep -q '@[A-Z_]*@' "$metainfo" && { echo "FAIL: a template field was not filled in"; exit 1; }
    name=$(sed -n 's|.*<developer_name>\(.*\)</developer_name>.*|\1|p' "$metainfo")
    contact=$(sed -n 's|.*<update_contact>\(.*\)</update_contact>.*|\1|p' "$metainfo")
    grep -qF "set(CPACK_PACKAGE_CONTACT \"$name <$contact>\")" "$3/CPackConfig.cmake" ||
      { echo "FAIL: the .deb's maintainer is not $name <$contact>"; exit 1; }
    ;;
  *) echo "usage: $0 desktop|metainfo SOURCE_DIR BUILD_DIR" >&2; exit 2 ;;
esac
