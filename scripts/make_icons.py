#!/usr/bin/python3
"""Draws the hicolor icons packaging/icons/fern-SIZE.png from packaging/icons/fern.svg
(GdkPixbuf with its SVG loader, as python3-gi brings it). The PNGs are committed; run
this after changing the SVG:  /usr/bin/python3 scripts/make_icons.py"""

import os

import gi

gi.require_version("GdkPixbuf", "2.0")
from gi.repository import GdkPixbuf  # noqa: E402

SIZES = (16, 24, 32, 48, 64, 128, 256)
HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "packaging", "icons")

for size in SIZES:
    icon = GdkPixbuf.Pixbuf.new_from_file_at_size(os.path.join(HERE, "fern.svg"), size, size)
    icon.savev(os.path.join(HERE, "fern-%d.png" % size), "png", [], [])
