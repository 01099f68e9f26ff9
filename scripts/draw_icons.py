#!/usr/bin/python3
"""Draws the programs' icons under data/icons/:

  kirivane.svg, clavimap.svg            the scalable icons
  <size>/kirivane.png, <size>/clavimap.png   the same at 16, 22, 24, 32, 48, 64, 128 and 256 pixels

Kirivane's icon is a stretch of piano keys on a rounded plate; Clavimap's a typing-keyboard key
cap with one piano key drawn on it. The PNG files are rendered with rsvg-convert (Debian:
librsvg2-bin); only this script needs it, the build installs the committed files.

Run from anywhere:  /usr/bin/python3 scripts/draw_icons.py
"""

import pathlib
import subprocess

OUT = pathlib.Path(__file__).resolve().parent.parent / "data" / "icons"
SIZES = (16, 22, 24, 32, 48, 64, 128, 256)

HEAD = ('<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" '
        'viewBox="0 0 256 256">\n')
GRADIENT = ('<defs><linearGradient id="plate" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="{top}"/><stop offset="1" stop-color="{bottom}"/>'
            '</linearGradient></defs>\n')


def piano_keys(left, top, width, height, count, lit):
    """White keys side by side, the key numbered lit in the colour of a played key, and black
    keys between them (none after the 3rd and 7th)."""
    key = width / count
    parts = []
    for i in range(count):
        colour = "#ffd34d" if i == lit else "#fbfbf8"
        parts.append(f'<rect x="{left + i * key + 2:.1f}" y="{top}" width="{key - 4:.1f}" '
                     f'height="{height}" rx="6" fill="{colour}"/>')
    for i in range(count - 1):
        if i % 7 in (2, 6):
            continue
        parts.append(f'<rect x="{left + (i + 1) * key - key * 0.3:.1f}" y="{top}" '
                     f'width="{key * 0.6:.1f}" height="{height * 0.6:.1f}" rx="4" '
                     f'fill="#1d1f27"/>')
    return "\n".join(parts) + "\n"


def kirivane_svg():
    body = GRADIENT.format(top="#3f6fd8", bottom="#243f8c")
    body += '<rect x="8" y="8" width="240" height="240" rx="44" fill="url(#plate)"/>\n'
    body += piano_keys(30, 70, 196, 150, 5, lit=2)
    body += '<rect x="30" y="52" width="196" height="18" rx="4" fill="#16244f"/>\n'
    return HEAD + body + "</svg>\n"


def clavimap_svg():
    body = GRADIENT.format(top="#5a5f6e", bottom="#30333d")
    body += '<rect x="8" y="8" width="240" height="240" rx="44" fill="url(#plate)"/>\n'
    # The key cap: a lighter top over its sloped sides.
    body += '<rect x="40" y="44" width="176" height="176" rx="28" fill="#c9ccd6"/>\n'
    body += '<rect x="60" y="56" width="136" height="136" rx="20" fill="#f4f5f8"/>\n'
    body += '<rect x="88" y="74" width="80" height="100" rx="8" fill="#ffffff" ' \
            'stroke="#1d1f27" stroke-width="6"/>\n'
    body += '<rect x="114" y="74" width="28" height="60" rx="4" fill="#1d1f27"/>\n'
    body += '<path d="M 88 206 L 168 206" stroke="#ffd34d" stroke-width="10" ' \
            'stroke-linecap="round"/>\n'
    return HEAD + body + "</svg>\n"


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    for name, svg in (("kirivane", kirivane_svg()), ("clavimap", clavimap_svg())):
        source = OUT / f"{name}.svg"
        source.write_text(svg)
        for size in SIZES:
            (OUT / str(size)).mkdir(exist_ok=True)
            subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), "-o",
                            str(OUT / str(size) / f"{name}.png"), str(source)], check=True)


if __name__ == "__main__":
    main()
