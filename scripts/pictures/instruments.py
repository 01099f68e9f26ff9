"""The note picture's pictures, 64 x 52 pixels each, shown with their bottom at y 149 and
centred on x 41 of the full window. n<p + 1> belongs to program p, d<n> to drum note n; index 0
is the default, shown for every program or drum without a picture of its own:

  n000.png            the default instrument picture: two beamed notes
  n001.png..n004.png  the grand pianos (programs 0..3): a grand piano with its lid open
  d000.png            the default drum picture: a snare drum with two sticks
  d038.png, d040.png  the snare drums (notes 38 and 40): the same snare drum"""

WIDTH, HEIGHT = 64, 52


def svg(body):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{WIDTH}" height="{HEIGHT}">'
            f'{body}</svg>')


def gradient(name, stops, vertical=True):
    x2, y2 = ("0", "1") if vertical else ("1", "0")
    marks = "".join(f'<stop offset="{offset}" stop-color="{colour}"/>' for offset, colour in stops)
    return f'<linearGradient id="{name}" x1="0" y1="0" x2="{x2}" y2="{y2}">{marks}</linearGradient>'


def piano():
    defs = (gradient("lacquer", [(0, "#4a4a52"), (0.35, "#16161a"), (1, "#050506")])
            + gradient("lid", [(0, "#5c5c66"), (1, "#141418")], vertical=False)
            + gradient("floor", [(0, "#000000"), (1, "#000000")]))
    parts = [f"<defs>{defs}</defs>",
             # shadow on the floor
             '<ellipse cx="33" cy="49.5" rx="27" ry="2.2" fill="#000000" fill-opacity="0.18"/>',
             # the lid, propped open by its stick
             '<path d="M41,26 L45,13" stroke="#2a2a30" stroke-width="1.3" stroke-linecap="round"/>',
             '<path d="M13,24.5 L58.5,4.5 Q61,4 61,6.5 L61.5,24.5 Z" fill="url(#lid)" '
             'stroke="#000000" stroke-width="0.6" stroke-linejoin="round"/>',
             '<path d="M16,23.6 L58,5.6" stroke="#9a9aa8" stroke-width="0.7" stroke-opacity="0.8"/>',
             # the case
             '<path d="M6,24.5 H60 Q62.5,24.5 62.5,27.5 V32 Q62.5,35 59.5,35 H8 Q5.5,35 5.5,32.5 Z" '
             'fill="url(#lacquer)" stroke="#000000" stroke-width="0.6"/>',
             '<path d="M8,26 H60" stroke="#c9a24a" stroke-width="0.7"/>',
             # the keyboard and its cheek
             '<rect x="1.5" y="27" width="8" height="3.2" rx="0.6" fill="#fbfaf4" stroke="#7d7a70" '
             'stroke-width="0.5"/>',
             '<path d="M3,27 V28.7 M5,27 V28.7 M7.8,27 V28.7" stroke="#141414" stroke-width="1"/>',
             # legs with brass casters, and the pedal lyre
             ]
    for x in (9, 34, 58):
        parts.append(f'<path d="M{x - 2.2},35 L{x + 2.2},35 L{x + 1.2},46 L{x - 1.2},46 Z" '
                     f'fill="url(#lacquer)" stroke="#000000" stroke-width="0.5"/>')
        parts.append(f'<rect x="{x - 1.8}" y="46" width="3.6" height="2.4" rx="1" fill="#c9a24a"/>')
    parts.append('<path d="M20,35 V44 M24,35 V44" stroke="#1b1b20" stroke-width="1.4"/>'
                 '<rect x="18.5" y="43.5" width="7" height="1.6" rx="0.6" fill="#c9a24a"/>')
    return svg("".join(parts))


def snare_drum():
    defs = (gradient("shell", [(0, "#7a1020"), (0.3, "#d8324a"), (0.55, "#f06a7c"),
                               (0.8, "#c42338"), (1, "#6a0d1b")], vertical=False)
            + gradient("head", [(0, "#ffffff"), (1, "#e3ddcf")])
            + gradient("metal", [(0, "#f4f6f8"), (0.5, "#9aa3ad"), (1, "#e6eaee")], vertical=False))
    cx, top, bottom, rx, ry = 32, 27, 42, 24, 7
    parts = [f"<defs>{defs}</defs>",
             f'<ellipse cx="{cx}" cy="{bottom + 6.5}" rx="25" ry="2.4" fill="#000000" '
             f'fill-opacity="0.18"/>',
             # shell: the side between the two heads
             f'<path d="M{cx - rx},{top} V{bottom} A{rx},{ry} 0 0,0 {cx + rx},{bottom} V{top} Z" '
             f'fill="url(#shell)" stroke="#4a0812" stroke-width="0.6"/>',
             # bottom rim
             f'<path d="M{cx - rx},{bottom - 1} A{rx},{ry} 0 0,0 {cx + rx},{bottom - 1}" fill="none" '
             f'stroke="url(#metal)" stroke-width="2.2"/>']
    for dx in (-17, -6, 6, 17):
        parts.append(f'<rect x="{cx + dx - 1}" y="{top + 5}" width="2" height="{bottom - top - 3}" '
                     f'rx="0.8" fill="url(#metal)" stroke="#6f7780" stroke-width="0.3"/>')
        parts.append(f'<rect x="{cx + dx - 2}" y="{top + bottom - top - 12 + 6}" width="4" height="3" '
                     f'rx="1" fill="url(#metal)" stroke="#6f7780" stroke-width="0.3"/>')
    parts += [
        # batter head with its rim
        f'<ellipse cx="{cx}" cy="{top}" rx="{rx}" ry="{ry}" fill="url(#head)" stroke="url(#metal)" '
        f'stroke-width="2.4"/>',
        f'<ellipse cx="{cx - 5}" cy="{top - 1.5}" rx="9" ry="2.2" fill="#ffffff" fill-opacity="0.7"/>',
    ]
    # two sticks crossing above the head, tips resting on it
    for x1, y1, x2, y2 in ((5, 4, 30, 23), (60, 5, 36, 23)):
        parts.append(f'<path d="M{x1},{y1} L{x2},{y2}" stroke="#6b4420" stroke-width="3.2" '
                     f'stroke-linecap="round"/>')
        parts.append(f'<path d="M{x1},{y1} L{x2},{y2}" stroke="#e2b673" stroke-width="2" '
                     f'stroke-linecap="round"/>')
        parts.append(f'<ellipse cx="{x2}" cy="{y2}" rx="1.9" ry="1.5" fill="#f3dcb2" '
                     f'stroke="#6b4420" stroke-width="0.5"/>')
    return svg("".join(parts))


def beamed_notes():
    ink = "#1f4fa0"
    parts = [f"<defs>{gradient('note', [(0, '#3c73c8'), (1, '#173d7e')])}</defs>",
             '<ellipse cx="32" cy="49.5" rx="22" ry="2.2" fill="#000000" fill-opacity="0.15"/>']
    for x, y in ((16, 40), (44, 35)):
        parts.append(f'<ellipse cx="{x}" cy="{y}" rx="7.2" ry="5.2" transform="rotate(-22 {x} {y})" '
                     f'fill="url(#note)" stroke="{ink}" stroke-width="0.6"/>')
        parts.append(f'<rect x="{x + 5.2}" y="{y - 31}" width="2.4" height="{31}" fill="{ink}"/>')
    # the beam, thick and rising to the right
    parts.append(f'<polygon points="21.2,6 51.2,1 51.2,7.5 21.2,12.5" fill="{ink}"/>')
    parts.append('<ellipse cx="13.5" cy="38" rx="2.6" ry="1.3" transform="rotate(-22 13.5 38)" '
                 'fill="#ffffff" fill-opacity="0.5"/>')
    parts.append('<ellipse cx="41.5" cy="33" rx="2.6" ry="1.3" transform="rotate(-22 41.5 33)" '
                 'fill="#ffffff" fill-opacity="0.5"/>')
    return svg("".join(parts))


def pictures():
    out = {"n000": beamed_notes(), "d000": snare_drum()}
    for program in range(4):
        out[f"n{program + 1:03d}"] = piano()
    for note in (38, 40):
        out[f"d{note:03d}"] = snare_drum()
    return out
