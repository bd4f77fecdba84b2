#!/usr/bin/env python3
"""Writes a list of angles, one a line, to standard output, the same for the
same seed: the notations people paste, in a fixed mix.

    make_angle_list.py LINES [SEED]          lines for angoli-converti
    make_angle_list.py --pairs PAIRS [SEED]  latitude-longitude pairs, written
                                             with a point, for other converters

make_angle_list.py 3 -> e.g. "45,50833", "S 12° 30,2500′", "275° 4′ 12,5″".
"""
import random
import sys


def decimals(rng, digits):
    return "".join(rng.choice("0123456789") for _ in range(digits))


def number(rng, whole, point=","):
    """A number with 0 to 6 decimals: (rng, 45) -> "45,123"."""
    places = rng.choice([0, 1, 2, 4, 5, 6])
    return str(whole) if places == 0 else f"{whole}{point}{decimals(rng, places)}"


def one_angle(rng, degrees):
    """One angle of at most `degrees` whole degrees, in one notation."""
    d = rng.randint(0, degrees)
    m, s = rng.randint(0, 59), rng.randint(0, 59)
    point = rng.choice([",", "."])
    kind = rng.randrange(6)
    if kind == 0:
        return number(rng, d, point)
    if kind == 1:
        return f"{d}\u00b0 {number(rng, m, point)}\u2032"
    if kind == 2:
        return f"{d}\u00b0 {m}\u2032 {number(rng, s, point)}\u2033"
    if kind == 3:
        return rng.choice([f"{d}:{m}:{s}", f"{d} {m} {number(rng, s, point)}", f"{d}d {m}m {s}s"])
    if kind == 4:
        return f"{d}\u00b0{m:02d}'{number(rng, s, point)}\""
    return f"{d} {number(rng, m, point)}"


# What stands around an angle: nothing, a sign, or a hemisphere letter.
def signed(rng, text):
    kind = rng.randrange(8)
    if kind == 0:
        return "-" + text
    if kind == 1:
        return "\u2212 " + text
    if kind == 2:
        return rng.choice("NS") + " " + text
    if kind == 3:
        return text + " " + rng.choice("EWO")
    return text


REFUSED = ["ciao", "45\u00b0 75\u2032", "45.4642, 9.1900", "10000", "45\u00b0 30\u00b0", "12,5\u00b0 30\u2032", ""]


def line(rng):
    roll = rng.random()
    if roll < 0.03:
        return rng.choice(REFUSED)
    if roll < 0.25:  # bearings and longitudes
        return signed(rng, one_angle(rng, rng.choice([180, 359])))
    return signed(rng, one_angle(rng, 89))


def pair_angle(rng, degrees, letters):
    """One coordinate as a point-decimal or a d ' " text, with a sign or letter."""
    d, m, s = rng.randint(0, degrees - 1), rng.randint(0, 59), rng.randint(0, 59)
    kind = rng.randrange(4)
    if kind == 0:
        text = number(rng, d, ".")
    elif kind == 1:
        text = f"{d}\u00b0{number(rng, m, '.')}\u2032"
    elif kind == 2:
        text = f"{d}\u00b0{m}\u2032{number(rng, s, '.')}\u2033"
    else:
        text = f"{d}d{m}'{number(rng, s, '.')}\""
    roll = rng.randrange(3)
    if roll == 0:
        return "-" + text
    if roll == 1 and kind != 0:
        return text + rng.choice(letters)
    return text


def main():
    args = sys.argv[1:]
    pairs = args[:1] == ["--pairs"]
    if pairs:
        args = args[1:]
    count = int(args[0])
    rng = random.Random(int(args[1]) if len(args) > 1 else 1)
    out = sys.stdout
    for _ in range(count):
        if pairs:
            out.write(f"{pair_angle(rng, 90, 'NS')} {pair_angle(rng, 180, 'EW')}\n")
        else:
            out.write(line(rng) + "\n")


if __name__ == "__main__":
    main()
