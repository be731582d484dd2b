#!/usr/bin/env bash
# Makes the .deb from a finished build and checks its name, that it holds the programs with
# their desktop data, man pages, changelog and copyright, that it depends on Qt, its SVG
# plugin and the fonts the window names, and, where lintian is installed, that lintian finds
# neither error nor warning. Exits 77 (skipped) where Debian's packaging tools are missing.
#   usage: package_deb_test.sh BUILD_DIR VERSION
set -u
for tool in dpkg-deb dpkg-shlibdeps help2man; do
    command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB -B "$work" --config "$1/CPackConfig.cmake" > "$work/log" 2>&1 || { cat "$work/log"; exit 1; }
deb=$work/varendo_$2_$(dpkg --print-architecture).deb
contents=$(dpkg-deb -c "$deb") || exit 1
failures=0
for file in bin/varendo bin/varendo-solve share/applications/io.github.varendo.Varendo.desktop share/doc/varendo/changelog.gz share/doc/varendo/copyright \
        share/icons/hicolor/scalable/apps/varendo.svg \
        share/metainfo/io.github.varendo.Varendo.metainfo.xml \
        share/man/man1/varendo.1.gz share/man/man1/varendo-solve.1.gz; do
    grep -q " \./usr/$file\$" <<< "$contents" || { echo "FAIL: no /usr/$file"; failures=$((failures + 1)); }
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for package in libqt6widgets6 libqt6svg6 fonts-liberation2; do
    [[ $depends == *"$package"* ]] || { echo "FAIL: no $package"; failures=$((failures + 1)); }
done
[[ $(dpkg-deb -f "$deb" Recommends) == *xdg-utils* ]] || { echo "FAIL: xdg-utils not recommended"; failures=$((failures + 1)); }
if command -v lintian >/dev/null; then
    lintian --fail-on error,warning "$deb" || { echo "FAIL: lintian"; failures=$((failures + 1)); }
fi
exit $((failures > 0))
