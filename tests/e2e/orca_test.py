#!/usr/bin/python3
"""What a blind user hears: each step of SCENARIO presses real keys (XTest,
through xdotool) and names what Orca must have said meanwhile in its debug
file. Run by scripts/orca-test.sh, which sets ORCA_TEST_DIR and ANGOLI_PID;
what Orca said at each step goes to ORCA_TEST_DIR/transcript.txt."""

import os
import re
import subprocess
import sys
import time

TITLE = "Conversione angoli"
CELL_NAMES = {"A1": "Gradi, riga A", "A2": "Decimali dei gradi, riga A",
              "B1": "Gradi, riga B", "B2": "Minuti, riga B", "B3": "Decimali dei minuti, riga B",
              "C1": "Gradi, riga C", "C2": "Minuti, riga C", "C3": "Secondi, riga C",
              "C4": "Decimali dei secondi, riga C"}
OPTION_NAMES = {"A": "Riga A, gradi decimali", "B": "Riga B, gradi e minuti decimali",
                "C": "Riga C, gradi, minuti e secondi decimali"}
# Heard with the first cell of a row just chosen.
CHOSEN = {row: "Scelta la r" + name[1:] for row, name in OPTION_NAMES.items()}
WARNING = ("ATTENZIONE", "Immettere un numero nella cella delle frazioni di secondi", "OK")

# Orca has said all it will about a key once quiet this long, and about a step
# once all it must say is heard (a loaded machine pauses it, say between a
# warning's title and message) and then the longer quiet; each wait is bounded.
KEY_QUIET_SECONDS, STEP_QUIET_SECONDS, WAIT_SECONDS = 0.3, 1.0, 8.0
# Tab and Shift+Tab must not make Orca tell of a selection, "Testo non
# selezionato" or a text and "selezionato" alone, nor say a value first: a
# cell is heard once, name first ("Minuti, riga C testo. | 30 selezionato.").
MOVED = ("each cell once, name first", r"^(?!.*(?:non selezionato|(?:^|\| )selezionato(?: \||$)"
         r"|(?:tabulazione|maiuscolo sinistro) \| [\d,]+(?: \||$)))")


def said(phrase):
    """Heard when some utterance holds phrase."""
    return phrase, re.escape(phrase)


def button(name):
    """Heard when the push button name is announced with its role: Orca 43
    says Qt's Italian for it, "pulsante"; from at-spi2-core 2.56 the word is
    AT-SPI's own, which has no Italian for "button"."""
    return f"{name} pulsante/button", re.escape(name) + " (?:pulsante|button)"


def cell(name, value=""):
    """Heard when a cell is announced by name and then, in that utterance or
    the next, its whole value: '45' read as '4' is not heard."""
    whole = rf"[^|]*(?:\| )?(?<![\d,]){re.escape(value)}(?![\d,])" if value else ""
    return CELL_NAMES[name] + (f" {value!r}" if value else ""), re.escape(CELL_NAMES[name]) + whole


# (what the user does, keys, what Orca must say meanwhile). Tab goes through
# the controls row by row, each row's option button before its cells, and
# stops only at the selected option; an arrow key there chooses a row and puts
# the focus in its first cell. Row C '45' '30' '30' '0' gives rows A and B.
RESULTS = [("C4", "0"), ("C3", "30"), ("C2", "30"), ("C1", "45"), ("option C", None),
           ("B3", "5000"), ("B2", "30"), ("B1", "45"), ("A2", "50833"), ("A1", "45")]
SCENARIO = (
    [("start", [], [said(f"{TITLE} cornice"), cell("A1")]),
     ("choose row B", ["shift+Tab", "Down"], [cell("B1"), said(CHOSEN["B"])]),
     ("choose row C", ["shift+Tab", "Down"], [cell("C1"), said(CHOSEN["C"])])]
    + [(f"type {typed}, Tab", [*typed, "Tab"], [cell(next_cell)])
       for typed, next_cell in (("45", "C2"), ("30", "C3"), ("30", "C4"))]
    + [("type 0", ["0"], [said("0")]),
       ("go to Calcola", ["Tab"], [button("Calcola")]),
       ("press Calcola", ["space"], [said("Conversione eseguita")])]
    + [(f"back to {name}", ["shift+Tab"],
        [cell(name, value) if value else said(OPTION_NAMES["C"])]) for name, value in RESULTS]
    + [("go to C4", ["Tab"] * 9, [cell("C4", "0")]),
       # Typing over the selected "0" ends its selection, and Orca 48 says so;
       # the Tab after it must not.
       ("type x", ["x"], [said("x")]),
       ("Tab to Calcola, press it", ["Tab", "space"], [said(text) for text in WARNING]),
       ("close the warning", ["Return"], [cell("C4")]),
       ("go to the option of row C", ["shift+Tab"] * 4, [said(OPTION_NAMES["C"])]),
       ("arrow up to row B", ["Up"], [cell("B1"), said(CHOSEN["B"])]),
       ("type 12, select the 2", ["1", "2", "shift+Left"], [said("2 | selezionato")]),
       ("go to Reset", ["shift+Tab"] * 5, [button("Reset")]),
       ("press Reset", ["space"], [said("Celle svuotate")]),
       ("go to Chiudi", ["Tab"], [button("Chiudi")]),
       ("press Chiudi", ["space"], [])]
)


def wait_until(done, seconds=WAIT_SECONDS):
    deadline = time.monotonic() + seconds
    while not done() and time.monotonic() < deadline:
        time.sleep(0.05)
    return done()


def spoken():
    """Bytes that have reached the speech server, to know when Orca spoke."""
    return os.path.getsize(os.path.join(os.environ["ORCA_TEST_DIR"], "speech.txt"))


def wait_quiet(since, quiet_seconds):
    """Waits until Orca has spoken past byte since and then been quiet."""
    wait_until(lambda: spoken() != since)
    last, changed = spoken(), time.monotonic()
    while time.monotonic() - changed < quiet_seconds:
        time.sleep(0.05)
        if spoken() != last:
            last, changed = spoken(), time.monotonic()


def press(keys):
    """Presses each key once Orca has spoken about the one before: Qt hands a
    key on to the screen reader and waits only 100 ms for the answer, and
    keys that overtake a late answer come out of order."""
    for key in keys:
        before = spoken()
        subprocess.run(["xdotool", "key", key], check=True)
        wait_quiet(before, KEY_QUIET_SECONDS)


def ended(pid):
    """Whether process pid has exited (a zombie has)."""
    try:
        with open(f"/proc/{pid}/stat") as stat:
            return stat.read().rsplit(")", 1)[1].split()[0] in "ZX"
    except (FileNotFoundError, ProcessLookupError):  # reaped before or as it was read
        return True


def utterances(debug_file):
    """(line, text) of each SPEECH OUTPUT line of the debug file, which Orca
    writes line by line; the voice follows the text."""
    line = re.compile(r"^\d\d:\d\d:\d\d\.\d+ - SPEECH OUTPUT: '(.*?)' ?(\{.*\}|None)?$")
    with open(debug_file, encoding="utf-8", errors="replace") as debug:
        return [(number, m.group(1).strip()) for number, m in enumerate(map(line.match, debug)) if m]


def judge(steps, spoken):
    """Gives each step what Orca said from its start to the next one's, and
    checks it. Returns the transcript lines and the failures."""
    lines, failures = [], []
    for index, (title, keys, heard, start) in enumerate(steps):
        end = steps[index + 1][3] if index + 1 < len(steps) else float("inf")
        said_here = [text for when, text in spoken if start <= when < end]
        lines.append(f"{index + 1:2}. {title}" + (f"  [{' '.join(keys)}]" if keys else ""))
        lines.extend(f"      {text}" for text in said_here)
        # What must not be said is judged once the step is over.
        for label, pattern in heard + [MOVED] * (end < float("inf") and any("Tab" in k for k in keys)):
            ok = re.search(pattern, " | ".join(said_here)) is not None
            lines.append(f"    {'ok  ' if ok else 'FAIL'} {label}")
            if not ok:
                failures.append(f"{title}: {label} not heard in {said_here}")
    return lines, failures


def main():
    debug_file = os.path.join(os.environ["ORCA_TEST_DIR"], "orca-debug.txt")
    steps = []
    for title, keys, heard in SCENARIO:
        # A step takes what Orca said from its start; the first also what it
        # said before this script ran.
        with open(debug_file, encoding="utf-8", errors="replace") as debug:
            steps.append((title, keys, heard, sum(1 for _ in debug) if steps else 0))
        before = spoken()
        press(keys)
        wait_until(lambda: not judge(steps[-1:], utterances(debug_file))[1])
        wait_quiet(before if keys else 0, STEP_QUIET_SECONDS)
    lines, failures = judge(steps, utterances(debug_file))
    if not wait_until(lambda: ended(int(os.environ["ANGOLI_PID"])), 5):
        failures.append("the tool still runs after 'Chiudi'")
    transcript = os.path.join(os.environ["ORCA_TEST_DIR"], "transcript.txt")
    with open(transcript, "w", encoding="utf-8") as file:
        file.write("\n".join(lines) + "\n")
    print("".join(f"FAIL {failure}\n" for failure in failures) + f"transcript: {transcript}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
