"""Reads the screenshot PNGs and BMPs with Pillow, an independent decoder.
Argument: a folder with a file "cases" of lines "name exact|approx" and, per
name, name.bmp (the source picture), name_color.png and name_grey.png.
Prints one line per mismatch; exits 1 when there was any."""
import os
import sys

from PIL import Image

GREY_LEVELS = [0, 28, 52, 73, 92, 109, 125, 140, 155, 170, 185, 199, 213, 227, 241, 255]
# Mean absolute difference per component allowed for pictures with more
# colours than a palette holds.
APPROX_MEAN_ERROR = 3.0

folder = sys.argv[1]
bad = 0


def fail(name, what):
    global bad
    bad += 1
    print(f"{name}: {what}")


def nearest_level(grey):
    return min(range(len(GREY_LEVELS)), key=lambda i: (abs(GREY_LEVELS[i] - grey), i))


for line in open(os.path.join(folder, "cases")):
    name, kind = line.split()
    source = Image.open(os.path.join(folder, name + ".bmp")).convert("RGB")
    pixels = list(source.getdata())

    color = Image.open(os.path.join(folder, name + "_color.png"))
    if color.mode != "P" or color.size != source.size:
        fail(name, f"colour PNG is {color.mode} {color.size}, source {source.size}")
        continue
    if len(color.getpalette()) != 768:
        fail(name, f"colour palette has {len(color.getpalette()) // 3} entries, not 256")
    decoded = list(color.convert("RGB").getdata())
    if kind == "exact":
        if decoded != pixels:
            fail(name, "colour PNG differs from the source")
    else:
        error = sum(abs(a - b) for p, q in zip(pixels, decoded) for a, b in zip(p, q)) / (3 * len(pixels))
        if error > APPROX_MEAN_ERROR:
            fail(name, f"colour PNG mean error {error:.2f}")

    grey = Image.open(os.path.join(folder, name + "_grey.png"))
    if grey.mode != "P" or grey.size != source.size:
        fail(name, f"grey PNG is {grey.mode} {grey.size}")
        continue
    if grey.getpalette() != [level for level in GREY_LEVELS for _ in range(3)]:
        fail(name, "grey palette is not the 16 levels")
    want = [nearest_level((77 * r + 151 * g + 28 * b) >> 8) for r, g, b in pixels]
    if list(grey.getdata()) != want:
        fail(name, "grey PNG indexes differ from the source's grey levels")

sys.exit(1 if bad else 0)
