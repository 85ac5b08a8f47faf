#!/usr/bin/env python3
"""zelk.exe under Wine against the Linux build, on every golden case.

Each case runs in two copies of its program directory, one per program, with
the same ZELK_TODAY and arguments: `--json`, `--json --summary` and `--csv`,
then `--json` again (which now reads the index of old records the first run
wrote). Standard output and the exit code must be the same bytes, once the
program directory in the messages is written as <HOME> (Z:/... under Wine).

Usage: golden_under_wine.py LINUX_ZELK ZELK_EXE SOURCE_DIR
Wine is $ZELK_WINE, else `wine`.
"""
import os
import shutil
import subprocess
import sys
import tempfile

LINUX, WINDOWS, SOURCE = (os.path.abspath(arg) for arg in sys.argv[1:4])
WINE = os.environ.get("ZELK_WINE", "wine")
GOLDEN = os.path.join(SOURCE, "tests", "data", "golden")
RUNS = [["--json"], ["--json", "--summary"], ["--csv"], ["--json"]]


def identification_line():
    with open(os.path.join(SOURCE, "data", "ma.zlk"), "rb") as file:
        return file.readline().rstrip(b"\r\n")


def prepare(case_dir, home, ident):
    shutil.copytree(case_dir, home)
    path = os.path.join(home, "ma.zlk")
    with open(path, "rb") as file:
        data = file.read()
    with open(path, "wb") as file:
        file.write(ident + data[data.index(b"\n"):])


def run(command, home, home_as_seen, today, args):
    env = dict(os.environ, ZELK_HOME=home_as_seen, ZELK_TODAY=today)
    done = subprocess.run(command + args, cwd=home, env=env, capture_output=True, timeout=120)
    return done.returncode, done.stdout.replace(home_as_seen.encode(), b"<HOME>"), done.stderr


def main():
    import json

    ident = identification_line()
    failures = 0
    cases = sorted(name for name in os.listdir(GOLDEN) if os.path.isdir(os.path.join(GOLDEN, name)))
    with tempfile.TemporaryDirectory() as scratch:
        for case in cases:
            with open(os.path.join(GOLDEN, case, "scenario.json"), encoding="utf-8") as file:
                scenario = json.load(file)
            homes = {side: os.path.join(scratch, case, side) for side in ("linux", "windows")}
            for home in homes.values():
                prepare(os.path.join(GOLDEN, case), home, ident)
            for options in RUNS:
                args = options + scenario["args"]
                linux = run([LINUX], homes["linux"], homes["linux"] + "/", scenario["today"], args)
                windows = run([WINE, WINDOWS], homes["windows"], "Z:" + homes["windows"] + "/",
                              scenario["today"], args)
                if linux[:2] != windows[:2] or not linux[1]:
                    failures += 1
                    print(f"{case} {' '.join(args)}: zelk.exe differs (exit {windows[0]}, Linux {linux[0]})")
                    print("  Linux:   " + linux[1][:300].decode(errors="replace"))
                    print("  Windows: " + windows[1][:300].decode(errors="replace"))
                    print("  stderr:  " + windows[2][-300:].decode(errors="replace"))
    print(f"{len(cases)} golden cases, {len(RUNS)} runs each: {failures} differ")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
