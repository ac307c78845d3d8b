"""The alarm ring: the generated Ring.wav, and CanberraSound playing it.

RingFileTest reads the Ring.wav the build made. PlayRingTest starts a private
PulseAudio server (own runtime folder, home and client config, no autospawn,
a D-Bus address that leads nowhere) with two null sinks, and drives
ombrel_ring_probe against it. What the default sink "ring" plays is
recorded from its monitor with parec and measured with sox; `pactl
subscribe` counts the playback streams the server saw, which tells how many
rings were started and whether two ever sounded at once. "ring" is loaded
without rewinds, so it keeps a short latency and the recording follows the
clock. "late" keeps the defaults of a sound card under PulseAudio: two
seconds of buffer, filled ahead and rewound for new streams, so a stream is
reported finished about two seconds after it was heard. Every process
started is ended, also when a test fails. Waits poll with a deadline;
nothing sleeps for a fixed time.

Only the Python standard library is used.
"""

import array
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest
import wave

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import harness  # noqa: E402  (its polling wait)

RING_WAV = os.environ.get("OMBREL_RING_WAV", "")
MAKE_RING = os.environ.get("OMBREL_MAKE_RING", "")
PROBE = os.environ.get("OMBREL_RING_PROBE", "")

TOOLS = ("pulseaudio", "pactl", "parec", "sox", "stdbuf")
RATE = 44100  # of the recording, mono s16le
SILENCE = 0.01  # RMS amplitude (full scale 1.0) that counts as sound


def wait_for(predicate, what, timeout=15.0, details=None):
    return harness.wait_for(predicate, what, timeout, details=details)


def stop(process):
    if process.poll() is None:
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def read(path):
    with open(path, errors="replace") as f:
        return f.read()


def read_line(process, timeout=15.0):
    ready, _, _ = select.select([process.stdout], [], [], timeout)
    return process.stdout.readline() if ready else "(nothing within {:.0f} s)".format(timeout)


def samples(raw_path):
    data = array.array("h")
    with open(raw_path, "rb") as f:
        data.frombytes(f.read())
    return data


def bursts(data, window=RATE // 100):
    """(start s, end s, peak) of each stretch of sound, in 10 ms windows."""
    found, start = [], None
    for i in range(0, len(data) + window, window):
        chunk = data[i:i + window]
        loud = bool(chunk) and (sum(x * x for x in chunk) / len(chunk)) ** 0.5 / 32768 > SILENCE
        if loud and start is None:
            start = i
        elif not loud and start is not None:
            peak = max(abs(x) for x in data[start:i]) / 32768
            found.append((start / RATE, min(i, len(data)) / RATE, peak))
            start = None
    return found


class RingFileTest(unittest.TestCase):
    def test_ring_wav_is_a_short_audible_pcm_file_made_the_same_every_time(self):
        with open(RING_WAV, "rb") as f:
            head = f.read(12)
        self.assertEqual((head[:4], head[8:]), (b"RIFF", b"WAVE"))
        self.assertEqual(int.from_bytes(head[4:8], "little") + 8, os.path.getsize(RING_WAV))
        with wave.open(RING_WAV) as ring:  # the wave module reads only PCM
            self.assertEqual((ring.getnchannels(), ring.getsampwidth()), (1, 2))
            length = ring.getnframes() / ring.getframerate()
            frames = array.array("h", ring.readframes(ring.getnframes()))
        self.assertTrue(0.3 < length < 0.5, length)
        rms = (sum(x * x for x in frames) / len(frames)) ** 0.5 / 32768
        self.assertGreater(rms, 0.05)
        self.assertLess(max(abs(x) for x in frames), 32767, "clipped")
        self.assertLess(max(abs(x) for x in frames[-20:]), 300, "does not fade out")
        self.assertLess(os.path.getsize(RING_WAV), 64 * 1024)

        with tempfile.TemporaryDirectory() as folder:
            again = os.path.join(folder, "Ring.wav")
            subprocess.run([MAKE_RING, again], check=True, timeout=30)
            with open(RING_WAV, "rb") as a, open(again, "rb") as b:
                self.assertEqual(a.read(), b.read())


class PlayRingTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        missing = [tool for tool in TOOLS if shutil.which(tool) is None]
        if missing:
            raise unittest.SkipTest("missing sound tools for the ring tests: " + " ".join(missing))
        cls.folder = tempfile.mkdtemp(prefix="ombrel-sound-")
        cls.addClassCleanup(shutil.rmtree, cls.folder, ignore_errors=True)
        run = os.path.join(cls.folder, "run")
        os.makedirs(run, mode=0o700)
        os.makedirs(os.path.join(cls.folder, "home"))
        client_conf = os.path.join(cls.folder, "client.conf")
        with open(client_conf, "w") as f:
            f.write("autospawn = no\n")
        env = {k: v for k, v in os.environ.items() if not k.startswith(("PULSE_", "CANBERRA_"))}
        env.pop("DISPLAY", None)  # libpulse would look for a server named on the X display
        env.update({
            "XDG_RUNTIME_DIR": run,
            "HOME": os.path.join(cls.folder, "home"),
            "PULSE_RUNTIME_PATH": os.path.join(run, "pulse"),
            "PULSE_STATE_PATH": os.path.join(cls.folder, "state"),
            "PULSE_CLIENTCONFIG": client_conf,
            "PULSE_SERVER": "unix:" + os.path.join(run, "pulse", "native"),
            "DBUS_SESSION_BUS_ADDRESS": "unix:path=" + os.path.join(cls.folder, "no-bus"),
            "CANBERRA_DRIVER": "pulse",
        })
        cls.env = env
        cls.server = None
        cls.addClassCleanup(lambda: cls.server and stop(cls.server))
        cls.start_server()

    @classmethod
    def start_server(cls):
        log = open(os.path.join(cls.folder, "pulseaudio.log"), "ab")
        cls.server = subprocess.Popen(
            ["pulseaudio", "--daemonize=no", "--system=false", "--exit-idle-time=-1", "-n",
             "--use-pid-file=no", "--log-target=stderr",
             "--load=module-native-protocol-unix",
             "--load=module-null-sink sink_name=ring norewinds=1",
             "--load=module-null-sink sink_name=late"],
            env=cls.env, stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        log.close()
        wait_for(lambda: cls.server.poll() is not None or cls.pactl("info").returncode == 0,
                 "the PulseAudio server", details=cls.server_log)
        if cls.server.poll() is not None:
            raise AssertionError("PulseAudio did not start\n" + cls.server_log())

    @classmethod
    def server_log(cls):
        return read(os.path.join(cls.folder, "pulseaudio.log"))[-3000:]

    @classmethod
    def pactl(cls, *args):
        return subprocess.run(["pactl", *args], env=cls.env, capture_output=True, text=True, timeout=10)

    def start(self, args, name, **kwargs):
        """Starts a process that is ended when the test ends."""
        out = open(os.path.join(self.folder, name), "wb")
        process = subprocess.Popen(args, env=self.env, stdout=out, stderr=subprocess.STDOUT, **kwargs)
        out.close()
        self.addCleanup(stop, process)
        return process, os.path.join(self.folder, name)

    def record(self, name):
        """Starts recording the sink "ring"; returns a function that stops it and returns the file."""
        parec, raw = self.start(["parec", "-d", "ring.monitor", "--raw", "--format=s16le", "--rate={}".format(RATE),
                                 "--channels=1", "--latency-msec=20"], name)
        wait_for(lambda: os.path.getsize(raw) > 0 or parec.poll() is not None, "the recording to start")
        self.assertIsNone(parec.poll(), "parec ended")

        def finish():
            # Everything up to now is in the file once a little more has come after it.
            enough = os.path.getsize(raw) + RATE  # half a second of 16-bit samples
            wait_for(lambda: os.path.getsize(raw) >= enough or parec.poll() is not None, "the recording's tail")
            stop(parec)
            return raw
        return finish

    def watch_streams(self, name):
        """Starts `pactl subscribe`; returns a function that tells the rings started and most at once."""
        _, events = self.start(["stdbuf", "-oL", "pactl", "subscribe"], name)
        # Another client coming shows that the subscription is in place.
        wait_for(lambda: self.pactl("info") and "on client #" in read(events), "pactl subscribe")

        def count():
            started = playing = most = 0
            for kind in re.findall(r"Event '(new|remove)' on sink-input", read(events)):
                started += kind == "new"
                playing += 1 if kind == "new" else -1
                most = max(most, playing)
            return started, most
        return count

    def probe(self, *args, sink="ring"):
        result = subprocess.run([PROBE, *args], env=dict(self.env, PULSE_SINK=sink), capture_output=True, text=True,
                                timeout=60)
        lines = result.stdout.splitlines()
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        for line in lines:
            took = int(re.search(r"\((\d+) ms\)$", line).group(1))
            self.assertLess(took, 250, "playRing waited for the sound: " + line)
        return result, lines

    def rms(self, raw):
        stat = subprocess.run(["sox", "-t", "raw", "-r", str(RATE), "-e", "signed", "-b", "16", "-c", "1", raw,
                               "-n", "stat"], capture_output=True, text=True, timeout=30).stderr
        return float(re.search(r"RMS\s+amplitude:\s+([0-9.]+)", stat).group(1))

    def test_ring_file_sounds_at_each_call_without_overlapping(self):
        streams = self.watch_streams("ring.events")
        finish = self.record("ring.raw")
        self.probe(RING_WAV, "4", "500", "1000")
        raw = finish()
        rms = self.rms(raw)
        print("Ring.wav, 4 rings 500 ms apart: RMS amplitude {:.4f}".format(rms))
        self.assertGreater(rms, 5 * SILENCE)
        heard = bursts(samples(raw))
        self.assertEqual(len(heard), 4, heard)
        for start, end, peak in heard:
            self.assertTrue(0.3 < end - start < 0.5 and peak < 0.9, heard)
        self.assertEqual(streams(), (4, 1))

    def test_rings_follow_the_calls_where_the_server_reports_the_end_late(self):
        streams = self.watch_streams("late.events")
        self.probe(RING_WAV, "4", "500", "500", sink="late")
        self.assertEqual(streams(), (4, 1))

    def test_calls_while_ringing_start_nothing(self):
        streams = self.watch_streams("burst.events")
        finish = self.record("burst.raw")
        _, lines = self.probe(RING_WAV, "10", "0", "1000")
        self.assertEqual(len(lines), 10)
        heard = bursts(samples(finish()))
        self.assertEqual(len(heard), 1, heard)
        self.assertLess(heard[0][1] - heard[0][0], 0.5)
        self.assertLess(heard[0][2], 0.9)
        self.assertEqual(streams(), (1, 1))

    def test_missing_or_unplayable_file_rings_the_desktop_alarm(self):
        broken = os.path.join(self.folder, "Broken.wav")
        with open(broken, "w") as f:
            f.write("not a sound\n")
        for name, file in (("missing", os.path.join(self.folder, "Ring.wav")), ("unplayable", broken)):
            with self.subTest(name):
                streams = self.watch_streams(name + ".events")
                finish = self.record(name + ".raw")
                self.probe(file, "4", "500", "1000")
                rms = self.rms(finish())
                print("{} file, desktop alarm: RMS amplitude {:.4f}".format(name, rms))
                self.assertGreater(rms, 5 * SILENCE)
                # The alarm sound is longer than the whole run, so it is started once.
                self.assertEqual(streams(), (1, 1))

    def test_no_sound_server_is_reported(self):
        env = dict(self.env, PULSE_SERVER="unix:" + os.path.join(self.folder, "no-server"))
        result = subprocess.run([PROBE, RING_WAV, "2", "0", "0"], env=env, capture_output=True, text=True, timeout=60)
        self.assertEqual(result.returncode, 1, result.stdout)
        self.assertEqual(len(re.findall(r"^ring \d: failed: 无法播放铃声：\S", result.stdout, re.M)), 2, result.stdout)

    def test_rings_again_after_the_sound_server_restarts(self):
        probe = subprocess.Popen([PROBE, RING_WAV, "--each-line", "1000"], env=self.env, stdin=subprocess.PIPE,
                                 stdout=subprocess.PIPE, text=True)
        self.addCleanup(probe.stdout.close)
        self.addCleanup(probe.stdin.close)
        self.addCleanup(stop, probe)
        probe.stdin.write("\n")
        probe.stdin.flush()
        self.assertRegex(read_line(probe), r"^ring 1: ok")
        stop(self.server)
        type(self).start_server()
        finish = self.record("restart.raw")
        probe.stdin.write("\n")
        probe.stdin.close()
        self.assertRegex(read_line(probe), r"^ring 2: ok")
        self.assertEqual(probe.wait(timeout=30), 0)
        self.assertGreater(self.rms(finish()), 5 * SILENCE)


if __name__ == "__main__":
    unittest.main()
