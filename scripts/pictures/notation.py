"""Music notation shapes as SVG, in staff spaces: clefs, brace, whole note, sharp, ledger lines.
Every shape is drawn here from its outline; no music font is needed."""

import math

from pen import stroke_path

# Treble clef: one stroke from the ball at the tail, up the stem, round the top loop, down the
# long diagonal and round the body to the curl that ends on the G line. (x, y, pen width) in
# staff spaces, y downwards, 0 on the G line.
G_CLEF = [
    (0.62, 2.40, 0.16),
    (0.95, 2.82, 0.17),
    (1.42, 2.62, 0.17),
    (1.56, 2.00, 0.15),
    (1.46, 0.80, 0.13),
    (1.27, -0.80, 0.13),
    (1.10, -2.30, 0.15),
    (1.10, -3.35, 0.17),
    (1.30, -4.15, 0.16),
    (1.66, -4.62, 0.10),
    (1.90, -4.20, 0.16),
    (1.80, -3.45, 0.30),
    (1.35, -2.70, 0.40),
    (0.70, -1.90, 0.44),
    (0.22, -1.05, 0.44),
    (0.08, -0.10, 0.40),
    (0.35, 0.72, 0.30),
    (1.05, 1.17, 0.18),
    (1.80, 0.95, 0.24),
    (2.18, 0.25, 0.36),
    (2.02, -0.48, 0.30),
    (1.45, -0.88, 0.14),
    (0.85, -0.70, 0.14),
    (0.58, -0.12, 0.22),
    (0.90, 0.35, 0.26),
    (1.30, 0.40, 0.24),
]
G_CLEF_BALL = (0.58, 2.28, 0.36)  # centre and radius of the tail's ball

# Bass clef: the ball on the F line, the arc over it and down to the tail. 0 on the F line.
F_CLEF = [
    (0.30, -0.05, 0.14),
    (0.45, -0.70, 0.13),
    (1.05, -1.05, 0.16),
    (1.75, -0.85, 0.26),
    (2.12, -0.15, 0.40),
    (2.05, 0.70, 0.40),
    (1.62, 1.45, 0.30),
    (0.95, 2.05, 0.18),
    (0.15, 2.52, 0.06),
]
F_CLEF_BALL = (0.40, 0.02, 0.36)
F_CLEF_DOTS = [(2.65, -0.5, 0.15), (2.65, 0.5, 0.15)]

NOTE_HALF_WIDTH = 0.82  # whole note: half its width and half its height, staff spaces
NOTE_HALF_HEIGHT = 0.52


def circle(x, y, r, fill):
    return f'<circle cx="{x:.2f}" cy="{y:.2f}" r="{r:.2f}" fill="{fill}"/>'


def g_clef(x, y, space, fill):
    """Treble clef with its curl on the line at height y."""
    bx, by, br = G_CLEF_BALL
    return (f'<path d="{stroke_path(G_CLEF, space, x, y)}" fill="{fill}"/>'
            + circle(x + bx * space, y + by * space, br * space, fill))


def f_clef(x, y, space, fill):
    """Bass clef with its ball on the line at height y."""
    bx, by, br = F_CLEF_BALL
    shapes = [f'<path d="{stroke_path(F_CLEF, space, x, y)}" fill="{fill}"/>',
              circle(x + bx * space, y + by * space, br * space, fill)]
    shapes += [circle(x + dx * space, y + dy * space, r * space, fill) for dx, dy, r in F_CLEF_DOTS]
    return "".join(shapes)


def brace(x, top, bottom, fill):
    """Curly brace of a grand staff, its point at the left, between top and bottom."""
    h = bottom - top
    mid = top + h / 2
    upper = [(x + 10.5, top, 0.8), (x + 6.6, top + h * 0.05, 2.8), (x + 4.8, top + h * 0.17, 5.2),
             (x + 4.4, top + h * 0.33, 5.0), (x + 3.0, top + h * 0.44, 2.8), (x + 0.4, mid, 0.9)]
    lower = [(px, 2 * mid - py, w) for px, py, w in upper]
    return (f'<path d="{stroke_path(upper)}" fill="{fill}"/>'
            f'<path d="{stroke_path(lower)}" fill="{fill}"/>')


def whole_note(x, y, space, fill):
    """Whole note centred on (x, y): an oval with a slanted hollow."""
    rx, ry = NOTE_HALF_WIDTH * space, NOTE_HALF_HEIGHT * space
    hx, hy = 0.30 * space, 0.44 * space
    return (f'<path fill="{fill}" fill-rule="evenodd" d="'
            f'M{x - rx:.2f},{y:.2f} a{rx:.2f},{ry:.2f} 0 1,0 {2 * rx:.2f},0 '
            f'a{rx:.2f},{ry:.2f} 0 1,0 {-2 * rx:.2f},0 Z '
            f'{_rotated_ellipse(x, y, hx, hy, 55)}"/>')


def _rotated_ellipse(cx, cy, rx, ry, degrees):
    points = []
    a = math.radians(degrees)
    for step in range(48):
        t = 2 * math.pi * step / 48
        ex, ey = rx * math.cos(t), ry * math.sin(t)
        points.append(f"{cx + ex * math.cos(a) - ey * math.sin(a):.2f},"
                      f"{cy + ex * math.sin(a) + ey * math.cos(a):.2f}")
    return "M" + " L".join(points) + " Z"


def sharp(x, y, space, fill):
    """Sharp sign centred on (x, y): two thin upright strokes, two thick rising bars."""
    thin, thick = 0.11 * space, 0.30 * space
    half_gap, bar_half = 0.26 * space, 0.52 * space
    rise = 0.22 * space
    shapes = []
    for dx, shift in ((-half_gap, 0.14 * space), (half_gap, -0.14 * space)):
        shapes.append(f'<rect x="{x + dx - thin / 2:.2f}" y="{y - 1.35 * space + shift:.2f}" '
                      f'width="{thin:.2f}" height="{2.7 * space:.2f}" fill="{fill}"/>')
    for dy in (-0.42 * space, 0.42 * space):
        cy = y + dy
        shapes.append(
            f'<polygon fill="{fill}" points="{x - bar_half:.2f},{cy + rise - thick / 2:.2f} '
            f'{x + bar_half:.2f},{cy - rise - thick / 2:.2f} {x + bar_half:.2f},{cy - rise + thick / 2:.2f} '
            f'{x - bar_half:.2f},{cy + rise + thick / 2:.2f}"/>')
    return "".join(shapes)


def line(x1, y1, x2, y2, width, colour, dash=None):
    extra = f' stroke-dasharray="{dash}"' if dash else ""
    return (f'<line x1="{x1:.2f}" y1="{y1:.2f}" x2="{x2:.2f}" y2="{y2:.2f}" stroke="{colour}" '
            f'stroke-width="{width:.2f}"{extra}/>')
