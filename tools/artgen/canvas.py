"""Supersampled drawing: shapes are drawn at SCALE times the final size and averaged down,
which gives smooth edges without relying on the drawing library's own anti-aliasing."""

from PIL import Image, ImageDraw, ImageFont

SCALE = 4
FONT_DIR = "/usr/share/fonts/truetype/dejavu"


def font(name, size):
    # The basic layout engine does not depend on whether libraqm happens to be installed.
    return ImageFont.truetype(f"{FONT_DIR}/{name}.ttf", size, layout_engine=ImageFont.Layout.BASIC)


class Canvas:
    """An RGBA image addressed in final-size units (floats); drawing happens at SCALE x."""

    def __init__(self, width, height, background=(0, 0, 0, 0)):
        self.width = width
        self.height = height
        self.image = Image.new("RGBA", (width * SCALE, height * SCALE), background)
        self.draw = ImageDraw.Draw(self.image)

    @staticmethod
    def px(value):
        return round(value * SCALE)

    def points(self, pts):
        return [(x * SCALE, y * SCALE) for x, y in pts]

    def box(self, x0, y0, x1, y1):
        return [self.px(x0), self.px(y0), self.px(x1) - 1, self.px(y1) - 1]

    def polygon(self, pts, fill, outline=None, width=0.0):
        self.draw.polygon(self.points(pts), fill=fill)
        if outline is not None:
            self.line(list(pts) + [pts[0]], outline, width)

    def line(self, pts, fill, width):
        self.draw.line(self.points(pts), fill=fill, width=max(1, self.px(width)), joint="curve")
        # Round caps: the library's lines end square.
        r = width / 2
        for x, y in (pts[0], pts[-1]):
            self.ellipse(x - r, y - r, x + r, y + r, fill)

    def ellipse(self, x0, y0, x1, y1, fill, outline=None, width=0.0):
        self.draw.ellipse(self.box(x0, y0, x1, y1), fill=fill)
        if outline is not None:
            self.draw.ellipse(self.box(x0, y0, x1, y1), outline=outline, width=max(1, self.px(width)))

    def circle(self, cx, cy, r, fill, outline=None, width=0.0):
        self.ellipse(cx - r, cy - r, cx + r, cy + r, fill, outline, width)

    def rect(self, x0, y0, x1, y1, fill=None, outline=None, width=0.0, radius=0.0):
        self.draw.rounded_rectangle(self.box(x0, y0, x1, y1), radius=self.px(radius), fill=fill,
                                    outline=outline, width=self.px(width) if outline else 0)

    def composite(self, layer):
        self.image.alpha_composite(layer.image)

    def rotated(self):
        """A copy turned by 180 degrees about the centre (exact: pixels are only moved)."""
        copy = Canvas.__new__(Canvas)
        copy.width, copy.height = self.width, self.height
        copy.image = self.image.transpose(Image.Transpose.ROTATE_180)
        copy.draw = ImageDraw.Draw(copy.image)
        return copy

    def result(self):
        """The final-size image: each pixel is the mean of its SCALE x SCALE block."""
        return self.image.resize((self.width, self.height), Image.Resampling.BOX)


def lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))
