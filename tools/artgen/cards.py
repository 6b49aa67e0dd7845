"""The card sheet: 52 faces, the back and blank table cells on a 14 x 4 grid of 90 x 127."""

from PIL import Image, ImageChops, ImageDraw

import courts
import suits
from canvas import SCALE, Canvas, font
from palette import BACK_LINE, BACK_RED, BLACK, EDGE, GOLD, INK, RED, WHITE

CELL_W, CELL_H = 90, 127
COLUMNS, ROWS = 14, 4
BACK_COLUMN = 13
RADIUS = 6  # corner rounding; outside it the black table shows

RANKS = ["A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"]

# Pip centres of the number cards on the upper half and the centre line; those above the centre
# line are repeated upside down in the lower half, as on printed cards.
_X = (28.0, 45.0, 62.0)
_TOP, _MID = 23.0, CELL_H / 2
_ROW9 = 50.0  # second of the four rows of the 9 and the 10
_MIRRORED = {
    2: [(_X[1], _TOP)],
    3: [(_X[1], _TOP)],
    4: [(_X[0], _TOP), (_X[2], _TOP)],
    5: [(_X[0], _TOP), (_X[2], _TOP)],
    6: [(_X[0], _TOP), (_X[2], _TOP)],
    7: [(_X[0], _TOP), (_X[2], _TOP)],
    8: [(_X[0], _TOP), (_X[2], _TOP), (_X[1], (_TOP + _MID) / 2)],
    9: [(_X[0], _TOP), (_X[2], _TOP), (_X[0], _ROW9), (_X[2], _ROW9)],
    10: [(_X[0], _TOP), (_X[2], _TOP), (_X[0], _ROW9), (_X[2], _ROW9), (_X[1], (_TOP + _ROW9) / 2)],
}
# Pips drawn once, upright: on the centre line, and the 7's single upper middle pip.
_SINGLE = {
    3: [(_X[1], _MID)],
    5: [(_X[1], _MID)],
    6: [(_X[0], _MID), (_X[2], _MID)],
    7: [(_X[0], _MID), (_X[2], _MID), (_X[1], (_TOP + _MID) / 2)],
    9: [(_X[1], _MID)],
}
PIP_HEIGHT = 16.0

INDEX_X, INDEX_TOP, INDEX_WIDTH = 8.5, 5, 13  # centre, top of the rank's ink, width of the "10"
_RANK_FACE = font("DejaVuSans-Bold", 14 * SCALE)
_TEN_FACE = font("DejaVuSansCondensed-Bold", 14 * SCALE)


def ink(suit):
    return RED if suits.is_red(suit) else INK


def blank_face():
    """A white card with rounded corners on the black table."""
    card = Canvas(CELL_W, CELL_H, BLACK + (255,))
    card.rect(0, 0, CELL_W, CELL_H, fill=WHITE, outline=EDGE, width=0.75, radius=RADIUS)
    return card


def _ink_mask(text, face):
    """The text's glyphs as an L mask cropped to their ink."""
    size = face.getbbox(text, anchor="ls")
    image = Image.new("L", (size[2] - size[0] + 8 * SCALE, size[3] - size[1] + 8 * SCALE), 0)
    ImageDraw.Draw(image).text((4 * SCALE - size[0], 4 * SCALE - size[1]), text, font=face, fill=255, anchor="ls")
    return image.crop(image.getbbox())


def _rank_mask(text):
    if text != "10":
        return _ink_mask(text, _RANK_FACE)
    # The ten's two digits are set close together and narrowed to the width of the other indices.
    one, zero = _ink_mask("1", _TEN_FACE), _ink_mask("0", _TEN_FACE)
    gap = SCALE
    joined = Image.new("L", (one.width + gap + zero.width, max(one.height, zero.height)), 0)
    joined.paste(one, (0, 0))
    joined.paste(zero, (one.width + gap, 0))
    return joined.resize((INDEX_WIDTH * SCALE, joined.height), Image.Resampling.LANCZOS)


def corner_index(card, rank, suit):
    """Rank and small suit at the top left, and the same turned over at the bottom right."""
    layer = Canvas(CELL_W, CELL_H)
    mask = _rank_mask(RANKS[rank - 1])
    layer.image.paste(ink(suit), (round(INDEX_X * SCALE - mask.width / 2), INDEX_TOP * SCALE), mask)
    suits.symbol(layer, suit, INDEX_X, 23.5, 9.0, ink(suit))
    card.composite(layer)
    card.composite(layer.rotated())


def number_card(rank, suit):
    card = blank_face()
    corner_index(card, rank, suit)
    mirrored = Canvas(CELL_W, CELL_H)
    for x, y in _MIRRORED[rank]:
        suits.symbol(mirrored, suit, x, y, PIP_HEIGHT, ink(suit))
    card.composite(mirrored)
    card.composite(mirrored.rotated())
    for x, y in _SINGLE.get(rank, []):
        suits.symbol(card, suit, x, y, PIP_HEIGHT, ink(suit))
    return card


def ace(suit):
    card = blank_face()
    corner_index(card, 1, suit)
    # The ace of spades carries the largest pip, as on most packs.
    height = 52.0 if suit == suits.SPADES else 40.0
    suits.symbol(card, suit, CELL_W / 2, _MID, height, ink(suit))
    return card


def back():
    """Dark red lattice inside a gold line, on a white margin."""
    card = blank_face()
    x0, y0, x1, y1 = 5, 5, CELL_W - 5, CELL_H - 5
    field = Canvas(CELL_W, CELL_H)
    field.rect(x0, y0, x1, y1, fill=BACK_RED, radius=3)
    lattice = Canvas(CELL_W, CELL_H)
    step = 7.0
    k = -CELL_H
    while k < CELL_W + CELL_H:
        lattice.line([(k, 0), (k + CELL_H, CELL_H)], BACK_LINE, 0.8)
        lattice.line([(k + CELL_H, 0), (k, CELL_H)], BACK_LINE, 0.8)
        k += step
    # Clip the lattice to the field.
    lattice.image.putalpha(ImageChops.darker(lattice.image.getchannel("A"), field.image.getchannel("A")))
    field.composite(lattice)
    field.rect(x0 + 2.5, y0 + 2.5, x1 - 2.5, y1 - 2.5, outline=GOLD, width=1.0, radius=2)
    # Medallion in the middle.
    cx, cy = CELL_W / 2, CELL_H / 2
    field.ellipse(cx - 17, cy - 22, cx + 17, cy + 22, fill=BACK_RED, outline=GOLD, width=1.2)
    field.ellipse(cx - 13.5, cy - 18.5, cx + 13.5, cy + 18.5, fill=None, outline=BACK_LINE, width=0.6)
    suits.symbol(field, suits.SPADES, cx, cy - 7, 12, GOLD)
    suits.symbol(field, suits.HEARTS, cx, cy + 7, 11, GOLD)
    card.composite(field)
    return card


def face(rank, suit):
    if rank == 1:
        return ace(suit)
    if rank <= 10:
        return number_card(rank, suit)
    card = blank_face()
    courts.draw(card, rank, suit)
    corner_index(card, rank, suit)
    return card


def sheet():
    """The whole sheet as an RGB image at its final size."""
    image = Image.new("RGB", (CELL_W * COLUMNS, CELL_H * ROWS), BLACK)
    for suit in range(ROWS):
        for rank in range(1, 14):
            image.paste(face(rank, suit).result().convert("RGB"), ((rank - 1) * CELL_W, suit * CELL_H))
    image.paste(back().result().convert("RGB"), (BACK_COLUMN * CELL_W, 0))
    return image
