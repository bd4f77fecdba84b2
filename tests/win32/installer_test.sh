#!/usr/bin/env bash
# The installer under wine: installs quietly, starts the installed program
# until its window shows, uninstalls, and checks that nothing stays behind.
# installer_test.sh WINE_RUN PREFIX MSI WINDOW_TEST_EXE
set -euo pipefail
wine_run=$1 prefix=$2 msi=$3 window_test=$4
drive_c="$prefix/drive_c"
program="$drive_c/Program Files/angoli/angoli.exe"
# The Start menu of all users on Windows; wine puts it in the user's.
shortcuts() { find "$drive_c" -path "*/Start Menu/Programs/Conversione angoli.lnk"; }

"$wine_run" "$prefix" msiexec /i "Z:$msi" /qn
[[ -f "$program" ]] || { echo "not installed: $program"; exit 1; }
[[ -n "$(shortcuts)" ]] || { echo "no Start-menu shortcut"; exit 1; }

"$wine_run" "$prefix" "$window_test" "C:/Program Files/angoli/angoli.exe" - start-up

"$wine_run" "$prefix" msiexec /x "Z:$msi" /qn
for left in "$program" "$(dirname "$program")"; do
  [[ ! -e "$left" ]] || { echo "left behind: $left"; exit 1; }
done
[[ -z "$(shortcuts)" ]] || { echo "left behind: $(shortcuts)"; exit 1; }
echo "installed, started and removed"
