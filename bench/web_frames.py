#!/usr/bin/env python3
# web_frames.py -- one benchmark run of the page in headless Chromium: the program's --benchmark in the page, its
# own frame times and the page's requestAnimationFrame intervals, as one line for bench/web.sh.
"""Opens the site with ?mute&scene=S&motion=M&benchmark=N in a Chromium of its own (headless, SwiftShader,
the canvas at its 1200 by 600), waits for the program to end, and prints

  page frames=N median_ms=.. p99_ms=.. raf_median_ms=.. raf_p99_ms=.. fps=.. renderer="..."

median_ms and p99_ms are the program's own frame times (its --benchmark: camera step, drawing and glFinish,
in the page), raf_* the intervals between the page's animation frames while those frames were drawn (the
pace a visitor sees), both without the 20 warm-up frames."""

import argparse
import os
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "platform", "web"))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))

from devtools import Chromium, SiteServer  # noqa: E402
from web_app import PageRun  # noqa: E402

WARM_UP = 20


def percentile(values, share):
    ordered = sorted(values)
    if not ordered:
        return float("nan")
    return ordered[min(len(ordered) - 1, int(share * len(ordered)))]


def median(values):
    ordered = sorted(values)
    middle = len(ordered) // 2
    return ordered[middle] if len(ordered) % 2 else (ordered[middle - 1] + ordered[middle]) / 2


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--site", required=True)
    parser.add_argument("--scene", default="start")
    parser.add_argument("--motion", default="still")
    parser.add_argument("--frames", type=int, default=600)
    parser.add_argument("--renderer", default="swiftshader")
    parser.add_argument("--timeout", type=float, default=900)
    args = parser.parse_args()

    server = SiteServer(args.site)
    browser = Chromium(1500, 1000, renderer=args.renderer)
    try:
        run = PageRun(browser, server, "mute&scene=%s&motion=%s&benchmark=%d" % (args.scene, args.motion, args.frames))
        deadline = time.monotonic() + args.timeout
        while run.ended() is None:
            if time.monotonic() > deadline:
                sys.exit("the page's benchmark did not end in %g s" % args.timeout)
            time.sleep(0.5)
        if run.ended() != "0":
            sys.exit("the page's benchmark ended with status %s: %s" % (run.ended(), run.panel_lines()[-10:]))
        report = run.error_lines()
        times = next((line for line in report if line.startswith("frame times ms:")), None)
        if times is None:
            sys.exit("no frame times in the page's report: %s" % report[-10:])
        frame_ms = [float(v) for v in times.split(":", 1)[1].split()]
        intervals = run.evaluate("Module.frameLog.intervals")[WARM_UP:]
        renderer = next((line.split(": ", 1)[1] for line in report if line.startswith("renderer: ")), "unknown")
        print(
            'page frames=%d median_ms=%.3f p99_ms=%.3f raf_median_ms=%.3f raf_p99_ms=%.3f fps=%.1f renderer="%s"'
            % (
                len(frame_ms),
                median(frame_ms),
                percentile(frame_ms, 0.99),
                median(intervals),
                percentile(intervals, 0.99),
                1000.0 / median(intervals),
                renderer,
            )
        )
    finally:
        browser.close()
        server.close()


if __name__ == "__main__":
    main()
