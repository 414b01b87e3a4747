#!/usr/bin/env bash
# The Debian package of the build in $1, unpacked into a scratch root and checked there with
# Debian's own tools.
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cpack --config "$1/CPackConfig.cmake" -B "$scratch" >/dev/null
deb=$(echo "$scratch"/lumafolio_*.deb)
dpkg-deb -x "$deb" "$scratch/root"
usr=$scratch/root/usr

"$usr/bin/lumafolio" --version | grep -x 'lumafolio [0-9.]*'
ls "$usr/libexec/xsecurelock/saver_lumafolio" "$usr/share/xscreensaver/config/lumafolio.xml"
desktop-file-validate "$usr"/share/applications/*.desktop
appstreamcli validate --no-net "$usr/share/metainfo/org.lumafolio.Lumafolio.metainfo.xml"
man --warnings -l "$usr/share/man/man1/lumafolio.1.gz" >"$scratch/page" 2>&1
grep -q 'EXIT STATUS' "$scratch/page"
if grep warning "$scratch/page"; then exit 1; fi
depends=$(dpkg-deb -I "$deb" | grep '^ Depends:')
for library in libqt6widgets6 libsdl2-2.0-0 libsndfile1 libfluidsynth3 libcdio19; do
    grep -q "$library" <<<"$depends" || { echo "$library missing from$depends"; exit 1; }
done
lintian --fail-on error "$deb"
