#!/usr/bin/env bash
# The installer (x64 or x86, as its name says) under wine's 64-bit prefix:
# installs quietly; a rebuilt package of the same version replaces it, and so
# does the package built as a later version, each leaving one Apps entry and
# only its own program, which starts until its window shows, and the command
# line program, which a command prompt finds on the PATH; the earlier package
# is refused over the later; removing leaves nothing behind.
# installer_test.sh WINE_RUN PREFIX MSI WINDOW_TEST_EXE CMAKE
set -euo pipefail
wine_run=$1 prefix=$2 msi=$3 window_test=$4 cmake=$5
name=$(basename "$msi" .msi) arch=${name##*-}
[[ "$arch" == x64 ]] && program_files="Program Files" || program_files="Program Files (x86)"
folder="$prefix/drive_c/$program_files/angoli"
# The Start menu of all users on Windows; wine puts it in the user's.
shortcut() { find "$prefix/drive_c" -path "*/Start Menu/Programs/Conversione angoli.lnk"; }
msiexec() { "$wine_run" "$prefix" msiexec "$1" "Z:$2" /qn "${@:3}"; }
# One line per Apps entry of the tool: version|install location|no "Modify".
# Apps shows both of the registry's views: 32-bit packages write to theirs.
entries() {
  for view in 64 32; do
    "$wine_run" "$prefix" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s /reg:$view
  done | tr -d '\r' |
    awk -F '    ' 'function flush() { if (v["DisplayName"] == "Conversione angoli")
                                         print v["DisplayVersion"] "|" v["InstallLocation"] "|" v["NoModify"]
                                       delete v }
                     /^HKEY/ { flush() } { v[$2] = $4 } END { flush() }'
}
# The PATH of all users, as the registry holds it.
system_path() { "$wine_run" "$prefix" reg query 'HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment' /v PATH; }
expect_entries() { [[ "$(entries)" == "$1" ]] || { echo "Apps entries: $(entries), not: $1"; exit 1; }; }

# The same version rebuilt, and the later version: the minor number plus
# one, "1.00" -> "1.01"; each with a program that differs from the
# installed one in its last bytes.
version=${name#angoli-} version=${version%-*} minor=${version#*.}
later="${version%%.*}.$(printf '%0*d' "${#minor}" $((10#$minor + 1)))"
# package FOLDER VERSION: FOLDER/angoli-VERSION.msi, built from the build's files.
package() {
  rm -rf "$1" && mkdir "$1"
  cp "$(dirname "$msi")"/{angoli.wxs,angoli.ico,angoli.exe,angoli-converti.exe} "$1/"
  printf 'angoli %s %s\n' "$2" "$1" >>"$1/angoli.exe"
  "$cmake" -D VERSION="$2" -D ARCH="$arch" -D FOLDER="$PWD/$1" -D OUTPUT="$PWD/$1/angoli-$2.msi" \
    -P "$(dirname "$0")/../../packaging/windows/build-msi.cmake"
}
package same "$version"
package later "$later"
installed="C:\\$program_files\\angoli\\|0x1"

msiexec /i "$msi"
[[ -f "$folder/angoli.exe" && -f "$folder/angoli-converti.exe" && -n "$(shortcut)" ]] || { echo "not installed"; exit 1; }
expect_entries "$version|$installed"
# Wine's cmd stops at an empty entry of PATH, which the upgrades below leave
# (wine's removal keeps the ';' before the folder): found by name only here.
said=$("$wine_run" "$prefix" cmd /c "angoli-converti --version" | tr -d '\r')
[[ "$said" == "angoli-converti $version" ]] || { echo "angoli-converti by its name: $said"; exit 1; }
msiexec /i "$PWD/same/angoli-$version.msi"
expect_entries "$version|$installed"
cmp "$folder/angoli.exe" same/angoli.exe
msiexec /i "$PWD/later/angoli-$later.msi"
expect_entries "$later|$installed"
cmp "$folder/angoli.exe" later/angoli.exe
"$wine_run" "$prefix" "$window_test" "C:/$program_files/angoli/angoli.exe" - start-up
[[ "$(system_path)" == *"$program_files\\angoli"* ]] || { echo "the later version left the PATH: $(system_path)"; exit 1; }
if msiexec /i "$msi" /l*v "Z:$PWD/later/downgrade.log"; then echo "the earlier version installed over the later"; exit 1; fi
grep -aq "WIX_DOWNGRADE_DETECTED = {" later/downgrade.log || { echo "refused, but not as a downgrade"; exit 1; }
expect_entries "$later|$installed"
msiexec /x "$PWD/later/angoli-$later.msi"
[[ ! -e "$folder" && -z "$(shortcut)" && -z "$(entries)" ]] || { echo "left behind: $folder $(shortcut)"; exit 1; }
[[ "$(system_path)" != *"$program_files\\angoli"* ]] || { echo "left on the PATH: $(system_path)"; exit 1; }
echo "installed ($arch), replaced by a rebuilt $version and by $later, downgrade refused, started, found on the PATH and removed"
