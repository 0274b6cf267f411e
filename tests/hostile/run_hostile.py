#!/usr/bin/env python3
"""run_hostile.py -- starts the real program once per hostile bitmap, put in place of
texture/floor.bmp, and checks that it prints the reader's message and ends with status 1 before
anything is drawn (the start-up hint comes after the textures, so it must not appear).

Usage: run_hostile.py GLINTMERE_BINARY BUILD_DIR   (needs an X display)

With GLINTMERE_WINE_PREFIX and GLINTMERE_WITH_WINE set, GLINTMERE_BINARY is the Windows build's exe:
a copy of it runs under Wine from the scratch folder, and standard error may hold nothing but the
two lines Wine and freeglut print on every start. The prefix's Windows processes are ended at the
close, before the caller's X server goes.
"""
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import make_hostile_bitmaps  # noqa: E402


WINE_PREFIX = os.environ.get("GLINTMERE_WINE_PREFIX", "")
WITH_WINE = os.environ.get("GLINTMERE_WITH_WINE", "")
UNDER_WINE = bool(WINE_PREFIX and WITH_WINE)


def wine_noise(exe):
    """What Wine and freeglut print on standard error at every start of the exe at this path."""
    windows = "Z:" + os.path.abspath(exe).replace("/", "\\")
    return [
        "freeglut (%s): fgPlatformInitialize: CreateDC failed, Screen size info may be incorrect" % windows,
        "This is quite likely caused by a bad '-display' parameter",
    ]


def run(command, work, env, noise):
    """Runs the program to its end: (status, stdout text with LF line ends, stderr lines less the
    `noise` lines, each taken away once)."""
    done = subprocess.run(command, cwd=work, env=env, capture_output=True, timeout=120, start_new_session=True)
    out, err = done.stdout.decode("latin-1"), done.stderr.decode("latin-1")
    if UNDER_WINE:
        out, err = out.replace("\r\n", "\n"), err.replace("\r\n", "\n")
    errors = err.splitlines()
    for line in noise:
        if line in errors:
            errors.remove(line)
    return done.returncode, out, errors


def main():
    binary, build_dir = sys.argv[1], sys.argv[2]
    failures = []
    passed = 0
    with tempfile.TemporaryDirectory() as work:
        shutil.copytree(os.path.join(build_dir, "texture"), os.path.join(work, "texture"))
        os.symlink(os.path.join(build_dir, "musics"), os.path.join(work, "musics"))
        env = dict(os.environ, SDL_AUDIODRIVER="dummy")
        command, noise = [binary], []
        if UNDER_WINE:
            # The exe makes its own folder the working folder: a copy of it sits beside texture/.
            exe = os.path.join(work, os.path.basename(binary))
            shutil.copy2(binary, exe)
            command, noise = [WITH_WINE, "--on", WINE_PREFIX, "wine", exe], wine_noise(exe)
            # The prefix's server, services and desktop outlive the program that starts them, with
            # its standard streams: a program of no output starts them here, on this X server.
            subprocess.run(
                [WITH_WINE, "--on", WINE_PREFIX, "wine", "cmd.exe", "/c", "exit"],
                stdin=subprocess.DEVNULL,
                stdout=subprocess.DEVNULL,
                stderr=subprocess.DEVNULL,
                timeout=120,
                check=True,
            )
        good_floor = open(os.path.join(work, "texture", "floor.bmp"), "rb").read()
        for name, (data, message) in make_hostile_bitmaps.CASES.items():
            with open(os.path.join(work, "texture", "floor.bmp"), "wb") as f:
                f.write(data)
            status, out, errors = run(command + ["--mute", "--frames", "5"], work, env, noise)
            problems = []
            if status != 1:
                problems.append(f"status {status}, expected 1")
            if not out.startswith(message):
                problems.append(f"stdout {out[:200]!r} does not start with {message!r}; stderr {errors[-5:]!r}")
            if "Press 'F1'" in out:
                problems.append("the program got past the textures")
            if any("ERROR: AddressSanitizer" in line or "runtime error" in line for line in errors):
                problems.append("sanitizer report: " + "\n".join(errors)[:400])
            if UNDER_WINE and errors:
                problems.append(f"unexpected lines on standard error: {errors!r}")
            if problems:
                failures.append(f"{name}: " + "; ".join(problems))
            else:
                passed += 1
        # The good file still loads, so the refusals above are the hostile files' doing.
        with open(os.path.join(work, "texture", "floor.bmp"), "wb") as f:
            f.write(good_floor)
        status, out, errors = run(command + ["--mute", "--frames", "3"], work, env, noise)
        if status != 0 or "Press 'F1'" not in out or (UNDER_WINE and errors):
            failures.append(f"the good floor.bmp: status {status}, stdout {out[:200]!r}, stderr {errors[-5:]!r}")
        else:
            passed += 1
    if UNDER_WINE:
        # Wine's desktop process stays on the X display of the first program; end it with the rest.
        for action in ("-k", "-w"):
            subprocess.run([WITH_WINE, "--on", WINE_PREFIX, "wineserver", action], check=False, timeout=60)
    for failure in failures:
        print("FAIL", failure)
    print(f"{passed} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
