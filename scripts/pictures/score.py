"""The score pictures s000..s128: a grand staff on a card, 210 x 565 pixels, the size of the
score panel. s000 is the empty staff (the default picture); s001..s127 show MIDI note 1..127
as a whole note; s128 shows note 0 (the player passes note 0 as 128).

Notation: notes from middle C (60) up on the treble staff, lower ones on the bass staff; black
keys as sharps; at most three ledger lines, beyond that the note is written an octave (8va,
8vb) or two (15ma, 15mb) nearer the staff, and only above two octaves more ledger lines."""

from notation import brace, f_clef, g_clef, line, sharp, whole_note

WIDTH, HEIGHT = 210, 565
SPACE = 12          # distance of two staff lines
HALF = SPACE // 2   # one step of the scale
# Lines sit in the middle of a pixel row, so they stay sharp.
TREBLE_BOTTOM = 222.5  # y of E4, the treble staff's lowest line
BASS_BOTTOM = 342.5    # y of G2, the bass staff's lowest line
STAFF_LEFT, STAFF_RIGHT = 30, 194
NOTE_X = 130
SHARP_X = NOTE_X - 21

PAPER = "#fdfbf4"
EDGE = "#98abcc"
INK = "#252932"
STAFF_INK = "#3f4450"
NOTE_INK = "#1f4fa0"

# Scale step of each pitch class (C = 0 .. B = 6), black keys on the step of their sharp.
STEP_OF_PITCH = [0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6]
IS_SHARP = [False, True, False, True, False, False, True, False, True, False, True, False]
TREBLE_E4 = 4 * 7 + 2  # scale steps from C-1 to the lines at the bottom of each staff
BASS_G2 = 2 * 7 + 4
MAX_LEDGER_POSITION = 7  # three ledger lines and the space beyond them


def diatonic(note):
    return (note // 12 - 1) * 7 + STEP_OF_PITCH[note % 12]


def placement(note):
    """Where a note is written: staff, ottava (octaves, + up, - down), position on the staff
    (0 = lowest line, 8 = highest, odd = space) and whether it carries a sharp."""
    treble = note >= 60
    position = diatonic(note) - (TREBLE_E4 if treble else BASS_G2)
    ottava = 0
    while ottava < 2 and (position - 8 > MAX_LEDGER_POSITION if treble else -position > MAX_LEDGER_POSITION):
        ottava += 1
        position += -7 if treble else 7
    return {"staff": "treble" if treble else "bass", "ottava": ottava if treble else -ottava,
            "position": position, "sharp": IS_SHARP[note % 12]}


def note_y(place):
    bottom = TREBLE_BOTTOM if place["staff"] == "treble" else BASS_BOTTOM
    return bottom - place["position"] * HALF


def ledger_positions(position):
    if position >= 10:
        return list(range(10, position + 1, 2))
    if position <= -2:
        return list(range(-2, position - 1, -2))
    return []


def grand_staff():
    shapes = [f'<rect x="6.5" y="8.5" width="197" height="548" rx="10" fill="{PAPER}" '
              f'stroke="{EDGE}"/>']
    for bottom in (TREBLE_BOTTOM, BASS_BOTTOM):
        for k in range(5):
            y = bottom - k * SPACE
            shapes.append(line(STAFF_LEFT, y, STAFF_RIGHT, y, 1.1, STAFF_INK))
    top, low = TREBLE_BOTTOM - 4 * SPACE, BASS_BOTTOM
    shapes.append(line(STAFF_LEFT, top - 0.55, STAFF_LEFT, low + 0.55, 1.4, INK))
    shapes.append(line(STAFF_RIGHT, top - 0.55, STAFF_RIGHT, low + 0.55, 1.1, STAFF_INK))
    shapes.append(brace(STAFF_LEFT - 16, top - 1, low + 1, INK))
    shapes.append(g_clef(STAFF_LEFT + 5, TREBLE_BOTTOM - SPACE, SPACE, INK))
    shapes.append(f_clef(STAFF_LEFT + 5, BASS_BOTTOM - 3 * SPACE, SPACE, INK))
    return shapes


def ottava_mark(place, y):
    """"8va" or "15ma" above the note (treble), "8vb" or "15mb" below it (bass), with a dashed
    line that ends in a hook towards the note."""
    octaves = abs(place["ottava"])
    if octaves == 0:
        return []
    up = place["ottava"] > 0
    number = "8" if octaves == 1 else "15"
    suffix = ("va" if up else "vb") if octaves == 1 else ("ma" if up else "mb")
    staff_top = (TREBLE_BOTTOM if up else BASS_BOTTOM) - (8 if up else 0) * HALF
    if up:
        baseline = min(y - HALF, staff_top) - 9
    else:
        baseline = max(y + HALF, staff_top) + 19
    left = NOTE_X - 13
    text_width = (7 if octaves == 1 else 14) + 11
    dash_y = baseline - 4
    hook_end = dash_y + (5 if up else -5)
    right = NOTE_X + 44
    return [
        f'<text x="{left}" y="{baseline}" fill="{INK}" font-family="DejaVu Serif" '
        f'font-style="italic" font-weight="bold" font-size="12">{number}'
        f'<tspan font-size="9" font-weight="normal">{suffix}</tspan></text>',
        line(left + text_width + 2, dash_y, right, dash_y, 1.0, INK, "3,2"),
        line(right, dash_y - 0.5 if up else dash_y + 0.5, right, hook_end, 1.0, INK),
    ]


def score_svg(note):
    """SVG of picture index note (0 = empty staff, 128 = note 0) and its table row."""
    shapes = grand_staff()
    row = None
    if note != 0:
        midi_note = note % 128
        place = placement(midi_note)
        y = note_y(place)
        for position in ledger_positions(place["position"]):
            ly = y + (place["position"] - position) * HALF
            shapes.append(line(NOTE_X - 14, ly, NOTE_X + 14, ly, 1.3, INK))
        shapes.append(whole_note(NOTE_X, y, SPACE, NOTE_INK))
        if place["sharp"]:
            shapes.append(sharp(SHARP_X, y, SPACE, NOTE_INK))
        shapes += ottava_mark(place, y)
        row = (note, midi_note, place["staff"], place["ottava"], place["position"],
               "sharp" if place["sharp"] else "-", y)
    svg = (f'<svg xmlns="http://www.w3.org/2000/svg" width="{WIDTH}" height="{HEIGHT}">'
           + "".join(shapes) + "</svg>")
    return svg, row


TABLE_HEADER = ("# picture, MIDI note, staff, ottava (octaves, + above), position (0 = lowest "
                "line, odd = space), accidental, y of the notehead's centre in pixels\n")
