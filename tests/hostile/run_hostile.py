#!/usr/bin/env python3
"""run_hostile.py -- starts the real program once per hostile bitmap, put in place of
texture/floor.bmp, and checks that it prints the reader's message and ends with status 1 before
anything is drawn (the start-up hint comes after the textures, so it must not appear).

Usage: run_hostile.py GLINTMERE_BINARY BUILD_DIR   (needs an X display)
"""
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import make_hostile_bitmaps  # noqa: E402


def main():
    binary, build_dir = sys.argv[1], sys.argv[2]
    failures = []
    passed = 0
    with tempfile.TemporaryDirectory() as work:
        shutil.copytree(os.path.join(build_dir, "texture"), os.path.join(work, "texture"))
        os.symlink(os.path.join(build_dir, "musics"), os.path.join(work, "musics"))
        env = dict(os.environ, SDL_AUDIODRIVER="dummy")
        good_floor = open(os.path.join(work, "texture", "floor.bmp"), "rb").read()
        for name, (data, message) in make_hostile_bitmaps.CASES.items():
            with open(os.path.join(work, "texture", "floor.bmp"), "wb") as f:
                f.write(data)
            run = subprocess.run(
                [binary, "--mute", "--frames", "5"], cwd=work, env=env, capture_output=True, timeout=120
            )
            out = run.stdout.decode("latin-1")
            problems = []
            if run.returncode != 1:
                problems.append(f"status {run.returncode}, expected 1")
            if not out.startswith(message):
                problems.append(f"stdout {out[:200]!r} does not start with {message!r}; stderr {run.stderr[-300:]!r}")
            if "Press 'F1'" in out:
                problems.append("the program got past the textures")
            if b"ERROR: AddressSanitizer" in run.stderr or b"runtime error" in run.stderr:
                problems.append("sanitizer report: " + run.stderr.decode("latin-1")[:400])
            if problems:
                failures.append(f"{name}: " + "; ".join(problems))
            else:
                passed += 1
        # The good file still loads, so the refusals above are the hostile files' doing.
        with open(os.path.join(work, "texture", "floor.bmp"), "wb") as f:
            f.write(good_floor)
        run = subprocess.run([binary, "--mute", "--frames", "3"], cwd=work, env=env, capture_output=True, timeout=120)
        if run.returncode != 0 or b"Press 'F1'" not in run.stdout:
            failures.append(f"the good floor.bmp: status {run.returncode}, stdout {run.stdout[:200]!r}")
        else:
            passed += 1
    for failure in failures:
        print("FAIL", failure)
    print(f"{passed} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
