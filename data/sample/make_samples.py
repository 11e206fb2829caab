#!/usr/bin/env python3
"""Writes the two sample tables of this folder.

The samples are invented for trying the tools: pseudo-names built from random
syllables, with made-up numbers that ascend within each initial letter. They
are not the published Cutter Four-Figure or Cutter-Sanborn tables and give no
real Cutter numbers. Run it again to recreate cutter-sample.tsv and
sanborn-sample.tsv exactly (the random generator is seeded).
"""
import random

# Rough share of surnames by initial letter, so the samples look like a
# real author table in shape.
WEIGHTS = {
    "A": 3.5, "B": 9.0, "C": 7.5, "D": 5.0, "E": 2.0, "F": 3.5, "G": 5.0, "H": 7.0,
    "I": 0.6, "J": 2.0, "K": 4.0, "L": 5.0, "M": 9.0, "N": 2.0, "O": 1.5, "P": 5.0,
    "Q": 0.3, "R": 5.5, "S": 10.0, "T": 3.5, "U": 0.5, "V": 2.0, "W": 5.0, "X": 0.1,
    "Y": 0.6, "Z": 1.0,
}
ONSETS = ["", "b", "br", "c", "ch", "cl", "d", "dr", "f", "g", "gr", "h", "j", "k", "l",
          "m", "n", "p", "pr", "r", "s", "st", "t", "tr", "v", "w", "z"]
VOWELS = ["a", "e", "i", "o", "u", "ai", "ea", "ou", "y"]
CODAS = ["", "", "n", "r", "s", "l", "t", "ck", "ng", "rd", "th", "ll", "m"]


def pseudo_name(rng, initial):
    # A consonant initial is followed by a vowel, a vowel initial by a consonant.
    if initial in "AEIOU":
        name = initial + rng.choice(CODAS[2:])
    else:
        name = initial + rng.choice(VOWELS) + rng.choice(CODAS)
    for _ in range(rng.choice([0, 1, 1, 2])):
        name += rng.choice(ONSETS[1:]) + rng.choice(VOWELS) + rng.choice(CODAS)
    return name.upper()[: rng.choice([3, 4, 5, 6, 6, 7, 8])]


def make_table(seed, total, top):
    rng = random.Random(seed)
    scale = total / sum(WEIGHTS.values())
    lines = []
    for initial, weight in WEIGHTS.items():
        wanted = max(4, round(weight * scale))
        names = {initial}
        while len(names) < wanted:
            name = pseudo_name(rng, initial)
            if len(name) >= 2:
                names.add(name)
        names = sorted(names)
        step = (top - 11) / len(names)
        previous = 0
        for i, name in enumerate(names):
            number = max(previous + 1, int(11 + i * step + rng.random() * step * 0.5))
            previous = number
            lines.append(f"{name}\t{number}")
    return lines


HEADER = (
    "# SAMPLE TABLE, invented for trying the Cutter tools.\n"
    "# It is NOT the {name}: its entries are made-up\n"
    "# pseudo-names and its numbers are made up. Use a licensed copy of the\n"
    "# published table for real cataloguing.\n"
    "# Format: ENTRY<TAB>NUMBER, entries in filing-key form, ascending.\n"
)

for file, name, seed, total, top in [
    ("cutter-sample.tsv", "Cutter Four-Figure Table", 1958, 3200, 9989),
    ("sanborn-sample.tsv", "Cutter-Sanborn Four-Figure Table", 1969, 2900, 999),
]:
    with open(file, "w", encoding="ascii", newline="\n") as out:
        out.write(HEADER.format(name=name))
        out.write("\n".join(make_table(seed, total, top)) + "\n")
