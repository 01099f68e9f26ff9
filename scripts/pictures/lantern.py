"""The controller lantern: a paper lantern whose length shows the controller value.

  lantern_cap.png          23 x 8   lacquered ring at the top (placed at 418, 93)
  lantern_volume.png       52 x 128 body for channel volume: red paper
  lantern_bend.png         52 x 128 body for pitch bend: indigo paper
  lantern_modulation.png   52 x 128 body for modulation: green paper with a vibrato wave
  lantern_end.png          21 x 9   lacquered ring at the bottom (top at value + 100)
  lantern_string.png       13 x 160 pull string with a bead and a tassel (placed at 423, 99)

The panel shows the top value + 1 rows of a body, so a body looks the same at every length:
its ribs repeat every 6 rows and nothing in it belongs to the top or the bottom only."""

import math

from pen import stroke_path

BODY_WIDTH, BODY_HEIGHT = 52, 128
RIB_SPACING = 6
LACQUER = "#1d1a1a"
LACQUER_SHINE = "#6b5f58"
GOLD = "#c9a24a"

# Paper colours per body: edge, middle, rib.
BODIES = {
    "lantern_volume": ("#9e1f17", "#ffb36b", "#7a1a12"),
    "lantern_bend": ("#1f3277", "#9fc3ff", "#182760"),
    "lantern_modulation": ("#17653f", "#a9f0c2", "#114d30"),
}


def svg(width, height, body):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}">'
            f'{body}</svg>')


def paper_gradient(name, edge, middle):
    return (f'<linearGradient id="{name}" x1="0" y1="0" x2="1" y2="0">'
            f'<stop offset="0" stop-color="{edge}"/><stop offset="0.18" stop-color="{edge}" '
            f'stop-opacity="0.85"/><stop offset="0.5" stop-color="{middle}"/>'
            f'<stop offset="0.82" stop-color="{edge}" stop-opacity="0.85"/>'
            f'<stop offset="1" stop-color="{edge}"/></linearGradient>')


def body(name, edge, middle, rib):
    # Round shoulders at the top; the bottom stays square, as the panel cuts it at any row.
    w, h, r = BODY_WIDTH, BODY_HEIGHT, 9
    outline = f"M0,{r} Q0,0 {r},0 H{w - r} Q{w},0 {w},{r} V{h} H0 Z"
    parts = [f'<defs>{paper_gradient("paper", edge, middle)}'
             f'<clipPath id="shape"><path d="{outline}"/></clipPath></defs><g clip-path="url(#shape)">',
             f'<rect width="{w}" height="{h}" fill="{edge}"/>',
             f'<rect width="{w}" height="{h}" fill="url(#paper)"/>']
    for y in range(RIB_SPACING // 2, BODY_HEIGHT, RIB_SPACING):
        parts.append(f'<path d="M1,{y + 0.5} H{BODY_WIDTH - 1}" stroke="{rib}" stroke-width="1" '
                     f'stroke-opacity="0.55"/>')
        parts.append(f'<path d="M8,{y + 1.5} H{BODY_WIDTH - 8}" stroke="#ffffff" '
                     f'stroke-width="1" stroke-opacity="0.18"/>')
    if name == "lantern_modulation":
        points = [(BODY_WIDTH / 2 + 7 * math.sin(2 * math.pi * y / 32), y, 2.2)
                  for y in range(-8, BODY_HEIGHT + 9, 4)]
        parts.append(f'<path d="{stroke_path(points)}" fill="{rib}" fill-opacity="0.45"/>')
    if name == "lantern_bend":
        for y in range(0, BODY_HEIGHT, 24):
            parts.append(f'<path d="M{BODY_WIDTH / 2 - 5},{y + 9} l5,-5 l5,5 M{BODY_WIDTH / 2 - 5},'
                         f'{y + 15} l5,5 l5,-5" fill="none" stroke="{rib}" stroke-width="1.6" '
                         f'stroke-opacity="0.5" stroke-linecap="round" stroke-linejoin="round"/>')
    parts.append(f'</g><path d="{outline}" fill="none" stroke="{rib}" stroke-width="1.4"/>')
    return svg(BODY_WIDTH, BODY_HEIGHT, "".join(parts))


def ring(width, height, band_top, band_height, nub):
    """A lacquered ring with a gold rim line; nub: a small knob below (the end) or a loop above
    (the cap)."""
    parts = [f'<defs><linearGradient id="l" x1="0" y1="0" x2="0" y2="1">'
             f'<stop offset="0" stop-color="{LACQUER_SHINE}"/><stop offset="0.45" '
             f'stop-color="{LACQUER}"/><stop offset="1" stop-color="#000000"/></linearGradient>'
             f'</defs>']
    if nub == "loop":
        parts.append(f'<rect x="{width / 2 - 2.5}" y="0.6" width="5" height="{band_top + 1}" rx="2" '
                     f'fill="none" stroke="{GOLD}" stroke-width="1.2"/>')
    parts.append(f'<rect x="0.5" y="{band_top}" width="{width - 1}" height="{band_height}" rx="2" '
                 f'fill="url(#l)" stroke="#000000" stroke-width="0.8"/>')
    rim = band_top + (band_height - 1.5 if nub == "loop" else 1.5)
    parts.append(f'<path d="M2,{rim} H{width - 2}" stroke="{GOLD}" stroke-width="0.9"/>')
    if nub == "knob":
        parts.append(f'<rect x="{width / 2 - 3}" y="{band_top + band_height - 0.5}" width="6" '
                     f'height="{height - band_top - band_height + 0.5}" rx="1.5" fill="{LACQUER}"/>')
    return svg(width, height, "".join(parts))


def string():
    width, height = 13, 160
    cx = 6.5
    parts = [f'<path d="M{cx},0 V132" stroke="#8a3b1c" stroke-width="2.2"/>',
             f'<path d="M{cx},0 V132" stroke="#e08a4a" stroke-width="2.2" '
             f'stroke-dasharray="2,2"/>']
    # A wooden bead, then the tassel.
    parts.append(f'<ellipse cx="{cx}" cy="137" rx="4.6" ry="5" fill="#9b6a33" stroke="#5b3a18" '
                 f'stroke-width="0.8"/><ellipse cx="{cx - 1.4}" cy="135.4" rx="1.4" ry="1.6" '
                 f'fill="#e8c48a" fill-opacity="0.8"/>')
    for dx in (-3.4, -1.7, 0, 1.7, 3.4):
        parts.append(f'<path d="M{cx + dx * 0.5},141 Q{cx + dx * 0.9},150 {cx + dx},{height - 1}" '
                     f'stroke="#c2462a" stroke-width="1.3" fill="none" stroke-linecap="round"/>')
    parts.append(f'<rect x="{cx - 3.2}" y="142" width="6.4" height="2.4" rx="1" fill="{GOLD}"/>')
    return svg(width, height, "".join(parts))


def pictures():
    out = {name: body(name, *colours) for name, colours in BODIES.items()}
    out["lantern_cap"] = ring(23, 8, 3, 5, "loop")
    out["lantern_end"] = ring(21, 9, 0, 6, "knob")
    out["lantern_string"] = string()
    return out
