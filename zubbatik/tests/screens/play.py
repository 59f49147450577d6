#!/usr/bin/env python3
"""Plays zubbatik through a scripted run, reading its trace as it goes.

The run's commands go to its standard input and its trace comes back line
by line, so the player can type the tracks the game builds. The keys come
from the same tables the data set is built from (zubbatik/data).

  play.py --zubbatik EXE --data DIR --sources zubbatik/data --work DIR SCENARIO

Scenarios:
  whole-game   a new game on the Russian layout at level 2: both new
               letters, three tracks typed, then the enemy catches the hero
               until the game ends; a name is entered and the records shown
  level-up     a game on the French layout at a high level, played until the
               level rises and the letter that joins is presented

Pictures go to WORK/shots; the run fails (exit 1) when the trace or the
records file is not what the scenario expects.
"""

import argparse
import os
import queue
import subprocess
import sys
import threading


def data_rows(path):
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#") or line.startswith("@"):
                continue
            yield line.split("\t")


def unicode_of(cell):
    return chr(int(cell[2:], 16)) if cell.startswith("U+") else cell


class Keys:
    """Which key byte, with which modifier, types a character of a layout."""

    SUFFIX = ["rus", "amr", "grm", "fr", "eng", "sw"]

    def __init__(self, sources, layout):
        self.code_of = {}  # unicode character -> byte of the data set's code
        for row in data_rows(os.path.join(sources, "charset.tsv")):
            self.code_of[unicode_of(row[1])] = int(row[0], 16)
        scan = {row[0]: int(row[1], 16) for row in data_rows(os.path.join(sources, "keyboards", "kbdt1.tsv"))}
        self.keys = {}  # code -> (scan, modifier or None)
        path = os.path.join(sources, "keyboards", "kbd%s.tsv" % self.SUFFIX[layout])
        for row in data_rows(path):
            for column, modifier in ((1, None), (2, 0x2A), (3, 0xB8)):
                if column < len(row) and row[column]:
                    code = self.code_of.get(unicode_of(row[column]))
                    if code is not None and code not in self.keys and row[0] in scan:
                        self.keys[code] = (scan[row[0]], modifier)
        letters = dict((row[0], row[1]) for row in data_rows(os.path.join(sources, "texts", "letters.tsv")))
        self.sequence = [self.code_of[c] for c in letters[self.SUFFIX[layout]]]

    def commands(self, code):
        key, modifier = self.keys[code]
        if modifier is None:
            return ["key %02X" % key]
        return ["down %02X" % modifier, "key %02X" % key, "up %02X" % modifier]


class Run:
    """A scripted run driven through its standard input."""

    def __init__(self, exe, data, state):
        self.proc = subprocess.Popen(
            [exe, "--headless", "--script", "-", "--data-dir", data, "--state-dir", state],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, bufsize=1)
        self.lines = queue.Queue()
        self.trace = []
        threading.Thread(target=self._read, daemon=True).start()
        self.marks = 0
        self.play = None
        self.state = None
        self.tracks = []

    def _read(self):
        for line in self.proc.stdout:
            self.lines.put(line.rstrip("\n"))
        self.lines.put(None)

    def send(self, *commands):
        for c in commands:
            self.proc.stdin.write(c + "\n")
        self.proc.stdin.flush()

    def sync(self):
        """Sends a mark and reads the trace up to it."""
        self.marks += 1
        text = "sync %d" % self.marks
        self.send("mark " + text)
        while True:
            line = self.lines.get(timeout=60)
            if line is None:
                raise RuntimeError("the run ended before '%s'" % text)
            if line == "mark " + text:
                return
            self.trace.append(line)
            word, _, rest = line.partition(" ")
            if word == "play":
                self.play = int(rest)
            elif word == "state":
                self.state = int(rest)
            elif word == "track":
                self.tracks.append([int(x, 16) for x in rest.split()])

    def wait(self, ms):
        self.send("wait %d" % ms)
        self.sync()

    def wait_for(self, test, limit_ms, step=100):
        waited = 0
        while not test():
            if waited >= limit_ms:
                raise RuntimeError("waited %d ms in vain (state %s, play %s)" % (waited, self.state, self.play))
            self.wait(step)
            waited += step

    def close(self):
        self.send("close")
        self.proc.stdin.close()
        for line in iter(lambda: self.lines.get(timeout=60), None):
            self.trace.append(line)
        return self.proc.wait(timeout=60)


def type_symbols(run, keys, symbols):
    for code in symbols:
        run.send(*keys.commands(code))
    run.sync()


def present_letters(run, keys, first=0):
    """Types each new letter the game presents until play starts; first is
    the number of letters the game had presented before this run's trace."""
    while True:
        run.wait_for(lambda: run.play in (120, 121) or run.play >= 170, 5000, 50)
        if run.play in (120, 121):
            return
        introduced = first + run.trace.count("play 160")
        run.send(*keys.commands(keys.sequence[introduced]))
        run.wait_for(lambda: run.play != 160 and run.play not in range(170, 181), 3000, 50)


def read_records(path):
    """The ten rows of Zubbatik.rdt: (name bytes, score)."""
    data = open(path, "rb").read()
    if data[:5] != b"RDTv1" or len(data) != 467:
        raise RuntimeError("%s is not a records file" % path)
    key = b"Dudarovi"
    pos, k = 7, 0
    rows = []
    for _ in range(10):
        fields = []
        for n in (15, 4):
            copy = data[pos:pos + n]
            field = bytes(b ^ key[(k + i) % 8] for i, b in enumerate(copy))
            fields.append(field)
            k = (k + 2 * n) % 8
            pos += 2 * n + 4
        rows.append((fields[0].split(b"\0")[0], int.from_bytes(fields[1], "little")))
    return rows


def whole_game(run, keys, shots, state):
    run.send("wait 1000", "key 1C", "wait 1000")  # the language menu
    run.send("key 1C", "wait 1000")               # "Play"
    run.send("shot %s/01-first-letter.png" % shots)
    run.sync()
    present_letters(run, keys)
    run.send("shot %s/02-play.png" % shots)
    score = 0
    for n in range(3):
        symbols = run.tracks[-1]
        type_symbols(run, keys, symbols[:len(symbols) // 2])
        run.send("wait 200", "shot %s/%02d-track-half.png" % (shots, 3 + n))
        type_symbols(run, keys, symbols[len(symbols) // 2:])
        score += len(symbols) - 1 + 50
        run.wait_for(lambda: len(run.tracks) == n + 2, 3000)
        present_letters(run, keys)  # a level may have risen
    run.send("shot %s/06-new-track.png" % shots)
    # Hands off: the enemy catches the hero until the damage ends the game.
    run.wait(300)
    run.send("shot %s/07-chase.png" % shots)
    run.wait_for(lambda: run.play == 131, 60000)
    run.wait(500)
    run.send("shot %s/08-caught.png" % shots)
    run.wait_for(lambda: run.state == 100, 240000, 500)
    if run.trace.count("play 130") != 4:
        raise RuntimeError("expected four catches, saw %d" % run.trace.count("play 130"))
    run.wait(600)
    run.send("shot %s/09-name-entry.png" % shots)
    name = [keys.code_of[c] for c in "Маша"]
    run.send("down 2A")
    type_symbols(run, keys, name[:1])
    run.send("up 2A")
    type_symbols(run, keys, name[1:])
    run.send("wait 200", "key 1C", "wait 1200", "shot %s/10-records.png" % shots)
    run.sync()
    if run.state != 160:
        raise RuntimeError("the records screen did not open (state %s)" % run.state)
    status = run.close()
    if status != 0:
        raise RuntimeError("the run ended with status %d" % status)
    rows = read_records(os.path.join(state, "Zubbatik.rdt"))
    if rows[0] != (bytes(name), score):
        raise RuntimeError("records row 0 is %r, expected %r" % (rows[0], (bytes(name), score)))
    print("whole game: %d tracks, score %d, %d catches, name in row 0" % (len(run.tracks), score, 4))


def level_up(run, keys, shots, state):
    # Level 27 of the French layout, chosen in the menus: the next letter
    # is a key of the number row.
    run.send("wait 1000", "key 1C", "wait 1000")
    run.send("key D0", "key D0", "key D0", "key 1C", "wait 1000")   # "Layout"
    run.send("key D0", "key D0", "key D0", "key 1C", "wait 1500")   # French
    run.send("key D0", "key 1C", "wait 1000")                       # "Level"
    run.send(*(["key CD"] * 25), "key 1C", "wait 1500")             # 27 letters
    run.send("key C8", "key C8", "key C8", "key C8", "key 1C", "wait 1000")  # "Play"
    run.sync()
    present_letters(run, keys)
    tracks_typed = 0
    while run.trace.count("play 150") == 0:
        symbols = run.tracks[-1]
        type_symbols(run, keys, symbols)
        tracks_typed += 1
        run.wait_for(lambda: len(run.tracks) == tracks_typed + 1, 3000)
        run.wait(100)
        if run.trace.count("play 150"):
            break
        if tracks_typed > 20:
            raise RuntimeError("the level never rose")
    run.wait_for(lambda: run.play in range(170, 181), 3000, 50)
    run.wait(700)
    run.send("shot %s/21-number-row-letter.png" % shots)
    run.sync()
    present_letters(run, keys, 27)
    run.send("shot %s/22-after-level-up.png" % shots)
    run.sync()
    if run.close() != 0:
        raise RuntimeError("the run failed")
    print("level up: after %d tracks the letter %02X joined" % (tracks_typed, keys.sequence[27]))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--zubbatik", required=True)
    parser.add_argument("--data", required=True)
    parser.add_argument("--sources", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("scenario", choices=["whole-game", "level-up"])
    args = parser.parse_args()
    shots = os.path.join(args.work, "shots")
    state = os.path.join(args.work, "state")
    os.makedirs(shots, exist_ok=True)
    os.makedirs(state, exist_ok=True)
    for name in ("Zubbatik.cfg", "Zubbatik.rdt"):
        if os.path.exists(os.path.join(state, name)):
            os.remove(os.path.join(state, name))
    layout = 0 if args.scenario == "whole-game" else 3
    keys = Keys(args.sources, layout)
    run = Run(args.zubbatik, args.data, state)
    try:
        (whole_game if args.scenario == "whole-game" else level_up)(run, keys, shots, state)
    except Exception as e:  # noqa: BLE001 - report and fail
        run.proc.kill()
        print("FAILED: %s" % e, file=sys.stderr)
        print("\n".join(run.trace[-40:]), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
