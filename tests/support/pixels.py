"""What the real-window and page tests read of a picture, in one place: PNGs
and screenshots through Pillow, where the controls land as layout_pixels
prints them, and the still of an exchange that scene.txt lists.

As a program, for the shell tests (exit status 0 for yes, 1 for no):
  pixels.py bars SHOT LAYOUT          one line a bar from the top, "WIDTH R G B",
                                      or "0 none"; fails naming the bar whose
                                      rows are not one solid run on its slot
  pixels.py scene SHOT SCALE          true when the still's column at SCALE shows
                                      scene.txt's runs; else prints what it shows
  pixels.py same SHOT SHOT [X Y W H]  true when both show the same pixels there
  pixels.py darkest SHOT X Y W H      the smallest R + G + B there
  pixels.py colours SHOT X Y W H      how many colours there
  pixels.py reds SHOT                 how many pixels are a strong red
"""
import os
import sys

from PIL import Image

SCENE_TABLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "scene.txt")


class Unreadable(Exception):
    """A picture that does not show what its reader needs, and why."""


def open_image(source):
    """An RGB image from a file's path, the bytes of a PNG, or an image."""
    if isinstance(source, Image.Image):
        return source.convert("RGB")
    if isinstance(source, (bytes, bytearray)):
        import io
        source = io.BytesIO(source)
    with Image.open(source) as image:
        return image.convert("RGB")


def layout(lines):
    """The lines of layout_pixels as (client (W, H), buttons [(X, Y, W, H, CAPTION)],
    bars [(X, Y, LONGEST, H)] from the top)."""
    client, buttons, bars = None, [], []
    for line in lines:
        fields = line.split(" ")
        if fields[0] == "client":
            client = (int(fields[1]), int(fields[2]))
        elif fields[0] == "button":
            buttons.append(tuple(int(v) for v in fields[1:5]) + (" ".join(fields[5:]).strip(),))
        elif fields[0] == "bar":
            bars.append(tuple(int(v) for v in fields[2:6]))
    return client, buttons, bars


def bars(image, layout_):
    """Each bar's width in pixels and colour, or (0, None): each must be one
    solid run from its slot's left edge, with only ground beside it up to the
    buttons, the same on every row it has to itself (all but its top and
    bottom two, which it may share with a neighbour or a frame)."""
    _, buttons, slots = layout_
    pixel = image.load()
    ground = pixel[2, 2]
    limit = min(x for x, _, _, _, _ in buttons) - 2
    found = []
    for i, (left, top, _, height) in enumerate(slots):
        width = colour = None
        for y in range(top + 2, top + height - 2):
            if pixel[left - 1, y] != ground:
                raise Unreadable("bar %d: no ground left of the slot" % i)
            x, run = left, pixel[left, y]
            while x < limit and pixel[x, y] == run and run != ground:
                x += 1
            if any(pixel[r, y] != ground for r in range(x, limit)):
                raise Unreadable("bar %d: not one solid run at row %d" % (i, y))
            if width is None:
                width, colour = x - left, run
            elif x - left != width or (width > 0 and run != colour):
                raise Unreadable("bar %d: rows differ" % i)
        found.append((width, colour if width else None))
    return found


def runs(column):
    """A column of colours as its runs, top to bottom: (FIRST, LAST, COLOUR),
    COLOUR "ground" where it is the colour of the column's first row."""
    out = []
    for y, colour in enumerate(column):
        if out and out[-1][2] == colour:
            out[-1][1] = y
        else:
            out.append([y, y, colour])
    ground = column[0] if column else None
    return [(first, last, "ground" if colour == ground else colour) for first, last, colour in out]


def column_runs(image, x):
    pixel = image.load()
    return runs([pixel[x, y] for y in range(image.height)])


def scene(scale):
    """The still's column at a scale, and the runs that scene.txt lists down it;
    None and [] where the table has no such scale."""
    column, expected, reading = None, [], False
    with open(SCENE_TABLE) as table:
        for fields in (line.split() for line in table if line.strip() and not line.startswith("#")):
            if fields[0] == "values":
                continue
            if fields[0] == "scale":
                reading = float(fields[1]) == float(scale)
                column = int(fields[3]) if reading else column
            elif reading:
                colour = "ground" if fields[2] == "ground" else tuple(int(v) for v in fields[2:5])
                expected.append((int(fields[0]), int(fields[1]), colour))
    return column, expected


def scene_values():
    """The still's sixteen values, from the top, as scene.txt lists them."""
    with open(SCENE_TABLE) as table:
        return next(line.split()[1:] for line in table if line.startswith("values "))


def crop(image, x, y, width, height):
    return image.crop((x, y, x + width, y + height))


def colours(image):
    return {colour for _, colour in image.getcolors(image.width * image.height)}


def _main(argv):
    command, shot = argv[0], open_image(argv[1])
    box = [int(v) for v in argv[2:6]] if command in ("darkest", "colours") else None
    if command == "bars":
        with open(argv[2]) as lines:
            try:
                found = bars(shot, layout(lines.read().splitlines()))
            except Unreadable as why:
                print(why)
                return 1
        for width, colour in found:
            print("%d %s" % (width, " ".join(str(c) for c in colour) if colour else "none"))
    elif command == "scene":
        x, expected = scene(argv[2])
        shown = column_runs(shot, x) if x is not None else None
        if shown != expected:
            print("down column %s: %s" % (x, shown))
            return 1
    elif command == "same":
        other = open_image(argv[2])
        if len(argv) > 3:
            box = [int(v) for v in argv[3:7]]
            shot, other = crop(shot, *box), crop(other, *box)
        return 0 if shot.size == other.size and shot.tobytes() == other.tobytes() else 1
    elif command == "darkest":
        print(min(sum(colour) for colour in colours(crop(shot, *box))))
    elif command == "colours":
        print(len(colours(crop(shot, *box))))
    elif command == "reds":
        print(sum(count for count, (r, g, b) in shot.getcolors(shot.width * shot.height)
                  if r > 180 and g < 90 and b < 90))
    else:
        print("pixels.py: no command %r" % command, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(_main(sys.argv[1:]))
