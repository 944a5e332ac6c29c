#!/usr/bin/python3
"""Writes the lobby's two attention sounds as short 16-bit mono WAV files.

    make_sounds.py DIR

message.wav: one soft two-note chime (a memo, a room chat line, a new member).
game.wav: a rising three-note call (made host, the game starts).
"""

import math
import struct
import sys
import wave
from pathlib import Path

RATE = 22050
VOLUME = 0.35 * 32767


def notes(frequencies, note_seconds):
    samples = []
    length = int(RATE * note_seconds)
    for frequency in frequencies:
        for i in range(length):
            # A quick rise and an exponential fall, so no note clicks.
            envelope = min(1.0, i / (0.005 * RATE)) * math.exp(-4.0 * i / length)
            samples.append(int(VOLUME * envelope * math.sin(2 * math.pi * frequency * i / RATE)))
    return samples


def write(path, samples):
    with wave.open(str(path), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(struct.pack("<%dh" % len(samples), *samples))


def main(directory):
    directory = Path(directory)
    directory.mkdir(parents=True, exist_ok=True)
    write(directory / "message.wav", notes([880.0, 1318.5], 0.12))
    write(directory / "game.wav", notes([523.25, 659.25, 783.99], 0.15))


if __name__ == "__main__":
    main(sys.argv[1])
