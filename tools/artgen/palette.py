"""The colours of the artwork."""

BLACK = (0, 0, 0)          # the table: the only pure black, so that it can be drawn transparent
INK = (16, 16, 16)         # every black on a card
WHITE = (255, 255, 255)
EDGE = (176, 176, 176)     # the card's rim
RED = (204, 22, 38)
BLUE = (28, 64, 164)
GOLD = (244, 192, 38)
DARK_GOLD = (168, 112, 16)
SKIN = (252, 222, 186)
STEEL = (206, 212, 222)
GREEN = (36, 128, 56)
HAIR = (232, 160, 44)
BACK_RED = (138, 18, 32)   # the card back's field ...
BACK_LINE = (214, 86, 92)  # ... and its lattice
