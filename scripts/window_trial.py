#!/usr/bin/env python3
"""Plays zubbatik in a real window as a child would, with real key presses.

Starts the program under a fresh Xvfb display with openbox, presses keys
with xdotool (the tracks to type come from the program's debug log) and
takes a screenshot of the window at every step that matters:

  game      Russian layout, level 2: both new letters, a track typed, the
            hero caught, Esc to the menu and Esc back, play on to game over,
            a name entered, the records
  level-up  French layout at a high level, played until the level rises,
            the new letter of the number row presented
  lesson    Swedish layout on keyboard type 1: the guided lesson, two
            demonstrations on its own, a letter picked with the mouse, the
            lesson closed; then a game suspended, the lesson opened and
            left, and the game resumed
  fullscreen  F11 to the whole screen (the picture twice as large, centred
            on black), a click on the picture and one on the border, F11
            back to the window

  scripts/window_trial.py [--zubbatik EXE] [--out DIR] game|level-up|lesson|fullscreen
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "zubbatik", "tests", "screens"))
from play import Keys  # noqa: E402  the key tables of the data set

# PC scan codes (as the data set's keyboard tables give them) to the X key
# names of the same physical keys on a US map.
X_NAMES = {
    0x01: "Escape", 0x0C: "minus", 0x0D: "equal", 0x0E: "BackSpace", 0x0F: "Tab", 0x1A: "bracketleft",
    0x1B: "bracketright", 0x1C: "Return", 0x27: "semicolon", 0x28: "apostrophe", 0x29: "grave",
    0x2A: "Shift_L", 0x2B: "backslash", 0x33: "comma", 0x34: "period", 0x35: "slash", 0x39: "space",
    0xB8: "ISO_Level3_Shift", 0xC8: "Up", 0xD0: "Down", 0xCB: "Left", 0xCD: "Right",
}
for i, name in enumerate("1234567890"):
    X_NAMES[0x02 + i] = name
for first, row in ((0x10, "qwertyuiop"), (0x1E, "asdfghjkl"), (0x2C, "zxcvbnm")):
    for i, name in enumerate(row):
        X_NAMES[first + i] = name


class Window:
    def __init__(self, exe, out, display=":74"):
        self.out = out
        self.xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                     stderr=subprocess.DEVNULL)
        time.sleep(1)
        self.env = dict(os.environ, DISPLAY=display, SDL_AUDIODRIVER="dummy")
        self.wm = subprocess.Popen(["openbox"], env=self.env, stderr=subprocess.DEVNULL) \
            if shutil.which("openbox") else None
        time.sleep(1)
        self.state = tempfile.mkdtemp(prefix="zubbatik-trial-")
        self.game = subprocess.Popen([exe, "--debug", "--scale", "1", "--state-dir", self.state], env=self.env,
                                     stderr=subprocess.PIPE, text=True, bufsize=1)
        self.log = []
        threading.Thread(target=lambda: self.log.extend(iter(self.game.stderr.readline, "")), daemon=True).start()
        time.sleep(2)
        ids = self.xdo("search", "--sync", "--onlyvisible", "--pid", str(self.game.pid)).split()
        self.window = ids[-1] if ids else None
        if self.window:
            self.xdo("windowactivate", "--sync", self.window)
        self.shots = 0

    def xdo(self, *words):
        return subprocess.run(["xdotool", *words], env=self.env, capture_output=True, text=True).stdout

    def click(self, x, y, button=1):
        self.xdo("mousemove", "--window", self.window, str(x), str(y))
        self.xdo("click", str(button))

    def key(self, *names, pause=0.05):
        for name in names:
            self.xdo("key", name)
            time.sleep(pause)

    def type_code(self, keys, code):
        scan, modifier = keys.keys[code]
        if modifier:
            self.xdo("keydown", X_NAMES[modifier])
            self.xdo("key", X_NAMES[scan])
            self.xdo("keyup", X_NAMES[modifier])
        else:
            self.xdo("key", X_NAMES[scan])
        time.sleep(0.04)

    def tracks(self):
        return [[int(x, 16) for x in line.split()[1:]] for line in self.log if line.startswith("track")]

    def shot(self, name):
        self.shots += 1
        path = os.path.join(self.out, "%02d-%s.png" % (self.shots, name))
        xwd = subprocess.run(["xwd", "-silent", "-root"], env=self.env, capture_output=True).stdout
        subprocess.run(["convert", "xwd:-", path], input=xwd, check=False)
        print("shot", path)

    def close(self):
        self.game.terminate()
        self.game.wait(timeout=10)
        for p in (self.wm, self.xvfb):
            if p:
                p.terminate()
        shutil.rmtree(self.state, ignore_errors=True)


def present(w, keys, index):
    """Waits for the new-letter panel, looks at it and types the letter."""
    time.sleep(1.8)
    w.type_code(keys, keys.sequence[index])
    time.sleep(0.8)


def game(w, keys):
    w.key("Return", pause=1.5)           # the language menu: Russian
    w.key("Return", pause=1.2)           # "Play"
    time.sleep(0.8)
    w.shot("first-new-letter")
    present(w, keys, 0)
    time.sleep(1.0)
    w.shot("second-new-letter")
    present(w, keys, 1)
    w.shot("play-starts")
    track = w.tracks()[-1]
    for code in track[:len(track) // 2]:
        w.type_code(keys, code)
    w.shot("half-a-track")
    for code in track[len(track) // 2:]:
        w.type_code(keys, code)
    time.sleep(1.0)
    w.shot("track-done")
    if len(w.tracks()) < 2:
        raise RuntimeError("the track was not completed")
    if keys.sequence[2] in w.tracks()[-1]:
        # The level rose: the third letter is presented first.
        w.shot("third-new-letter-opening")
        present(w, keys, 2)
    time.sleep(1.0)
    w.shot("after-the-track")
    time.sleep(12)
    w.shot("caught")
    time.sleep(2)
    w.key("Escape", pause=1.5)
    w.shot("suspended-main-menu")
    w.key("Escape", pause=1.5)
    w.shot("resumed")
    time.sleep(60)
    w.shot("game-over-name-entry")
    for code in [keys.code_of[c] for c in "Маша"]:
        w.type_code(keys, code)
    w.shot("name-typed")
    w.key("Return", pause=1.5)
    w.shot("records")


def level_up(w, keys):
    w.key("Return", pause=1.5)
    w.key("Down", "Down", "Down", "Return", pause=0.3)
    time.sleep(1.0)
    w.key("Down", "Down", "Down", "Return", pause=0.3)
    time.sleep(1.5)
    w.key("Down", "Return", pause=0.3)
    time.sleep(1.0)
    w.key(*(["Right"] * 25), pause=0.02)
    w.key("Return", pause=1.5)
    w.shot("main-menu-french-27")
    w.key("Up", "Up", "Up", "Up", "Return", pause=0.3)
    time.sleep(1.5)
    w.shot("french-play")
    for _ in range(20):
        track = w.tracks()[-1]
        count = len(w.tracks())
        for code in track:
            w.type_code(keys, code)
        for _ in range(50):
            time.sleep(0.1)
            if len(w.tracks()) > count:
                break
        if len(w.tracks()) == count:
            w.shot("track-not-completed")
            raise RuntimeError("the track was not completed")
        if keys.sequence[27] in w.tracks()[-1]:
            break
    time.sleep(1.5)
    w.shot("number-row-letter")
    w.type_code(keys, keys.sequence[27])
    time.sleep(1.5)
    w.shot("play-goes-on")


def lesson(w, keys):
    w.key("Return", pause=1.5)                                      # Russian
    w.key("Down", "Down", "Return", pause=0.3)                      # "Keyboard"
    time.sleep(1.0)
    w.key("Right", "Return", pause=0.3)                             # type 1
    time.sleep(1.5)
    w.key("Down", "Return", pause=0.3)                              # "Layout"
    time.sleep(1.0)
    w.key(*(["Down"] * 5), pause=0.1)                               # Swedish
    w.key("Return", pause=1.5)
    w.key("Up", "Up", "Return", pause=0.3)                          # "Finger lesson"
    time.sleep(1.5)
    w.shot("lesson-notice")
    w.key("space", pause=0.3)
    time.sleep(0.2)
    w.shot("hands-lifting")
    time.sleep(1.5)
    w.shot("letter-board")
    time.sleep(10.3)
    w.shot("first-demonstration")
    time.sleep(4.0)
    w.shot("second-demonstration")
    time.sleep(4.0)
    # The letter in column 3 of row 1 of the board, clicked twice: chosen,
    # then demonstrated.
    w.click(180 + 22 * 3 + 4, 34 + 17 * 1 + 7)
    time.sleep(0.3)
    w.click(180 + 22 * 3 + 4, 34 + 17 * 1 + 7)
    time.sleep(0.6)
    w.shot("picked-with-the-mouse")
    time.sleep(4.0)
    w.key("Escape", pause=1.5)
    w.shot("lesson-closed")
    # A game, suspended, with the lesson in between.
    w.key("Up", "Return", pause=0.3)                                # "Play"
    time.sleep(2.0)
    w.type_code(keys, keys.sequence[0])
    time.sleep(1.8)
    w.type_code(keys, keys.sequence[1])
    time.sleep(1.0)
    for code in w.tracks()[-1][:5]:
        w.type_code(keys, code)
    time.sleep(0.6)
    w.key("Escape", pause=1.5)
    w.shot("game-suspended")
    w.key("Down", "Return", pause=0.3)                              # "Finger lesson"
    time.sleep(1.5)
    w.key("space", pause=2.0)
    w.shot("lesson-over-suspended-game")
    w.key("Escape", pause=1.5)
    w.shot("lesson-left-game-picture-back")
    w.key("Escape", pause=1.5)
    w.shot("game-resumed")


def fullscreen(w, keys):
    del keys
    time.sleep(1.0)
    w.shot("window")
    w.key("F11", pause=1.5)
    w.shot("fullscreen-language-menu")
    # The screen is 1280 x 1024: the picture at scale 2 from (10, 72).
    w.xdo("mousemove", "5", "5")         # the border: nobody sees it
    w.xdo("click", "1")
    time.sleep(0.5)
    w.xdo("mousemove", str(10 + 2 * 300), str(72 + 2 * 200))
    w.xdo("click", "1")
    time.sleep(1.5)
    w.shot("fullscreen-after-click")
    w.key("F11", pause=1.5)
    w.shot("window-again")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--zubbatik", default=os.path.join(HERE, "..", "build", "zubbatik", "zubbatik"))
    parser.add_argument("--out", default="window-trial")
    parser.add_argument("scenario", choices=["game", "level-up", "lesson", "fullscreen"])
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    sources = os.path.join(HERE, "..", "zubbatik", "data")
    scenarios = {"game": (game, 0), "level-up": (level_up, 3), "lesson": (lesson, 5), "fullscreen": (fullscreen, 0)}
    play, layout = scenarios[args.scenario]
    keys = Keys(sources, layout)
    w = Window(args.zubbatik, args.out)
    try:
        play(w, keys)
    finally:
        w.close()


if __name__ == "__main__":
    main()
