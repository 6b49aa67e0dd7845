"""The pay-table picture and the two logos."""

from PIL import Image, ImageDraw, ImageFilter

import suits
from canvas import SCALE, Canvas, font, lerp
from palette import BLACK, DARK_GOLD, GOLD, RED, WHITE

PAY_TABLE_SIZE = (286, 76)
LOGO_SIZE = (200, 50)
ABOUT_LOGO_SIZE = (163, 50)

# The nine paying hands, best first, in two columns.
PAYS = [
    [("Scala Reale", 250), ("Scala Colore", 100), ("Poker", 50), ("Full", 30), ("Colore", 20)],
    [("Scala", 15), ("Tris", 10), ("Doppia coppia", 2), ("Coppia", 1)],
]

NAVY = (10, 20, 64)
PALE_GOLD = (255, 236, 150)  # lettering: light at the top ...
DEEP_GOLD = (214, 140, 18)   # ... deep at the bottom
RIM = (92, 52, 4)
SHADOW = (70, 36, 0)


def pay_table():
    width, height = PAY_TABLE_SIZE
    ground = Canvas(width, height, BLACK + (255,))
    ground.rect(0, 0, width, height, fill=NAVY, outline=GOLD, width=1.0, radius=4)
    ground.line([(width / 2, 6), (width / 2, height - 6)], DARK_GOLD, 0.75)
    image = ground.result().convert("RGB")
    # Small text is set at its own size so that the font's hinting keeps it crisp.
    draw = ImageDraw.Draw(image)
    face = font("DejaVuSans-Bold", 11)
    row_height, top = 13.6, 4.0
    column_width = width / 2
    for column, rows in enumerate(PAYS):
        left = column * column_width
        for row, (name, multiplier) in enumerate(rows):
            baseline = round(top + row_height * (row + 1) - 3)
            draw.text((left + 9, baseline), name, font=face, fill=WHITE, anchor="ls")
            draw.text((left + column_width - 9, baseline), str(multiplier), font=face, fill=GOLD, anchor="rs")
    return image


def _gradient(size, top, bottom):
    """A vertical gradient from top to bottom colour."""
    width, height = size
    strip = Image.new("RGB", (1, height))
    strip.putdata([lerp(top, bottom, y / (height - 1)) for y in range(height)])
    return strip.resize(size, Image.Resampling.NEAREST)


def _text_mask(size, text, face, centre_x, baseline, tracking=0.0):
    """An L mask of the text centred on centre_x, with tracking (final-size units) between letters."""
    mask = Image.new("L", size, 0)
    draw = ImageDraw.Draw(mask)
    advances = [face.getlength(ch) for ch in text]
    total = sum(advances) + tracking * SCALE * (len(text) - 1)
    x = centre_x * SCALE - total / 2
    for ch, advance in zip(text, advances):
        draw.text((x, baseline * SCALE), ch, font=face, fill=255, anchor="ls")
        x += advance + tracking * SCALE
    return mask


def _lettering(canvas, mask):
    """Gold lettering through mask, with a dark rim and a drop shadow (all at SCALE x)."""
    box = mask.getbbox()
    rim = mask.filter(ImageFilter.MaxFilter(2 * SCALE + 1))
    shadow = Image.new("L", mask.size, 0)
    shadow.paste(rim, (SCALE, SCALE))
    canvas.image.paste(SHADOW, (0, 0), shadow)
    canvas.image.paste(RIM, (0, 0), rim)
    fill = Image.new("RGB", mask.size, GOLD)
    fill.paste(_gradient((box[2] - box[0], box[3] - box[1]), PALE_GOLD, DEEP_GOLD), box[:2])
    canvas.image.paste(fill, (0, 0), mask)


def logo(size):
    """'Vantor' in large gold italics over 'POKER' between gold rules and suit signs, on black."""
    width, height = size
    canvas = Canvas(width, height, BLACK + (255,))
    centre = width / 2
    title = font("DejaVuSerif-BoldItalic", round(width * 0.18) * SCALE)
    _lettering(canvas, _text_mask(canvas.image.size, "Vantor", title, centre, 31))
    word = _text_mask(canvas.image.size, "POKER", font("DejaVuSans-Bold", round(width * 0.06) * SCALE),
                      centre, 46.5, tracking=2.0)
    left, _, right, _ = word.getbbox()
    half = (right - left) / SCALE / 2
    _lettering(canvas, word)
    # Rules from the word outwards, each ending in a suit sign.
    ends = (centre - width * 0.4, centre + width * 0.4)
    for end, side, (suit, colour) in zip(ends, (-1, 1), ((suits.SPADES, WHITE), (suits.HEARTS, RED))):
        canvas.line([(centre + side * (half + 4), 42.0), (end - side * 7, 42.0)], GOLD, 0.8)
        suits.symbol(canvas, suit, end, 42.0, 9.0, colour)
    return canvas.result().convert("RGB")
