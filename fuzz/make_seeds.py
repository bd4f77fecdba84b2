#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets from the tool's edge cases.

Session events, one byte each plus operands (see session_fuzz.cpp):
0 row, 1 keystrokes (cell, length % 4, bytes), 2 paste (cell, length % 32, bytes),
3 erase cell, 4 "Calcola", 5 "Reset". Cells: A1 A2 B1 B2 B3 C1 C2 C3 C4 = 0..8.
"""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
CELLS = {name: i for i, name in enumerate("A1 A2 B1 B2 B3 C1 C2 C3 C4".split())}
ROWS = {"A": 0, "B": 1, "C": 2}

ENTRIES = [
    ("A", ["45", "50833"]), ("A", ["45", "05"]), ("A", ["-5", "25"]), ("A", ["-0", "25"]),
    ("A", ["99", "99999"]), ("A", ["0", "00001"]), ("A", ["12", "-5"]), ("A", ["x5", "5"]),
    ("B", ["45", "30", "5"]), ("B", ["45", "59", "9999"]), ("B", ["99", "59", "9999"]),
    ("B", ["-0", "59", "9999"]), ("B", ["07", "05", "5"]), ("B", ["45", "75", "x"]),
    ("B", ["45", "-0", "5"]), ("B", ["45", "30", "1,5"]), ("B", ["", "", ""]),
    ("C", ["45", "30", "30", "0"]), ("C", ["45", "59", "59", "998"]),
    ("C", ["99", "59", "59", "998"]), ("C", ["0", "7", "24", "444"]),
    ("C", ["45", "75", "80", "0"]), ("C", ["45", "30", "60", "0"]),
    ("C", ["45", "30", "30", "-12"]), ("C", ["0", "0", "0", "003"]),
]


# Clipboard texts for "Incolla angolo": every notation, mark, sign and refusal.
ANGLES = ["45,50833", "45.5\u00b0", "-5,25", "45,123456", "45\u00b0 30,4998\u2032", "S 5\u00b0 15'", "12 34.56789",
          "45\u00b030'30,5\"", "45:30:30", "59\u00b0 59\u2032 59,9996\u2033", "100\u00b0", "-10\u00b0", "ciao",
          "45,5\u00b0 30\u2032", "45\u00b0 30\u00b0", "", "45d 30m 15s", "45\u00ba30\u201915''", "5\u00b0 15\u2032 O",
          "\u00a0N 45\u02da\n", "-005", "011:15"]

# Lists for the list target: the first byte draws the piece sizes (low four
# bits: the largest piece less one; top bit: numbers written with a point);
# bytes parts stand for bytes that are no UTF-8.
LISTS = [
    (0x00, "45,5\r\n\r\nciao\r\n350\u00b0 30\u2032\r\n"),
    (0x01, "\ufeff45\u00b0 30' N\r-5,25\n\n10000\r\n45.46, 9.19"),
    (0x8f, "\t45:30:30\t\n\u00a0\u202f\n359\u00b0 59\u2032 59,9996\u2033\r\r\n\r"),
    (0x03, "45\u00b0 75\u2032\n5 O\n\x00\n", b"\xff\xbf\n", "1" * 1200 + "\r\n45"),
    (0x8a, "\ufeff\ufeff-0,5\n\u2212 12 34.56789\n45d 30m 15s\n" + "x\t" * 600),
]


def session(row, texts):
    events = bytearray([0, ROWS[row]])
    names = [n for n in CELLS if n[0] == row]
    for name, text in zip(names, texts):
        data = text.encode()
        events += bytes([2, CELLS[name], len(data)]) + data
    events += bytes([4, 5])  # convert, then empty the board
    return bytes(events)


def main():
    sessions = HERE / "corpus" / "session"
    numbers = HERE / "corpus" / "number_text"
    (HERE / "corpus" / "angle_text").mkdir(parents=True, exist_ok=True)
    for i, text in enumerate(ANGLES):
        (HERE / "corpus" / "angle_text" / f"angle-{i:02d}").write_bytes(text.encode())
    lists = HERE / "corpus" / "angle_list"
    lists.mkdir(parents=True, exist_ok=True)
    for i, (pieces, *parts) in enumerate(LISTS):
        data = b"".join(p if isinstance(p, bytes) else p.encode() for p in parts)
        (lists / f"list-{i:02d}").write_bytes(bytes([pieces]) + data)
    sessions.mkdir(parents=True, exist_ok=True)
    numbers.mkdir(parents=True, exist_ok=True)
    texts = set()
    for i, (row, cells) in enumerate(ENTRIES):
        (sessions / f"entry-{i:02d}").write_bytes(session(row, cells))
        texts.update(t for t in cells if t)
        texts.add(",".join(cells[-2:]))
    texts.update(["", "-", ",5", "5,", "+5", " 5", "1e5", "5.5", "-0", "0,5", "59,9", "\u0665"])
    for i, text in enumerate(sorted(texts)):
        (numbers / f"text-{i:02d}").write_bytes(text.encode())


if __name__ == "__main__":
    main()
