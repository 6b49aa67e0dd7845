"""Palette reduction and the Windows BMP file format (written by hand so every byte is known)."""

import struct

from PIL import Image

from palette import BLACK

MAX_COLOURS = 256


def quantise(image):
    """Reduces an RGB image to a palette image of at most 256 colours.

    Index 0 is pure black and is given only to pixels that are pure black: the game draws card
    cells with black as the transparent colour, so no other pixel may turn into black. The other
    255 entries come from a median cut of the remaining pixels, with no dithering, which makes
    the result a function of the picture alone.
    """
    pixels = list(image.getdata())
    others = [p for p in pixels if p != BLACK]
    sample = Image.new("RGB", (len(others), 1))
    sample.putdata(others)
    reduced = sample.quantize(colors=MAX_COLOURS - 1, method=Image.Quantize.MEDIANCUT,
                              dither=Image.Dither.NONE)
    found = list(reduced.getdata())
    used = max(found) + 1
    flat = reduced.getpalette()[:3 * used]
    colours = [BLACK] + [tuple(flat[i:i + 3]) for i in range(0, len(flat), 3)]
    assert BLACK not in colours[1:], "a non-black pixel would be shown as the table"
    shifted = iter(i + 1 for i in found)
    indices = bytes(0 if p == BLACK else next(shifted) for p in pixels)
    result = Image.frombytes("P", image.size, indices)
    result.putpalette([c for rgb in colours for c in rgb])
    return result, len(colours)


def bmp_8bit(image, colour_count):
    """A bottom-up, uncompressed 8-bit BMP with a BITMAPINFOHEADER and colour_count entries."""
    width, height = image.size
    stride = (width + 3) & ~3
    palette = image.getpalette()[:3 * colour_count]
    table = b"".join(struct.pack("<BBBB", palette[i + 2], palette[i + 1], palette[i], 0)
                     for i in range(0, len(palette), 3))
    data = image.tobytes()
    pad = bytes(stride - width)
    rows = b"".join(data[y * width:(y + 1) * width] + pad for y in range(height - 1, -1, -1))
    offset = 14 + 40 + len(table)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    info_header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(rows), 2835, 2835,
                              colour_count, 0)
    return file_header + info_header + table + rows

