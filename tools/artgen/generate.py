#!/usr/bin/python3
"""Makes every picture and sound that Vantor Poker embeds, and PNG previews of them.

    /usr/bin/python3 tools/artgen/generate.py [--resources DIR] [--docs DIR]

Without options the files in resources/ and docs/ are rewritten. The output depends on nothing
but this code, Pillow and the DejaVu fonts: there is no randomness and no time stamp, so a run
reproduces the committed files byte for byte.
"""

import argparse
import sys
from pathlib import Path

from PIL import Image

sys.dont_write_bytecode = True  # leave no __pycache__ in the source tree
sys.path.insert(0, str(Path(__file__).resolve().parent))

import bitmap  # noqa: E402
import cards  # noqa: E402
import icon  # noqa: E402
import pictures  # noqa: E402
import sound  # noqa: E402
from palette import BLACK  # noqa: E402

ROOT = Path(__file__).resolve().parents[2]

# Where the game shows its pictures in its 640 x 400 window, for the table preview.
TABLE_SIZE = (640, 400)
PAY_TABLE_AT, LOGO_AT = (345, 10), (30, 40)
CARDS_AT = [(30 + 93 * i, 100) for i in range(5)]
SAMPLE_HAND = [(1, 2), (13, 3), (12, 0), (11, 1), (10, 3)]  # (rank, suit): A spades, K hearts, ...


def _save_png(image, path):
    image.save(path, format="PNG", optimize=False, compress_level=9)


def _doubled(image):
    return image.resize((image.width * 2, image.height * 2), Image.Resampling.NEAREST)


def _icon_preview():
    """The three icon sizes on white and on black, at 1:1 and 4:1."""
    images = icon.previews()
    width = sum(5 * im.width + 12 for im in images) + 12
    sheet = Image.new("RGB", (width, 2 * (4 * 48 + 12) + 12), (255, 255, 255))
    sheet.paste(BLACK, (0, 4 * 48 + 18, width, sheet.height))
    for row, ground in enumerate(((255, 255, 255), BLACK)):
        x = 12
        top = 12 + row * (4 * 48 + 12)
        for im in images:
            for scale in (1, 4):
                tile = Image.new("RGBA", (im.width * scale, im.height * scale), ground + (255,))
                tile.alpha_composite(im.resize(tile.size, Image.Resampling.NEAREST))
                sheet.paste(tile.convert("RGB"), (x, top))
                x += tile.width + 6
    return sheet


def _table_preview(sheet, pay_table, logo):
    """A sample hand, the pay table and the logo where the game window shows them."""
    table = Image.new("RGB", TABLE_SIZE, BLACK)
    table.paste(pay_table, PAY_TABLE_AT)
    table.paste(logo, LOGO_AT)
    for (x, y), (rank, suit) in zip(CARDS_AT, SAMPLE_HAND):
        left, top = (rank - 1) * cards.CELL_W, suit * cards.CELL_H
        table.paste(sheet.crop((left, top, left + cards.CELL_W, top + cards.CELL_H)), (x, y))
    return table


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--resources", type=Path, default=ROOT / "resources")
    parser.add_argument("--docs", type=Path, default=ROOT / "docs")
    args = parser.parse_args()
    args.resources.mkdir(parents=True, exist_ok=True)
    args.docs.mkdir(parents=True, exist_ok=True)

    shown = {}
    for name, preview, image in (
            ("CardSheet.bmp", "card-sheet", cards.sheet()),
            ("PayTable.bmp", "pay-table", pictures.pay_table()),
            ("Logo.bmp", "logo", pictures.logo(pictures.LOGO_SIZE)),
            ("AboutLogo.bmp", "about-logo", pictures.logo(pictures.ABOUT_LOGO_SIZE))):
        reduced, colours = bitmap.quantise(image)
        (args.resources / name).write_bytes(bitmap.bmp_8bit(reduced, colours))
        # Previews show the reduced picture: what the game will draw.
        seen = reduced.convert("RGB")
        _save_png(seen, args.docs / f"{preview}.png")
        _save_png(_doubled(seen), args.docs / f"{preview}@2x.png")
        shown[preview] = seen
    (args.resources / "WinSound.wav").write_bytes(sound.wave())
    (args.resources / "VantorPoker.ico").write_bytes(icon.ico())
    _save_png(_icon_preview(), args.docs / "icon.png")
    _save_png(_table_preview(shown["card-sheet"], shown["pay-table"], shown["logo"]), args.docs / "table.png")


if __name__ == "__main__":
    main()
