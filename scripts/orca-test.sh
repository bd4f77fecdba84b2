#!/usr/bin/env bash
# What a blind user hears, end to end: the tool driven with real keystrokes
# under the Orca screen reader, speaking Italian, with no sound device.
# tests/e2e/orca_test.py presses the keys and checks what Orca said.
#
#   scripts/orca-test.sh [path of the tool]   (default build/dev/angoli)
#
# Everything lives in orca-test/ in the tool's build folder, and stays there
# after the run: transcript.txt (what Orca said at each step), orca-debug.txt
# (Orca's own log), speech.txt (what reached the speech server) and the
# services' logs. Started here, all ended by PID: Xvfb, a D-Bus session bus,
# the AT-SPI bus and registry, speech-dispatcher, Orca and the tool.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
[ -n "${ANGOLI_DEPS_DONE:-}" ] || bash "$repo/scripts/install-deps.sh" build orca
tool=$(realpath -m "${1:-$repo/build/dev/angoli}")
[[ -x "$tool" ]] || { echo "no tool at $tool: build it first" >&2; exit 2; }
cd "$repo"

# Orca will not start beside another Orca of the same user, and ending
# someone's screen reader is not ours to do.
if running=$(pgrep -u "$(id -u)" -x orca); then
  echo "Orca is already running for this user (PID $(echo $running)): end it first" >&2
  exit 2
fi

build=$(dirname "$tool")
while [[ ! -f "$build/CMakeCache.txt" && "$build" != / ]]; do build=$(dirname "$build"); done
[[ -f "$build/CMakeCache.txt" ]] || { echo "$tool is not in a build folder" >&2; exit 2; }
out="$build/orca-test"
rm -rf "$out"
mkdir -p "$out/runtime" "$out/home" "$out/orca" "$out/speechd/modules" "$out/locale"
chmod 0700 "$out/runtime"  # as a runtime directory must be
work="$out/runtime"

speechd_pid=""
orca_pid=""

end_all() {
  local status=$?
  set +e
  # Orca first, while the tool and the buses it talks to are still there.
  if [[ -n "$orca_pid" ]]; then end_tree "$orca_pid"; fi
  if [[ -n "$speechd_pid" ]]; then end_tree "$speechd_pid"; fi
  end_accessibility_session
  if [[ $status -ne 0 ]]; then show_logs "$work"; fi
  exit "$status"
}

source scripts/accessibility-session.sh
trap end_all EXIT

# A home, settings and caches of our own, and Italian made here rather than
# installed on the system.
export HOME="$out/home"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
localedef -i it_IT -f UTF-8 "$out/locale/it_IT.UTF-8" 2>"$work/localedef.log" \
  || { echo "localedef could not make it_IT.UTF-8" >&2; exit 1; }
export LOCPATH="$out/locale" LANG=it_IT.UTF-8 LANGUAGE=it
unset LC_ALL

# speech-dispatcher will not start without a way to play sound: ALSA's null
# device plays nothing. Its only voice appends each utterance to speech.txt.
printf 'pcm.!default { type null }\nctl.!default { type null }\n' >"$HOME/.asoundrc"
cat >"$out/speechd/speechd.conf" <<EOF
LogLevel 3
AudioOutputMethod "alsa"
AddModule "file" "sd_generic" "file.conf"
DefaultModule file
DefaultLanguage "it"
SymbolsPreproc "char"
SymbolsPreprocFile "symbols.dic"
SymbolsPreprocFile "orca.dic"
SymbolsPreprocFile "orca-chars.dic"
EOF
cat >"$out/speechd/modules/file.conf" <<EOF
GenericExecuteSynth "printf '%s\\\\n' \\'\$DATA\\' >>'$out/speech.txt'"
AddVoice "it" "MALE1" "italiano"
DefaultVoice "italiano"
GenericLanguage "it" "it" "utf-8"
EOF
: >"$out/speech.txt"
speechd_socket="$work/speech-dispatcher/speechd.sock"
export SPEECHD_ADDRESS="unix_socket:$speechd_socket"

# Orca's settings: speech through speech-dispatcher's file voice, in Italian;
# everything else, the punctuation level too, as Orca comes.
cat >"$out/orca/user-settings.conf" <<'EOF'
{
  "general": {},
  "pronunciations": {},
  "keybindings": {},
  "profiles": {
    "default": {
      "profile": ["Predefinito", "default"],
      "speechServerFactory": "orca.speechdispatcherfactory",
      "speechServerInfo": ["file", "file"],
      "voices": {
        "default": {"established": false, "family": {"name": "italiano", "lang": "it", "dialect": "", "variant": null}}
      }
    }
  }
}
EOF
# Orca writes its log in blocks; line by line, the test reads it as it goes.
cat >"$out/orca/orca-customizations.py" <<'EOF'
from orca import debug
if debug.debugFile:
    debug.debugFile.reconfigure(line_buffering=True)
EOF

start_accessibility_session "$work"

speech-dispatcher --run-single --timeout 0 --config-dir "$out/speechd" \
  --communication-method unix_socket --socket-path "$speechd_socket" \
  --log-dir "$work" --pid-file "$work/speechd.pid" 2>"$work/speechd-stderr.log" &
speechd_pid=$!
wait_for "speech-dispatcher" test -S "$speechd_socket"

orca -u "$out/orca" --debug-file "$out/orca-debug.txt" >"$work/orca.log" 2>&1 &
orca_pid=$!
# Orca greets once it listens; the tool comes after, as onto a desktop where
# the screen reader already runs.
timeout 30 sh -c 'until test -s "$0"; do sleep 0.1; done' "$out/speech.txt" || { echo "Orca did not greet" >&2; exit 1; }

start_tool "$tool" 2>"$work/tool.log"

# The scenario bounds each of its waits; the time limit guards the whole.
ANGOLI_PID=$tool_pid ORCA_TEST_DIR=$out \
  timeout 120 /usr/bin/python3 tests/e2e/orca_test.py
echo "Orca test passed in $SECONDS s"
