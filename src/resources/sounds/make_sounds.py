#!/usr/bin/env python3
"""Writes the two short sounds of the practice lines: key.wav (a soft tick
for every key) and wrong.wav (a low, rounded two-note knock for a mistyped
character). Mono, 16-bit, 22050 Hz; run again to regenerate."""
import math
import os
import struct
import wave

RATE = 22050
HERE = os.path.dirname(os.path.abspath(__file__))


def write(name, samples):
    with wave.open(os.path.join(HERE, name), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", int(max(-1.0, min(1.0, s)) * 32767)) for s in samples))


def tone(freq, seconds, decay, volume, attack=0.002):
    n = int(RATE * seconds)
    result = []
    for i in range(n):
        t = i / RATE
        envelope = min(1.0, t / attack) * math.exp(-t * decay)
        # A touch of the octave gives the tick some body.
        result.append(volume * envelope * (math.sin(2 * math.pi * freq * t) + 0.3 * math.sin(4 * math.pi * freq * t)))
    return result


def fade_out(samples, seconds=0.005):
    n = int(RATE * seconds)
    for i in range(n):
        samples[-1 - i] *= i / n
    return samples


def key():
    return fade_out(tone(1760, 0.035, 140, 0.35, attack=0.0008))


def wrong():
    first = tone(392, 0.09, 30, 0.45)
    second = tone(311, 0.14, 24, 0.45)
    gap = [0.0] * int(RATE * 0.01)
    return fade_out(first + gap + second, 0.02)


if __name__ == "__main__":
    write("key.wav", key())
    write("wrong.wav", wrong())
