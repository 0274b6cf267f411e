# test_recording.py -- --record: the clip holds every frame shown, as shown, at a size the encoder
# takes; a sink that fails is said truthfully, and a counted run still draws its frames, then fails.
import os
import resource
import shutil
import subprocess
import tempfile
import unittest

from glintmere_app import BINARY, HINT, E2ETestCase, make_workdir
from scene_model import WINDOW_HEIGHT, WINDOW_WIDTH
from xdisplay import png_size, read_png


def read_y4m(path):
    """(header fields, [(Y, U, V) planes of each frame]) of a 4:2:0 YUV4MPEG2 file."""
    with open(path, "rb") as handle:
        blob = handle.read()
    end = blob.index(b"\n")
    fields = blob[:end].decode().split()
    if fields[0] != "YUV4MPEG2":
        raise AssertionError("not a YUV4MPEG2 stream: %r" % blob[:40])
    header = {field[0]: field[1:] for field in fields[1:]}
    width, height = int(header["W"]), int(header["H"])
    luma, chroma = width * height, ((width + 1) // 2) * ((height + 1) // 2)
    frames, pos = [], end + 1
    while pos < len(blob):
        if blob[pos : pos + 6] != b"FRAME\n":
            raise AssertionError("frame %d does not start with FRAME at byte %d" % (len(frames), pos))
        pos += 6
        planes = (
            blob[pos : pos + luma],
            blob[pos + luma : pos + luma + chroma],
            blob[pos + luma + chroma : pos + luma + 2 * chroma],
        )
        if len(planes[2]) != chroma:
            raise AssertionError("frame %d is cut short" % len(frames))
        frames.append(planes)
        pos += luma + 2 * chroma
    return header, frames


def studio_luma(image):
    """BT.601 studio-range luma of every pixel of an RGB picture, rows top down."""
    d = image.data
    return [16 + (65.481 * d[i] + 128.553 * d[i + 1] + 24.966 * d[i + 2]) / 255 for i in range(0, len(d), 3)]


def studio_chroma(image, cx, cy):
    """BT.601 (U, V) of the mean colour of the 2 by 2 block at chroma position (cx, cy)."""
    block = image.patch(2 * cx, 2 * cy, 2 * cx + 2, 2 * cy + 2)
    r, g, b = (sum(p[c] for p in block) / len(block) for c in range(3))
    return 128 + (-37.797 * r - 74.203 * g + 112 * b) / 255, 128 + (112 * r - 93.786 * g - 18.214 * b) / 255


def video_stream(path):
    """(width, height, frames) of a clip's first video stream, as ffprobe reads it."""
    probe = subprocess.run(
        [
            "ffprobe",
            "-v",
            "error",
            "-count_frames",
            "-select_streams",
            "v:0",
            "-show_entries",
            "stream=width,height,nb_read_frames",
            "-of",
            "csv=p=0",
            path,
        ],
        capture_output=True,
        text=True,
    )
    if probe.returncode != 0:
        raise AssertionError("ffprobe cannot read %s: %s" % (path, probe.stderr.strip()))
    return tuple(int(field) for field in probe.stdout.strip().split(","))


class RecordedClipTest(E2ETestCase):
    def test_the_clip_holds_every_frame_as_shown(self):
        workdir = make_workdir()
        frames = 6
        run = self.start(
            "--mute",
            "--frames",
            str(frames),
            "--record",
            "clip one.y4m",
            "--screenshot",
            "last.png",
            workdir=workdir,
            wait=False,
        )
        self.assertEqual(run.wait_exit(), 0, run.err.all())
        # Recording changes nothing the program prints.
        self.assertEqual(run.out.all(), [HINT])
        self.assertEqual([line for line in run.err.all() if "record" in line], [])

        header, clip = read_y4m(os.path.join(workdir, "clip one.y4m"))
        self.assertEqual(
            (header["W"], header["H"], header["F"], header["C"]),
            (str(WINDOW_WIDTH), str(WINDOW_HEIGHT), "60:1", "420jpeg"),
        )
        self.assertEqual(len(clip), frames)

        # The last frame is the screenshot of the same frame: luma to within rounding everywhere,
        # each chroma sample to within rounding of its block's mean colour.
        shot = read_png(os.path.join(workdir, "last.png"))
        expected = studio_luma(shot)
        y, u, v = clip[-1]
        off = sum(1 for got, want in zip(y, expected) if abs(got - want) > 1.01)
        self.assertEqual(off, 0, "%d luma samples differ from the screenshot" % off)
        chroma_width = WINDOW_WIDTH // 2
        for cx, cy in ((0, 0), (300, 20), (150, 150), (599, 299), (310, 200), (450, 120)):
            want_u, want_v = studio_chroma(shot, cx, cy)
            got_u, got_v = u[cy * chroma_width + cx], v[cy * chroma_width + cx]
            self.assertLessEqual(abs(got_u - want_u), 2, (cx, cy, got_u, want_u))
            self.assertLessEqual(abs(got_v - want_v), 2, (cx, cy, got_v, want_v))

        # The frames before it are other frames of the moving aquarium, not copies of the last.
        for earlier in clip[:-1]:
            self.assertGreater(sum(1 for a, b in zip(earlier[0], y) if a != b), 0)


class OddSizedWindowTest(E2ETestCase):
    screen = (1201, 601)  # full screen, a window of odd width and height

    def test_an_encoder_that_needs_an_even_size_gets_one(self):
        # ffmpeg's H.264 encoder, the one behind .mp4, refuses odd sizes.
        workdir = make_workdir()
        run = self.start("--mute", "--fullscreen", "--frames", "3", "--record", "clip.mp4", workdir=workdir, wait=False)
        self.assertEqual(run.wait_exit(), 0, run.err.all())
        self.assertEqual(video_stream(os.path.join(workdir, "clip.mp4")), (1202, 602, 3))


class FakeFfmpegCase(E2ETestCase):
    """Runs whose PATH may lead to an ffmpeg the test writes as a shell script."""

    def setUp(self):
        super().setUp()
        self.bin = tempfile.mkdtemp(prefix="glintmere-fake-bin-")
        self.addCleanup(shutil.rmtree, self.bin, True)

    def fake_ffmpeg(self, body):
        path = os.path.join(self.bin, "ffmpeg")
        with open(path, "w") as handle:
            handle.write("#!/bin/sh\n" + body + "\n")
        os.chmod(path, 0o755)

    def run_to_end(self, *args, path=None, status=0, sigchld_ignored=False):
        """Runs to the end; with sigchld_ignored, started as by a parent that ignores SIGCHLD, a
        disposition the program inherits."""
        workdir = make_workdir()
        env = {"PATH": path} if path is not None else None
        native = None
        if sigchld_ignored:
            native = os.path.join(self.bin, "sigchld-ignored")
            with open(native, "w") as handle:
                handle.write(
                    "#!/usr/bin/python3\nimport os, signal, sys\n"
                    "signal.signal(signal.SIGCHLD, signal.SIG_IGN)\nos.execv(%r, [%r] + sys.argv[1:])\n"
                    % (BINARY, BINARY)
                )
            os.chmod(native, 0o755)
        run = self.start("--mute", *args, workdir=workdir, env=env, wait=False, native=native)
        self.assertEqual(run.wait_exit(), status, run.err.all())
        return run, workdir


class FailingSinkTest(FakeFfmpegCase):
    # Full screen on a screen this small gives frames of under 5 kB, many of which fit in a pipe.
    screen = (64, 48)

    def stream_sizes(self):
        """(header, frame) byte counts of the stream of a full-screen window."""
        width, height = self.screen
        header = len("YUV4MPEG2 W%d H%d F60:1 Ip A1:1 C420jpeg\n" % (width, height))
        return header, len("FRAME\n") + width * height + 2 * ((width + 1) // 2) * ((height + 1) // 2)

    def record_lines(self, run):
        return [line for line in run.err.all() if "record" in line]

    def test_a_full_disk_cuts_the_file_to_its_whole_frames_and_the_run_draws_on_then_fails(self):
        # A file-size limit stands for a disk that fills up in the middle of the third frame.
        header, frame = self.stream_sizes()
        workdir = make_workdir()
        soft, hard = resource.getrlimit(resource.RLIMIT_FSIZE)
        resource.setrlimit(resource.RLIMIT_FSIZE, (header + 2 * frame + frame // 2, hard))
        try:
            run = self.start(
                "--mute",
                "--fullscreen",
                "--frames",
                "5",
                "--record",
                "clip.y4m",
                "--screenshot",
                "last.png",
                workdir=workdir,
                wait=False,
            )
        finally:
            resource.setrlimit(resource.RLIMIT_FSIZE, (soft, hard))
        self.assertEqual(run.wait_exit(), 1, run.err.all())
        self.assertEqual(run.out.all(), [HINT])
        self.assertEqual(
            self.record_lines(run),
            ["glintmere: the recording to clip.y4m stopped: File too large; " "clip.y4m holds the first 2 frames"],
        )
        self.assertEqual(len(read_y4m(os.path.join(workdir, "clip.y4m"))[1]), 2)
        # The fifth and last frame was still drawn: its screenshot is there.
        self.assertEqual(png_size(os.path.join(workdir, "last.png")), self.screen)

    def test_an_encoder_that_stops_or_fails_is_reported_truthfully_with_status_1(self):
        path = self.bin + ":/usr/bin:/bin"
        args = ("--fullscreen", "--frames", "30", "--record", "clip.mp4")
        # It reads part of the first frame and ends well: the frames still in the pipe are not in the clip.
        self.fake_ffmpeg("head -c %d >/dev/null" % (sum(self.stream_sizes()) - 100))
        run, _ = self.run_to_end(*args, path=path, status=1)
        self.assertEqual(
            self.record_lines(run),
            ["glintmere: the recording to clip.mp4 stopped: " "ffmpeg closed its input; clip.mp4 holds no frames"],
        )

        # It stops reading and fails: what the clip holds is not known.
        self.fake_ffmpeg("head -c 1000 >/dev/null; exit 3")
        run, _ = self.run_to_end(*args, path=path, status=1)
        self.assertEqual(
            self.record_lines(run),
            ["glintmere: the recording to clip.mp4 failed: " "ffmpeg closed its input and ended with status 3"],
        )

        # It reads every frame and fails only when finishing the clip.
        self.fake_ffmpeg("cat >/dev/null; exit 3")
        run, _ = self.run_to_end(*args, path=path, status=1)
        self.assertEqual(
            self.record_lines(run), ["glintmere: the recording to clip.mp4 failed: " "ffmpeg ended with status 3"]
        )

        # Started by a parent that ignores SIGCHLD, ffmpeg's end is still known, failed or well.
        run, _ = self.run_to_end(*args, path=path, status=1, sigchld_ignored=True)
        self.assertEqual(
            self.record_lines(run), ["glintmere: the recording to clip.mp4 failed: " "ffmpeg ended with status 3"]
        )
        self.fake_ffmpeg("cat >/dev/null")
        run, _ = self.run_to_end(*args, path=path, status=0, sigchld_ignored=True)
        self.assertEqual(self.record_lines(run), [])


class EncoderCallTest(FakeFfmpegCase):
    def test_other_names_go_through_ffmpeg_or_are_refused_plainly_without_it(self):
        # ffmpeg is handed the stream on its standard input and the file name as its output.
        self.fake_ffmpeg('printf "%s\\n" "$@" > ffmpeg-args; cat > ffmpeg-input')
        run, workdir = self.run_to_end("--frames", "3", "--record", "-odd:name.webm", path=self.bin + ":/usr/bin:/bin")
        self.assertEqual(run.out.all(), [HINT])
        with open(os.path.join(workdir, "ffmpeg-args")) as handle:
            args = handle.read().split("\n")[:-1]
        self.assertEqual(args[args.index("-f") + 1 : args.index("-i") + 2], ["yuv4mpegpipe", "-i", "-"])
        self.assertEqual(args[-1], "file:-odd:name.webm")
        header, clip = read_y4m(os.path.join(workdir, "ffmpeg-input"))
        self.assertEqual((header["W"], header["H"], len(clip)), (str(WINDOW_WIDTH), str(WINDOW_HEIGHT), 3))

        run, _ = self.run_to_end("--record", "clip.mp4", path=self.bin + "-nothing-here", status=1)
        self.assertEqual(run.out.all(), [])  # refused before anything started
        self.assertIn("ffmpeg is not installed", "\n".join(run.err.all()))
        self.assertIn(".y4m", "\n".join(run.err.all()))


if __name__ == "__main__":
    unittest.main()
