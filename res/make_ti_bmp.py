#!/usr/bin/env python3
"""Writes ti.bmp: the tab state images, 8 x 9 pixels each in one strip,
256-colour BMP with magenta (#FF00FF) as the transparent colour.
Index 0 and 3 are blank; 1 loading, 2 navigated, 4 finished while not
selected, 5 navigate-locked."""
import struct
import sys

PALETTE = {
    '.': (255, 0, 255),   # transparent
    'k': (64, 64, 64),    # outline
    'o': (230, 150, 30),  # sand
    'g': (40, 170, 60),   # green
    'G': (150, 230, 150), # green light
    'b': (40, 90, 220),   # blue
    'B': (150, 190, 255), # blue light
    'y': (220, 180, 40),  # padlock body
    'Y': (250, 225, 120), # padlock light
    'w': (255, 255, 255),
}

BLANK = ["........"] * 9

LOADING = [  # hourglass
    "kkkkkkk.",
    ".k...k..",
    ".koook..",
    "..kok...",
    "...k....",
    "..k.k...",
    ".k.o.k..",
    ".koook..",
    "kkkkkkk.",
]

NAVIGATED = [  # green dot
    "........",
    "..kkkk..",
    ".kGGggk.",
    "kGGggggk",
    "kGgggggk",
    "kggggggk",
    ".kggggk.",
    "..kkkk..",
    "........",
]

UNSEEN = [  # blue dot
    "........",
    "..kkkk..",
    ".kBBbbk.",
    "kBBbbbbk",
    "kBbbbbbk",
    "kbbbbbbk",
    ".kbbbbk.",
    "..kkkk..",
    "........",
]

LOCKED = [  # padlock
    "..kkkk..",
    ".k....k.",
    ".k....k.",
    "kkkkkkkk",
    "kYYyyyyk",
    "kYyykyyk",
    "kyyykyyk",
    "kyyyyyyk",
    "kkkkkkkk",
]

IMAGES = [BLANK, LOADING, NAVIGATED, BLANK, UNSEEN, LOCKED]


def main(path):
    keys = list(PALETTE)
    width, height = 8 * len(IMAGES), 9
    row_size = (width + 3) & ~3
    pixels = bytearray()
    for y in reversed(range(height)):  # bottom-up rows
        row = bytearray()
        for image in IMAGES:
            assert len(image) == 9 and all(len(r) == 8 for r in image)
            row += bytes(keys.index(c) for c in image[y])
        row += b'\0' * (row_size - width)
        pixels += row
    palette = bytearray()
    for k in keys:
        r, g, b = PALETTE[k]
        palette += bytes((b, g, r, 0))
    palette += b'\0' * (4 * 256 - len(palette))
    offset = 14 + 40 + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    with open(path, 'wb') as f:
        f.write(header + info + palette + pixels)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'ti.bmp')
