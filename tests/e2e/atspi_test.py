#!/usr/bin/python3
"""The tool seen and driven from outside, through AT-SPI, as a screen reader
would: it finds the window by its title, reads every control's role and
accessible name, chooses rows, converts an angle entered in row C, answers
two warnings, and presses "Reset" and "Chiudi".

Run it through scripts/atspi-test.sh, which starts the buses, the registry,
a virtual display and the tool. It needs Debian's python3-pyatspi, so run it
with /usr/bin/python3. ANGOLI_PID, when set, is the PID of the tool to drive.

Exit status 0 when every step passes; at the first failing step it prints
what it wanted, what it saw and the tool's whole accessible tree, and exits 1.
"""

import os
import sys
import time
import traceback

import pyatspi
from gi.repository import Atspi, GLib  # present wherever pyatspi is

TITLE = "Conversione angoli"
POLL_SECONDS = 5.0  # a push button's action fires about 100 ms after the call
POLL_INTERVAL = 0.02

# Accessible names of the cells, by the cells' own names.
CELL_NAMES = {
    "A1": "Gradi, riga A",
    "A2": "Decimali dei gradi, riga A",
    "B1": "Gradi, riga B",
    "B2": "Minuti, riga B",
    "B3": "Decimali dei minuti, riga B",
    "C1": "Gradi, riga C",
    "C2": "Minuti, riga C",
    "C3": "Secondi, riga C",
    "C4": "Decimali dei secondi, riga C",
}
OPTION_NAMES = {
    "A": "Riga A, gradi decimali",
    "B": "Riga B, gradi e minuti decimali",
    "C": "Riga C, gradi, minuti e secondi decimali",
}

# Every child of the window as a screen reader meets it: role and accessible
# name. The three "Calcola" buttons share their place and caption; only the
# chosen row's one is shown. The headers are named after what they head.
WINDOW_CHILDREN = (
    [(pyatspi.ROLE_RADIO_BUTTON, name) for name in OPTION_NAMES.values()]
    + [(pyatspi.ROLE_TEXT, name) for name in CELL_NAMES.values()]
    + [(pyatspi.ROLE_PUSH_BUTTON, caption)
       for caption in ("Calcola", "Calcola", "Calcola", "Reset", "Chiudi")]
    + [(pyatspi.ROLE_LABEL, "Intestazione " + heads)
       for heads in ("decimali dei gradi, riga A", "decimali dei minuti, riga B",
                     "minuti, riga B", "decimali dei secondi, riga C", "minuti, riga C",
                     "secondi, riga C", "gradi, riga C", "gradi, riga B", "gradi, riga A")]
    + [(pyatspi.ROLE_LABEL, caption)
       for caption in ("D=gradi   M=primi   S=secondi   d=decimali",
                       "Versione " + os.environ["ANGOLI_VERSION"])]
    + [(pyatspi.ROLE_NOTIFICATION, "")]  # speaks "Conversione eseguita" and the like
)

# The window's own role: screen readers announce a window by its title when
# it is a frame (a plain top-level QWidget would read as a filler).
WINDOW_ROLE = pyatspi.ROLE_FRAME

# Row C '45' '30' '30' '0', converted into rows A and B.
CONVERSION_ENTRY = {"C1": "45", "C2": "30", "C3": "30", "C4": "0"}
CONVERSION_RESULT = {"A1": "45", "A2": "50833", "B1": "45", "B2": "30", "B3": "5000"}

# Entries of row C that "Calcola" refuses: the warning, and the cell it is
# about afterwards. A cell that holds no number is emptied and handed back to
# the user with the focus; a number out of range stays for the user to correct.
WARNING_TITLE = "ATTENZIONE"
WARNINGS = [
    {
        "entry": {"C1": "45", "C2": "30", "C3": "30", "C4": "x"},
        "message": "Immettere un numero nella cella delle frazioni di secondi",
        "cell": "C4", "after": "", "focused": True,
    },
    {
        "entry": {"C1": "45", "C2": "60", "C3": "30", "C4": "0"},
        "message": "I minuti devono essere compresi tra 0 e 59",
        "cell": "C2", "after": "60", "focused": False,
    },
]


class Failure(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise Failure(message)


def poll(read, accept, what):
    """Reads until accept(value) holds, within POLL_SECONDS; returns the
    value, or fails with the value last seen."""
    deadline = time.monotonic() + POLL_SECONDS
    while True:
        value = read()
        if accept(value):
            return value
        if time.monotonic() > deadline:
            raise Failure(f"{what}: still {value!r} after {POLL_SECONDS:.0f} s")
        time.sleep(POLL_INTERVAL)


def fresh(accessible):
    # libatspi keeps states and children it has seen; read them anew.
    accessible.clear_cache()
    return accessible


def role_name(role):
    return Atspi.role_get_name(role)


def has_state(accessible, state):
    return fresh(accessible).getState().contains(state)


def text_of(accessible):
    return accessible.queryText().getText(0, -1)


def children(accessible):
    """The children of accessible; any that vanish while being read (a
    warning closing, the tool ending) are left out."""
    try:
        count = fresh(accessible).get_child_count()
        found = [accessible.get_child_at_index(i) for i in range(count)]
    except GLib.Error:
        return []
    return [child for child in found if child is not None]


def if_alive(read, default=None):
    """read(), or default if its object vanished meanwhile."""
    try:
        return read()
    except GLib.Error:
        return default


def act(accessible, accepted=("press", "toggle", "click", "activate")):
    """Does the control's main action, as a screen reader's "activate"."""
    action = accessible.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    for index, name in enumerate(names):
        if name.lower() in accepted:
            expect(action.doAction(index), f"{accessible.name!r}: action {name!r} refused")
            return
    raise Failure(f"{accessible.name!r} has no action among {accepted}; it has {names}")


def describe(accessible, depth=0):
    """The accessible tree from accessible down, one line per object."""
    indent = "  " * depth
    try:
        states = sorted(s.value_nick for s in fresh(accessible).getState().getStates())
        line = f"{indent}{accessible.getRoleName()} {accessible.name!r} {states}"
        if "Text" in accessible.get_interfaces():
            line += f" text={text_of(accessible)!r}"
        lines = [line]
        for child in children(accessible):
            lines.extend(describe(child, depth + 1))
        return lines
    except (GLib.Error, ValueError) as error:  # read while it changed
        return [f"{indent}(unreadable: {error})"]


class Tool:
    """The running tool as AT-SPI shows it."""

    def __init__(self, pid):
        self.pid = pid
        self.app, self.window = poll(self.find, lambda found: found[0] is not None,
                                     f"an application with a window {TITLE!r}")
        self.cells = {}
        self.options = {}

    def find(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in children(desktop):
            if self.pid and if_alive(app.get_process_id) != self.pid:
                continue
            for window in children(app):
                if if_alive(lambda: window.name) == TITLE:
                    return app, window
        return None, None

    def one_child(self, role, name):
        found = [c for c in children(self.window) if c.getRole() == role and c.name == name]
        expect(len(found) == 1, f"{len(found)} children {role_name(role)} {name!r}, not 1")
        return found[0]

    def shown_buttons(self, caption):
        return [c for c in children(self.window)
                if c.getRole() == pyatspi.ROLE_PUSH_BUTTON and c.name == caption
                and has_state(c, pyatspi.STATE_SHOWING)]

    def press(self, caption):
        shown = self.shown_buttons(caption)
        expect(len(shown) == 1, f"{len(shown)} buttons {caption!r} showing, not 1")
        act(shown[0])

    def text(self, cell):
        return text_of(self.cells[cell])

    def texts(self, cells):
        return {cell: self.text(cell) for cell in cells}

    def enter(self, entry):
        """Writes each cell's text as an assistive tool would, through the
        cell's EditableText."""
        for cell, text in entry.items():
            editable = self.cells[cell].queryEditableText()
            expect(editable.setTextContents(text), f"{cell}: text {text!r} refused")
            expect(self.text(cell) == text, f"{cell}: wrote {text!r}, reads {self.text(cell)!r}")

    def warnings(self):
        return [w for w in children(self.app) if if_alive(w.getRole) == pyatspi.ROLE_ALERT]


def find_window(tool):
    expect(tool.window.getRole() == WINDOW_ROLE,
           f"the window is a {tool.window.getRoleName()}, not a {role_name(WINDOW_ROLE)}")
    poll(lambda: has_state(tool.window, pyatspi.STATE_ACTIVE), bool, "the window active")


def read_controls(tool):
    seen = sorted((c.getRoleName(), c.name) for c in children(tool.window))
    wanted = sorted((role_name(role), name) for role, name in WINDOW_CHILDREN)
    missing = [x for x in wanted if x not in seen]
    extra = [x for x in seen if x not in wanted]
    expect(seen == wanted, f"children of the window differ: missing {missing}, unexpected {extra}")
    for cell, name in CELL_NAMES.items():
        tool.cells[cell] = tool.one_child(pyatspi.ROLE_TEXT, name)
        interfaces = tool.cells[cell].get_interfaces()
        expect("EditableText" in interfaces,
               f"{cell} {name!r} offers no EditableText: {interfaces}")
    for row, name in OPTION_NAMES.items():
        tool.options[row] = tool.one_child(pyatspi.ROLE_RADIO_BUTTON, name)


def row_problems(tool, row):
    """What differs from the window a screen reader must find once row is
    chosen: its option checked and no other, its cells writable and the
    others read-only, the focus on its first cell, one "Calcola" to press,
    and every cell empty."""
    problems = []
    for other, option in tool.options.items():
        if has_state(option, pyatspi.STATE_CHECKED) != (other == row):
            problems.append(f"option {other} {'not ' if other == row else ''}checked")
    for cell, accessible in tool.cells.items():
        if has_state(accessible, pyatspi.STATE_READ_ONLY) != (cell[0] != row):
            problems.append(f"{cell} {'writable' if cell[0] != row else 'read-only'}")
    focused = [cell for cell, a in tool.cells.items() if has_state(a, pyatspi.STATE_FOCUSED)]
    if focused != [row + "1"]:
        problems.append(f"focus on cells {focused}")
    shown = len(tool.shown_buttons("Calcola"))
    if shown != 1:
        problems.append(f"{shown} buttons 'Calcola' showing")
    filled = {cell: text for cell, text in tool.texts(CELL_NAMES).items() if text}
    if filled:
        problems.append(f"cells not empty: {filled}")
    return problems


def start_on_row_a(tool):
    poll(lambda: row_problems(tool, "A"), lambda problems: not problems, "row A at the start")


def choose(row):
    def step(tool):
        # An entry in the current row first: the new row must start empty.
        current = [r for r, option in tool.options.items()
                   if has_state(option, pyatspi.STATE_CHECKED)]
        expect(len(current) == 1 and current != [row],
               f"rows checked before choosing {row}: {current}")
        tool.enter({current[0] + "1": "1"})
        act(tool.options[row])
        poll(lambda: row_problems(tool, row), lambda problems: not problems,
             f"row {row} chosen")
    step.__name__ = f"choose_row_{row.lower()}"
    return step


def convert_row_c(tool):
    tool.enter(CONVERSION_ENTRY)
    tool.press("Calcola")
    poll(lambda: tool.texts(CONVERSION_RESULT), lambda texts: texts == CONVERSION_RESULT,
         f"rows A and B after 'Calcola' (want {CONVERSION_RESULT})")
    expect(tool.texts(CONVERSION_ENTRY) == CONVERSION_ENTRY,
           f"row C changed by its own conversion: {tool.texts(CONVERSION_ENTRY)}")
    expect(not tool.warnings(), "a warning for a valid entry")


def answer_warnings(tool):
    for case in WARNINGS:
        tool.enter(case["entry"])
        tool.press("Calcola")
        box = poll(tool.warnings, lambda found: len(found) == 1, "a warning after 'Calcola'")[0]
        expect(box.name == WARNING_TITLE, f"warning titled {box.name!r}, not {WARNING_TITLE!r}")
        labels = [d.name for d in pyatspi.findAllDescendants(
            box, lambda d: d.getRole() == pyatspi.ROLE_LABEL)]
        expect(case["message"] in labels, f"warning says {labels}, not {case['message']!r}")
        buttons = pyatspi.findAllDescendants(
            box, lambda d: d.getRole() == pyatspi.ROLE_PUSH_BUTTON)
        expect([b.name for b in buttons] == ["OK"],
               f"warning's buttons are {[b.name for b in buttons]}, not ['OK']")
        poll(lambda: has_state(buttons[0], pyatspi.STATE_FOCUSED), bool, "the focus on OK")
        act(buttons[0])
        poll(tool.warnings, lambda found: not found, "the warning after 'OK'")
        cell = case["cell"]
        poll(lambda: tool.text(cell), lambda text: text == case["after"],
             f"{cell} after the warning (want {case['after']!r})")
        if case["focused"]:
            poll(lambda: has_state(tool.cells[cell], pyatspi.STATE_FOCUSED), bool,
                 f"the focus on {cell} after the warning")


def reset(tool):
    expect(any(tool.texts(CELL_NAMES).values()), "nothing in the cells to reset")
    tool.press("Reset")
    poll(lambda: tool.texts(CELL_NAMES), lambda texts: not any(texts.values()),
         "cells after 'Reset'")


def close(tool):
    tool.press("Chiudi")
    poll(lambda: tool.find()[0] is not None, lambda found: not found,
         "the tool on the desktop after 'Chiudi'")
    if tool.pid:
        def running():
            try:
                with open(f"/proc/{tool.pid}/stat") as stat:
                    return stat.read().rsplit(")", 1)[1].split()[0] != "Z"
            except (FileNotFoundError, ProcessLookupError):  # reaped as it was read
                return False
        poll(running, lambda alive: not alive, f"process {tool.pid} running after 'Chiudi'")


STEPS = [find_window, read_controls, start_on_row_a, choose("B"), choose("C"),
         convert_row_c, answer_warnings, reset, close]


def main():
    pid = int(os.environ.get("ANGOLI_PID", "0"))
    started = time.monotonic()
    tool = None
    step_name = "find the tool"
    try:
        tool = Tool(pid)
        for step in STEPS:
            step_name = step.__name__
            step(tool)
            print(f"ok   {step_name}")
    except Exception as error:
        print(f"FAIL {step_name}: {error}")
        if not isinstance(error, Failure):
            traceback.print_exc(file=sys.stdout)
        if tool:
            print("What AT-SPI showed of the tool:")
            print("\n".join(describe(tool.app)))
        else:
            desktop = pyatspi.Registry.getDesktop(0)
            print("Applications on the desktop:",
                  [(if_alive(lambda: a.name), if_alive(a.get_process_id))
                   for a in children(desktop)])
        return 1
    print(f"accessibility test passed in {time.monotonic() - started:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
