#!/usr/bin/env python3
"""Writes res/tbs.bmp (hot) and res/tbsn.bmp (normal): the toolbar's small
images, 44 of 16 x 16 pixels in one strip in the order of the toolbar button
table, 24-bit BMP with magenta (#FF00FF) as the transparent colour.

Images 23, 24, 25 and 27..30 are also the status bar's download-control
indicators and are drawn in full; the others are plain placeholders until the
toolbar gets its pictures. The normal images are the hot ones, greyed.

Usage: make_tbs_bmp.py [RES_FOLDER]   (default: res/ beside this script's parent)
"""
import os
import struct
import sys

SIZE = 16
COUNT = 44
MAGENTA = (255, 0, 255)

PALETTE = {
    '.': MAGENTA,
    'k': (48, 48, 48),      # outline
    'w': (255, 255, 255),
    's': (120, 190, 250),   # sky
    'g': (60, 160, 60),     # hill
    'y': (250, 210, 40),    # sun, gear
    'r': (210, 50, 40),
    'b': (40, 90, 210),
    'B': (150, 190, 255),
    'o': (200, 120, 40),    # coffee
    'O': (150, 85, 30),
    'p': (240, 225, 180),   # paper
    'P': (200, 180, 130),
    'm': (120, 120, 120),
}

IMAGES = {
    23: [  # picture: sky, sun and a hill in a frame
        "................",
        "kkkkkkkkkkkkkkkk",
        "kssssssssssssssk",
        "ksssssssssyyyssk",
        "kssssssssyyyyysk",
        "kssssssssyyyyysk",
        "ksssssssssyyyssk",
        "kssssgsssssssssk",
        "ksssgggssssssssk",
        "kssgggggssssgssk",
        "ksgggggggssgggsk",
        "kggggggggggggggk",
        "kggggggggggggggk",
        "kkkkkkkkkkkkkkkk",
        "................",
        "................",
    ],
    24: [  # speaker with sound waves
        "................",
        "..........k.....",
        "........k..k....",
        ".......kk...k...",
        "......kbk.k..k..",
        "kkkkkkbbk..k.k..",
        "kBBBkbbbk..k..k.",
        "kBBBkbbbk.k...k.",
        "kBBBkbbbk.k...k.",
        "kBBBkbbbk..k..k.",
        "kkkkkkbbk..k.k..",
        "......kbk.k..k..",
        ".......kk...k...",
        "........k..k....",
        "..........k.....",
        "................",
    ],
    25: [  # film strip with a play mark
        "................",
        "kkkkkkkkkkkkkkkk",
        "kwkwkwkwkwkwkwkk",
        "kkkkkkkkkkkkkkkk",
        "kBBBBkBBBBBkBBBk",
        "kBBBBkBkBBBkBBBk",
        "kBBBBkBkkBBkBBBk",
        "kBBBBkBkkkBkBBBk",
        "kBBBBkBkkBBkBBBk",
        "kBBBBkBkBBBkBBBk",
        "kBBBBkBBBBBkBBBk",
        "kkkkkkkkkkkkkkkk",
        "kwkwkwkwkwkwkwkk",
        "kkkkkkkkkkkkkkkk",
        "................",
        "................",
    ],
    27: [  # steaming cup
        "......k...k.....",
        ".....k...k......",
        "......k...k.....",
        ".....k...k......",
        "................",
        "kkkkkkkkkkkk....",
        "kwwwwwwwwwwkkkk.",
        "kooooooooook..k.",
        "kOooooooooOk..k.",
        "kOOooooooOOkkkk.",
        ".kOOooooOOk.....",
        "..kOOOOOOk......",
        "...kkkkkk.......",
        ".kkkkkkkkkkkk...",
        "................",
        "................",
    ],
    28: [  # script page with code lines
        "..kkkkkkkkkkk...",
        ".kppppppppppk...",
        "kpppppppppppk...",
        "kpkkkpppppppk...",
        "kppppkkkkpppk...",
        "kpkkkkpppppPk...",
        "kpppkkkkkppPk...",
        "kpkkpppppppPk...",
        "kppppkkkkkpPk...",
        "kpkkkkppppPPk...",
        "kpppppkkkppPk...",
        "kpkkkpppppPPk...",
        "kppppppppPPPk...",
        ".kkkkkkkkkkkk...",
        "................",
        "................",
    ],
    29: [  # gear with a run mark
        "......kkkk......",
        "......kyyk......",
        "..kk.kyyyyk.kk..",
        "..kykyyyyyykyk..",
        "...kyyykkyyyk...",
        "kkkyyk....kyykkk",
        "kyyyk..r...kyyyk",
        "kyyyk..rr..kyyyk",
        "kyyyk..rrr.kyyyk",
        "kyyyk..rr..kyyyk",
        "kkkyyk.r..kyykkk",
        "...kyyykkyyyk...",
        "..kykyyyyyykyk..",
        "..kk.kyyyyk.kk..",
        "......kyyk......",
        "......kkkk......",
    ],
    30: [  # down arrow into a tray
        "......kkkk......",
        "......kbbk......",
        "......kbbk......",
        "......kbbk......",
        "......kbbk......",
        "...kkkkbbkkkk...",
        "....kbbbbbbk....",
        ".....kbbbbk.....",
        "......kbbk......",
        "k......kk......k",
        "kk............kk",
        "kyk..........kyk",
        "kyykkkkkkkkkkyyk",
        "kyyyyyyyyyyyyyyk",
        "kkkkkkkkkkkkkkkk",
        "................",
    ],
}


def placeholder():
    rows = []
    for y in range(SIZE):
        row = ''
        for x in range(SIZE):
            edge = x in (2, 13) or y in (2, 13)
            inside = 2 < x < 13 and 2 < y < 13
            row += 'm' if edge and 2 <= x <= 13 and 2 <= y <= 13 else ('w' if inside else '.')
        rows.append(row)
    return rows


def image_pixels(index):
    rows = IMAGES.get(index) or placeholder()
    out = []
    for row in rows:
        row = (row + '.' * SIZE)[:SIZE]
        out.append([PALETTE[c] for c in row])
    return out


def greyed(colour):
    if colour == MAGENTA:
        return colour
    r, g, b = colour
    v = (r * 30 + g * 59 + b * 11) // 100
    v = 96 + v * 144 // 255  # a lighter, flatter grey
    return (v, v, v)


def write_bmp(path, strip):
    width, height = SIZE * COUNT, SIZE
    row_size = (width * 3 + 3) & ~3
    pixels = bytearray()
    for y in reversed(range(height)):  # bottom-up rows
        row = bytearray()
        for x in range(width):
            r, g, b = strip[y][x]
            row += bytes((b, g, r))
        row += b'\0' * (row_size - len(row))
        pixels += row
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    tmp = path + '.tmp'
    with open(tmp, 'wb') as f:
        f.write(header + info + pixels)
    os.replace(tmp, path)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', 'res')
    images = [image_pixels(i) for i in range(COUNT)]
    hot = [[c for i in range(COUNT) for c in images[i][y]] for y in range(SIZE)]
    normal = [[greyed(c) for c in row] for row in hot]
    write_bmp(os.path.join(folder, 'tbs.bmp'), hot)
    write_bmp(os.path.join(folder, 'tbsn.bmp'), normal)


if __name__ == '__main__':
    main()
