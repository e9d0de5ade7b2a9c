#!/usr/bin/python3
"""Synthesises the three move sounds as 16-bit mono PCM WAVE files.

  101.wav  a soft wooden click: a quiet move, and the second half of castling
  102.wav  a lower, duller wooden knock: the other side's quiet move, and the
           first half of castling
  103.wav  a sharper double knock of piece on piece: a capture

Each sound is a few damped resonances (the modes of a small wooden body) over
a short burst of filtered noise (the contact), with a raised-cosine fade at
both ends so that it starts and stops without a click. The noise is seeded,
so every build writes the same bytes.

Usage: make_sounds.py <output folder>
"""

import math
import os
import random
import struct
import sys
import wave

RATE = 22050
PEAK = 0.7  # of full scale


def knock(n, start, modes, noise_level, noise_decay, rng, brightness):
    """Adds one knock at sample `start` into a buffer of n samples.

    modes: (frequency Hz, amplitude, decay time s) of each resonance.
    brightness: 0..1, how much of the raw noise passes the low-pass filter.
    """
    out = [0.0] * n
    low = 0.0
    for i in range(start, n):
        t = (i - start) / RATE
        s = 0.0
        for freq, amp, tau in modes:
            s += amp * math.exp(-t / tau) * math.sin(2.0 * math.pi * freq * t)
        # One-pole low-pass on white noise: a duller contact for small values.
        low += brightness * (rng.uniform(-1.0, 1.0) - low)
        s += noise_level * math.exp(-t / noise_decay) * low
        out[i] = s
    return out


def fade(samples, fade_in_s, fade_out_s):
    n = len(samples)
    a = max(1, int(fade_in_s * RATE))
    b = max(1, int(fade_out_s * RATE))
    for i in range(a):
        samples[i] *= 0.5 - 0.5 * math.cos(math.pi * i / a)
    for i in range(b):
        # Reaches exactly zero on the last sample.
        samples[n - 1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / b)
    return samples


def normalise(samples):
    top = max(abs(s) for s in samples) or 1.0
    return [s * PEAK / top for s in samples]


def write_wave(path, samples):
    frames = b"".join(struct.pack("<h", int(round(s * 32767))) for s in samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def mix(*parts):
    return [sum(v) for v in zip(*parts)]


def soft_click(rng):
    n = int(0.110 * RATE)
    body = knock(n, int(0.002 * RATE),
                 [(820.0, 1.0, 0.012), (1930.0, 0.45, 0.007), (3150.0, 0.2, 0.004)],
                 0.5, 0.004, rng, 0.35)
    return fade(normalise(body), 0.002, 0.030)


def dull_knock(rng):
    n = int(0.130 * RATE)
    body = knock(n, int(0.002 * RATE),
                 [(540.0, 1.0, 0.018), (1260.0, 0.4, 0.009), (2210.0, 0.15, 0.005)],
                 0.4, 0.005, rng, 0.22)
    return fade(normalise(body), 0.002, 0.035)


def capture_knock(rng):
    n = int(0.190 * RATE)
    modes = [(1350.0, 1.0, 0.010), (2890.0, 0.6, 0.006), (4700.0, 0.35, 0.003)]
    first = knock(n, int(0.002 * RATE), modes, 0.9, 0.003, rng, 0.8)
    second = knock(n, int(0.048 * RATE),
                   [(f * 1.06, a * 0.8, t) for f, a, t in modes], 0.8, 0.003, rng, 0.8)
    return fade(normalise(mix(first, second)), 0.002, 0.040)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_sounds.py <output folder>")
    out_dir = sys.argv[1]
    os.makedirs(out_dir, exist_ok=True)
    rng = random.Random(20261209)
    for name, make in (("101.wav", soft_click), ("102.wav", dull_knock),
                       ("103.wav", capture_knock)):
        write_wave(os.path.join(out_dir, name), make(rng))


if __name__ == "__main__":
    main()
