#!/usr/bin/env bash
# cmake --install puts the program, its menu entry, its icons and its AppStream metainfo where
# a desktop finds them (the entry checked by desktop-file-validate, the metainfo by appstreamcli,
# where those are installed), and the installed program answers its switches without a
# display, a window or its settings, and says in one line that it has no display. With --strip
# the program is stripped. `cpack -G DEB` makes a package of the same files, the program
# stripped, with the libraries it links as dependencies, a manual page that tells every option,
# a program built hardened, and nothing lintian calls an error or a warning.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$prefix" --strip >/dev/null

# True when the ELF file has a symbol table (is not stripped).
has_symbols() {
    LC_ALL=C readelf -S "$1" | grep -q '\.symtab'
}

# File | width and height of a PNG (empty: not a PNG)
files=(
    "bin/vkr-launcher|"
    "share/applications/vkr-launcher.desktop|"
    "share/icons/hicolor/scalable/apps/vkr-launcher.svg|"
    "share/icons/hicolor/48x48/apps/vkr-launcher.png|48 48"
    "share/icons/hicolor/256x256/apps/vkr-launcher.png|256 256"
    "share/metainfo/org.example.vkr_launcher.metainfo.xml|"
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
! has_symbols "$prefix/bin/vkr-launcher" || fail "cmake --install --strip left the symbols in"

entry=$prefix/share/applications/vkr-launcher.desktop
grep -qx 'Exec=vkr-launcher' "$entry" || fail "the menu entry does not start vkr-launcher"
grep -qx 'Icon=vkr-launcher' "$entry" || fail "the menu entry does not name the installed icon"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || fail "desktop-file-validate rejects the menu entry"
else
    echo "desktop-file-validate is not installed: the menu entry is not validated"
fi
# In German and Finnish too: the entry's texts (Name may stay the same) and the metainfo's.
for lang in de fi; do
    for key in Name GenericName Comment Keywords; do
        grep -q "^$key\[$lang\]=." "$entry" || fail "the menu entry has no $key[$lang]"
    done
done
metainfo=$prefix/share/metainfo/org.example.vkr_launcher.metainfo.xml
for lang in de fi; do
    for element in summary p li; do
        grep -q "<$element xml:lang=\"$lang\">" "$metainfo" ||
            fail "the metainfo has no $element in $lang"
    done
done
grep -q '<launchable type="desktop-id">vkr-launcher.desktop</launchable>' "$metainfo" ||
    fail "the metainfo does not name the menu entry"
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net --pedantic "$metainfo" >"$prefix/validate" ||
        fail "appstreamcli rejects the metainfo: $(cat "$prefix/validate")"
else
    echo "appstreamcli is not installed: the metainfo is not validated"
fi

# Arguments | exit status | first line of output (standard output for 0, error output else)
# No display and no platform: the program would abort if it got as far as a window.
runs=(
    "--version|0|VKR Launcher [0-9]+\.[0-9]+"
    "--help|0|usage: vkr-launcher \[--version\] \[--help\] \[--lang CODE\] \[QT OPTION...\]"
    "-h|0|usage: vkr-launcher \[--version\] \[--help\] \[--lang CODE\] \[QT OPTION...\]"
    "--version --help|0|VKR Launcher [0-9]+\.[0-9]+"
    "--help --version --help|0|VKR Launcher [0-9]+\.[0-9]+"
    "--verbose|2|vkr-launcher: unknown argument: --verbose"
    "--version --verbose|2|vkr-launcher: unknown argument: --verbose"
    "-style Fusion --stylesheet a.qss -h|0|usage: vkr-launcher .*"
    "-platform offscreen -reverse --version|0|VKR Launcher [0-9]+\.[0-9]+"
    "--version -style|2|vkr-launcher: -style needs a value"
    "--version --lang|2|vkr-launcher: --lang needs a value"
    "|1|vkr-launcher: no display to open a window on .*"
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
    if [ "$want" = 1 ]; then
        [ "$(wc -l <"$shown")" = 1 ] || fail "'$args' said more than one line: $(cat "$shown")"
    fi
    [ ! -e "$prefix/config" ] || fail "'$args' touched the settings folder"
done

# The Debian package, made in a folder of its own (cpack writes its work files there too).
if ! command -v dpkg-shlibdeps >/dev/null; then
    echo "dpkg-shlibdeps is not installed (dpkg-dev): the Debian package is not checked"
    echo "install: all checks passed"
    exit 0
fi
(cd "$build" && cpack -G DEB -B "$prefix/package" >"$prefix/cpack.log" 2>&1) ||
    fail "cpack -G DEB failed: $(tail -n 20 "$prefix/cpack.log")"
debs=("$prefix"/package/vkr-launcher_*.deb)
[ -f "${debs[0]}" ] || fail "cpack made no vkr-launcher_*.deb: $(ls "$prefix/package")"
deb=${debs[0]}
dpkg-deb -c "$deb" | awk '{print $6}' >"$prefix/contents"
for file in "${files[@]}"; do
    want="./usr/${file%%|*}"
    grep -qxF "$want" "$prefix/contents" || fail "the package lacks $want"
done
depends=$(dpkg-deb -f "$deb" Depends)
# The libraries the program links, as Debian packages.
for lib in libqt6widgets6 libqt6network6 libqt6multimedia6 libqt6gui6 libjpeg62-turbo \
    libsndfile1 libc6; do
    grep -qE "(^|, )$lib( |,|$)" <<<"$depends" || fail "the package does not depend on $lib: $depends"
done
[ "$(dpkg-deb -f "$deb" Section)" = utils ] || fail "the package is not in section utils"
dpkg-deb -x "$deb" "$prefix/root"
! has_symbols "$prefix/root/usr/bin/vkr-launcher" || fail "the packaged program is not stripped"
"$prefix/root/usr/bin/vkr-launcher" --version | grep -qxE "VKR Launcher [0-9]+\.[0-9]+" ||
    fail "the packaged program does not run"

# Built as Debian builds its packages: full RELRO, immediate binding, stack protector, fortified
# functions. Where | what shows it
program=$prefix/root/usr/bin/vkr-launcher
LC_ALL=C readelf -lW "$program" >"$prefix/segments"
LC_ALL=C readelf -dW "$program" >"$prefix/dynamic"
LC_ALL=C readelf --dyn-syms -W "$program" >"$prefix/symbols"
hardening=(
    "segments|GNU_RELRO"
    "dynamic|FLAGS.*BIND_NOW"
    "symbols|__stack_chk_fail"
    "symbols|__[a-z]+_chk@"
)
for row in "${hardening[@]}"; do
    IFS='|' read -r where what <<<"$row"
    grep -qE "$what" "$prefix/$where" || fail "the packaged program lacks $what ($where)"
done
! LC_ALL=C readelf -SW "$program" | grep -qE ' \.(comment|note) ' ||
    fail "the packaged program keeps its .comment or .note section"

# The manual page renders without a warning and tells every option --help tells.
page=$prefix/root/usr/share/man/man1/vkr-launcher.1.gz
[ -s "$page" ] || fail "the package has no manual page"
LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" >"$prefix/page" 2>"$prefix/page.err" ||
    fail "man cannot show the manual page: $(cat "$prefix/page.err")"
[ ! -s "$prefix/page.err" ] || fail "the manual page has faults: $(cat "$prefix/page.err")"
for option in $("$program" --help | grep -oE '^ +-[-a-z]+' | tr -d ' '); do
    grep -qE -- "(^| )$option( |,|$)" "$prefix/page" || fail "the manual page lacks $option"
done

# Debian's checker finds no error or warning in the package (its remarks are shown).
if command -v lintian >/dev/null; then
    lintian --pedantic --fail-on error,warning "$deb" >"$prefix/lintian" 2>&1 ||
        fail "lintian: $(cat "$prefix/lintian")"
    cat "$prefix/lintian"
else
    echo "lintian is not installed: the package is not checked by it"
fi
echo "install: all checks passed"
