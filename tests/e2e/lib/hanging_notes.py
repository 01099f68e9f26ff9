#!/usr/bin/env python3
"""Reads a MIDI capture log ("<ms> <hex byte> ...", one message a line) and prints every note
still sounding at its end: a note-on (9n, velocity > 0) with no later note-off (8n, or 9n with
velocity 0) of that key, All Sound Off or All Notes Off on its channel, or a system-wide reset
(GM, GS or XG reset, or FF). A damper (controller 64) left down, and not cleared by a Reset All
Controllers, counts too: it keeps the released notes sounding. Exits 1 when anything sounds.
Usage: hanging_notes.py CAPTURE_LOG"""
import sys

RESETS = (
    bytes.fromhex("F07E7F0901F7"),  # GM system on
    bytes.fromhex("F04110421240007F0041F7"),  # GS reset
)


def is_reset(message):
    if message in RESETS or message == b"\xff":
        return True
    # XG system on, any device number
    return len(message) == 9 and message[0] == 0xF0 and message[1] == 0x43 and \
        message[2] & 0xF0 == 0x10 and message[3:] == bytes.fromhex("4C00007E00F7")


def hanging(lines):
    sounding = {}  # (channel, key) -> line number of its note-on
    damper = {}  # channel -> line number of the damper going down
    running = None
    for number, line in enumerate(lines, 1):
        fields = line.split()
        if len(fields) < 2:
            continue
        try:
            message = bytes(int(f, 16) for f in fields[1:])
        except ValueError:
            raise SystemExit(f"line {number}: not a capture line: {line.strip()}")
        if message[0] < 0x80 and running is not None:
            message = bytes([running]) + message
        status = message[0]
        if status >= 0xF0:
            if is_reset(message):
                sounding.clear()
                damper.clear()
            continue
        running = status
        kind, channel = status & 0xF0, status & 0x0F
        if len(message) < 3:
            continue
        data1, data2 = message[1], message[2]
        if kind == 0x90 and data2 > 0:
            sounding[(channel, data1)] = number
        elif kind in (0x80, 0x90):
            sounding.pop((channel, data1), None)
        elif kind == 0xB0 and data1 in (120, 123):
            for held in [k for k in sounding if k[0] == channel]:
                del sounding[held]
        elif kind == 0xB0 and data1 == 121:
            damper.pop(channel, None)
        elif kind == 0xB0 and data1 == 64:
            if data2 >= 64:
                damper.setdefault(channel, number)
            else:
                damper.pop(channel, None)
    notes = [f"channel {c + 1} note {k} (on at line {n})" for (c, k), n in sorted(sounding.items())]
    pedals = [f"channel {c + 1} damper (down at line {n})" for c, n in sorted(damper.items())]
    return notes + pedals


def main():
    if len(sys.argv) != 2:
        raise SystemExit(__doc__.split("Usage: ")[1])
    with open(sys.argv[1], encoding="ascii", errors="replace") as log:
        left = hanging(log)
    for item in left:
        print(item)
    sys.exit(1 if left else 0)


if __name__ == "__main__":
    main()
