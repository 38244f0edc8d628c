#!/bin/bash
# Installs Morvil from the build into a temporary prefix and checks that exactly the
# program, morvil-render, their manual pages, the desktop entry, icons, metainfo, the
# note lists' file type, copyright and changelog land there, the entry and the metainfo
# valid and the file type opening in Morvil; then builds the Debian package and checks
# its contents, its dependencies, which must be Debian packages, and what lintian finds.
# usage: install_package.sh <build folder> <desktop id>
set -uo pipefail

build=$1
id=$2
source "$(dirname "${BASH_SOURCE[0]}")/../support/checks.sh"

expected=(
    bin/morvil
    bin/morvil-render
    share/man/man1/morvil.1.gz
    share/man/man1/morvil-render.1.gz
    "share/applications/$id.desktop"
    "share/metainfo/$id.metainfo.xml"
    "share/mime/packages/$id.xml"
    share/doc/morvil/copyright
    share/doc/morvil/changelog.gz
)
for size in 16 32 48 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; exit 1; }
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$prefix" && find . -type f -printf '%P\n' | sort) ||
    fail "the installed files are not exactly the expected ones"
for program in morvil morvil-render; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
done
for size in 16 32 48 128 256; do
    seen=$(identify -format '%m %wx%h' "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png" 2>&1)
    [ "$seen" = "PNG ${size}x${size}" ] || fail "the ${size}x${size} icon is $seen"
done

entry=$prefix/share/applications/$id.desktop
desktop-file-validate "$entry" || fail "the desktop entry is not valid"
for line in "Exec=morvil %f" "MimeType=application/x-morvil-notelist;" "Icon=$id" "Name=Morvil" "GenericName=Keyboard Violin" "GenericName[tr]=Klavye Kemanı" \
    "Categories=AudioVideo;Audio;Music;"; do
    grep -qxF "$line" "$entry" || fail "the desktop entry has no line $line"
done
grep -q '^Comment\[tr\]=.' "$entry" || fail "the desktop entry has no Turkish comment"

# The desktop's databases, built from the installed files alone, know note lists by their
# extension and hand them to Morvil.
cp -r "$prefix/share" "$work/share"
update-mime-database "$work/share/mime" && update-desktop-database "$work/share/applications" ||
    fail "the file type or the desktop entry does not go into the desktop's databases"
grep -qxF '50:application/x-morvil-notelist:*.mnls' "$work/share/mime/globs2" || fail "*.mnls is no note list"
grep -qxF "application/x-morvil-notelist=$id.desktop;" "$work/share/applications/mimeinfo.cache" ||
    fail "note lists do not open in Morvil"

appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || fail "the metainfo is not valid"
appstreamcli validate-tree --no-net "$prefix" >"$work/tree.log" 2>&1 || { cat "$work/tree.log"; fail "the installed tree is not valid"; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/package/*.deb)
echo "package $(basename "$deb"):"
dpkg-deb -c "$deb" | tee "$work/contents"
diff <(printf './usr/%s\n' "${expected[@]}" | sort) <(awk '$1 !~ /^d/ {print $NF}' "$work/contents" | sort) ||
    fail "the package does not hold exactly the installed files under /usr"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
names=$(sed 's/([^)]*)//g; s/, */\n/g; s/ //g' <<<"$depends")
for package in libqt6core6 libqt6gui6 libqt6widgets6 libsdl2-2.0-0 libsndfile1 libsamplerate0 libstdc++6 libc6 qt6-qpa-plugins \
    qt6-translations-l10n fonts-liberation; do
    grep -qxF "$package" <<<"$names" || fail "the package does not depend on $package"
done
# Every dependency is a Debian package; those the program was built against are installed here.
for package in $names; do
    dpkg-query -W "$package" >/dev/null 2>&1 || fail "the dependency $package is no installed Debian package"
done
[ "$(dpkg-deb -f "$deb" Package)" = morvil ] || fail "the package is not named morvil"
# Debian's own checks of a package: no error; the warnings it prints are known and explained.
lintian --fail-on error --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || fail "lintian found errors in the package"
grep -v 'root privileges' "$work/lintian.log"

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "install and package checks passed"
