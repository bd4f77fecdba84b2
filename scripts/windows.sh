#!/usr/bin/env bash
# The Windows builds: cross-compiles the program, its installer and the tests
# with mingw-w64 for 64-bit Windows (the windows preset, in build/windows) and
# for 32-bit Windows (the windows-x86 preset, in build/windows-x86), then runs
# each build's tests under wine on a virtual display of our own, each in a
# fresh 64-bit wine prefix inside its build folder, which runs the 32-bit
# programs too. wineserver and Xvfb are ended by their process ids. Ends with
# the line "windows: N passed, 0 failed", counting both builds; the 64-bit
# window as painted under wine is left in build/windows/screenshot.png, in a
# contrast theme in screenshot-contrast.png and at 144 DPI in
# screenshot-144dpi.png. ANGOLI_WINDOWS_BUILD=FOLDER builds in FOLDER and
# FOLDER-x86 instead.
set -euo pipefail
cd "$(dirname "$0")/.."

[ -n "${ANGOLI_DEPS_DONE:-}" ] || bash scripts/install-deps.sh windows
build=${ANGOLI_WINDOWS_BUILD:-build/windows}  # another folder keeps two trees' builds apart
build_x86=$build-x86
cmake --preset windows -B "$build" >/dev/null
cmake --build "$build" -j 2
cmake --preset windows-x86 -B "$build_x86" >/dev/null
cmake --build "$build_x86" -j 2

# The program files of both builds, as built and as the installers carry them:
# stripped, at most 512 KB, and importing from system DLLs only, none of the
# functions that came after Windows 7, where it must start too (functions
# looked up by name as the program runs are no imports). A check that fails is
# counted, and the tests still run.
failed=0
check() { "$@" || failed=$((failed + 1)); }
system_dlls=" kernel32.dll user32.dll gdi32.dll comctl32.dll msvcrt.dll ole32.dll oleaut32.dll oleacc.dll advapi32.dll "
check_program() {
  local size dump dlls dll newer
  size=$(stat -c %s "$1")
  dump=$(x86_64-w64-mingw32-objdump -h -p "$1")
  dlls=$(sed -n 's/^\s*DLL Name: //p' <<<"$dump" | tr '[:upper:]' '[:lower:]' | sort -u)
  echo "$1: $size bytes; imports from" $dlls
  ((size <= 512 * 1024)) || { echo "larger than 512 KB" >&2; return 1; }
  if grep -q ' \.debug' <<<"$dump"; then echo "it carries debug sections" >&2; return 1; fi
  newer=$(grep -Eo '\w*(ForDpi|GetDpiFor|DpiAwareness|NonClientDpi|GetSystemTimePrecise)\w*' <<<"$dump" || true)
  [[ -z "$newer" ]] || { echo "it imports functions newer than Windows 7:" $newer >&2; return 1; }
  for dll in $dlls; do
    [[ "$system_dlls" == *" $dll "* ]] || { echo "it imports from $dll" >&2; return 1; }
  done
}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
for folder_arch in "$build:x64" "$build_x86:x86"; do
  folder=${folder_arch%:*} arch=${folder_arch##*:}
  check check_program "$folder/window/win32/angoli.exe"
  check check_program "$folder/command_line/angoli-converti.exe"
  # A console program: cmd waits for it and hands it the console's streams.
  check grep -q 'Subsystem.*Windows CUI' <<<"$(x86_64-w64-mingw32-objdump -p "$folder/command_line/angoli-converti.exe")"
  rm -rf "$folder/msi-contents"
  msiextract -C "$folder/msi-contents" "$folder/window/win32/angoli-$version-$arch.msi" >/dev/null
  check check_program "$(find "$folder/msi-contents" -name angoli.exe)"
  check check_program "$(find "$folder/msi-contents" -name angoli-converti.exe)"
done
# The icon: beside the 16-colour bitmaps, 32-bit ones with alpha at 16 and 32
# pixels, for Windows at 100 % (a PNG in the icon holds no 40-byte header).
icon=packaging/windows/angoli.ico
images=$(for ((i = 0; i < $(od -An -tu2 -j4 -N2 "$icon"); i++)); do
  at=$(od -An -tu4 -j$((6 + 16 * i + 12)) -N4 "$icon")
  printf '%d-%d-%d\n' $(od -An -tu1 -j$((6 + 16 * i)) -N1 "$icon") $(od -An -tu4 -j$at -N4 "$icon") \
    $(od -An -tu2 -j$((at + 14)) -N2 "$icon")  # side, header size, bits a pixel
done)
grep -qx 16-40-32 <<<"$images" && grep -qx 32-40-32 <<<"$images" ||
  { echo "$icon: no 32-bit 16 and 32 pixel bitmaps" >&2; failed=$((failed + 1)); }

# shellcheck source=scripts/virtual-display.sh
source scripts/virtual-display.sh
wineserver_pid=""
wine_run() { cmake/wine-run.sh "$WINEPREFIX" "$@"; }
# Ends the wine processes of the prefix (the server holds their ids), then the
# server itself by its id.
end_wineserver() {
  if [[ -n "$wineserver_pid" ]]; then
    wine_run wineserver -k 2>/dev/null || true
    kill "$wineserver_pid" 2>/dev/null || true
    wait "$wineserver_pid" 2>/dev/null || true
    wineserver_pid=""
    # Where wine 10 put the server's folder (see cmake/wine-run.sh).
    if [[ "$(cat "$WINEPREFIX/wineserver" 2>/dev/null)" =~ ^wine-[A-Za-z0-9]+$ ]]; then
      rm -rf "/tmp/$(cat "$WINEPREFIX/wineserver")"
    fi
  fi
}
# One persistent server for a run of steps, so that it has a process id of
# ours. It is ready once it holds its lock; a program started before then
# would start a server of its own.
start_wineserver() {
  cmake/wine-run.sh "$WINEPREFIX" wineserver --foreground --persistent &
  wineserver_pid=$!
  for _ in $(seq 100); do
    ls -l "/proc/$wineserver_pid/fd" 2>/dev/null | grep -q "/lock$" && break
    sleep 0.05
  done
}
trap 'end_wineserver; _end_virtual_display' EXIT
start_virtual_display

# A fresh prefix for the build in FOLDER, its server running: set_up_prefix FOLDER
set_up_prefix() {
  end_wineserver
  export WINEPREFIX="$PWD/$1/wine"
  rm -rf "$WINEPREFIX" "$WINEPREFIX.tmp" "$WINEPREFIX.home"
  start_wineserver
  wine_run wineboot --init >/dev/null
  # wine looks for fonts in the prefix only: Tahoma and MS Sans Serif come from fonts-wine.
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
  # A virtual desktop: on a bare X server every window that hides stalls.
  printf '%s\r\n' REGEDIT4 '' '[HKEY_CURRENT_USER\Software\Wine\Explorer]' '"Desktop"="Default"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' '"Default"="800x600"' >"$1/desktop.reg"
  wine_run regedit /S "Z:$PWD/$1/desktop.reg"
  # The desktop that wineboot opened is no virtual one: start afresh.
  end_wineserver
  start_wineserver
}
count=0
# The tests of the build in FOLDER, in a prefix of its own: run_tests FOLDER
run_tests() {
  echo "== the tests of $1"
  set_up_prefix "$1"
  ctest --test-dir "$1" --output-on-failure -j 2 | tee "$1/ctest.log"
  local passed
  passed=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$1/ctest.log")
  [[ -n "$passed" ]]
  count=$((count + passed))
}
run_tests "$build"

echo "== the window at 144 DPI (150 %): geometry and faces scale with the screen"
printf '%s\r\n' REGEDIT4 '' '[HKEY_CURRENT_USER\Control Panel\Desktop]' '"LogPixels"=dword:00000090' \
  >"$build/dpi.reg"
wine_run regedit /S "Z:$PWD/$build/dpi.reg"
end_wineserver  # every wine process reads the DPI as it starts
start_wineserver
wine_run "$PWD/$build/tests/win32/window_test.exe" "Z:$PWD/$build/window/win32/angoli.exe" \
  "Z:$PWD/$build/screenshot-144dpi.bmp" screenshot
count=$((count + 1))

echo "== the window in a dark contrast theme, at 96 DPI: the build that takes the theme as on"
# wine reports no contrast theme, and reads the system colours as a program starts.
printf '%s\r\n' REGEDIT4 '' '[HKEY_CURRENT_USER\Control Panel\Desktop]' '"LogPixels"=dword:00000060' '' \
  '[HKEY_CURRENT_USER\Control Panel\Colors]' '"Window"="0 0 0"' '"WindowText"="255 255 255"' \
  '"GrayText"="63 242 63"' '"ButtonFace"="0 0 0"' '"ButtonText"="255 255 255"' '"ButtonHilight"="255 255 255"' \
  '"ButtonShadow"="255 255 255"' '"ButtonDkShadow"="255 255 255"' '"ButtonLight"="255 255 255"' >"$build/contrast.reg"
wine_run regedit /S "Z:$PWD/$build/contrast.reg"
end_wineserver
start_wineserver
wine_run "$PWD/$build/tests/win32/window_test.exe" "Z:$PWD/$build/tests/win32/angoli_contrast.exe" \
  "Z:$PWD/$build/screenshot-contrast.bmp" screenshot
count=$((count + 1))

for shot in screenshot screenshot-contrast screenshot-144dpi; do convert "$build/$shot.bmp" "$build/$shot.png"; done

# The 32-bit build's tests; its window's pictures would be the same.
run_tests "$build_x86"
echo "windows: $count passed, $failed failed"
((failed == 0))
