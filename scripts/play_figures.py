#!/usr/bin/env python3
"""Figures of zubbatik during play, in a real window.

Starts the program under a fresh Xvfb display (with openbox when it is
installed), opens a game on the Russian layout at level 2 with real key
presses (xdotool), types the two new letters and then measures, while the
enemy chases the hero:
  - processor use of the process over a window of play (no keys pressed),
  - from a key press to the presented frame that shows it, over N presses
    of Shift (which shows the key pressed and costs no damage), as the
    program's own debug log reports it,
  - resident memory.

  scripts/play_figures.py [--zubbatik build/zubbatik/zubbatik] [--presses 200] [--seconds 10]
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    ticks = os.sysconf("SC_CLK_TCK")
    return (int(fields[11]) + int(fields[12])) / ticks


def resident_kb(pid, field="VmRSS:"):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith(field):
                return int(line.split()[1])
    return -1


def main():
    parser = argparse.ArgumentParser()
    here = os.path.dirname(os.path.abspath(__file__))
    parser.add_argument("--zubbatik", default=os.path.join(here, "..", "build", "zubbatik", "zubbatik"))
    parser.add_argument("--presses", type=int, default=200)
    parser.add_argument("--seconds", type=float, default=10)
    parser.add_argument("--display", default=":73")
    args = parser.parse_args()
    for tool in ("Xvfb", "xdotool"):
        if shutil.which(tool) is None:
            sys.exit("play_figures: %s is needed (apt-get install xvfb xdotool)" % tool)

    xvfb = subprocess.Popen(["Xvfb", args.display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                            stderr=subprocess.DEVNULL)
    time.sleep(1)
    env = dict(os.environ, DISPLAY=args.display, SDL_AUDIODRIVER="dummy")
    wm = None
    if shutil.which("openbox"):
        wm = subprocess.Popen(["openbox"], env=env, stderr=subprocess.DEVNULL)
        time.sleep(1)
    state = tempfile.mkdtemp(prefix="zubbatik-figures-")
    game = subprocess.Popen([args.zubbatik, "--debug", "--scale", "1", "--state-dir", state], env=env,
                            stderr=subprocess.PIPE, text=True, bufsize=1)
    log = []
    threading.Thread(target=lambda: log.extend(iter(game.stderr.readline, "")), daemon=True).start()

    def keys(*names, delay=0.0):
        for name in names:
            subprocess.run(["xdotool", "key", "--clearmodifiers", name], env=env, check=True)
            if delay:
                time.sleep(delay)

    try:
        time.sleep(2)
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "."], env=env,
                                capture_output=True, text=True).stdout.split()
        if window:
            subprocess.run(["xdotool", "windowactivate", "--sync", window[-1]], env=env)
        keys("Return", delay=1.5)     # the language menu
        keys("Return", delay=2.5)     # "Play": the first new letter is shown
        keys("f", delay=2.0)          # it is typed; the second is shown
        keys("j", delay=1.5)          # play begins
        before = len(log)
        for _ in range(args.presses):
            keys("shift", delay=0.005)
        time.sleep(0.5)
        latencies = [float(line.split()[3]) for line in log[before:] if line.startswith("key to frame")]
        cpu0, t0 = cpu_seconds(game.pid), time.monotonic()
        time.sleep(args.seconds)
        cpu = cpu_seconds(game.pid) - cpu0
        wall = time.monotonic() - t0
        rss = resident_kb(game.pid)
        peak = resident_kb(game.pid, "VmHWM:")
    finally:
        game.terminate()
        game.wait(timeout=10)
        if wm:
            wm.terminate()
        xvfb.terminate()
        shutil.rmtree(state, ignore_errors=True)

    print("processor during play: %.3f s in %.1f s (%.2f%% of a core)" % (cpu, wall, 100 * cpu / wall))
    if latencies:
        latencies.sort()
        p = lambda q: latencies[min(len(latencies) - 1, int(q * len(latencies)))]
        print("key press to presented frame over %d presses: p50 %.3f ms, p99 %.3f ms, max %.3f ms"
              % (len(latencies), statistics.median(latencies), p(0.99), latencies[-1]))
    else:
        print("no key-to-frame figures in the debug log")
    print("resident memory during play: %d kB (peak %d kB)" % (rss, peak))


if __name__ == "__main__":
    main()
