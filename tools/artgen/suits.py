"""The four suit symbols as filled masks, drawn at the supersampled scale."""

import math
from functools import lru_cache

from PIL import Image, ImageDraw

from canvas import SCALE

CLUBS, DIAMONDS, SPADES, HEARTS = range(4)  # the order of the card sheet's rows

# Width over height of each symbol's bounding box.
ASPECT = {CLUBS: 0.98, DIAMONDS: 0.78, SPADES: 0.9, HEARTS: 1.04}


def is_red(suit):
    return suit in (DIAMONDS, HEARTS)


def _bezier(p0, c, p1, steps=24):
    return [((1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * c[0] + t * t * p1[0],
             (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * c[1] + t * t * p1[1])
            for t in (i / steps for i in range(steps + 1))]


def _bulged(p0, p1, bulge):
    """A curve from p0 to p1 whose middle stands out by bulge (times the chord) to the left."""
    mx, my = (p0[0] + p1[0]) / 2, (p0[1] + p1[1]) / 2
    dx, dy = p1[0] - p0[0], p1[1] - p0[1]
    return _bezier(p0, (mx + dy * bulge, my - dx * bulge), p1)


def _tangent(centre, r, point, outer_sign):
    """The point where a line from point touches the circle, on the side outer_sign (-1 left)."""
    dx, dy = point[0] - centre[0], point[1] - centre[1]
    d = math.hypot(dx, dy)
    theta = math.atan2(dy, dx)
    alpha = math.acos(r / d)
    candidates = [(centre[0] + r * math.cos(theta + s * alpha), centre[1] + r * math.sin(theta + s * alpha))
                  for s in (-1, 1)]
    return min(candidates, key=lambda p: outer_sign * -p[0])


def _lobed_body(tip, left_centre, r, bulge):
    """Two round lobes joined to a tip with gently convex sides (the heart, and upside down the spade)."""
    right_centre = (1 - left_centre[0], left_centre[1])
    tl = _tangent(left_centre, r, tip, -1)
    tr = _tangent(right_centre, r, tip, 1)
    # Orientation of the sides decides which way "left" of the chord is.
    down = tip[1] > left_centre[1]
    sign = 1 if down else -1
    left_side = _bulged(tip, tl, sign * bulge)
    right_side = _bulged(tr, tip, sign * bulge)
    middle = (0.5, left_centre[1])
    outline = left_side + [left_centre, middle, right_centre] + right_side
    circles = [(left_centre, r), (right_centre, r)]
    return outline, circles


def _stem():
    left = _bezier((0.47, 0.6), (0.47, 0.93), (0.31, 1.0))
    right = _bezier((0.69, 1.0), (0.53, 0.93), (0.53, 0.6))
    return left + right


def shape(suit):
    """Polygons and circles in the unit square (y down) that together make the symbol."""
    if suit == HEARTS:
        outline, circles = _lobed_body((0.5, 1.0), (0.265, 0.275), 0.26, 0.06)
        return [outline], circles
    if suit == SPADES:
        outline, circles = _lobed_body((0.5, 0.0), (0.262, 0.545), 0.245, 0.06)
        return [outline, _stem()], circles
    if suit == CLUBS:
        r = 0.232
        centres = [(0.5, 0.235), (0.24, 0.56), (0.76, 0.56)]
        return [centres, [(0.5, 0.4), (0.3, 0.62), (0.7, 0.62)], _stem()], [(c, r) for c in centres]
    side = 0.07  # diamonds: slightly hollow sides
    top, right, bottom, left = (0.5, 0.0), (1.0, 0.5), (0.5, 1.0), (0.0, 0.5)
    pts = []
    for a, b in ((top, right), (right, bottom), (bottom, left), (left, top)):
        pts += _bulged(a, b, side)
    return [pts], []


@lru_cache(maxsize=None)
def mask(suit, width, height):
    """An L mask of width x height pixels (already supersampled) holding the symbol."""
    image = Image.new("L", (width, height), 0)
    draw = ImageDraw.Draw(image)
    polygons, circles = shape(suit)
    for polygon in polygons:
        draw.polygon([(x * width, y * height) for x, y in polygon], fill=255)
    for (cx, cy), r in circles:
        draw.ellipse([(cx - r) * width, (cy - r) * height, (cx + r) * width, (cy + r) * height], fill=255)
    return image


def symbol(canvas, suit, cx, cy, height, colour, upside_down=False):
    """Draws the symbol centred at cx, cy (final-size units) with the given height."""
    h = round(height * SCALE)
    w = round(height * ASPECT[suit] * SCALE)
    m = mask(suit, w, h)
    if upside_down:
        m = m.transpose(Image.Transpose.ROTATE_180)
    canvas.image.paste(colour, (round(cx * SCALE - w / 2), round(cy * SCALE - h / 2)), m)
