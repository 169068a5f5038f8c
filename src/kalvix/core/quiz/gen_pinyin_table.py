#!/usr/bin/env python3
"""Writes the pinyin reading table of every Han character from the Unicode Han database.

usage: gen_pinyin_table.py Unihan_Readings.txt[.bz2] OUT.inc

Readings come from kMandarin (the most common one, first), kXHC1983 and kHanyuPinyin,
without tones, ü written as v, each once. The output is C++ included by pinyin_readings.cpp.
"""

import bz2
import re
import sys
import unicodedata

FIELDS = ("kMandarin", "kXHC1983", "kHanyuPinyin")


def toneless(reading):
    out = []
    for ch in unicodedata.normalize("NFD", reading.lower()):
        if ch == "\u0308":  # the diaeresis of ü
            if out and out[-1] == "u":
                out[-1] = "v"
        elif not unicodedata.combining(ch):
            out.append(ch)
    text = "".join(out)
    if not re.fullmatch(r"[a-z]+", text):
        raise ValueError("unexpected reading %r" % reading)
    return text


def readings_of(field, value):
    if field == "kMandarin":
        return value.split()
    found = []
    # kXHC1983 "0149.100:chóng 1502.040:zhòng", kHanyuPinyin "63680.020:zhòng,chóng,tóng";
    # locations may carry a '*' and one location may list several readings.
    for item in value.split():
        found.extend(item.split(":", 1)[1].split(","))
    return found


def main():
    source, target = sys.argv[1], sys.argv[2]
    opener = bz2.open if source.endswith(".bz2") else open
    fields = {}
    with opener(source, "rt", encoding="utf-8") as f:
        for line in f:
            if not line.startswith("U+"):
                continue
            code, field, value = line.rstrip("\n").split("\t", 2)
            if field in FIELDS:
                fields.setdefault(int(code[2:], 16), {})[field] = value
    table = {}
    for cp, by_field in fields.items():
        readings = []
        for field in FIELDS:
            for r in readings_of(field, by_field.get(field, "")):
                t = toneless(r)
                if t not in readings:
                    readings.append(t)
        table[cp] = readings
    syllables = sorted({r for rs in table.values() for r in rs})
    ids = {s: i for i, s in enumerate(syllables)}
    lines = [
        "// Written by gen_pinyin_table.py from the Unicode Han database at build time; do not edit.",
        "constexpr std::string_view kSyllables[] = {",
    ]
    for i in range(0, len(syllables), 10):
        lines.append("    " + " ".join('"%s",' % s for s in syllables[i:i + 10]))
    lines.append("};")
    lines.append("// Syllable numbers of every character's readings, character after character.")
    lines.append("constexpr std::uint16_t kReadingList[] = {")
    flat = []
    entries = []
    for cp in sorted(table):
        entries.append((cp, len(flat), len(table[cp])))
        flat.extend(ids[r] for r in table[cp])
    # A question's characters are packed as first reading (22 bits) and count (7 bits).
    assert len(flat) < 1 << 22 and max(e[2] for e in entries) < 1 << 7
    for i in range(0, len(flat), 16):
        lines.append("    " + " ".join("%d," % v for v in flat[i:i + 16]))
    lines.append("};")
    lines.append("// Code point, first reading in kReadingList, number of readings; by code point.")
    lines.append("constexpr HanEntry kHanEntries[] = {")
    for i in range(0, len(entries), 6):
        lines.append("    " + " ".join("{0x%X, %d, %d}," % e for e in entries[i:i + 6]))
    lines.append("};")
    with open(target, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
