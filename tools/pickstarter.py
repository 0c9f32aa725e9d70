#!/usr/bin/env python3
"""Picks the starter library's puzzles by band and writes resources/starter/*.txt.

  python3 tools/pickstarter.py build/rate/ninegrove-rate

Easy to Diabolical: 50 puzzles of cb000_ser.tsv each, evenly spread over the band's puzzles in
the order of their ER (then of the file). Extreme: every puzzle of cb000_ser.tsv and top95.txt
rated 9.0 or more. Every puzzle is rated by ninegrove-rate; a cb000 puzzle whose rating is not
Sudoku Explainer's is left out. Titles are the band and the rating, numbered from the second
puzzle of the same title on: "Fiendish 4.2", "Fiendish 4.2 (2)".
"""
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DATA = ROOT / "tests" / "data"
BANDS = [("Easy", 1.0, 1.2), ("Medium", 1.3, 1.5), ("Hard", 1.6, 2.5), ("Fiendish", 2.6, 6.0),
         ("Diabolical", 6.1, 8.9), ("Extreme", 9.0, 99.0)]
PER_BAND = 50


def rate(rater, puzzles):
    out = subprocess.run([rater], input="\n".join(puzzles) + "\n", capture_output=True,
                         text=True, check=True).stdout.split("\n")
    return [float(line.split()[1][3:].split("/")[0]) for line in out if line]


def main():
    rater = sys.argv[1]
    cb = [line.split("\t") for line in (DATA / "cb000_ser.tsv").read_text().splitlines()]
    cb = [(p, float(er)) for p, er in cb]
    top95 = [line.strip() for line in (DATA / "top95.txt").read_text().splitlines()
             if len(line.strip()) == 81]
    for name, low, high in BANDS:
        inside = sorted((er, i, p) for i, (p, er) in enumerate(cb) if low <= er <= high)
        if name != "Extreme":
            step = len(inside) / PER_BAND
            inside = [inside[int(k * step)] for k in range(PER_BAND)]
        picked = [(er, "cb000_ser.tsv", p) for er, _, p in inside]
        ours = rate(rater, [p for _, _, p in picked])
        picked = [(o, src, p) for (er, src, p), o in zip(picked, ours) if abs(o - er) < 0.05]
        if name == "Extreme":
            for o, p in zip(rate(rater, top95), top95):
                if o >= low:
                    picked.append((o, "top95.txt", p))
        picked.sort(key=lambda t: t[0])
        seen = {}
        lines = [f"# {name} puzzles of the starter library: ER {low:.1f}"
                 + (f" to {high:.1f}." if high < 99 else " and above.")
                 + " See README.md for how they were chosen."]
        counts = {}
        for er, src, p in picked:
            title = f"{name} {er:.1f}"
            seen[title] = seen.get(title, 0) + 1
            if seen[title] > 1:
                title += f" ({seen[title]})"
            counts[src] = counts.get(src, 0) + 1
            lines.append(f"{p} {title}")
        (ROOT / "resources" / "starter" / f"{name}.txt").write_text("\n".join(lines) + "\n")
        print(name, len(picked), counts, picked[0][0], picked[-1][0])


if __name__ == "__main__":
    main()
