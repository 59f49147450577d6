#!/usr/bin/env python3
"""Drives a long random scripted run of zubbatik and reports how it went.

The run is fed through standard input (--script -), one command at a time,
each followed by a `mark` line; the trace is read up to that mark before the
next command is chosen, so every choice knows the screen the program is on.
The choices depend only on the seed and on that trace, and the program runs
on a virtual clock, so the same seed replays the same run. The commands sent
are also written to a script file, which replays the run on its own:

    zubbatik --headless --script FILE --data-dir DIR --state-dir EMPTY_DIR

Events are weighted per screen: arrows, Enter, Esc and clicks on the items in
the menus, letters (with Shift or AltGr held now and then) in the game, the
name entry and the lesson, other keys and clicks anywhere everywhere, and
waits from 1 ms to half a minute, typing pauses in the game and now and then
a pause long enough for the enemy to catch the hero. In the game the driver
learns each letter's key from the new-letter presentation (only that letter
ends it) and types the tracks the trace shows, so games complete tracks and
rise in level. The main menu's Exit item is never taken until the end, when
the run leaves through it.
"""

import argparse
import collections
import os
import random
import select
import shutil
import signal
import subprocess
import sys
import time

ESC, ENTER, BACKSPACE = 0x01, 0x1C, 0x0E
PREVIOUS = [0x48, 0xC8, 0x4B, 0xCB]  # Up, Left (numeric pad and cursor block)
NEXT = [0x50, 0xD0, 0x4D, 0xCD]  # Down, Right
ARROWS = PREVIOUS + NEXT
MODIFIERS = [0x2A, 0x36, 0xB8]  # left and right Shift, AltGr
# The keys that carry the layouts' letters, digits and signs, and Space.
LETTERS = (list(range(0x02, 0x0E)) + list(range(0x10, 0x1C)) + list(range(0x1E, 0x2A))
           + list(range(0x2B, 0x36)) + [0x56, 0x39])
# Children (and the game's first letters) keep to the middle rows.
LETTER_WEIGHTS = [4 if 0x1E <= k <= 0x28 else 2 if 0x10 <= k <= 0x1B else 1 for k in LETTERS]
OTHER_KEYS = ([0x0F, 0x1D, 0x9D, 0x38, 0x3A, 0x9C, 0xC7, 0xCF, 0xC9, 0xD1, 0xD2, 0xD3, 0xDB, 0x45, 0x46]
              + list(range(0x3B, 0x45)) + list(range(0x47, 0x54)))

MAIN_MENU = 20
EXIT_ITEM = 8
TRANSITIONS = {5, 7, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 30, 31, 32, 33, 100, 120, 200, 210}


def main_menu_item(x, y):
    """The main-menu item under a click, or None."""
    if not 169 < x < 307:
        return None
    for i in range(9):
        if 113 + 25 * i < y < 137 + 25 * i:
            return i
    return None


class Program:
    """zubbatik running a script from its standard input."""

    def __init__(self, command, stderr_path, env, timeout):
        self.stderr = open(stderr_path, "wb")
        self.proc = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=self.stderr, env=env)
        self.buffer = b""
        self.timeout = timeout
        self.ended = False
        self.hung = False

    def send(self, line):
        try:
            self.proc.stdin.write(line.encode() + b"\n")
            self.proc.stdin.flush()
            return True
        except (BrokenPipeError, OSError):
            self.ended = True
            return False

    def read_line(self):
        """The next trace line, or None once the program has ended."""
        while b"\n" not in self.buffer:
            if self.ended:
                return None
            ready, _, _ = select.select([self.proc.stdout], [], [], self.timeout)
            if not ready:
                self.hung = True
                self.ended = True
                return None
            chunk = os.read(self.proc.stdout.fileno(), 65536)
            if not chunk:
                self.ended = True
                if self.buffer:
                    line, self.buffer = self.buffer, b""
                    return line.decode(errors="replace")
                return None
            self.buffer += chunk
        line, self.buffer = self.buffer.split(b"\n", 1)
        return line.decode(errors="replace")

    def finish(self):
        """Closes standard input, waits for the end; returns (status, peak RSS in KiB)."""
        try:
            self.proc.stdin.close()
        except OSError:
            pass
        if self.hung:
            self.proc.send_signal(signal.SIGKILL)
        while True:
            chunk = os.read(self.proc.stdout.fileno(), 65536)
            if not chunk:
                break
        _, status, usage = os.wait4(self.proc.pid, 0)
        self.proc.returncode = os.waitstatus_to_exitcode(status)
        self.stderr.close()
        return self.proc.returncode, usage.ru_maxrss


class Soak:
    def __init__(self, args, program, script):
        self.rng = random.Random(args.seed)
        self.program = program
        self.script = script
        self.events = 0
        self.marks = 0
        self.virtual_ms = 0
        self.shots_dir = args.shots
        self.shot_every = max(1, args.events // 8)
        self.state = None
        self.play = None
        self.lesson = None
        self.cursor = 0  # the main menu's cursor, as far as the trace tells
        self.previous_state = None
        self.held = {}  # modifier key -> events left before it is let go
        self.inactive_for = 0
        self.counts = {"state": collections.Counter(), "play": collections.Counter(),
                       "lesson": collections.Counter()}
        self.dwell = collections.Counter()  # events sent in each state
        # The game's letters as (modifier or None, key) that ended a new-letter
        # presentation (only the letter shown ends one); forgotten when the
        # layout menu is opened.
        self.leaving = False
        self.last_letter = None
        self.game_keys = []
        # The track being typed (symbols of the data set's character code),
        # how far the driver has typed it, and which key types which symbol.
        # Which of the first letters is which is guessed until a track is
        # completed; a letter presented later belongs to the new symbol.
        self.track = []
        self.track_pos = 0
        self.char_keys = {}
        self.mapping_confirmed = False
        self.completed_tracks = 0
        self.tracks = 0
        self.sounds = 0

    # --- talking to the program -------------------------------------------

    def send(self, command, counted=True):
        """Sends one command and reads the trace up to its mark; False once the run has ended."""
        if self.program.ended:
            return False
        if self.state == MAIN_MENU and not self.leaving:
            command = self.follow_main_menu(command)
        self.script.write(command + "\n")
        if counted:
            self.events += 1
            self.dwell[self.state] += 1
        if command.startswith("wait "):
            self.virtual_ms += int(command.split()[1])
        elif command.startswith(("key ", "down ")) and int(command.split()[1], 16) in LETTERS:
            self.last_letter = (next(iter(self.held), None), int(command.split()[1], 16))
        self.marks += 1
        mark = "mark %d" % self.marks
        if not self.program.send(command) or not self.program.send(mark):
            self.drain()
            return False
        while True:
            line = self.program.read_line()
            if line is None:
                return False
            if line == mark:
                return True
            self.take(line)

    def drain(self):
        while (line := self.program.read_line()) is not None:
            self.take(line)

    def take(self, line):
        words = line.split()
        if not words:
            return
        kind = words[0]
        if kind in self.counts and len(words) == 2 and words[1].isdigit():
            number = int(words[1])
            self.counts[kind][number] += 1
            if kind == "state":
                if self.state == MAIN_MENU and 11 <= number <= 19:
                    self.cursor = number - 11  # Enter or a click took item number - 11
                self.previous_state, self.state = self.state, number
                if number == 22:
                    self.game_keys.clear()
                    self.char_keys.clear()
                    self.mapping_confirmed = False
                self.play = None if number not in (50, 51) else self.play
                self.lesson = None if number != 60 else self.lesson
            elif kind == "play":
                if number == 110:
                    self.mapping_confirmed = True
                    self.completed_tracks += 1
                elif number == 100 and not self.mapping_confirmed:
                    self.char_keys.clear()
                if number == 160 and self.play is not None and 170 <= self.play <= 180 \
                        and self.last_letter is not None and self.last_letter not in self.game_keys:
                    self.game_keys.append(self.last_letter)
                self.play = number
            else:
                self.lesson = number
        elif kind == "track":
            self.tracks += 1
            self.track = [int(w, 16) for w in words[1:]]
            self.track_pos = 0
        elif kind == "sound":
            self.sounds += 1

    # --- choosing -----------------------------------------------------------

    def pick(self, table):
        """Runs one action, chosen from a list of (weight, action), and returns its command."""
        total = sum(w for w, _ in table)
        r = self.rng.uniform(0, total)
        for w, action in table:
            r -= w
            if r <= 0:
                return action()
        return table[-1][1]()

    def key(self, byte):
        return "key %02X" % byte

    def letter(self):
        return self.key(self.rng.choices(LETTERS, LETTER_WEIGHTS)[0])

    def any_key(self):
        r = self.rng.random()
        if r < 0.5:
            return self.key(self.rng.choice(OTHER_KEYS))
        if r < 0.8:
            return self.letter()
        return self.key(self.rng.randint(1, 255))

    def any_click(self):
        x, y = self.rng.randrange(630), self.rng.randrange(440)
        return "%s %d %d" % ("click" if self.rng.random() < 0.8 else "rclick", x, y)

    def click_in(self, left, top, right, bottom):
        """A left click strictly inside the bounds (exclusive, as the menus test them)."""
        return "click %d %d" % (self.rng.randint(left + 1, right - 1), self.rng.randint(top + 1, bottom - 1))

    def arrow(self):
        return self.key(self.rng.choice(ARROWS))

    def language_menu(self):
        i = self.rng.randrange(4)
        return self.pick([(40, self.arrow), (15, lambda: self.key(ENTER)), (4, lambda: self.key(ESC)),
                          (22, lambda: self.click_in(214, 156 + 27 * i, 454, 182 + 27 * i)),
                          (3, lambda: "rclick 300 200"), (8, self.any_key), (8, self.any_click)])

    def main_menu_click(self):
        items = [0, 1, 2, 3, 4, 5, 6, 7, 8]
        weights = [30, 22, 7, 7, 7, 6, 6, 8, 2 if self.cursor != EXIT_ITEM else 0]
        i = self.rng.choices(items, weights)[0]
        return self.click_in(169, 113 + 25 * i, 307, 137 + 25 * i)

    def main_menu(self):
        return self.pick([(25, self.arrow), (22, lambda: self.key(ENTER)), (30, self.main_menu_click),
                          (8, lambda: self.key(ESC)), (6, self.any_key), (6, self.any_click),
                          (2, lambda: "rclick 200 200")])

    def follow_main_menu(self, command):
        """Follows the main menu's cursor through a command sent there, turning
        a command that would take the Exit item into one that does not."""
        words = command.split()
        if words[0] in ("key", "down"):
            byte = int(words[1], 16)
            if byte == ENTER and self.cursor == EXIT_ITEM:
                return "%s 39" % words[0]  # Space: nothing
            if byte in ARROWS:
                self.cursor = (self.cursor + (-1 if byte in PREVIOUS else 1)) % 9
        elif words[0] == "click":
            i = main_menu_item(int(words[1]), int(words[2]))
            if i == EXIT_ITEM and self.cursor == EXIT_ITEM:
                return "click 5 5"  # beside the menu: nothing
            if i is not None:
                self.cursor = i
        return command

    def keyboard_menu(self):
        i = self.rng.randrange(3)
        return self.pick([(30, self.arrow), (20, lambda: self.key(ENTER)), (10, lambda: self.key(ESC)),
                          (25, lambda: self.click_in(192 + 85 * i, 152, 276 + 85 * i, 320)),
                          (5, lambda: "rclick 300 300"), (5, self.any_key), (5, self.any_click)])

    def layout_menu(self):
        i = self.rng.randrange(6)
        return self.pick([(30, self.arrow), (20, lambda: self.key(ENTER)), (10, lambda: self.key(ESC)),
                          (25, lambda: self.click_in(254, 163 + 27 * i, 419, 189 + 27 * i)),
                          (5, lambda: "rclick 300 300"), (5, self.any_key), (5, self.any_click)])

    def level_menu(self):
        # Mostly low levels: those games present their letters, which the
        # driver learns to type.
        return self.pick([(20, lambda: self.key(self.rng.choice(PREVIOUS))), (8, self.arrow),
                          (15, lambda: self.key(ENTER)), (8, lambda: self.key(ESC)),
                          (20, lambda: self.click_in(216, 130, 254, 147)),
                          (10, lambda: self.click_in(216, 130, 425, 317)),
                          (4, lambda: "rclick 300 300"), (4, self.any_key), (4, self.any_click)])

    def name_entry(self):
        return self.pick([(60, self.letter), (10, lambda: self.key(BACKSPACE)), (6, lambda: self.key(ENTER)),
                          (3, lambda: self.key(ESC)), (3, lambda: "click 300 300"), (1, lambda: "rclick 9 9"),
                          (5, self.any_key)])

    def records(self):
        return self.pick([(10, lambda: self.key(ESC)), (10, lambda: self.key(ENTER)), (5, self.any_click),
                          (10, self.any_key)])

    def key_for(self, char):
        """(modifier or None, key) typing a symbol of the track, or None when unknown."""
        if char == 0x20:
            return (None, 0x39)
        if char in self.char_keys:
            return self.char_keys[char]
        free = [k for k in self.game_keys if k not in self.char_keys.values()]
        if not free:
            return None
        self.char_keys[char] = free[-1] if self.mapping_confirmed else self.rng.choice(free)
        return self.char_keys[char]

    def wrong_key(self):
        """A key that types no symbol of the track (so the typing stays in step)."""
        known = {k for _, k in self.char_keys.values()} | {0x39}
        while True:
            command = self.pick([(12, self.letter), (6, self.any_key), (3, self.arrow),
                                 (2, lambda: self.key(BACKSPACE))])
            if int(command.split()[1], 16) not in known:
                return command

    def type_track(self):
        """The next symbol of the track, as far as the driver knows it."""
        if self.track_pos >= len(self.track):
            return self.wrong_key()
        typed = self.key_for(self.track[self.track_pos])
        if typed is None:
            return self.letter()
        modifier, byte = typed
        held = next(iter(self.held), None)
        if held is not None and held != modifier:
            return self.wrong_key()
        self.track_pos += 1
        if modifier is None or held == modifier:
            return self.key(byte)
        self.send("down %02X" % modifier)
        self.send(self.key(byte))
        return "up %02X" % modifier

    def game(self):
        if self.play in (120, 121):  # typing
            return self.pick([(75, self.type_track), (15, self.wrong_key), (2, lambda: self.key(ESC)),
                              (3, self.any_click), (1, lambda: self.key(0x1D))])
        if self.play is not None and 150 <= self.play <= 180:  # a new letter is shown
            return self.pick([(85, self.letter), (5, lambda: self.key(ESC)), (5, self.any_click),
                              (5, self.any_key)])
        return self.pick([(50, self.letter), (10, lambda: self.key(ESC)), (20, self.any_key),
                          (5, self.any_click)])

    def lesson_screen(self):
        if self.lesson == 131:  # choosing a letter
            col, row = self.rng.randrange(12), self.rng.randrange(10)
            return self.pick([(30, self.arrow), (8, lambda: self.key(ENTER)), (25, self.letter),
                              (22, lambda: self.click_in(180 + 22 * col, 34 + 17 * row,
                                                         180 + 22 * col + 22, 34 + 17 * row + 17)),
                              (3, lambda: self.key(ESC)), (2, lambda: "rclick 300 100"),
                              (4, self.any_key), (4, self.any_click)])
        return self.pick([(30, self.letter), (10, self.arrow), (3, lambda: self.key(ESC)),
                          (8, self.any_key), (6, self.any_click)])

    def input_command(self):
        s = self.state
        if s == 6:
            return self.language_menu()
        if s == MAIN_MENU:
            return self.main_menu()
        if s == 21:
            return self.keyboard_menu()
        if s == 22:
            return self.layout_menu()
        if s == 23:
            return self.level_menu()
        if s == 150:
            return self.name_entry()
        if s == 160:
            return self.records()
        if s in (50, 51):
            return self.game()
        if s == 60:
            return self.lesson_screen()
        if s in TRANSITIONS:
            return self.pick([(5, self.any_key), (3, self.arrow), (2, self.any_click)])
        return self.pick([(5, self.any_key), (5, self.any_click)])

    def wait_ms(self):
        typing = self.state in (50, 51) and self.play in (120, 121)
        r = self.rng.random()
        if r < 0.004:
            return self.rng.randint(5000, 30000)  # long enough for the enemy to catch the hero
        if r < 0.03:
            return self.rng.randint(1000, 5000)
        if r < 0.15:
            return self.rng.randint(1, 20)
        if typing:
            return self.rng.randint(120, 900)
        if self.state in TRANSITIONS:
            return self.rng.randint(40, 700)
        return self.rng.randint(20, 600)

    def step(self):
        """Sends the next event (one command); False once the run has ended."""
        if self.shots_dir and self.events % self.shot_every == self.shot_every - 1:
            name = "%07d-state%s%s.png" % (self.events + 1, self.state,
                                           "-play%s" % self.play if self.play is not None else
                                           "-lesson%s" % self.lesson if self.lesson is not None else "")
            return self.send("shot " + os.path.join(self.shots_dir, name))
        if self.inactive_for > 0:
            self.inactive_for -= 1
            if self.inactive_for == 0:
                return self.send("activate 1")
        for byte in list(self.held):
            self.held[byte] -= 1
            if self.held[byte] <= 0:
                del self.held[byte]
                return self.send("up %02X" % byte)
        r = self.rng.random()
        if r < 0.55 and self.previous_was_input:
            self.previous_was_input = False
            return self.send("wait %d" % self.wait_ms())
        self.previous_was_input = True
        if r < 0.57 and not self.held:
            byte = self.rng.choice(MODIFIERS)
            self.held[byte] = self.rng.randint(1, 8)
            return self.send("down %02X" % byte)
        if r < 0.572 and self.inactive_for == 0:
            self.inactive_for = self.rng.randint(1, 6)
            return self.send("activate 0")
        if r < 0.58:
            # A key held down long enough to repeat (never one that moves the
            # main menu's cursor, which is followed one step at a time).
            byte = self.rng.choice(LETTERS)
            if self.state != MAIN_MENU and self.rng.random() < 0.3:
                byte = self.rng.choice(ARROWS + [BACKSPACE])
            ok = True
            for _ in range(self.rng.randint(2, 5)):
                ok = ok and self.send("down %02X" % byte)
            return ok and self.send("up %02X" % byte)
        return self.send(self.input_command())

    def rss_kib(self):
        try:
            with open("/proc/%d/status" % self.program.proc.pid) as f:
                for line in f:
                    if line.startswith("VmRSS:"):
                        return int(line.split()[1])
        except OSError:
            pass
        return None

    def run(self, count):
        self.previous_was_input = False
        self.rss_samples = []  # (events, virtual hours, resident KiB) at every tenth of the run
        tenth = max(1, count // 10)
        while self.events < count:
            if not self.step():
                return False
            if self.events // tenth > len(self.rss_samples):
                self.rss_samples.append((self.events, self.virtual_ms / 3.6e6, self.rss_kib()))
        return True

    def leave(self):
        """Ends the run through the main menu's Exit item; returns how it ended."""
        for byte in list(self.held):
            self.send("up %02X" % byte, counted=False)
        self.held.clear()
        if self.inactive_for:
            self.send("activate 1", counted=False)
        for _ in range(400):
            if self.program.ended:
                return "the program ended while leaving"
            s = self.state
            if s == MAIN_MENU:
                break
            if s in (50, 51) and self.play is not None and 150 <= self.play <= 180:
                # Only the letter shown ends the presentation; it may need a modifier.
                if self.rng.random() < 0.3:
                    modifier = self.rng.choice(MODIFIERS)
                    self.send("down %02X" % modifier, counted=False)
                    self.send(self.letter(), counted=False)
                    command = "up %02X" % modifier
                else:
                    command = self.letter()
            elif s in (6, 21, 22, 23, 50, 51, 60, 150, 160):
                command = self.key(ESC) if self.rng.random() < 0.8 else "rclick 300 300"
            else:
                command = "wait 200"
            self.send(command, counted=False)
            if self.state != MAIN_MENU:
                self.send("wait 300", counted=False)
        else:
            self.send("close", counted=False)
            return "closed by the window's close box (the main menu was not reached)"
        # The cursor is known here: walk it to Exit and take it.
        self.leaving = True
        while self.cursor != EXIT_ITEM:
            self.cursor = (self.cursor - 1) % 9
            self.send(self.key(0xC8), counted=False)
        self.send(self.key(ENTER), counted=False)
        self.send("wait 3000", counted=False)
        if self.program.ended and self.counts["state"][2] > 0:
            return "left through the Exit item"
        self.send("close", counted=False)
        return "closed by the window's close box (Exit did not end the run)"


SANITIZER_MARKS = ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:",
                   "SUMMARY: UndefinedBehaviorSanitizer", "SUMMARY: AddressSanitizer")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--zubbatik", required=True)
    parser.add_argument("--data-dir", required=True)
    parser.add_argument("--work", required=True, help="folder for the script, state, shots and logs")
    parser.add_argument("--events", type=int, default=100000)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--shots", action="store_true", help="take a few pictures along the way")
    parser.add_argument("--timeout", type=float, default=300, help="seconds to wait for one command")
    args = parser.parse_args()

    work = os.path.abspath(args.work)
    state_dir = os.path.join(work, "state")
    shutil.rmtree(state_dir, ignore_errors=True)
    os.makedirs(state_dir)
    args.shots = os.path.join(work, "shots") if args.shots else None
    if args.shots:
        shutil.rmtree(args.shots, ignore_errors=True)
        os.makedirs(args.shots)
    script_path = os.path.join(work, "soak-%d.script" % args.seed)
    stderr_path = os.path.join(work, "stderr.txt")

    command = [args.zubbatik, "--headless", "--script", "-", "--data-dir", args.data_dir,
               "--state-dir", state_dir]
    started = time.monotonic()
    program = Program(command, stderr_path, dict(os.environ), args.timeout)
    with open(script_path, "w") as script:
        script.write("# zubbatik soak, seed %d, %d events\n" % (args.seed, args.events))
        soak = Soak(args, program, script)
        completed = soak.run(args.events)
        ending = soak.leave() if completed else None
    status, peak_kib = program.finish()
    wall = time.monotonic() - started

    with open(stderr_path, errors="replace") as f:
        errors = f.read()
    reports = [line for line in errors.splitlines() if any(m in line for m in SANITIZER_MARKS)]

    print("events sent:    %d of %d (seed %d)" % (soak.events, args.events, args.seed))
    if completed:
        print("end:            %s" % ending)
    elif program.hung:
        print("end:            the program did not answer for %g s; killed" % args.timeout)
    else:
        print("end:            the run ended early, in state %s (play %s, lesson %s)"
              % (soak.state, soak.play, soak.lesson))
    hours = soak.virtual_ms / 3.6e6
    print("virtual time:   %.2f h" % hours)
    for kind in ("state", "play", "lesson"):
        seen = soak.counts[kind]
        print("%-15s %s" % (kind + "s visited:", " ".join("%d:%d" % (n, seen[n]) for n in sorted(seen)) or "none"))
    print("events by state: %s" % " ".join("%s:%d" % (n, c) for n, c in soak.dwell.most_common()))
    print("tracks:         %d built, %d completed" % (soak.tracks, soak.completed_tracks))
    print("sounds:         %d" % soak.sounds)
    print("wall time:      %.1f s" % wall)
    print("peak memory:    %.1f MiB (maximum resident set)" % (peak_kib / 1024))
    samples = getattr(soak, "rss_samples", [])
    if samples:
        print("resident along the run (events, virtual h, MiB):")
        print("  " + "  ".join("%d %.2f %.1f" % (e, h, (k or 0) / 1024) for e, h, k in samples))
    print("exit status:    %d" % status)
    print("script:         %s" % script_path)

    failed = False
    if reports:
        print("FAILED: sanitizer reports in %s:" % stderr_path)
        for line in reports[:20]:
            print("  " + line)
        failed = True
    if status != 0:
        print("FAILED: exit status %d; the end of %s:" % (status, stderr_path))
        for line in errors.splitlines()[-20:]:
            print("  " + line)
        failed = True
    if program.hung:
        print("FAILED: the program hung")
        failed = True
    if not failed:
        print("OK")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
