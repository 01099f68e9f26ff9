#!/usr/bin/python3
"""Composes the two seasonal performances the player plays at start on 24 and 25 December:

  _1224.lyr   Silent Night (melody Franz Xaver Gruber, 1818), music box, in D major
  _1225.lyr   Joy to the World (tune "Antioch", arranged by Lowell Mason, 1839), piano, in G major

Both tunes are in the public domain; the arrangements (introduction, accompaniment, second
verse, ending) are the project's own. Each is played the way a person would play it on the
player's 37 keys: every note lies on the on-screen keyboard as it stands on that day (one octave
down on 24 December, G2..G5; at the normal octave on 25 December, G3..G6), so playback lights a
key for every note it sends.

The output is a version-2 performance file with a 1 ms clock: header lines, then all events on
one "#Data=" line, CR LF line ends, exactly as the player saves a recording. The timing and
velocities are humanised from a fixed seed, so every run writes the same bytes.

Run from anywhere:  python3 scripts/compose_seasonal.py [OUTPUT_FOLDER]
(default data/resources/seasonal). Only the standard library is needed.
"""

import pathlib
import random
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
DEFAULT_OUTPUT = ROOT / "data" / "resources" / "seasonal"

NOTE_OFF, NOTE_ON, END_MARK, DAMPER_UP, DAMPER_DOWN = 0, 1, 2, 3, 4
# Events at the same millisecond go out in this order: releases before new notes, so a key
# struck again is never cut by its own release.
SEND_ORDER = {NOTE_OFF: 0, DAMPER_UP: 1, DAMPER_DOWN: 2, NOTE_ON: 3}

STEPS = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def midi_note(name):
    """'F#4' -> 66 (C4 is middle C, note 60)."""
    step = STEPS[name[0]]
    rest = name[1:]
    while rest and rest[0] in "#b":
        step += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    return 12 * (int(rest) + 1) + step


def parse_voice(text, bar_units):
    """Reads 'A4:3 B4:1 | r:2 D4+F#4:6 ...' into (start, length, [notes]) in units.

    Bars are separated by '|' and must each add up to bar_units, which catches slips in the
    notation; 'r' is a rest and '+' joins the notes of a chord.
    """
    notes = []
    position = 0
    for number, bar in enumerate(text.split("|"), start=1):
        tokens = bar.split()
        if not tokens:
            continue
        length_of_bar = 0
        for token in tokens:
            pitch, length = token.split(":")
            length = int(length)
            if pitch != "r":
                notes.append((position, length, [midi_note(p) for p in pitch.split("+")]))
            position += length
            length_of_bar += length
        if length_of_bar != bar_units:
            raise ValueError(f"bar {number} holds {length_of_bar} units, not {bar_units}: {bar}")
    return notes, position


class TempoMap:
    """Milliseconds of every unit of the score: a steady pulse bent by rubato ranges."""

    def __init__(self, unit_ms, total_units):
        self.factors = [1.0] * (total_units + 1)
        self.unit_ms = unit_ms

    def stretch(self, first, last, start_factor, end_factor=None):
        """Units first..last-1 last start_factor times longer, sliding to end_factor."""
        end_factor = start_factor if end_factor is None else end_factor
        count = max(1, last - first)
        for i in range(first, last):
            share = (i - first) / count
            self.factors[i] *= start_factor + (end_factor - start_factor) * share

    def times(self):
        out = [0.0]
        for factor in self.factors:
            out.append(out[-1] + self.unit_ms * factor)
        return out


class Performance:
    """Notes and pedal changes in milliseconds, turned into the player's event text."""

    def __init__(self, seed, lowest, highest):
        self.random = random.Random(seed)
        self.lowest, self.highest = lowest, highest
        self.notes = []  # [on_ms, off_ms, note, velocity, voice]
        self.pedal = []  # (ms, kind)

    def add(self, on_ms, off_ms, note, velocity, voice):
        if not self.lowest <= note <= self.highest:
            raise ValueError(f"note {note} ({voice}) lies off the keyboard")
        velocity = max(1, min(127, round(velocity)))
        self.notes.append([on_ms, max(off_ms, on_ms + 40), note, velocity, voice])

    def jitter(self, spread_ms):
        return self.random.gauss(0.0, spread_ms)

    def wobble(self, amount):
        return self.random.uniform(-amount, amount)

    def tidy(self, lead_voices):
        """Same-key clashes, settled as a player's fingers must: a note still sounding when its
        key is struck again is released just before. An accompaniment note that would cut the
        tune short is left out instead, since the tune already holds that key."""
        self.notes.sort(key=lambda n: (n[0], n[2]))
        last_of_key = {}
        kept = []
        for note in self.notes:
            earlier = last_of_key.get(note[2])
            if earlier is not None and earlier[1] > note[0] - 20:
                cut = earlier[1] - (note[0] - 20)
                if earlier[4] in lead_voices and note[4] not in lead_voices and cut > 60:
                    continue
                earlier[1] = note[0] - 20
                if earlier[1] <= earlier[0] + 30:
                    raise ValueError(f"note {note[2]} at {earlier[0]:.0f} ms is struck too soon")
            last_of_key[note[2]] = note
            kept.append(note)
        self.notes = kept

    def events(self, ring_out_ms, lead_in_ms=400):
        """(delta, data, kind, velocity) with a 1 ms clock, closed by the end mark. The first
        note comes lead_in_ms after the start, as after a press of the record button."""
        timed = []
        for on_ms, off_ms, note, velocity, _ in self.notes:
            timed.append((round(on_ms), SEND_ORDER[NOTE_ON], note, NOTE_ON, velocity))
            timed.append((round(off_ms), SEND_ORDER[NOTE_OFF], note, NOTE_OFF, 0))
        for ms, kind in self.pedal:
            timed.append((round(ms), SEND_ORDER[kind], 0, kind, 0))
        timed.sort()
        start = timed[0][0] - lead_in_ms
        out = []
        previous = start
        for ms, _, data, kind, velocity in timed:
            out.append((ms - previous, data, kind, velocity))
            previous = ms
        out.append((ring_out_ms, 60, END_MARK, 0))
        return out


def lyr_text(events, tempo, title, author, instrument):
    """The file as the player writes it: header lines, one data line, CR LF line ends."""
    lines = [
        "#FileFormatVer=2",
        "#ClockTime=1",
        f"#Temp={tempo}",
        f"#Title={title}",
        f"#Copy={author}",
        f"#List={instrument}",
        "#BKS=0",
        "#MODDEP=0",
        "#MidiToLyr=0",
        "#Data=" + "".join(f"{d}:{n}:{k}:{v}," for d, n, k, v in events),
    ]
    return "".join(line + "\r\n" for line in lines)


def chords_at(harmony):
    """[(chord, units), ...] -> list of (start, chord)."""
    out, position = [], 0
    for chord, units in harmony:
        out.append((position, chord))
        position += units
    return out


def chord_at(changes, position):
    current = changes[0][1]
    for start, chord in changes:
        if start <= position:
            current = chord
    return current


# --- Silent Night ---------------------------------------------------------------------------
# 6/8 in sixteenths: a bar is 12 units. D major, melody D4..G5.

SILENT_BAR = 12
SILENT_MELODY = """
A4:3 B4:1 A4:2 F#4:6 | A4:3 B4:1 A4:2 F#4:6 | E5:4 E5:2 C#5:6 | D5:4 D5:2 A4:6 |
B4:4 B4:2 D5:3 C#5:1 B4:2 | A4:3 B4:1 A4:2 F#4:6 | B4:4 B4:2 D5:3 C#5:1 B4:2 |
A4:3 B4:1 A4:2 F#4:6 | E5:4 E5:2 G5:3 E5:1 C#5:2 | D5:6 F#5:6 |
D5:3 A4:1 F#4:2 A4:3 G4:1 E4:2 | D4:12
"""
# A third below the tune where the second verse opens up ("sleep in heavenly peace").
SILENT_THIRDS = """
r:12 | r:12 | r:12 | r:12 | r:12 | r:12 | r:12 | r:12 |
C#5:4 C#5:2 E5:3 C#5:1 A4:2 | A4:6 D5:6 | r:12 | r:12
"""
# The chord of every half bar.
SILENT_HARMONY = ["D", "D", "D", "D", "A7", "A7", "D", "D", "G", "G", "D", "D", "G", "G",
                  "D", "D", "Em7", "A7", "D", "D", "D/A", "A7", "D", "D"]
# Bass and the three tones the harp-like figure walks through, all below the tune.
SILENT_VOICING = {
    "D": ("D3", ["F#3", "A3", "D4"]),
    "D/A": ("A2", ["F#3", "A3", "D4"]),
    "A7": ("A2", ["E3", "G3", "C#4"]),
    "G": ("G2", ["D3", "G3", "B3"]),
    "Em7": ("E3", ["G3", "B3", "D4"]),
}


def silent_figure(chord, half, changed, flowing):
    """Notes of one half bar of accompaniment: (offset, length, note, role).

    The figure rises from the bass in the first half of a bar and falls back in the second
    half (bass, 1st, 2nd | 3rd, 2nd, 1st); a new chord in the second half starts from its own
    bass. The flowing variant of the second verse strikes the bass again halfway.
    """
    bass, tones = SILENT_VOICING[chord]
    bass, tones = midi_note(bass), [midi_note(t) for t in tones]
    if half == 0 or changed:
        return [(0, 12, bass, "bass"), (2, 8, tones[0], "tone"), (4, 6, tones[1], "tone")]
    figure = [(0, 2, tones[2], "tone"), (2, 4, tones[1], "tone"), (4, 2, tones[0], "tone")]
    if flowing:
        figure.append((0, 6, bass, "restrike"))
    return figure


def compose_silent_night():
    unit_ms = 60000.0 / 46 / 6  # dotted quarter = 46
    melody, verse_units = parse_voice(SILENT_MELODY, SILENT_BAR)
    thirds, _ = parse_voice(SILENT_THIRDS, SILENT_BAR)
    if 6 * len(SILENT_HARMONY) != verse_units:
        raise ValueError("the chords and the tune of a verse differ in length")
    intro_units = 2 * SILENT_BAR
    tag_melody, tag_units = parse_voice("D5:3 A4:1 F#4:2 A4:3 G4:1 E4:2 | D4:12", SILENT_BAR)
    verse2 = intro_units + verse_units
    tag = verse2 + verse_units
    total = tag + tag_units

    tempo = TempoMap(unit_ms, total)
    for start in (intro_units, verse2):
        tempo.stretch(start + 3 * SILENT_BAR + 6, start + 4 * SILENT_BAR, 1.06)  # breath
        tempo.stretch(start + 7 * SILENT_BAR + 6, start + 8 * SILENT_BAR, 1.06)
        tempo.stretch(start + 9 * SILENT_BAR, start + 10 * SILENT_BAR, 1.0, 1.12)  # "peace"
    tempo.stretch(intro_units + 10 * SILENT_BAR, verse2, 1.04, 1.12)
    tempo.stretch(verse2 + 10 * SILENT_BAR, tag, 1.08, 1.22)
    tempo.stretch(tag, total, 1.22, 1.6)
    at = tempo.times()

    perf = Performance(seed=1224, lowest=43, highest=79)

    def play_tune(notes, offset, base, shape, voice, legato=25.0, lead=-6.0):
        for start, length, pitches in notes:
            position = offset + start
            bar, beat_unit = divmod(start, SILENT_BAR)
            velocity = base + shape[bar % len(shape)]
            if beat_unit in (0, 6):
                velocity += 4  # the two beats of the bar
            elif length == 1:
                velocity -= 5  # the short note of a dotted figure
            on = at[position] + lead + perf.jitter(5)
            off = at[position + length] + legato + perf.jitter(8)
            for pitch in pitches:
                perf.add(on, off, pitch, velocity + perf.wobble(3), voice)

    def play_accompaniment(first_bar_unit, bars, harmony, base, flowing):
        for half in range(2 * bars):
            chord = harmony[half]
            changed = half % 2 == 1 and harmony[half - 1] != chord
            start = first_bar_unit + 6 * half
            for offset, length, note, role in silent_figure(chord, half % 2, changed, flowing):
                position = start + offset
                end = min(position + length, total)
                velocity = base + (6 if role == "bass" else -4 if role == "restrike" else 0)
                on = at[position] + 4 + perf.jitter(7)
                perf.add(on, at[end] + 40, note, velocity + perf.wobble(4), "accompaniment")

    # Introduction: two bars of the rocking figure alone, as a player finds the tempo.
    play_accompaniment(0, 2, ["D"] * 4, 44, flowing=False)
    # First verse, quiet; second verse a little warmer, the bass struck twice a bar, and thirds.
    play_tune(melody, intro_units, 68, [0, -2, 2, 0, 3, 0, 3, -2, 6, 4, -2, -6], "tune")
    play_accompaniment(intro_units, 12, SILENT_HARMONY, 46, flowing=False)
    play_tune(melody, verse2, 76, [0, -2, 3, 1, 4, 0, 4, -1, 8, 6, -3, -8], "tune")
    play_tune(thirds, verse2, 58, [0] * 8 + [4, 2], "thirds")
    play_accompaniment(verse2, 12, SILENT_HARMONY, 50, flowing=True)
    # Ending: the last line once more, softer and slower, over a held bass.
    play_tune(tag_melody, tag, 62, [0, -6], "tune", legato=60.0)
    play_accompaniment(tag, 1, ["D/A", "A7"], 40, flowing=False)
    final = at[tag + SILENT_BAR]
    for i, note in enumerate(["D3", "A3", "F#3", "D5"]):
        velocity = 54 if note != "D5" else 48
        perf.add(final + 25 + 35 * i, final + 4200, midi_note(note), velocity, "accompaniment")
    perf.tidy(lead_voices={"tune", "thirds"})
    return perf.events(ring_out_ms=1500)


# --- Joy to the World -----------------------------------------------------------------------
# 2/4 in sixteenths: a bar is 8 units. G major, melody G4..G5.

JOY_BAR = 8
JOY_MELODY = """
G5:4 F#5:3 E5:1 | D5:6 C5:2 | B4:4 A4:4 | G4:6 D5:2 | E5:6 E5:2 | F#5:6 F#5:2 |
G5:6 G5:2 | G5:2 F#5:2 E5:2 D5:2 | D5:3 C5:1 B4:2 G5:2 | G5:2 F#5:2 E5:2 D5:2 |
D5:3 C5:1 B4:2 B4:2 | B4:2 B4:2 B4:2 B4:1 C5:1 | D5:6 C5:1 B4:1 |
A4:2 A4:2 A4:2 A4:1 B4:1 | C5:6 B4:1 A4:1 | G4:2 G5:4 E5:2 | D5:3 C5:1 B4:2 C5:2 |
B4:4 A4:4 | G4:8
"""
JOY_ALTO = """
B4:4 D5:3 C5:1 | B4:6 A4:2 | G4:4 F#4:4 | r:6 r:2 | C5:6 C5:2 | A4:6 A4:2 |
B4:6 B4:2 | B4:2 D5:2 C5:2 B4:2 | B4:3 A4:1 G4:2 B4:2 | B4:2 D5:2 C5:2 B4:2 |
B4:3 A4:1 G4:2 G4:2 | G4:2 G4:2 G4:2 G4:1 A4:1 | B4:6 A4:1 G4:1 |
F#4:2 F#4:2 F#4:2 F#4:1 G4:1 | A4:6 G4:1 F#4:1 | r:2 B4:4 C5:2 | B4:3 A4:1 G4:2 A4:2 |
G4:4 F#4:4 | r:8
"""
# (chord, units) through one verse.
JOY_HARMONY = [
    ("G", 8), ("G", 6), ("C", 2), ("G/D", 4), ("D7", 4), ("G", 6), ("G/B", 2), ("C", 8),
    ("D7", 8), ("G", 8), ("G", 2), ("D/G", 2), ("C/G", 2), ("G", 2), ("G", 8),
    ("G", 2), ("D/G", 2), ("C/G", 2), ("G", 2), ("G", 8), ("G", 8), ("G", 8), ("D", 8),
    ("D7", 8), ("G", 8), ("G", 6), ("C", 2), ("G/D", 4), ("D7", 4), ("G", 8),
]
# Left hand: bass and the chord it answers with, inside G3..F#4 under the tune.
JOY_VOICING = {
    "G": ("G3", ["B3", "D4"]),
    "C": ("C4", ["G3", "E4"]),
    "G/D": ("D4", ["G3", "B3"]),
    "D7": ("A3", ["C4", "F#4"]),
    "D": ("A3", ["D4", "F#4"]),
    "G/B": ("B3", ["D4", "G3"]),
    "D/G": ("G3", ["A3", "D4", "F#4"]),
    "C/G": ("G3", ["C4", "E4"]),
}


def compose_joy_to_the_world():
    unit_ms = 60000.0 / 104 / 4  # quarter = 104
    melody, verse_units = parse_voice(JOY_MELODY, JOY_BAR)
    alto, _ = parse_voice(JOY_ALTO, JOY_BAR)
    harmony = chords_at(JOY_HARMONY)
    if sum(units for _, units in JOY_HARMONY) != verse_units:
        raise ValueError("the chords and the tune of a verse differ in length")
    intro_from = 15 * JOY_BAR  # the introduction is the last four bars of the tune
    intro_units = verse_units - intro_from
    verse1 = intro_units
    verse2 = verse1 + verse_units
    total = verse2 + verse_units

    tempo = TempoMap(unit_ms, total)
    tempo.stretch(intro_units - JOY_BAR, intro_units, 1.05, 1.18)  # settle before the verse
    for start in (verse1, verse2):
        tempo.stretch(start + 6 * JOY_BAR, start + 6 * JOY_BAR + 6, 1.9)  # fermata, "King"
        tempo.stretch(start + 17 * JOY_BAR, start + 19 * JOY_BAR, 1.0, 1.12)
    tempo.stretch(verse2 - JOY_BAR, verse2, 1.1)
    tempo.stretch(total - 3 * JOY_BAR, total, 1.05, 1.45)  # broad last line
    at = tempo.times()

    perf = Performance(seed=1225, lowest=55, highest=91)

    def play_right_hand(notes, offset, skip_before, base, voice, accent):
        for start, length, pitches in notes:
            if start < skip_before:
                continue
            position = offset + start - skip_before
            bar, unit = divmod(start, JOY_BAR)
            velocity = base + (accent if unit == 0 else 2 if unit == 4 else 0)
            if length == 1:
                velocity -= 4
            if 11 <= bar <= 14:
                velocity += 2 * (bar - 10)  # "and heaven and nature sing" builds up
            on = at[position] - 5 + perf.jitter(5)
            off = at[position + length] + 12 + perf.jitter(6)
            if length <= 2 and voice == "tune":
                off = at[position + length] - 10  # short notes slightly detached
            for pitch in pitches:
                perf.add(on, off, pitch, velocity + perf.wobble(3), voice)

    def play_left_hand(offset, skip_before, base, full, stop_before=None):
        for start in range(skip_before, stop_before or verse_units, 2):
            position = offset + start - skip_before
            chord = chord_at(harmony, start)
            bass, tones = JOY_VOICING[chord]
            bass, tones = midi_note(bass), [midi_note(t) for t in tones]
            on = at[position] + 6 + perf.jitter(7)
            if start % 4 == 0:  # bass on the beat
                velocity = base + (5 if start % JOY_BAR == 0 else 0)
                perf.add(on, at[position + 2] - 15, bass, velocity + perf.wobble(3), "left")
                if full and start % JOY_BAR == 0:
                    for tone in tones:
                        perf.add(on + 8, at[position + 2] - 15, tone, velocity - 12, "left")
            else:  # the chord answers off the beat
                for i, tone in enumerate(tones):
                    perf.add(on + 6 * i, at[position + 2] - 25, tone,
                             base - 8 + perf.wobble(4), "left")

    def pedal_changes(offset, skip_before):
        """Fresh pedal at every change of harmony and every bar, caught just after the
        bass is struck, the way a pianist keeps a legato line clean."""
        starts = {s for s, _ in harmony if s >= skip_before}
        starts |= {s for s in range(skip_before, verse_units, JOY_BAR)}
        for start in sorted(starts):
            ms = at[offset + start - skip_before]
            perf.pedal.append((ms + 15 + perf.wobble(5), DAMPER_UP))
            perf.pedal.append((ms + 85 + perf.wobble(10), DAMPER_DOWN))

    # Introduction: the last line, softly, the tune alone over the left hand.
    play_right_hand(melody, 0, intro_from, 72, "tune", accent=4)
    play_left_hand(0, intro_from, 52, full=False)
    pedal_changes(0, intro_from)
    # First verse with the tune alone; second verse louder, the alto line joining in.
    play_right_hand(melody, verse1, 0, 84, "tune", accent=6)
    play_left_hand(verse1, 0, 58, full=False)
    pedal_changes(verse1, 0)
    play_right_hand(melody, verse2, 0, 94, "tune", accent=7)
    play_right_hand(alto, verse2, 0, 72, "alto", accent=4)
    play_left_hand(verse2, 0, 64, full=True, stop_before=verse_units - JOY_BAR)
    pedal_changes(verse2, 0)
    # Ending: the tonic chord spread from the bottom up and held under the pedal.
    end = at[total]
    last_g = at[total - JOY_BAR]
    for i, note in enumerate(["G3", "B3", "D4", "B4", "D5", "G5"]):
        perf.add(last_g + 12 * i, end + 2200, midi_note(note), 80 - 2 * i, "ending")
    perf.pedal = [p for p in perf.pedal if p[0] < last_g + 200]
    perf.pedal.append((end + 2600, DAMPER_UP))
    perf.tidy(lead_voices={"tune", "alto"})
    return perf.events(ring_out_ms=1200)


def write(folder, name, text):
    folder.mkdir(parents=True, exist_ok=True)
    path = folder / name
    temporary = path.with_suffix(".tmp")
    temporary.write_bytes(text.encode("ascii"))
    temporary.replace(path)
    return path


def main(argv):
    folder = pathlib.Path(argv[1]) if len(argv) > 1 else DEFAULT_OUTPUT
    pieces = [
        ("_1224.lyr", compose_silent_night(), 46, "Silent Night",
         "Franz Xaver Gruber, 1818 - arranged for Kirivane", 11),
        ("_1225.lyr", compose_joy_to_the_world(), 104, "Joy to the World",
         "Antioch, arr. Lowell Mason, 1839 - arranged for Kirivane", 1),
    ]
    for name, events, tempo, title, author, instrument in pieces:
        path = write(folder, name, lyr_text(events, tempo, title, author, instrument))
        length_ms = sum(e[0] for e in events)
        notes = sum(1 for e in events if e[2] == NOTE_ON)
        print(f"{path}: {len(events)} events, {notes} notes, {length_ms / 1000:.1f} s")


if __name__ == "__main__":
    main(sys.argv)
