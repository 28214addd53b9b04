#!/usr/bin/env bash
# Builds the Debian package from this build folder and checks what a user installs: the program, its
# desktop entry and icon, the guide, the form images and the brush face, the dependencies declared, and
# that the program unpacked from the package starts (--version, and a command run on a fresh data folder).
# Usage: deb_package_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/*.deb)
echo "package: $(basename "$deb")"

fail=0
contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/kakutei ./usr/share/applications/kakutei.desktop \
    ./usr/share/icons/hicolor/scalable/apps/kakutei.svg ./usr/share/doc/kakutei/guide.html \
    ./usr/share/doc/kakutei/images/Form1.png ./usr/share/kakutei/forms/page1.png \
    ./usr/share/kakutei/forms/page2.png ./usr/share/kakutei/fonts/AoyagiKouzanT.ttf; do
    if ! grep -q " $path\$" <<<"$contents"; then
        echo "missing from the package: $path"
        fail=1
    fi
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for package in libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins fonts-ipafont-mincho fonts-ipaexfont-gothic; do
    grep -q "\\b$package\\b" <<<"$depends" || { echo "not declared: $package"; fail=1; }
done
grep -q "^Exec=kakutei$" <(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/applications/kakutei.desktop) ||
    { echo "the desktop entry does not start kakutei"; fail=1; }

# Unpacked where no build ever was, the program must run from its own tree.
dpkg-deb -x "$deb" "$work/root"
version=$("$work/root/usr/bin/kakutei" --version)
[ "$version" = "kakutei $(dpkg-deb -f "$deb" Version)" ] || { echo "--version said: $version"; fail=1; }
mkdir "$work/data"
"$work/root/usr/bin/kakutei" --root "$work/data" list >/dev/null || { echo "list failed"; fail=1; }
exit $fail
