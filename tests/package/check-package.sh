#!/usr/bin/env bash
# Makes the Debian package from a built tree, unpacks it into a scratch root, and checks that the
# files stand where the desktop expects them.
#   check-package.sh BUILD-FOLDER
set -euo pipefail
build="$1"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$build" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log") || {
    cat "$scratch/cpack.log"
    exit 1
}
deb=$(ls "$scratch"/out/plumetrack_*.deb)
dpkg-deb -x "$deb" "$scratch/root"

[ -x "$scratch/root/usr/bin/plumetrack" ] || { echo "not an executable: /usr/bin/plumetrack"; exit 1; }
# No browser engine: nothing in the package needs one.
if dpkg-deb -f "$deb" Depends | grep -qi webengine || [ -e "$scratch/root/usr/libexec" ]; then
    echo "the package still carries a web engine"
    exit 1
fi
desktop=usr/share/applications/org.plumetrack.Plumetrack.desktop
metainfo=usr/share/metainfo/org.plumetrack.Plumetrack.metainfo.xml
for file in $desktop $metainfo usr/share/icons/hicolor/scalable/apps/plumetrack.svg \
    usr/share/man/man1/plumetrack.1.gz; do
    [ -s "$scratch/root/$file" ] || { echo "missing: /$file"; exit 1; }
done
desktop-file-validate "$scratch/root/$desktop"
grep -q '^Exec=plumetrack$' "$scratch/root/$desktop"
appstreamcli validate --no-net "$scratch/root/$metainfo"
zcat "$scratch/root/usr/share/man/man1/plumetrack.1.gz" | grep -q "format"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libicu72 libzip4 libxml2 fonts-noto-color-emoji; do
    grep -q "$needed" <<<"$depends" || { echo "no dependency on $needed: $depends"; exit 1; }
done
# Every library the program links, but the C and C++ runtimes, comes from a package it depends on.
program="$scratch/root/usr/bin/plumetrack"
for so in $(objdump -p "$program" | awk '/NEEDED/ { print $2 }'); do
    path=$(ldconfig -p | awk -v so="$so" '$1 == so && /x86-64/ && !found { print $NF; found = 1 }')
    [ -n "$path" ] || continue
    package=$(dpkg -S "$(readlink -f "$path")" 2>/dev/null | sed -n '1s/:.*//p' || true)
    case "$package" in "" | libc6 | libstdc++6 | libgcc-s1) continue ;; esac
    grep -q "\b$package\b" <<<"$depends" || { echo "$so is in $package, not a dependency"; exit 1; }
done

"$scratch/root/usr/bin/plumetrack" --version | grep -q '^Plumetrack '
echo "package: $(basename "$deb") checked"
