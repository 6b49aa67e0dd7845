"""Jack, queen and king: a bust in a frame, drawn on the upper half and repeated upside down."""

import math

import suits
from canvas import SCALE, Canvas
from palette import BLUE, DARK_GOLD, GOLD, GREEN, HAIR, INK, RED, SKIN, STEEL, WHITE

JACK, QUEEN, KING = 11, 12, 13

FRAME = (15.0, 12.0, 75.0, 115.0)
MID = (FRAME[1] + FRAME[3]) / 2
LINE = 0.55  # outline width
CX = 45.0    # the figure's axis
FACE_TOP, FACE_W, FACE_H = 22.0, 17.0, 20.0
CHIN = FACE_TOP + FACE_H


def _arc(cx, cy, rx, ry, start, stop, steps=24):
    """Points of an elliptical arc; angles in degrees, 0 to the right, growing clockwise."""
    return [(cx + rx * math.cos(math.radians(a)), cy + ry * math.sin(math.radians(a)))
            for a in (start + (stop - start) * i / steps for i in range(steps + 1))]


def _colours(suit):
    """Robe and trim: red robes for the red suits, blue for the black ones."""
    return (RED, BLUE) if suits.is_red(suit) else (BLUE, RED)


def _robe(c, robe, trim):
    left, right = FRAME[0], FRAME[2]
    outline = [(left, MID), (left, 51), (24, 47.5), (34, 45.5), (56, 45.5), (66, 47.5), (right, 51), (right, MID)]
    c.polygon(outline, robe, INK, LINE)
    # Brocade: small gold crosses in staggered rows on the cloth.
    for row, y in enumerate((52.0, 57.5)):
        for x in ((20.0, 27.0, 63.0, 70.0) if row % 2 == 0 else (23.5, 30.5, 59.5, 66.5)):
            c.line([(x - 1.1, y), (x + 1.1, y)], GOLD, 0.55)
            c.line([(x, y - 1.1), (x, y + 1.1)], GOLD, 0.55)
    # A gold-edged front panel in the trim colour with buttons down the middle.
    c.polygon([(38.5, 45.5), (51.5, 45.5), (53, MID), (37, MID)], trim, INK, LINE)
    c.line([(38.5, 45.5), (37, MID)], GOLD, 1.0)
    c.line([(51.5, 45.5), (53, MID)], GOLD, 1.0)
    for y in (52.0, 58.0):
        c.circle(CX, y, 1.1, GOLD, INK, 0.35)
    # Gold braid along the shoulders.
    c.line([(16, 52.5), (24, 49), (34, 47.2)], GOLD, 1.1)
    c.line([(74, 52.5), (66, 49), (56, 47.2)], GOLD, 1.1)


def _face(c, beard=False):
    x0, x1 = CX - FACE_W / 2, CX + FACE_W / 2
    c.ellipse(x0, FACE_TOP, x1, CHIN, SKIN, INK, LINE)

    def at(dx, dy):
        return CX + dx, FACE_TOP + dy

    for side in (-1, 1):
        ex, ey = at(side * 3.8, 9.2)
        c.ellipse(ex - 1.5, ey - 0.9, ex + 1.5, ey + 0.9, WHITE, INK, 0.3)
        c.circle(ex, ey, 0.75, INK)
        c.line([at(side * 5.6, 7.0), at(side * 2.2, 6.5)], INK, 0.55)  # brow
    c.line([at(0.3, 9.5), at(-0.7, 13.2), at(0.9, 13.6)], INK, 0.45)  # nose
    if beard:
        jaw = [at(-8.2, 11), at(-7.4, 17.5), at(-3.5, 23.5), at(0, 25.5), at(3.5, 23.5), at(7.4, 17.5),
               at(8.2, 11), at(5, 15.2), at(0, 14.6), at(-5, 15.2)]
        c.polygon(jaw, WHITE, INK, LINE)
        for k in (-3.5, 0.0, 3.5):
            c.line([at(k, 18), at(k * 0.8, 23)], STEEL, 0.5)
        for side in (-1, 1):  # moustache
            c.polygon([at(0, 14.4), at(side * 6.2, 16.4), at(side * 6.8, 14.8), at(side * 2.2, 13.4)],
                      WHITE, INK, 0.45)
        c.line([at(-1.8, 17.2), at(1.8, 17.2)], RED, 0.9)
    else:
        c.line([at(-2.2, 16.0), at(0, 16.7), at(2.2, 16.0)], RED, 1.0)
        for side in (-1, 1):
            c.circle(*at(side * 5.0, 13.6), 1.5, (248, 188, 168))


def _king(c, robe, trim):
    # Sword held upright at the right.
    c.polygon([(62.8, 15), (64, 11), (65.2, 15), (65.2, 43), (62.8, 43)], STEEL, INK, LINE)
    c.line([(64, 14.5), (64, 42)], (150, 156, 170), 0.4)
    _robe(c, robe, trim)
    c.rect(58.5, 42.5, 69.5, 44.8, fill=GOLD, outline=INK, width=LINE, radius=0.8)
    c.circle(64, 48, 2.7, SKIN, INK, LINE)
    # Ermine trim on the shoulders.
    c.polygon([(25, 47.5), (33, 44.5), (57, 44.5), (65, 47.5), (57, 49.5), (33, 49.5)], WHITE, INK, LINE)
    for x in (29.5, 35.5, 54.5, 60.5):
        c.line([(x, 46.3), (x, 48.0)], INK, 0.8)
    # Hair behind the face.
    c.polygon([(35.5, 25), (54.5, 25), (56.5, 42), (33.5, 42)], GOLD, INK, LINE)
    _face(c, beard=True)
    # Crown with three points and jewels on the band.
    crown = [(36, 24.5), (35, 15.5), (40.5, 19), (CX, 13.5), (49.5, 19), (55, 15.5), (54, 24.5)]
    c.polygon(crown, GOLD, INK, LINE)
    c.rect(35.7, 20.5, 54.3, 24.6, fill=DARK_GOLD, outline=INK, width=LINE)
    for x, colour in ((39.5, BLUE), (CX, RED), (50.5, BLUE)):
        c.circle(x, 22.55, 1.3, colour, INK, 0.3)
    for x, y in ((35, 15.5), (CX, 13.5), (55, 15.5)):
        c.circle(x, y, 1.4, GOLD, INK, LINE)


def _queen(c, robe, trim):
    # Veil and long hair behind the head.
    c.polygon(_arc(CX, 27, 12.5, 11, 180, 360) + [(61, 46), (29, 46)], trim, INK, LINE)
    # Hair falling in two locks to the shoulders, ending in curls; the chin hides the middle.
    hair = (_arc(CX, 27, 10.5, 8.5, 180, 360) + [(56.5, 37)] + _arc(54, 40.5, 3, 3, 0, 150)
            + [(49, 41), (41, 41)] + _arc(36, 40.5, 3, 3, 30, 180) + [(33.5, 37)])
    c.polygon(hair, HAIR, INK, LINE)
    c.line([(36, 29), (35.2, 39)], DARK_GOLD, 0.5)
    c.line([(54, 29), (54.8, 39)], DARK_GOLD, 0.5)
    _robe(c, robe, trim)
    # Lace on the neckline.
    c.polygon([(33, 45.5), (57, 45.5), (52, 50), (38, 50)], WHITE, INK, LINE)
    for x in (39.0, 43.0, 47.0, 51.0):
        c.circle(x, 47.6, 0.8, RED)
    _face(c)
    # Low crown with five points.
    pts = [(37.5, 24.5)]
    for i in range(5):
        x = 37.5 + i * 3.75
        pts += [(x, 19.5 if i % 2 else 18.5), (x + 1.875, 15.5 if i % 2 else 14.0)]
    pts += [(52.5, 18.5), (52.5, 24.5)]
    c.polygon(pts, GOLD, INK, LINE)
    c.circle(CX, 22.0, 1.4, RED, INK, 0.3)
    # A flower held at the right.
    c.line([(64, 50), (65, 38), (63.5, 29)], GREEN, 0.9)
    c.polygon([(65, 38), (69.5, 35), (68.5, 39)], GREEN, INK, 0.35)
    for dx, dy in ((-2.2, 0), (2.2, 0), (0, -2.2), (0, 2.2)):
        c.circle(63.5 + dx, 27 + dy, 2.1, WHITE if robe == RED else RED, INK, 0.35)
    c.circle(63.5, 27, 1.4, GOLD, INK, 0.3)
    c.circle(64, 50.5, 2.7, SKIN, INK, LINE)


def _jack(c, robe, trim):
    # Halberd at the left, its head below the suit sign.
    c.line([(24, 24), (24, MID)], DARK_GOLD, 1.6)
    c.polygon([(24, 25), (17.5, 28), (17.5, 35.5), (24, 32)], STEEL, INK, LINE)
    c.polygon([(24, 26), (27.5, 29), (24, 30.5)], STEEL, INK, 0.4)
    c.polygon([(23, 25), (24, 20.5), (25, 25)], STEEL, INK, 0.4)
    _robe(c, robe, trim)
    c.circle(24, 49.5, 2.7, SKIN, INK, LINE)
    c.polygon([(35.5, 43.5), (54.5, 43.5), (52.5, 48.5), (CX, 50.5), (37.5, 48.5)], GOLD, INK, LINE)
    # Curly hair, shoulder length.
    for x, y in ((36, 28), (35.2, 33), (36.2, 38), (54, 28), (54.8, 33), (53.8, 38)):
        c.circle(x, y, 2.8, GOLD, INK, LINE)
    _face(c)
    # Flat cap with a band and a feather.
    c.polygon([(52.5, 20), (55.5, 16), (59.5, 13.8), (64, 13.6), (61, 16.6), (57, 19.6), (53.5, 21.5)],
              trim, INK, LINE)
    c.line([(54, 20), (58, 16.4), (62.5, 14.2)], WHITE, 0.5)
    c.ellipse(32.5, 13.5, 57.5, 24.5, robe, INK, LINE)
    c.rect(35.5, 20.5, 54.5, 25.2, fill=GOLD, outline=INK, width=LINE, radius=1.0)
    c.circle(CX, 22.85, 1.2, trim, INK, 0.3)


_FIGURES = {JACK: _jack, QUEEN: _queen, KING: _king}


def draw(card, rank, suit):
    robe, trim = _colours(suit)
    half = Canvas(card.width, card.height)
    _FIGURES[rank](half, robe, trim)
    suits.symbol(half, suit, 20.5, 18.0, 8.0, RED if suits.is_red(suit) else INK)
    # Keep only the upper half of the frame; the lower half is the same turned over.
    x0, y0, x1, _ = (round(v * SCALE) for v in FRAME)
    alpha = half.image.getchannel("A")
    clipped = alpha.point(lambda v: 0)
    clipped.paste(alpha.crop((x0, y0, x1, round(MID * SCALE))), (x0, y0))
    half.image.putalpha(clipped)
    card.composite(half)
    card.composite(half.rotated())
    card.rect(*FRAME, outline=INK, width=0.6)
    card.line([(FRAME[0], MID), (FRAME[2], MID)], INK, 0.6)
