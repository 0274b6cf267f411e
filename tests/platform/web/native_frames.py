# native_frames.py -- the native program's frames of a sequence of keys, on an Xvfb of their own, for the page's
# pictures to be compared with.
"""GLINTMERE_NATIVE_BIN names the native release build (make test-web builds it); GLINTMERE_BUILD_DIR the
folder whose texture/ and musics/ it reads, the web build's, made by the same generators."""

import os

from glintmere_app import GlintmereRun
from picture_compare import settling
from xdisplay import XServer, wait_until

NATIVE = os.environ.get("GLINTMERE_NATIVE_BIN", "")
# Keys by the X server's names, where a character is not one.
X_KEYS = {"[": "bracketleft", "]": "bracketright", "+": "plus"}


def settled(run, previous, masks, what):
    """As web_app.settled_change, for the native program's window."""
    try:
        return wait_until(settling(run.screenshot, previous, masks), interval=0.1, what=what)
    except TimeoutError as error:
        raise AssertionError(str(error)) from None


def native_pictures(steps, masks):
    """The native program's picture of each named state of `steps` ((key or None, name or None), one key a
    step from the start view, each changing the picture), by name."""
    if not NATIVE or not os.access(NATIVE, os.X_OK):
        raise AssertionError(
            "GLINTMERE_NATIVE_BIN must name the native release build (cmake --preset release): %r" % NATIVE
        )
    x = XServer()
    try:
        run = GlintmereRun(x, ["--mute"], native=NATIVE)
        try:
            run.wait_for_window()
            pictures, picture = {}, None
            for key, state in steps:
                if key:
                    run.key(X_KEYS.get(key, key))
                picture = settled(run, picture, masks, "native: %s" % (state or "after " + key))
                if state:
                    pictures[state] = picture
            return pictures
        finally:
            run.stop()
    finally:
        x.close()
