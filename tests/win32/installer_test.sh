#!/usr/bin/env bash
# The installer under wine: installs quietly, starts the installed program
# until its window shows, uninstalls, and checks that nothing stays behind.
# installer_test.sh WINE_RUN PREFIX MSI WINDOW_TEST_EXE
set -euo pipefail
wine_run=$1 prefix=$2 msi=$3 window_test=$4
folder="$prefix/drive_c/Program Files/angoli"
# The Start menu of all users on Windows; wine puts it in the user's.
shortcut() { find "$prefix/drive_c" -path "*/Start Menu/Programs/Conversione angoli.lnk"; }

"$wine_run" "$prefix" msiexec /i "Z:$msi" /qn
[[ -f "$folder/angoli.exe" && -n "$(shortcut)" ]] || { echo "not installed"; exit 1; }
"$wine_run" "$prefix" "$window_test" "C:/Program Files/angoli/angoli.exe" - start-up
"$wine_run" "$prefix" msiexec /x "Z:$msi" /qn
[[ ! -e "$folder" && -z "$(shortcut)" ]] || { echo "left behind: $folder $(shortcut)"; exit 1; }
echo "installed, started and removed"
