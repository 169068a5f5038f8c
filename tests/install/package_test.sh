#!/usr/bin/env bash
# The Debian package as a distribution would take it: cpack builds the .deb of this build, it
# is unpacked into a scratch root (dpkg -x), what it holds passes desktop-file-validate and
# appstreamcli validate, and the installed kalvix-calc and kalvix start from there and find
# their data in share/kalvix.
#   package_test.sh BUILD_DIR
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "package test: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
debs=("$scratch"/out/kalvix_*.deb)
[ -f "${debs[0]}" ] || fail "no .deb written"
dpkg-deb --field "${debs[0]}" Depends | grep -q 'qt6-translations-l10n' ||
    fail "the package does not depend on Qt's translations"
root=$scratch/root
dpkg -x "${debs[0]}" "$root"

desktop-file-validate "$root/usr/share/applications/kalvix.desktop" ||
    fail "desktop-file-validate refused the menu entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.kalvix.Kalvix.metainfo.xml" ||
    fail "appstreamcli refused the metadata"
for page in kalvix kalvix-calc kalvix-quizdb upvarro upvarro-publish; do
    [ -f "$root/usr/share/man/man1/$page.1" ] || fail "no manual page for $page"
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "manual page of $page: $warnings"
done
[ -f "$root/usr/share/doc/kalvix/LICENSE" ] || fail "no LICENSE"
[ ! -e "$root/usr/kalvix" ] || fail "a program at the top of /usr"

# Started from the scratch root with an empty home: the sample store and guide file come
# from usr/share/kalvix.
home=$scratch/home
mkdir -p "$home"
out=$(cd / && HOME=$home XDG_DATA_HOME= "$root/usr/bin/kalvix-calc" 答题器 关键字=床前明月光) ||
    fail "the installed kalvix-calc failed"
case "$out" in *李白*) ;; *) fail "the installed kalvix-calc found no sample store: $out" ;; esac
out=$(HOME=$home "$root/usr/bin/kalvix-calc" 常用攻略 剧情攻略.剧情任务=商人的鬼魂) ||
    fail "the installed kalvix-calc failed on 常用攻略"
case "$out" in *示例攻略*) ;; *) fail "the installed kalvix-calc found no guide file: $out" ;; esac
for program in usr/bin/kalvix usr/bin/kalvix-calc usr/bin/kalvix-quizdb usr/bin/upvarro-publish \
    usr/lib/kalvix/upvarro; do
    version=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 20 "$root/$program" --version) ||
        fail "$program --version failed"
    case "$version" in *[0-9].[0-9]*) ;; *) fail "$program --version printed '$version'" ;; esac
done
# --help prints and ends, without a display and without opening a window or the wizard.
for program in usr/bin/kalvix usr/bin/kalvix-calc usr/bin/kalvix-quizdb usr/bin/upvarro-publish \
    usr/lib/kalvix/upvarro; do
    help=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= timeout 20 "$root/$program" --help) ||
        fail "$program --help failed"
    case "$help" in *[Uu]sage*) ;; *) fail "$program --help printed no usage: $help" ;; esac
done
echo "package test: $(basename "${debs[0]}") ($(du -h "${debs[0]}" | cut -f1)) passed"
