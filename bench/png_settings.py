#!/usr/bin/env python3
"""Bytes and CPU time of deflating a paletted picture's PNG rows (unfiltered, as the
writer stores them) with each zlib level and strategy, and the writer's sampled
choice between the two strategies. Part of bench/peers.sh; not part of the test run.

  png_settings.py PICTURE.bmp ...   8-bit BMP files (vorlin-cli convert writes them)
"""
import struct
import sys
import time
import zlib

SETTINGS = [(level, strategy) for level in (4, 6, 9)
            for strategy in (zlib.Z_DEFAULT_STRATEGY, zlib.Z_FILTERED)]
NAMES = {zlib.Z_DEFAULT_STRATEGY: "default", zlib.Z_FILTERED: "filtered"}


def rows(path):
    data = open(path, "rb").read()
    offset = struct.unpack("<I", data[10:14])[0]
    width, height = struct.unpack("<ii", data[18:26])
    stride = (width + 3) & ~3
    picture = [b"\0" + data[offset + (height - 1 - y) * stride:][:width] for y in range(height)]
    return picture, width, height


def deflated(data, level, strategy):
    z = zlib.compressobj(level, zlib.DEFLATED, 15, 8, strategy)
    return len(z.compress(data) + z.flush())


def sampled_choice(picture, width, height):
    """The writer's rule: eight bands, together a 32nd of the rows (at least 8 KB)."""
    total = height * (width + 1)
    band_rows = max(1, min(height, max(total // 32, 8192) // 8 // (width + 1)))
    bands = min(8, height // band_rows)
    sizes = {zlib.Z_FILTERED: 0, zlib.Z_DEFAULT_STRATEGY: 0}
    for b in range(bands):
        first = 0 if bands == 1 else (height - band_rows) * b // (bands - 1)
        band = b"".join(picture[first:first + band_rows])
        for strategy in sizes:
            sizes[strategy] += deflated(band, 4, strategy)
    return min(sizes, key=lambda s: (sizes[s], s != zlib.Z_FILTERED))


for path in sys.argv[1:]:
    picture, width, height = rows(path)
    data = b"".join(picture)
    for level, strategy in SETTINGS:
        start = time.process_time()
        size = deflated(data, level, strategy)
        cpu = time.process_time() - start
        print(f"{path:28} level {level} {NAMES[strategy]:8} {size:10} bytes {cpu:7.3f} s")
    print(f"{path:28} sampled choice at level 4: {NAMES[sampled_choice(picture, width, height)]}")
