#!/usr/bin/python3
"""Draws the tools' 16 x 16 button icons and cursors into data/tools/.

Every picture is plain pixel art: aliased polygons, lines and hand-placed pixels on a transparent
background, so it stays crisp when the program scales it by whole factors. A cursor's hot spot
is stored in the PNG as the text "HotSpot" = "x,y". Needs Pillow (Debian: python3-pil).
Run from anywhere: scripts/make_tool_art.py
"""
from pathlib import Path

from PIL import Image, ImageDraw
from PIL.PngImagePlugin import PngInfo

OUT = Path(__file__).resolve().parent.parent / "data" / "tools"
SIDE = 16

BLACK = (0, 0, 0, 255)
WHITE = (255, 255, 255, 255)
GREY = (128, 128, 128, 255)
DARK = (64, 64, 64, 255)
LIGHT = (200, 200, 200, 255)
YELLOW = (240, 200, 40, 255)
WOOD = (232, 184, 120, 255)
PINK = (240, 128, 160, 255)
RED = (208, 32, 32, 255)
BLUE = (40, 96, 224, 255)
GLASS = (168, 216, 240, 255)
GREEN = (48, 160, 64, 255)
BROWN = (128, 80, 32, 255)


def canvas():
    image = Image.new("RGBA", (SIDE, SIDE), (0, 0, 0, 0))
    return image, ImageDraw.Draw(image)


def dotted_rect(draw, box, colour, dash=2, gap=1):
    left, top, right, bottom = box
    edge = [(x, top) for x in range(left, right + 1)]
    edge += [(right, y) for y in range(top + 1, bottom + 1)]
    edge += [(x, bottom) for x in range(right - 1, left - 1, -1)]
    edge += [(left, y) for y in range(bottom - 1, top, -1)]
    for i, point in enumerate(edge):
        if i % (dash + gap) < dash:
            draw.point(point, fill=colour)


def select_art(draw):
    dotted_rect(draw, (1, 2, 14, 13), BLACK)
    draw.rectangle((5, 6, 10, 9), fill=BLUE)


def pipette_art(draw):
    draw.polygon([(10, 2), (13, 5), (5, 13), (2, 13), (2, 10)], fill=GLASS, outline=BLACK)
    draw.line([(4, 11), (9, 6)], fill=BLUE)
    draw.rectangle((11, 1, 14, 4), fill=DARK, outline=BLACK)
    draw.point((0, 15), fill=BLUE)
    draw.point((1, 14), fill=BLACK)


def zoom_art(draw):
    draw.ellipse((1, 1, 10, 10), fill=GLASS, outline=BLACK)
    draw.point((4, 4), fill=WHITE)
    draw.point((5, 3), fill=WHITE)
    draw.line([(9, 9), (14, 14)], fill=BLACK, width=3)
    draw.line([(10, 10), (13, 13)], fill=BROWN)


def eraser_art(draw):
    draw.polygon([(1, 10), (8, 3), (14, 3), (14, 6), (7, 13), (1, 13)], fill=PINK, outline=BLACK)
    draw.line([(5, 10), (11, 4)], fill=BLACK)
    draw.polygon([(2, 11), (5, 11), (5, 12), (2, 12)], fill=WHITE)


def pencil_art(draw):
    draw.polygon([(1, 14), (2, 10), (11, 1), (14, 4), (5, 13)], fill=YELLOW, outline=BLACK)
    draw.line([(3, 10), (11, 2)], fill=WHITE)
    draw.polygon([(1, 14), (2, 11), (4, 13)], fill=WOOD, outline=BLACK)
    draw.point((1, 14), fill=BLACK)
    draw.line([(10, 2), (13, 5)], fill=BLACK)
    draw.polygon([(11, 1), (12, 0), (15, 3), (14, 4)], fill=PINK, outline=BLACK)


def line_art(draw):
    draw.line([(2, 13), (13, 2)], fill=BLACK)
    draw.rectangle((1, 12, 3, 14), fill=BLUE)
    draw.rectangle((12, 1, 14, 3), fill=BLUE)


def rect_art(draw):
    draw.rectangle((1, 3, 14, 12), fill=BLUE, outline=BLACK)


def ellipse_art(draw):
    draw.ellipse((1, 3, 14, 12), fill=BLUE, outline=BLACK)


def brush_art(draw):
    draw.line([(9, 6), (14, 1)], fill=BROWN, width=2)
    draw.polygon([(7, 6), (9, 8), (6, 11)], fill=GREY, outline=BLACK)
    draw.polygon([(1, 14), (2, 10), (5, 8), (7, 10), (5, 13)], fill=RED, outline=BLACK)


def fill_art(draw):
    draw.polygon([(2, 7), (7, 2), (12, 7), (7, 12)], fill=LIGHT, outline=BLACK)
    draw.line([(3, 7), (11, 7)], fill=BLACK)
    draw.polygon([(11, 7), (13, 7), (14, 9), (14, 12), (12, 12), (12, 9)], fill=BLUE, outline=BLUE)
    draw.point((13, 14), fill=BLUE)


def text_art(draw):
    draw.polygon([(2, 14), (7, 1), (9, 1), (14, 14), (11, 14), (10, 11), (6, 11), (5, 14)],
                 fill=BLACK)
    draw.polygon([(7, 8), (8, 4), (9, 8)], fill=(0, 0, 0, 0))
    draw.point((8, 8), fill=(0, 0, 0, 0))


# Tool button id -> drawing.
ICONS = {
    1025: select_art, 1026: pipette_art, 1027: zoom_art, 1028: eraser_art, 1029: pencil_art,
    1030: line_art, 1031: rect_art, 1032: ellipse_art, 1033: brush_art, 1034: fill_art,
    1035: text_art,
}


def outlined(shape):
    """White pixels around every opaque pixel, so a black cursor shows on dark pictures too."""
    result = Image.new("RGBA", shape.size, (0, 0, 0, 0))
    pixels = shape.load()
    out = result.load()
    width, height = shape.size
    for y in range(height):
        for x in range(width):
            if pixels[x, y][3]:
                out[x, y] = pixels[x, y]
                continue
            near = any(pixels[nx, ny][3]
                       for nx in range(max(0, x - 1), min(width, x + 2))
                       for ny in range(max(0, y - 1), min(height, y + 2)))
            if near:
                out[x, y] = WHITE
    return result


def cross(draw, centre, arm, gap=1):
    cx, cy = centre
    draw.line([(cx - arm, cy), (cx - gap - 1, cy)], fill=BLACK)
    draw.line([(cx + gap + 1, cy), (cx + arm, cy)], fill=BLACK)
    draw.line([(cx, cy - arm), (cx, cy - gap - 1)], fill=BLACK)
    draw.line([(cx, cy + gap + 1), (cx, cy + arm)], fill=BLACK)
    draw.point(centre, fill=BLACK)


def shape_cursor(mark):
    """A cross whose centre is the hot spot, with a small sign of the shape beside it."""
    def art(draw):
        cross(draw, (5, 5), 5)
        mark(draw)
    return art, (5, 5)


def icon_cursor(drawing, hot_spot):
    """The tool's icon itself, its working point as the hot spot."""
    def art(draw):
        drawing(draw)
    return art, hot_spot


CURSORS = {
    210: shape_cursor(lambda d: dotted_rect(d, (9, 9, 14, 14), BLACK, 1, 1)),
    211: icon_cursor(pencil_art, (1, 14)),
    212: icon_cursor(zoom_art, (5, 5)),
    213: icon_cursor(fill_art, (13, 14)),
    214: icon_cursor(pipette_art, (0, 15)),
    215: shape_cursor(lambda d: d.rectangle((9, 9, 14, 14), outline=BLACK)),
    216: icon_cursor(brush_art, (1, 14)),
    217: shape_cursor(lambda d: d.line([(9, 14), (14, 9)], fill=BLACK)),
    218: shape_cursor(lambda d: d.rectangle((9, 10, 14, 14), outline=BLACK)),
    219: shape_cursor(lambda d: d.ellipse((9, 9, 14, 14), outline=BLACK)),
    220: None,
}


def text_cursor(draw):
    draw.line([(6, 2), (6, 13)], fill=BLACK)
    draw.line([(4, 1), (5, 1)], fill=BLACK)
    draw.line([(7, 1), (8, 1)], fill=BLACK)
    draw.line([(4, 14), (5, 14)], fill=BLACK)
    draw.line([(7, 14), (8, 14)], fill=BLACK)
    draw.line([(5, 8), (7, 8)], fill=BLACK)


CURSORS[220] = (text_cursor, (6, 8))


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    for tool_id, drawing in ICONS.items():
        image, draw = canvas()
        drawing(draw)
        image.save(OUT / f"icon_{tool_id}.png", optimize=True)
    for cursor_id, (drawing, hot_spot) in CURSORS.items():
        image, draw = canvas()
        drawing(draw)
        info = PngInfo()
        info.add_text("HotSpot", f"{hot_spot[0]},{hot_spot[1]}")
        outlined(image).save(OUT / f"cursor_{cursor_id}.png", pnginfo=info, optimize=True)


if __name__ == "__main__":
    main()
