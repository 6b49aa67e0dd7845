"""The program icon: playing cards with a red heart, as an ICO of BMP-format images.

Each size is drawn on its own (a scaled-down 48 would smear at 16), and the entries are
32-bit BGRA with an AND mask rather than PNG, which older Windows versions and Wine read.
"""

import struct

from PIL import Image, ImageDraw

import suits
from palette import INK, RED, WHITE

SIZES = (16, 32, 48)
OVERSAMPLE = 8
RIM = (96, 96, 96, 255)


def _card(width, height, suit, rim, sign=0.5, centre=(0.5, 0.5)):
    """An upright card at OVERSAMPLE x: white, rounded, with a dark rim and one suit sign of
    sign times the card's height centred at centre (fractions of the card)."""
    card = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    draw = ImageDraw.Draw(card)
    draw.rounded_rectangle([0, 0, width - 1, height - 1], radius=width // 6, fill=WHITE + (255,),
                           outline=RIM, width=rim)
    sign_h = round(height * sign)
    sign_w = round(sign_h * suits.ASPECT[suit])
    colour = RED if suits.is_red(suit) else INK
    at = (round(width * centre[0] - sign_w / 2), round(height * centre[1] - sign_h / 2))
    card.paste(colour + (255,), at, suits.mask(suit, sign_w, sign_h))
    return card


def _picture(size):
    big = size * OVERSAMPLE
    image = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    rim = max(OVERSAMPLE, round(big / 32))  # at least one final pixel wide
    if size <= 16:
        # One card filling the height: the heart must stay readable at 16 pixels.
        height = big
        width = round(height * 0.76)
        image.alpha_composite(_card(width, height, suits.HEARTS, rim, 0.6), ((big - width) // 2, 0))
        return image.resize((size, size), Image.Resampling.BOX)
    height = round(big * 0.84)
    width = round(height * 0.71)
    # A spade card behind, its sign where the front card leaves it in view, and the heart in front.
    for suit, angle, dx, sign, centre in ((suits.SPADES, 14, -0.17, 0.36, (0.36, 0.3)),
                                          (suits.HEARTS, -10, 0.14, 0.5, (0.5, 0.5))):
        card = _card(width, height, suit, rim, sign, centre)
        card = card.rotate(angle, resample=Image.Resampling.BICUBIC, expand=True)
        image.alpha_composite(card, (round((big - card.width) / 2 + dx * big), (big - card.height) // 2))
    return image.resize((size, size), Image.Resampling.BOX)


def _entry_image(picture):
    """BITMAPINFOHEADER, bottom-up BGRA rows and the AND mask (1 = transparent)."""
    size = picture.width
    pixels = list(picture.getdata())
    colour = b"".join(struct.pack("<BBBB", b, g, r, a) if a else bytes(4)
                      for y in range(size - 1, -1, -1)
                      for r, g, b, a in pixels[y * size:(y + 1) * size])
    stride = (size + 31) // 32 * 4
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray(stride)
        for x in range(size):
            if pixels[y * size + x][3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + bytes(mask)


def ico():
    images = [_entry_image(_picture(size)) for size in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, data in zip(SIZES, images):
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return directory + entries + b"".join(images)


def previews():
    """The three sizes, for the docs."""
    return [_picture(size) for size in SIZES]
