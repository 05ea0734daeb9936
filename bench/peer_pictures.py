#!/usr/bin/env python3
"""Test pictures and error figures for bench/peers.sh (needs Pillow and NumPy).

  peer_pictures.py make DIR        writes the photographs and the paletted pictures
  peer_pictures.py mse SOURCE OUT  prints the mean squared RGB error of OUT against SOURCE
"""
import sys

import numpy as np
from PIL import Image


def photo(width, height, scene, seed):
    """A smooth sky over textured ground, or shaded objects on a busy backdrop, with noise."""
    rng = np.random.default_rng(seed)
    v, u = np.mgrid[0:height, 0:width].astype(np.float64)
    v /= height
    u /= width
    if scene == "sky":
        ground = 0.72 + 0.06 * np.sin(u * 9.0 + seed)
        sky = v < ground
        t = np.sin(np.arange(width) * 0.9)[None, :] * np.sin(np.arange(height) * 1.3)[:, None]
        r = np.where(sky, 70 + 150 * v + 30 * u, 60 + 40 * t)
        g = np.where(sky, 120 + 110 * v, 70 + 50 * t + 30 * (v - ground))
        b = np.where(sky, 210 + 40 * v - 20 * u, 30 + 20 * t)
        amplitude = 4
    else:
        r = 90 + 60 * np.sin(u * 5 + np.arange(height)[:, None] * 0.05)
        g = 100 + 50 * np.sin(v * 7)
        b = 110 + 60 * np.cos((u + v) * 4)
        for k in range(6):
            cx, cy = 0.15 + 0.14 * k, 0.3 + 0.4 * ((k * 7 + seed) % 5) / 5.0
            d = np.hypot(u - cx, v - cy) / 0.1
            inside = d < 1
            shade = 1.2 - d
            r = np.where(inside, 255 * shade * (1 if k % 3 == 0 else 0.3), r)
            g = np.where(inside, 255 * shade * (1 if k % 3 == 1 else 0.4), g)
            b = np.where(inside, 255 * shade * (1 if k % 3 == 2 else 0.2), b)
        bar = ((np.arange(width) // 40) % 7 == 3)[None, :].repeat(height, 0)
        r, g, b = (np.where(bar, 235 - 60 * v, c) for c in (r, g, b))
        amplitude = 16
    planes = [c + (rng.random(c.shape) - 0.5) * amplitude for c in (r, g, b)]
    return Image.fromarray(np.clip(np.rint(np.dstack(planes)), 0, 255).astype(np.uint8), "RGB")


def tile_map(side, seed):
    """A paletted picture of repeated, flipped 8 x 8 tiles in four banks of 16 colours."""
    rng = np.random.default_rng(seed)
    patterns = rng.integers(0, 16, (4000, 8, 8)) * (rng.random((4000, 8, 8)) < 0.6)
    tiles = side // 8
    pick = rng.integers(0, len(patterns), (tiles, tiles))
    banks = rng.integers(0, 4, (tiles, tiles))
    out = np.zeros((side, side), np.uint8)
    for ty in range(tiles):
        for tx in range(tiles):
            p = patterns[pick[ty, tx]]
            if (tx + ty) % 3 == 1:
                p = p[:, ::-1]
            out[ty * 8:ty * 8 + 8, tx * 8:tx * 8 + 8] = np.where(p > 0, p + 16 * banks[ty, tx], 0)
    image = Image.fromarray(out, "P")
    image.putpalette([c for i in range(256) for c in (i * 7 % 256, i * 13 % 256, i * 29 % 256)])
    return image


def make(folder):
    for (w, h) in ((1024, 768), (2048, 1536)):
        for scene in ("sky", "objects"):
            photo(w, h, scene, 1).save(f"{folder}/{scene}-{w}.png", compress_level=6)
    tile_map(4096, 2).save(f"{folder}/paletted-4096.png")
    tile_map(1024, 3).save(f"{folder}/map-1024.png")


def mse(source, out):
    a = np.asarray(Image.open(source).convert("RGB"), np.float64)
    b = np.asarray(Image.open(out).convert("RGB"), np.float64)
    print(f"{((a - b) ** 2).sum(axis=2).mean():.3f}")


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "make":
        make(sys.argv[2])
    elif len(sys.argv) == 4 and sys.argv[1] == "mse":
        mse(sys.argv[2], sys.argv[3])
    else:
        sys.exit(__doc__)
