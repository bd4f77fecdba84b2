#!/usr/bin/env bash
# The installer under wine: installs quietly; the same package built as a
# later version then replaces it, leaving one Apps entry and only the later
# program, which starts until its window shows, and the command line program,
# which a command prompt finds on the PATH; the earlier package is refused
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
# The PATH of all users, as the registry holds it.
system_path() { "$wine_run" "$prefix" reg query 'HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment' /v PATH; }
expect_entries() { [[ "$(entries)" == "$1" ]] || { echo "Apps entries: $(entries), not: $1"; exit 1; }; }

# The later version: the minor number plus one, "1.00" -> "1.01", with a
# program that differs from the earlier one in its last bytes.
version=$(basename "$msi" .msi) version=${version#angoli-} minor=${version#*.}
later="${version%%.*}.$(printf '%0*d' "${#minor}" $((10#$minor + 1)))"
rm -rf later && mkdir later
cp "$(dirname "$msi")"/{angoli.wxs,angoli.ico,angoli.exe,angoli-converti.exe} later/
printf 'angoli %s\n' "$later" >>later/angoli.exe
"$cmake" -D VERSION="$later" -D FOLDER="$PWD/later" -D OUTPUT="$PWD/later/angoli-$later.msi" \
  -P "$(dirname "$0")/../../packaging/windows/build-msi.cmake"

msiexec /i "$msi"
[[ -f "$folder/angoli.exe" && -f "$folder/angoli-converti.exe" && -n "$(shortcut)" ]] || { echo "not installed"; exit 1; }
expect_entries "$version|C:\\Program Files\\angoli\\|0x1"
# Wine's cmd stops at an empty entry of PATH, which the upgrade below leaves
# (wine's removal keeps the ';' before the folder): found by name only here.
said=$("$wine_run" "$prefix" cmd /c "angoli-converti --version" | tr -d '\r')
[[ "$said" == "angoli-converti $version" ]] || { echo "angoli-converti by its name: $said"; exit 1; }
msiexec /i "$PWD/later/angoli-$later.msi"
expect_entries "$later|C:\\Program Files\\angoli\\|0x1"
cmp "$folder/angoli.exe" later/angoli.exe
"$wine_run" "$prefix" "$window_test" "C:/Program Files/angoli/angoli.exe" - start-up
[[ "$(system_path)" == *'Program Files\angoli'* ]] || { echo "the later version left the PATH: $(system_path)"; exit 1; }
if msiexec /i "$msi" /l*v "Z:$PWD/later/downgrade.log"; then echo "the earlier version installed over the later"; exit 1; fi
grep -aq "WIX_DOWNGRADE_DETECTED = {" later/downgrade.log || { echo "refused, but not as a downgrade"; exit 1; }
expect_entries "$later|C:\\Program Files\\angoli\\|0x1"
msiexec /x "$PWD/later/angoli-$later.msi"
[[ ! -e "$folder" && -z "$(shortcut)" && -z "$(entries)" ]] || { echo "left behind: $folder $(shortcut)"; exit 1; }
[[ "$(system_path)" != *'Program Files\angoli'* ]] || { echo "left on the PATH: $(system_path)"; exit 1; }
echo "installed, replaced by $later, downgrade refused, started, found on the PATH and removed"
