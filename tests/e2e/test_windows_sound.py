# test_windows_sound.py -- the cues of the exe as a Windows user hears them: Wine's wave-out device
# writes what it plays to a file (with-wine.sh --heard) at the pace it plays, and the test reads it.
#
# The test's own musics/ folder holds a pure tone of its own pitch and length under each cue's name, so
# what was heard tells which cue played, for how long, and in what order. A cue that starts stops the
# one playing, so the heard file is the cues one after another, each cut where the next began.
import array
import math
import os
import re
import time
import wave

from glintmere_app import E2ETestCase, make_workdir
from xdisplay import DEFAULT_TIMEOUT, wait_until

# Each cue's tone: its pitch in Hz and its length in seconds.
TONES = {
    "CHECKERS": (400, 0.5),  # the music, looped from the start and after "4.Clear worm"
    "CHIMES": (1000, 0.6),  # a fish comes: "2.Add a fish"
    "CLAP": (2000, 1.2),  # the exit, blocking
    "realjbeq1": (700, 0.4),  # the music switched off: "8.Play/Stop music"
    "REMINDER": (1400, 0.4),  # a worm dropped with Insert
    "5169": (2600, 0.3),  # an eaten worm comes back (automatic mode)
    "correct": (3200, 0.3),  # a red worm eaten
    "goodbye": (550, 0.5),  # a grown fish leaves, blocking
}
RATE = 44100  # the device's frames a second: 16-bit stereo
WINDOW = 0.02  # seconds of sound judged at a time
# What a window of a tone may differ from its pitch.
PITCH_TOLERANCE = 0.08
# The longest silence or broken sound within one sound.
GAP = 0.1


def write_tones(folder):
    """The tones as 16-bit mono wave files at 22050 Hz, as the generated cues are, each fading in and
    out over 5 ms so that no click sounds at another pitch."""
    rate = 22050
    for name, (pitch, seconds) in TONES.items():
        count, fade = int(rate * seconds), int(rate * 0.005)
        samples = array.array(
            "h",
            (
                int(16000 * min(1.0, i / fade, (count - i) / fade) * math.sin(2 * math.pi * pitch * i / rate))
                for i in range(count)
            ),
        )
        with wave.open(os.path.join(folder, name + ".wav"), "wb") as out:
            out.setnchannels(1)
            out.setsampwidth(2)
            out.setframerate(rate)
            out.writeframes(samples.tobytes())


def heard_cues(path, start=0):
    """What the file holds from byte `start` on: [(cue, seconds)] in order, a cue's neighbouring
    windows joined; "?" for a sound of no cue's pitch, "-" for silence."""
    try:
        with open(path, "rb") as handle:
            handle.seek(start - start % 4)  # a whole frame: the file may end in the middle of one
            raw = handle.read()
    except FileNotFoundError:
        return []
    samples = array.array("h")
    samples.frombytes(raw[: len(raw) // 4 * 4])
    left = samples[0::2]
    size = int(RATE * WINDOW)
    runs = []
    for at in range(0, len(left) - size + 1, size):
        window = left[at : at + size]
        if max(abs(s) for s in window) < 1000:
            label = "-"
        else:
            crossings = sum(1 for a, b in zip(window, window[1:]) if (a < 0) != (b < 0))
            pitch = crossings / 2 / WINDOW
            label = min(TONES, key=lambda name: abs(TONES[name][0] - pitch))
            if abs(TONES[label][0] - pitch) > PITCH_TOLERANCE * TONES[label][0]:
                label = "?"
        if runs and runs[-1][0] == label:
            runs[-1][1] += WINDOW
        else:
            runs.append([label, WINDOW])
    # A window where one sound meets the next reads as neither, or as a third pitch between them:
    # a run of one window (no cue is that short) belongs to the sound before it.
    joined = []
    for label, seconds in runs:
        if joined and (joined[-1][0] == label or seconds <= WINDOW * 1.5):
            joined[-1][1] += seconds
        else:
            joined.append([label, seconds])
    # A looped sound is written anew each time round, and may leave a moment of silence between; a
    # device starved of the CPU for a moment (the tests share two cores with Xvfb and Wine) writes a
    # moment of broken sound. Either, as long as a gap and within one sound, belongs to that sound.
    bridged = []
    for label, seconds in joined:
        if len(bridged) >= 2 and bridged[-1][0] in "-?" and bridged[-1][1] <= GAP and bridged[-2][0] == label:
            gap = bridged.pop()
            bridged[-1][1] += gap[1] + seconds
        elif len(bridged) == 1 and bridged[0][0] == "?" and bridged[0][1] <= GAP:
            # Where the reading started in the middle of a window's worth of a sound.
            bridged[0] = [label, bridged[0][1] + seconds]
        else:
            bridged.append([label, seconds])
    return [(label, round(seconds, 2)) for label, seconds in bridged]


class HeardCuesCase(E2ETestCase):
    """Runs of the exe with a wave-out device, its musics/ the tones."""

    def setUp(self):
        super().setUp()
        # The exe's folder has a name beyond the ANSI code page: the cues are still found by their
        # relative names.
        self.workdir = make_workdir(name="Töne Ωμέγα ")
        os.unlink(os.path.join(self.workdir, "musics"))
        os.mkdir(os.path.join(self.workdir, "musics"))
        write_tones(os.path.join(self.workdir, "musics"))
        self.heard = os.path.join(self.workdir, "heard.raw")

    def size(self):
        try:
            return os.path.getsize(self.heard)
        except FileNotFoundError:
            return 0

    def wait_heard(self, check, what, start=0):
        """Waits until check(cues heard from byte `start` on) holds; returns those cues."""
        try:
            return wait_until(lambda: check(heard_cues(self.heard, start)) and heard_cues(self.heard, start), what=what)
        except TimeoutError as error:
            raise AssertionError("%s; heard %r" % (error, heard_cues(self.heard, start))) from None

    def wait_quiet(self, what, quiet=1.5):
        """Waits until nothing has been played for `quiet` seconds, longer than any cut sound's tail."""
        last = {"size": -1, "since": time.monotonic()}

        def still():
            size = self.size()
            if size != last["size"]:
                last["size"], last["since"] = size, time.monotonic()
            return time.monotonic() - last["since"] >= quiet

        try:
            wait_until(still, timeout=3 * DEFAULT_TIMEOUT, interval=0.1, what=what)
        except TimeoutError as error:
            raise AssertionError("%s; heard %r" % (error, heard_cues(self.heard)[-8:])) from None

    def start_heard(self):
        """Starts the exe and quiets its aquarium: in manual mode no fish or worm comes by itself (no
        worm comes back when eaten, no fish after one leaves), and with the worms cleared no fish grows.
        A fish already grown still swims up and leaves with its blocking goodbye, which stops the music
        like any cue: the music is started again until it has played its tone three times over, which a
        cue looped until replaced does, and no fish is left to leave."""
        run = self.start(workdir=self.workdir, heard=self.heard)
        run.choose("3.Glintmere", "1.Automatic/Manual")
        self.restart_music(run)
        return run

    def restart_music(self, run):
        """Clears the worms, which starts the music again, until it has looped three times over."""
        loop = TONES["CHECKERS"][1]
        for _ in range(10):  # at most every fish leaves once
            before = self.size()
            run.choose("3.Glintmere", "4.Clear worm")
            cues = self.wait_heard(
                lambda cues: cues
                and (cues[-1][0] == "CHECKERS" and cues[-1][1] >= 3 * loop or cues[-1][0] == "goodbye"),
                "the music to repeat its tone three times over",
                before,
            )
            if cues[-1][0] == "CHECKERS":
                return
        self.fail("the aquarium went on with its own cues: %r" % heard_cues(self.heard)[-20:])

    def cues_since(self, before):
        """The cues heard from byte `before` on, silences left out (a cue on both sides of one counted once)."""
        cues = []
        for label, seconds in heard_cues(self.heard, before):
            if label == "-":
                continue
            if cues and cues[-1][0] == label:
                cues[-1] = (label, round(cues[-1][1] + seconds, 2))
            else:
                cues.append((label, seconds))
        return cues


class CueModesTest(HeardCuesCase):
    def test_the_music_loops_until_a_cue_replaces_it_which_plays_once_and_the_clap_holds_the_exit(self):
        run = self.start_heard()

        # A background cue replaces the music and plays once, to its end; the music does not come back.
        # (The music goes on while the menu is open, up to the choice.) A grown fish leaving in the
        # meantime spoils the try, and the music is started again.
        for _ in range(3):
            before = self.size()
            run.choose("3.Glintmere", "2.Add a fish")
            self.wait_quiet("the fish's chime to end")
            after = self.cues_since(before)
            if "goodbye" not in [c for c, _ in after]:
                break
            self.restart_music(run)
        self.assertEqual([c for c, _ in after], ["CHECKERS", "CHIMES"], after)
        self.assertAlmostEqual(after[1][1], TONES["CHIMES"][1], delta=2 * WINDOW)

        # The exit: the window goes, then the clap plays to its end while the program waits for it.
        before = self.size()
        run.key("q")
        clap = self.wait_heard(lambda cues: any(c == "CLAP" for c, _ in cues), "the clap", before)
        self.assertIsNone(run.process.poll(), "the program ended as the clap began")
        self.assertFalse(run.on_screen(), "the window was still on the screen when the clap began: %r" % clap)
        self.assertEqual(run.wait_exit(), 0)
        # A fish may have left just before the key.
        heard = [cue for cue in self.cues_since(before) if cue[0] != "goodbye"]
        self.assertEqual([c for c, _ in heard], ["CLAP"])
        self.assertAlmostEqual(heard[0][1], TONES["CLAP"][1], delta=2 * WINDOW)


class CuesThatCannotSoundTest(HeardCuesCase):
    def test_a_missing_or_broken_file_is_silent_stops_the_music_and_is_said_once(self):
        musics = os.path.join(self.workdir, "musics")
        os.remove(os.path.join(musics, "realjbeq1.wav"))
        with open(os.path.join(musics, "CHIMES.wav"), "wb") as broken:
            broken.write(b"RIFF\x24\x00\x00\x00WAVEfmt \x10\x00\x00\x00" + b"\xff" * 16)
        run = self.start_heard()
        run.expected_errors = [
            re.escape('glintmere: cannot play "musics/CHIMES.wav" (not a wave file the device plays), it stays silent'),
            re.escape('glintmere: cannot play "musics/realjbeq1.wav" (no such file), it stays silent'),
        ]

        def music_stopped_by(*choices):
            """The cues heard from the music on, once the choices are made and all is quiet; the music
            would loop on if the cue had not stopped it."""
            before = self.size()
            for choice in choices:
                run.choose(*choice)
            self.wait_quiet("the music to stop at %s" % (choices[0],))
            return [c for c, _ in self.cues_since(before)]

        # The broken chime, twice: the music stops, nothing else sounds, and it is said once.
        add_fish = ("3.Glintmere", "2.Add a fish")
        self.assertEqual(music_stopped_by(add_fish, add_fish), ["CHECKERS"])
        # The missing jingle of the music switched off, then on (no cue) and off again.
        self.restart_music(run)
        music = ("8.Play/Stop music",)
        self.assertEqual(music_stopped_by(music, music, music), ["CHECKERS"])

        run.key("q")
        self.assertEqual(run.wait_exit(), 0)
        # Each file said once, on standard error (E2ETestCase allows only these lines there).
        self.assertEqual(len(run.errors()), 2, run.errors())
        self.assertEqual(run.out.all()[-1:], ["Press 'F1' or 'h' for help"])
