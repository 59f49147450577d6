#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks the tree as the desktop
# and a user see it: every program starts from there (a scripted run of
# each, from a folder outside the source and build trees), the data, icons,
# menu entries, metadata and manual pages are where the desktop looks for
# them, and the validators accept them.
#
#   install_tree.sh BUILD_DIR
set -uo pipefail

build=${1:?usage: install_tree.sh BUILD_DIR}
work=$(mktemp -d "${TMPDIR:-/tmp}/install-tree.XXXXXX")
trap 'rm -rf "$work"' EXIT
prefix=$work/usr
share=$prefix/share
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
need_file() {
  [ -f "$1" ] || fail "missing $1"
}

if ! cmake --install "$build" --prefix "$prefix" > "$work/install.log" 2>&1; then
  tail -n 20 "$work/install.log" >&2
  echo "FAIL: cmake --install" >&2
  exit 1
fi

declare -A ids=([zubbatik]=org.typingtrainers.Zubbatik [pirvo3]=org.typingtrainers.Pirvo3
                [vorm]=org.typingtrainers.Vorm)
declare -A man_pages=([zubbatik]=6 [pirvo3]=1 [vorm]=1)

# --- The tree -----------------------------------------------------------------
for app in zubbatik pirvo3 vorm; do
  id=${ids[$app]}
  [ -x "$prefix/bin/$app" ] || fail "missing program $prefix/bin/$app"
  for size in 16 24 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x${size}/apps/$id.png
    if [ -f "$png" ]; then
      file -b "$png" | grep -q "PNG image data, $size x $size," || fail "$png is not a $size x $size PNG"
    else
      fail "missing icon $png"
    fi
  done
  svg=$share/icons/hicolor/scalable/apps/$id.svg
  need_file "$svg"
  [ -f "$svg" ] && ! grep -q '<svg' "$svg" && fail "$svg is not an SVG"
  need_file "$share/applications/$id.desktop"
  need_file "$share/metainfo/$id.metainfo.xml"
  need_file "$share/man/man${man_pages[$app]}/$app.${man_pages[$app]}.gz"
done
need_file "$share/zubbatik/Zubbatik.pal"
for folder in MDATA GDATA DDATA; do
  [ -n "$(ls -A "$share/zubbatik/$folder" 2>/dev/null)" ] || fail "no data in $share/zubbatik/$folder"
done
for file in 1.txt 2.txt 3.txt 4.txt 1e.txt 2e.txt 3e.txt Help.htm pidata/startfon.gif; do
  need_file "$share/pirvo3/$file"
done
need_file "$share/doc/typing-trainers/copyright"
need_file "$share/doc/typing-trainers/changelog.Debian.gz"

# --- Menu entries: valid, with an icon and a program that are installed ---------
for app in zubbatik pirvo3 vorm; do
  id=${ids[$app]}
  entry=$share/applications/$id.desktop
  [ -f "$entry" ] || continue
  # Hints are advice (the game belongs under both Education and Game on
  # purpose); errors and warnings are not.
  desktop-file-validate "$entry" > "$work/validate.txt" 2>&1
  status=$?
  if [ $status -ne 0 ] || grep -v ': hint: ' "$work/validate.txt" | grep -q .; then
    cat "$work/validate.txt" >&2
    fail "desktop-file-validate $entry"
  fi
  [ "$(sed -n 's/^Icon=//p' "$entry")" = "$id" ] || fail "$entry: Icon is not $id"
  exec_line=$(sed -n 's/^Exec=//p' "$entry")
  [ "${exec_line%% *}" = "$app" ] || fail "$entry: Exec '$exec_line' does not start $app"
  # The menu starts the Exec line through the PATH.
  version=$(cd "$work" && PATH="$prefix/bin:$PATH" ${exec_line%% *} --version 2>&1) ||
    fail "$entry: '$exec_line --version' failed: $version"
done

# --- Metadata: valid, screenshots installed ------------------------------------------
for app in zubbatik pirvo3 vorm; do
  id=${ids[$app]}
  metainfo=$share/metainfo/$id.metainfo.xml
  [ -f "$metainfo" ] || continue
  if ! appstreamcli validate --no-net "$metainfo" > "$work/appstream.txt" 2>&1; then
    cat "$work/appstream.txt" >&2
    fail "appstreamcli validate $metainfo"
  fi
  grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "$metainfo does not launch $id.desktop"
  shots=$(sed -n 's#.*<image>.*/\([^/<]*\)</image>.*#\1#p' "$metainfo")
  [ -n "$shots" ] || fail "$metainfo names no screenshot"
  for shot in $shots; do
    need_file "$share/$app/screenshots/$shot"
  done
done

# --- Manual pages: clean, and found by man ----------------------------------------------
for app in zubbatik pirvo3 vorm; do
  section=${man_pages[$app]}
  page=$share/man/man$section/$app.$section.gz
  [ -f "$page" ] || continue
  # Clean in a UTF-8 locale and in plain ASCII alike.
  for locale in C.UTF-8 C; do
    if ! LC_ALL=$locale MANWIDTH=80 man --warnings -l "$page" > /dev/null 2> "$work/man.txt" ||
       [ -s "$work/man.txt" ]; then
      cat "$work/man.txt" >&2
      fail "man --warnings $page in the locale $locale"
    fi
  done
  found=$(MANPATH="$share/man" man -w "$section" "$app" 2>/dev/null)
  [ "$found" = "$page" ] || fail "man -w $section $app finds '$found', not $page"
  # Every option the program knows is in its page.
  text=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$page" 2>/dev/null)
  for option in $("$prefix/bin/$app" --help 2>/dev/null | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    grep -q -- "$option" <<< "$text" || fail "$page does not describe $option"
  done
done

# --- Scripted runs of the installed programs, from outside both trees -----------------
run=$work/run
mkdir -p "$run" "$work/home" "$work/xdg-data" "$work/runtime"
chmod 700 "$work/runtime"
export HOME=$work/home XDG_DATA_HOME=$work/xdg-data XDG_RUNTIME_DIR=$work/runtime
cd "$run" || exit 1

printf 'wait 600\nkey D0\nkey 1C\nwait 1500\nshot menu.png\nclose\n' > zubbatik.script
if ! "$prefix/bin/zubbatik" --headless --script zubbatik.script --state-dir "$work/state" \
     > zubbatik.out 2> zubbatik.err; then
  cat zubbatik.err >&2
  fail "zubbatik's scripted run"
fi
grep -q '^state ' zubbatik.out || fail "zubbatik printed no screen states"
file -b menu.png 2>/dev/null | grep -q 'PNG image data, 630 x 440,' || fail "zubbatik took no 630 x 440 picture"
need_file "$work/state/Zubbatik.cfg"

printf 'dump\nclick frmtre.Label1(0)\nwait 1000\ntype ллол\nwait 1000\nshot frm1 lesson.png\n' > pirvo3.script
if ! "$prefix/bin/pirvo3" --script pirvo3.script > pirvo3.out 2> pirvo3.err; then
  cat pirvo3.err >&2
  fail "pirvo3's scripted run"
fi
grep -q '^open frm1$' pirvo3.out || fail "pirvo3 did not open the first lesson"
grep -q '^msgbox' pirvo3.out && fail "pirvo3 showed a message: $(grep '^msgbox' pirvo3.out)"
file -b lesson.png 2>/dev/null | grep -q 'PNG image data' || fail "pirvo3 took no picture"

printf 'type Школа\ndump\nshot Form1 drill.png\n' > vorm.script
if ! "$prefix/bin/vorm" --script vorm.script > vorm.out 2> vorm.err; then
  cat vorm.err >&2
  fail "vorm's scripted run"
fi
grep -q '^open Form1$' vorm.out || fail "vorm did not open its form"
grep -q 'caption=Школа' vorm.out || fail "vorm did not take the first phrase"
file -b drill.png 2>/dev/null | grep -q 'PNG image data' || fail "vorm took no picture"

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "installed tree checked"
