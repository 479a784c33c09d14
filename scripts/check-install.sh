#!/usr/bin/env bash
# Installs Brelvik into a throw-away root and checks what lands where: the program alone on
# PATH, the stand-in archiver and its wzzip.exe link in the private folder, where start-up finds
# them; a valid desktop entry and metainfo, the list files' type, the icon sizes, the licence,
# the manual pages; --help and --version answered with the version the metainfo names; a path
# given to the program opened, a wrong argument refused. lintian passes the package where it
# is installed.
#   scripts/check-install.sh --build BUILD_DIR   (cmake --install with DESTDIR)
#   scripts/check-install.sh --deb PACKAGE.deb   (unpacked with dpkg -x; binaries stripped)
set -euo pipefail
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
case "${1:-}" in
    --build) DESTDIR="$root" cmake --install "$2" --prefix /usr >/dev/null ;;
    --deb) dpkg-deb -x "$2" "$root" ;;
    *) echo "usage: $0 --build BUILD_DIR | --deb PACKAGE.deb" >&2; exit 2 ;;
esac
usr="$root/usr"
private="$usr/libexec/brelvik"
fail() { echo "FAIL: $*" >&2; exit 1; }

[ "$(ls "$usr/bin")" = brelvik ] || fail "bin/ holds $(ls "$usr/bin" | xargs), not brelvik alone"
[ -x "$private/brelvik-pack" ] || fail "no brelvik-pack in libexec/brelvik/"
[ "$(readlink "$private/wzzip.exe")" = brelvik-pack ] || fail "wzzip.exe is no link to brelvik-pack"
for size in 16 24 32 48 64 128 256; do
    [ -f "$usr/share/icons/hicolor/${size}x${size}/apps/brelvik.png" ] || fail "no ${size}px icon"
done
[ -f "$usr/share/icons/hicolor/scalable/apps/brelvik.svg" ] || fail "no scalable icon"
grep -q "MIT License" "$usr/share/doc/brelvik/copyright" || fail "no licence"

desktop="$usr/share/applications/org.brelvik.Brelvik.desktop"
metainfo="$usr/share/metainfo/org.brelvik.Brelvik.metainfo.xml"
notes="$(desktop-file-validate "$desktop" 2>&1)" || fail "desktop entry: $notes"
[ -z "$notes" ] || fail "desktop entry: $notes"
appstreamcli validate --no-net "$metainfo" >/dev/null || fail "metainfo does not validate"

# The entry opens list files, of a type the installed MIME package defines for *.txta.
type=application/x-brelvik-addonlist
grep -qx "Exec=brelvik %f" "$desktop" || fail "the desktop entry takes no file"
grep -qx "MimeType=$type;" "$desktop" || fail "the desktop entry names no list type"
grep -qF "<mediatype>$type</mediatype>" "$metainfo" || fail "the metainfo names no list type"
notes="$(update-mime-database "$usr/share/mime" 2>&1)" || fail "update-mime-database: $notes"
grep -qx "50:$type:\*.txta" "$usr/share/mime/globs2" || fail "no type for *.txta"

for page in brelvik brelvik-pack; do
    file="$usr/share/man/man1/$page.1.gz"
    [ -f "$file" ] || fail "no manual page $page(1)"
    if command -v man >/dev/null; then
        notes="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 \
                 >/dev/null)" || fail "$page(1) does not format"
        [ -z "$notes" ] || fail "$page(1): $notes"
    fi
done

version="$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -1)"
[ "$("$usr/bin/brelvik" --version)" = "brelvik $version" ] || fail "brelvik --version"
[ "$("$private/brelvik-pack" --version)" = "brelvik-pack $version" ] || fail "brelvik-pack --version"
for program in "$usr/bin/brelvik" "$private/brelvik-pack"; do
    "$program" --help | grep -q '^Usage: ' || fail "$program --help"
done

no_display="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$usr/bin/brelvik" 2>&1)" &&
    fail "brelvik without a display ended with success"
[[ "$no_display" == *"needs a graphical session"* ]] || fail "without a display: $no_display"
wrong="$("$usr/bin/brelvik" --frobnicate 2>&1 >/dev/null)" && fail "an unknown option was taken"
[ "$(printf '%s\n' "$wrong" | tail -1)" = "$("$usr/bin/brelvik" --help | head -1)" ] ||
    fail "an unknown option: $wrong"

if [ "${1}" = --deb ]; then
    for program in "$usr/bin/brelvik" "$private/brelvik-pack"; do
        ! readelf -S "$program" | grep -q '\.symtab' || fail "$program is not stripped"
    done
fi

# A first start writes packer entries that lead to the installed stand-in archiver.
store="$root/config/brelvik/registry.reg"
env -u DISPLAY -u WAYLAND_DISPLAY HOME="$root" XDG_CONFIG_HOME="$root/config" \
    QT_QPA_PLATFORM=offscreen "$usr/bin/brelvik" >/dev/null 2>&1 &
started=$!
for _ in $(seq 100); do
    grep -qF "$private/brelvik-pack,0" "$store" 2>/dev/null && break
    sleep 0.1
done
kill "$started" 2>/dev/null || true
wait "$started" 2>/dev/null || true
grep -qF "$private/brelvik-pack,0" "$store" || fail "start-up wrote no entry for $private/brelvik-pack"

# An add-on given by a relative path: its folder opens and selecting it reads its info file,
# which, empty, is deleted as the window does.
mkdir "$root/addons"
touch "$root/addons/tank.pbo" "$root/addons/tank.txt"
env -C "$root/addons" HOME="$root" XDG_CONFIG_HOME="$root/config" QT_QPA_PLATFORM=offscreen \
    "$usr/bin/brelvik" tank.pbo >/dev/null 2>&1 &
started=$!
for _ in $(seq 100); do
    [ -e "$root/addons/tank.txt" ] || break
    sleep 0.1
done
kill "$started" 2>/dev/null || true
wait "$started" 2>/dev/null || true
[ ! -e "$root/addons/tank.txt" ] || fail "brelvik tank.pbo did not select the add-on"

if [ "${1}" = --deb ] && command -v lintian >/dev/null; then
    lintian --fail-on error,warning "$2" || fail "lintian"
fi
echo "Install tree as expected: $(cd "$root" && find . -type f -o -type l | wc -l) files"
