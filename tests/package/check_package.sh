#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks it as a user's machine sees it: the
# files it installs and the package's relations, the menu entry and the AppStream metadata as the
# desktop's validators read them, lintian, and the program unpacked into a scratch root and
# started headless through its launcher in a fresh data folder.
# Usage: check_package.sh CPACK_COMMAND BUILD_FOLDER SOURCE_FOLDER
set -euo pipefail
cpack="$1" build="$2" source="$3"
work="$(mktemp -d)"
pid=""
trap '[[ -n $pid ]] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
id=example.morva.Morva

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack could not build the package"; }
version="$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")"
deb="$work/out/morva_${version}_$(dpkg --print-architecture).deb"
[[ -f $deb ]] || fail "no package $(basename "$deb"): $(ls "$work/out")"

# What the package installs.
root="$work/root"
dpkg -x "$deb" "$root"
usr="$root/usr"
for program in morva morva-launcher; do
  [[ -x $usr/bin/$program ]] || fail "no program bin/$program"
done
file -b "$usr/bin/morva" | grep -q 'ELF.*, stripped' || fail "bin/morva is not a stripped program"
for skin in "$source"/resources/skins/*.skn; do
  cmp -s "$skin" "$usr/share/morva/skins/$(basename "$skin")" || fail "skin $(basename "$skin") not installed"
done
[[ $(ls "$usr/share/morva/skins" | wc -l) -eq 11 ]] || fail "not eleven skins"
for picture in "$source"/resources/pictures/*.png; do
  cmp -s "$picture" "$usr/share/morva/pictures/$(basename "$picture")" ||
    fail "picture $(basename "$picture") not installed"
done
# The user's guide, which the help command opens from beside the program: its page and every
# picture it names.
guide="$usr/share/morva/guide"
cmp -s "$source/docs/guide/index.html" "$guide/index.html" || fail "the user's guide is not installed"
for picture in $(grep -o 'src="pictures/[^"]*"' "$guide/index.html" | sed 's|^src="||; s|"$||'); do
  cmp -s "$source/docs/guide/$picture" "$guide/$picture" || fail "the guide's $picture is not installed"
done
icons="$usr/share/icons/hicolor"
grep -q '<svg' "$icons/scalable/apps/$id.svg" || fail "no scalable icon"
for size in 16 22 24 32 48 64 128 256; do
  file -b "$icons/${size}x${size}/apps/$id.png" | grep -q "^PNG image data, $size x $size," ||
    fail "no ${size}x${size} icon"
done
for doc in copyright changelog.gz; do
  [[ -f $usr/share/doc/morva/$doc ]] || fail "no doc/morva/$doc"
done
changelog_version="$(zcat "$usr/share/doc/morva/changelog.gz" | dpkg-parsechangelog -l - -S Version)"
[[ $changelog_version == "$version" ]] || fail "changelog is at $changelog_version, the package at $version"
released="$(date -u -d "$(zcat "$usr/share/doc/morva/changelog.gz" | dpkg-parsechangelog -l - -S Date)" +%F)"
grep -q "<release version=\"$version\" date=\"$released\"" "$usr/share/metainfo/$id.metainfo.xml" ||
  fail "the AppStream metadata names no release $version of $released: $(grep '<release ' "$usr/share/metainfo/$id.metainfo.xml")"

depends="$(dpkg-deb -f "$deb" Depends)"
for needed in libc6 libqt6widgets6 libqt6sql6 libqt6sql6-sqlite libqt6sql6-psql libsqlite3-0 libsodium23 qt6-translations-l10n fonts-farsiweb; do
  [[ ", $depends," == *", $needed "* || ", $depends," == *", $needed,"* ]] ||
    fail "Depends lacks $needed: $depends"
done
[[ $(dpkg-deb -f "$deb" Recommends) == galculator ]] || fail "galculator is not recommended"

# The menu entry and the AppStream metadata, as the desktop reads them.
desktop="$usr/share/applications/$id.desktop"
if ! out="$(desktop-file-validate "$desktop" 2>&1)" || grep -qE '(error|warning):' <<<"$out"; then
  fail "desktop-file-validate: $out"
fi
grep -qx 'Exec=morva-launcher' "$desktop" || fail "the menu entry does not start the launcher"
appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" >"$work/appstream.log" 2>&1 ||
  { cat "$work/appstream.log"; fail "appstreamcli validate"; }
lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 ||
  { cat "$work/lintian.log"; fail "lintian reports errors or warnings"; }

# Started through the launcher, as the menu does: the data folder is made owner-only, the data
# files are created there (and nowhere else), and the program stays up with its main window.
# Waits until FILE is an SQLite database holding TABLE while the program runs.
wait_for_table() {
  local file="$1" table="$2"
  for _ in $(seq 200); do
    kill -0 "$pid" 2>/dev/null || { cat "$work/run.log"; fail "the program ended early"; }
    [[ -s $file ]] && grep -aq "CREATE TABLE \"$table\"" "$file" && return 0
    sleep 0.1
  done
  fail "$file holds no table $table"
}
start() {
  (cd "$work" && exec env "$@" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen \
     "$usr/bin/morva-launcher") >"$work/run.log" 2>&1 &
  pid=$!
}
# Checks the started program's data folder, then stops the program once it has kept running.
check_run() {
  local data="$1"
  wait_for_table "$data/DB/DB.mdb" Theme
  wait_for_table "$data/DB/DB2.mdb" IDE
  [[ $(stat -c %a "$data") == 700 ]] || fail "$data is not owner-only"
  [[ $(stat -c %a "$data/DB/DB2.mdb") == 600 ]] || fail "DB2.mdb is not owner-only"
  [[ ! -e $work/DB ]] || fail "data files were created in the folder the launcher was started from"
  sleep 0.5
  kill -0 "$pid" 2>/dev/null || { cat "$work/run.log"; fail "the program did not keep running"; }
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  pid=""
}
mkdir -m 700 "$work/runtime" "$work/home"
start HOME="$work/home"
check_run "$work/home/Morva"
start HOME="$work/home" MORVA_DATA="$work/chosen/data"
check_run "$work/chosen/data"
echo "package $(basename "$deb") checked"
