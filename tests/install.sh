#!/usr/bin/env bash
# cmake --install puts the program, its menu entry and its icons where a desktop finds them
# (the entry checked by desktop-file-validate when that is installed), and the installed
# program answers its two switches without a display, a window or its settings.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null

# File | width and height of a PNG (empty: not a PNG)
files=(
    "bin/vkr-launcher|"
    "share/applications/vkr-launcher.desktop|"
    "share/icons/hicolor/scalable/apps/vkr-launcher.svg|"
    "share/icons/hicolor/48x48/apps/vkr-launcher.png|48 48"
    "share/icons/hicolor/256x256/apps/vkr-launcher.png|256 256"
)
for row in "${files[@]}"; do
    IFS='|' read -r file size <<<"$row"
    [ -s "$prefix/$file" ] || fail "not installed: $file"
    if [ -n "$size" ]; then
        # The PNG header's width and height, big-endian, at bytes 16 to 23.
        got=$(od -An -tu1 -j16 -N8 "$prefix/$file" |
            awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
        [ "$got" = "$size" ] || fail "$file is $got pixels, not $size"
    fi
done
[ -x "$prefix/bin/vkr-launcher" ] || fail "the installed program cannot be run"

entry=$prefix/share/applications/vkr-launcher.desktop
grep -qx 'Exec=vkr-launcher' "$entry" || fail "the menu entry does not start vkr-launcher"
grep -qx 'Icon=vkr-launcher' "$entry" || fail "the menu entry does not name the installed icon"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || fail "desktop-file-validate rejects the menu entry"
else
    echo "desktop-file-validate is not installed: the menu entry is not validated"
fi

# Arguments | exit status | first line of output (standard output for 0, error output else)
# No display and no platform: the program would abort if it got as far as a window.
runs=(
    "--version|0|VKR Launcher [0-9]+\.[0-9]+"
    "--help|0|usage: vkr-launcher \[--version \| --help\]"
    "--verbose|2|vkr-launcher: unknown argument: --verbose"
    "--version --help|2|vkr-launcher: unknown argument: --version"
    "-platform offscreen|2|vkr-launcher: unknown argument: -platform"
)
for row in "${runs[@]}"; do
    IFS='|' read -r args want first <<<"$row"
    status=0
    # shellcheck disable=SC2086
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_CONFIG_HOME="$prefix/config" \
        timeout 10 "$prefix/bin/vkr-launcher" $args >"$prefix/out" 2>"$prefix/err" || status=$?
    [ "$status" = "$want" ] || fail "'$args' gave exit status $status"
    shown=$prefix/out
    [ "$want" = 0 ] || shown=$prefix/err
    head -n1 "$shown" | grep -qxE "$first" || fail "'$args' printed: $(head -n1 "$shown")"
    [ ! -e "$prefix/config" ] || fail "'$args' touched the settings folder"
done
echo "install: all checks passed"
