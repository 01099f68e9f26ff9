#!/usr/bin/python3
"""Draws the player's pictures and writes them as PNG files under data/pictures/:

  score/s000.png .. s128.png   the score panel's pictures, and score/score_notes.csv, where
                               each note was written (the score picture test reads both)
  lantern/*.png                the controller lantern: cap, one body per controller, end,
                               pull string
  instruments/n000.png, d000.png   the note picture's default instrument and drum pictures
  pictures.qrc                 the Qt resource list that builds them into the player: the note
                               and score pictures under :/image/ (one folder, as the player looks
                               for them), the lantern under :/lantern/

Each picture is drawn as SVG here, rendered with rsvg-convert (Debian: librsvg2-bin) and stored
with a palette of its colours (Debian: python3-pil), which keeps the files small. Only this
script needs them; the build uses the committed PNG files.

Run with Debian's Python from anywhere:  /usr/bin/python3 scripts/draw_pictures.py [part ...]
with parts score, lantern, instruments (all when none is named).
"""

import pathlib
import subprocess
import sys
import tempfile

from PIL import Image

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE / "pictures"))

import instruments  # noqa: E402
import lantern  # noqa: E402
import score  # noqa: E402

OUTPUT = HERE.parent / "data" / "pictures"


def render(svg, target, work, colours=256):
    source = work / (target.stem + ".svg")
    source.write_text(svg, encoding="utf-8")
    full = work / (target.stem + ".full.png")
    subprocess.run(["rsvg-convert", "--format=png", "-o", str(full), str(source)], check=True)
    target.parent.mkdir(parents=True, exist_ok=True)
    # A palette keeps the antialiased edges and the transparency, at a third of the size.
    with Image.open(full) as picture:
        palette = picture.quantize(colors=colours, method=Image.Quantize.FASTOCTREE,
                                   dither=Image.Dither.NONE)
        palette.save(target, optimize=True)


def draw_score(work):
    rows = []
    for index in range(129):
        svg, row = score.score_svg(index)
        render(svg, OUTPUT / "score" / f"s{index:03d}.png", work, colours=128)
        if row:
            rows.append(row)
    with open(OUTPUT / "score" / "score_notes.csv", "w", encoding="utf-8", newline="\n") as table:
        table.write(score.TABLE_HEADER)
        for row in rows:
            table.write(",".join(str(value) for value in row) + "\n")


def draw_lantern(work):
    for name, svg in lantern.pictures().items():
        render(svg, OUTPUT / "lantern" / f"{name}.png", work)


def draw_instruments(work):
    for name, svg in instruments.pictures().items():
        render(svg, OUTPUT / "instruments" / f"{name}.png", work)


def write_resource_list():
    groups = {"/image": ["score/*.png", "instruments/*.png"], "/lantern": ["lantern/*.png"]}
    lines = ["<!DOCTYPE RCC>", '<RCC version="1.0">']
    for prefix, patterns in groups.items():
        lines.append(f'  <qresource prefix="{prefix}">')
        for pattern in patterns:
            for picture in sorted(OUTPUT.glob(pattern)):
                relative = picture.relative_to(OUTPUT).as_posix()
                lines.append(f'    <file alias="{picture.name}">{relative}</file>')
        lines.append("  </qresource>")
    lines.append("</RCC>")
    (OUTPUT / "pictures.qrc").write_text("\n".join(lines) + "\n", encoding="utf-8")


def main(parts):
    steps = {"score": draw_score, "lantern": draw_lantern, "instruments": draw_instruments}
    with tempfile.TemporaryDirectory() as folder:
        for part in parts or steps:
            steps[part](pathlib.Path(folder))
    write_resource_list()


if __name__ == "__main__":
    main(sys.argv[1:])
