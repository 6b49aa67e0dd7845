"""The win chime: a rising C major arpeggio of small bells, as a 16-bit stereo PCM wave."""

import math
import struct

RATE = 44100
CHANNELS = 2
BITS = 16
DURATION = 0.5  # seconds

# (frequency in Hz, start in seconds, pan from -1 left to 1 right)
NOTES = [(1046.50, 0.000, -0.5), (1318.51, 0.070, -0.15), (1567.98, 0.140, 0.15), (2093.00, 0.210, 0.5)]
# Bell partials: (frequency ratio, relative level, decay time in seconds).
PARTIALS = [(1.0, 1.0, 0.16), (2.76, 0.28, 0.07), (5.40, 0.08, 0.035)]
ATTACK = 0.004     # each strike rises over this time: a hard onset would click
FADE_IN = 0.003    # the whole sound starts from silence ...
FADE_OUT = 0.06    # ... and ends in it exactly
PEAK = 0.7         # of full scale


def _raised_cosine(t, length):
    return 0.5 * (1 - math.cos(math.pi * min(t / length, 1.0)))


def samples():
    frames = round(RATE * DURATION)
    left, right = [0.0] * frames, [0.0] * frames
    for frequency, start, pan in NOTES:
        gain_l = math.cos((pan + 1) * math.pi / 4)
        gain_r = math.sin((pan + 1) * math.pi / 4)
        for i in range(round(start * RATE), frames):
            t = i / RATE - start
            value = sum(level * math.exp(-t / decay) * math.sin(2 * math.pi * frequency * ratio * t)
                        for ratio, level, decay in PARTIALS)
            value *= _raised_cosine(t, ATTACK)
            left[i] += gain_l * value
            right[i] += gain_r * value
    fade_out_start = frames - 1 - round(FADE_OUT * RATE)
    for i in range(frames):
        envelope = _raised_cosine(i / RATE, FADE_IN)
        if i > fade_out_start:
            envelope *= 0.5 * (1 + math.cos(math.pi * (i - fade_out_start) / (frames - 1 - fade_out_start)))
        left[i] *= envelope
        right[i] *= envelope
    scale = PEAK * 32767 / max(max(map(abs, left)), max(map(abs, right)))
    return [(round(l * scale), round(r * scale)) for l, r in zip(left, right)]


def wave():
    data = b"".join(struct.pack("<hh", l, r) for l, r in samples())
    block = CHANNELS * BITS // 8
    fmt = struct.pack("<4sIHHIIHH", b"fmt ", 16, 1, CHANNELS, RATE, RATE * block, block, BITS)
    body = b"WAVE" + fmt + struct.pack("<4sI", b"data", len(data)) + data
    return struct.pack("<4sI", b"RIFF", len(body)) + body
