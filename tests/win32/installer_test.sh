#!/usr/bin/env bash
# The installer under wine: installs quietly; the same package built as a
# later version then replaces it, leaving one Apps entry and only the later
# program, which starts until its window shows; the earlier package is refused
# over the later; removing leaves nothing behind.
# installer_test.sh WINE_RUN PREFIX MSI WINDOW_TEST_EXE CMAKE
set -euo pipefail
wine_run=$1 prefix=$2 msi=$3 window_test=$4 cmake=$5
folder="$prefix/drive_c/Program Files/angoli"
# The Start menu of all users on Windows; wine puts it in the user's.
shortcut() { find "$prefix/drive_c" -path "*/Start Menu/Programs/Conversione angoli.lnk"; }
msiexec() { "$wine_run" "$prefix" msiexec "$1" "Z:$2" /qn "${@:3}"; }
# One line per Apps entry of the tool: version|install location|no "Modify".
entries() {
  "$wine_run" "$prefix" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' |
    awk -F '    ' 'function flush() { if (v["DisplayName"] == "Conversione angoli")
                                         print v["DisplayVersion"] "|" v["InstallLocation"] "|" v["NoModify"]
                                       delete v }
                     /^HKEY/ { flush() } { v[$2] = $4 } END { flush() }'
}
expect_entries() { [[ "$(entries)" == "$1" ]] || { echo "Apps entries: $(entries), not: $1"; exit 1; }; }

# The later version: the minor number plus one, "1.00" -> "1.01", with a
# program that differs from the earlier one in its last bytes.
version=$(basename "$msi" .msi) version=${version#angoli-} minor=${version#*.}
later="${version%%.*}.$(printf '%0*d' "${#minor}" $((10#$minor + 1)))"
rm -rf later && mkdir later
cp "$(dirname "$msi")"/angoli.{wxs,ico,exe} later/
printf 'angoli %s\n' "$later" >>later/angoli.exe
"$cmake" -D VERSION="$later" -D FOLDER="$PWD/later" -D OUTPUT="$PWD/later/angoli-$later.msi" \
  -P "$(dirname "$0")/../../packaging/windows/build-msi.cmake"

msiexec /i "$msi"
[[ -f "$folder/angoli.exe" && -n "$(shortcut)" ]] || { echo "not installed"; exit 1; }
expect_entries "$version|C:\\Program Files\\angoli\\|0x1"
msiexec /i "$PWD/later/angoli-$later.msi"
expect_entries "$later|C:\\Program Files\\angoli\\|0x1"
cmp "$folder/angoli.exe" later/angoli.exe
"$wine_run" "$prefix" "$window_test" "C:/Program Files/angoli/angoli.exe" - start-up
if msiexec /i "$msi" /l*v "Z:$PWD/later/downgrade.log"; then echo "the earlier version installed over the later"; exit 1; fi
grep -aq "WIX_DOWNGRADE_DETECTED = {" later/downgrade.log || { echo "refused, but not as a downgrade"; exit 1; }
expect_entries "$later|C:\\Program Files\\angoli\\|0x1"
msiexec /x "$PWD/later/angoli-$later.msi"
[[ ! -e "$folder" && -z "$(shortcut)" && -z "$(entries)" ]] || { echo "left behind: $folder $(shortcut)"; exit 1; }
echo "installed, replaced by $later, downgrade refused, started and removed"
