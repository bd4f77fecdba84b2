#!/usr/bin/env bash
# angoli-converti as a user runs it: files and standard input, the options,
# the three exit statuses and the messages, input that is no text, each
# line's result before the input ends, a reader that leaves, and memory on a
# line of 200 MB.
# converti_test.sh PROGRAM VERSION [WINE_RUN PREFIX]: with wine, the Windows
# program, whose output must be the same bytes with "\r\n" for line ends.
set -euo pipefail
program=$1 version=$2
run=("$program") eol=$'\n'
if (($# > 2)); then
  # As cmake/wine-run.sh sets wine up, but with standard input and the two
  # outputs the program's own: they go to files here, never to a pipe that
  # wine's helpers would hold open.
  export WINEPREFIX=$4 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
  export HOME="$4.home" XDG_DATA_HOME="$4.home/.local/share" XDG_CONFIG_HOME="$4.home/.config"
  # Wine 10 aborts whenever TMPDIR is set; older wine keeps its server there.
  if wine --version | grep -q '^wine-[0-9]\.'; then export TMPDIR="$4.tmp"; else unset TMPDIR; fi
  run=(wine "$program") eol=$'\r\n'
fi
export LC_ALL=C.UTF-8  # wine reads file names in arguments as UTF-8
rm -rf converti-work && mkdir converti-work && cd converti-work
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# same FILE TEXT WHAT: the file holds TEXT with the program's line ends; a
# TEXT ending in … is the file's beginning.
same() {
  local text=${2%…}
  printf %s "${text//$'\n'/$eol}" >expected.txt
  if [[ $2 == *… ]]; then head -c "$(stat -c %s expected.txt)" "$1" >got.txt; else cp "$1" got.txt; fi
  cmp -s got.txt expected.txt || fail "$3: $(cat -A "$1")"
}

# check STATUS INPUT STDOUT STDERR ARGUMENTS…
check() {
  local status=$1 input=$2 out=$3 err=$4 got=0
  shift 4
  "${run[@]}" "$@" <"$input" >out.txt 2>err.txt || got=$?
  ((got == status)) || fail "$*: status $got, not $status"
  same out.txt "$out" "$* out"
  same err.txt "$err" "$* err"
}

printf '45,5\n\nciao\n' >rilievo.txt
printf '\xEF\xBB\xBF45,5\r\n30° 15′\r-12.25' >fine-riga.txt  # a BOM, CRLF, CR, no end on the last line
printf '4\xff5\n4\x005\n' >non-testo.txt
cp fine-riga.txt città.txt && cp fine-riga.txt ./-f.txt && mkdir cartella && : >vuoto.txt
A=$'45,5\t45,5\t45° 30,0000′\t45° 30′ 0,000″\t\n'
rilievo=$A$'\nciao\t\t\t\tnon è un angolo\n'
fine=$A$'30° 15′\t30,25000\t30° 15,0′\t30° 15′ 0,000″\t\n-12.25\t-12,25\t-12° 15,0000′\t-12° 15′ 0,000″\t\n'
punto=$'45,5\t45.5\t45° 30.0000′\t45° 30′ 0.000″\t\n30° 15′\t30.25000\t30° 15.0′\t30° 15′ 0.000″\t\n'
punto+=$'-12.25\t-12.25\t-12° 15.0000′\t-12° 15′ 0.000″\t\n'
e='angoli-converti:'
check 1 vuoto.txt "$rilievo" "$e rilievo.txt:3: non è un angolo"$'\n' rilievo.txt
check 1 rilievo.txt "$rilievo" "$e -:3: non è un angolo"$'\n'
check 0 fine-riga.txt "$punto$punto" "" fine-riga.txt --punto -
check 0 vuoto.txt "$fine" "" città.txt
check 0 vuoto.txt "$fine" "" -- -f.txt
check 1 non-testo.txt $'4\uFFFD5\t\t\t\tnon è un angolo\n'$'4\uFFFD5\t\t\t\tnon è un angolo\n' \
  "$e -:1: non è un angolo"$'\n'"$e -:2: non è un angolo"$'\n'
check 2 vuoto.txt "$fine" "$e manca.txt: file inesistente"$'\n'"$e cartella: è una cartella"$'\n' \
  manca.txt cartella fine-riga.txt
check 2 vuoto.txt "" "$e opzione sconosciuta: --punti"$'\n'"Provare 'angoli-converti --help' per l'elenco delle opzioni."$'\n' \
  --punti rilievo.txt
check 0 vuoto.txt "angoli-converti $version"$'\n' "" --version
check 0 vuoto.txt "Uso: angoli-converti [OPZIONI] [FILE...]"$'\n'"…" "" --help
got=0 && "${run[@]}" fine-riga.txt >/dev/full 2>err.txt || got=$?
((got == 2)) || fail "a full disk: status $got"
same err.txt "$e scrittura: spazio esaurito sul disco"$'\n' "a full disk"

# A reader that leaves ends the program, with no message and a status not 0
# (SIGPIPE on Linux, a failed write on Windows). Wine tells the program its
# pipe is an invalid handle, as Windows never does: there only the status counts.
(yes 45,5 | head -n 200000 | ("${run[@]}" 2>err.txt; echo $? >status.txt)) | head -c 10 >/dev/null || true
(($(<status.txt) != 0)) && [[ ! -s err.txt || $eol == $'\r\n' ]] || fail "a reader that left: status $(<status.txt), $(<err.txt)"

# start: the program reading a pipe that stays open; its process id in $pid.
start() {
  rm -f fifo && mkfifo fifo
  (exec "${run[@]}" <fifo >out.txt 2>err.txt) &
  pid=$!
  exec 3>fifo
}
start
printf '45,5\n' >&3
for _ in $(seq 100); do [[ -s out.txt ]] && break || sleep 0.1; done
same out.txt "$A" "the table line of a line whose input goes on"
exec 3>&-
wait "$pid" || fail "one line from a pipe: status $?"

# peak BYTES: the peak memory in kB over one line of BYTES digits, read while
# its input is still open. Under wine the process is wine's loader running
# the program, and the peak holds wine's own memory too.
peak() {
  start
  head -c "$1" /dev/zero | tr '\0' 5 >&3 || true
  sed -n 's/^VmHWM:\s*\([0-9]*\) kB/\1/p' "/proc/$pid/status" 2>/dev/null
  exec 3>&-
  wait "$pid" || true
}
small=$(peak 1000000) large=$(peak 200000000)
[[ -n $small && -n $large ]] && ((large < small + 4096)) || fail "peak memory: $small kB for 1 MB, $large kB for 200 MB"
((large < 20480)) || fail "peak memory: $large kB for 200 MB"
same err.txt "$e -:1: non è un angolo"$'\n' "the long line's message"
echo "peak memory: $small kB for a line of 1 MB, $large kB for a line of 200 MB"

((failures == 0)) && echo "converti: every case passed"
