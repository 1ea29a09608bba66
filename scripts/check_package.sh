#!/usr/bin/env bash
# Checks the Debian package made from a build folder that is built already
# (check_package.sh DIR; the test command passes its Release build): packs it
# with CPack, lists what it holds, checks that every file the desktop needs is
# there and the dependencies come from the libraries (no -dev package), and
# validates the desktop entry and the AppStream metainfo; lintian, when
# installed, must report no errors. Needs dpkg-dev, desktop-file-utils and
# appstream; says "skipped" and succeeds without them.
set -uo pipefail
dir="$(cd "${1:?usage: check_package.sh BUILD_DIR}" && pwd)"
for tool in cpack dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "Package check skipped: $tool is not installed (dpkg-dev, desktop-file-utils, appstream)"
    exit 0
  fi
done
failed=0
fail() {
  echo "FAILED: $*"
  failed=1
}

# The programs are built already: CPack only installs and packs them.
rm -f "$dir"/pellin-map-tool_*_amd64.deb
if ! (cd "$dir" && cpack -G DEB >"$dir/cpack.log" 2>&1); then
  cat "$dir/cpack.log"
  fail "cpack -G DEB"
  exit 1
fi
deb=$(ls "$dir"/pellin-map-tool_*_amd64.deb 2>/dev/null | head -1)
[ -n "$deb" ] || { fail "no pellin-map-tool_<version>_amd64.deb in $dir"; exit 1; }
echo "== $(basename "$deb")"
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'
contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
echo "$contents"

for file in usr/bin/pellin-map-tool usr/bin/zellmap \
  usr/share/applications/pellin-map-tool.desktop \
  usr/share/metainfo/io.github.pellin_map_tool.PellinMapTool.metainfo.xml \
  usr/share/mime/packages/pellin-map-tool.xml \
  usr/share/thumbnailers/pellin-map-tool.thumbnailer \
  usr/share/icons/hicolor/scalable/apps/pellin-map-tool.svg \
  usr/share/icons/hicolor/48x48/apps/pellin-map-tool.png \
  usr/share/icons/hicolor/256x256/apps/pellin-map-tool.png \
  usr/share/man/man1/pellin-map-tool.1.gz usr/share/man/man1/zellmap.1.gz \
  usr/share/pellin-map-tool/translations/pellin_en.qm \
  usr/share/doc/pellin-map-tool/copyright usr/share/doc/pellin-map-tool/changelog.gz; do
  grep -qx "\./$file" <<<"$contents" || fail "the package lacks /$file"
done
grep -q "^\./usr/local/" <<<"$contents" && fail "files under /usr/local"

depends=$(dpkg-deb --field "$deb" Depends)
for needed in libqt6widgets6 libc6 fonts-nanum qt6-translations-l10n qt6-qpa-plugins; do
  grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
grep -q -- "-dev" <<<"$depends" && fail "Depends names a -dev package: $depends"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb --extract "$deb" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/pellin-map-tool.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$unpacked/usr/share/metainfo/io.github.pellin_map_tool.PellinMapTool.metainfo.xml" || fail "appstreamcli validate"
for page in pellin-map-tool zellmap; do
  command -v man >/dev/null 2>&1 || break
  LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$unpacked/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null |
    grep . && fail "man page $page.1 has warnings"
done

if command -v lintian >/dev/null 2>&1; then
  lintian --tag-display-limit 0 "$deb" 2>/dev/null | tee "$dir/lintian.log"
  grep -q "^E:" "$dir/lintian.log" && fail "lintian reports errors"
else
  echo "lintian is not installed: its check is skipped"
fi

[ "$failed" -eq 0 ] && echo "Package check passed"
exit "$failed"
