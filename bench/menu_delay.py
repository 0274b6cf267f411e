# menu_delay.py -- how long a menu choice takes to show, measured from outside as a user meets it: the
# right button opens the menu, "1.View control" opens its sub-menu, a left click on a view, and the title
# the view writes. Each step is timed, five choices in a row, on a private Xvfb with xdotool.
#
#   GLINTMERE_BIN=build/release/glintmere GLINTMERE_BUILD_DIR=build/release python3 bench/menu_delay.py
#   GLINTMERE_BIN=build/windows/glintmere.exe GLINTMERE_BUILD_DIR=build/windows \
#     GLINTMERE_WINE_PREFIX=/tmp/prefix GLINTMERE_WITH_WINE=scripts/with-wine.sh python3 bench/menu_delay.py
#
# The Wine prefix must exist (scripts/with-wine.sh --start DIR, on any X display).
import os
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
# The program runs from a scratch folder: the paths given are made absolute first.
for name in ("GLINTMERE_BIN", "GLINTMERE_BUILD_DIR", "GLINTMERE_WINE_PREFIX", "GLINTMERE_WITH_WINE"):
    if os.environ.get(name):
        os.environ[name] = os.path.abspath(os.environ[name])

from glintmere_app import (  # noqa: E402
    COMBINED_TITLE,
    MAIN_MENU,
    MENU_BORDER,
    ORTHOGONAL_TITLE,
    SUB_MENUS,
    WINE_MENU_NAME,
    E2ETestCase,
)
from xdisplay import wait_until  # noqa: E402

CHOICES = 5


class MenuDelay(E2ETestCase):
    def test_menu_delay(self):
        run = self.start("--mute")
        x = self.x

        def popups():
            return x.viewable_popups(WINE_MENU_NAME if run.wine else None)

        rows = []
        for attempt in range(CHOICES):
            label, title = (
                ("Orthogonal projection", ORTHOGONAL_TITLE)
                if attempt % 2 == 0
                else ("combined view with lookAt function", COMBINED_TITLE)
            )
            wait_until(lambda: not popups())
            x.xdotool("mousemove", "--window", run.window, 60, 60)
            pressed = time.monotonic()
            x.xdotool("click", 3)
            shown = wait_until(popups, timeout=30, interval=0.01)
            opened = time.monotonic()
            menu, (mx, my, mw, mh) = shown[-1]
            entry = (mh - 2 * MENU_BORDER) / len(MAIN_MENU)
            step = 0
            while len(popups()) < 2:
                x.xdotool("mousemove", mx + 40 + step % 2, round(my + MENU_BORDER + 0.5 * entry))
                step += 1
                time.sleep(0.05)
            sub_opened = time.monotonic()
            _, (sx, sy, _, sh) = [p for p in popups() if p[0] != menu][-1]
            labels = SUB_MENUS["1.View control"]
            height = (sh - 2 * MENU_BORDER) / len(labels)
            x.xdotool("mousemove", sx + 40, round(sy + MENU_BORDER + (labels.index(label) + 0.5) * height))
            time.sleep(0.3)
            clicked = time.monotonic()
            x.xdotool("click", 1)
            wait_until(lambda: run.title() == title, timeout=30, interval=0.01)
            shown_title = time.monotonic()
            wait_until(lambda: not popups(), timeout=30, interval=0.01)
            closed = time.monotonic()
            rows.append((opened - pressed, sub_opened - opened, shown_title - clicked, closed - clicked))
            x.xdotool("mousemove", "--window", run.window, 600, 300)
            time.sleep(0.5)
        print("\nmenu open, sub-menu open, click to title, click to menus closed (s):", file=sys.stderr)
        for row in rows:
            print("  " + "  ".join("%.2f" % value for value in row), file=sys.stderr)


if __name__ == "__main__":
    unittest.main()
