"""Writes setup's modem icon: a desktop modem with a telephone handset on top
and a row of status lights, as a 16 x 16 and a 32 x 32 image in 16 colours
(the standard VGA palette, which every Windows 95 display shows).

Usage: make_modem_icon.py OUTPUT.ico"""

import struct
import sys

# The 16-colour palette, blue-green-red order as the bitmap stores it.
PALETTE = [
    (0x00, 0x00, 0x00), (0x00, 0x00, 0x80), (0x00, 0x80, 0x00), (0x00, 0x80, 0x80),
    (0x80, 0x00, 0x00), (0x80, 0x00, 0x80), (0x80, 0x80, 0x00), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0x00, 0x00, 0xFF), (0x00, 0xFF, 0x00), (0x00, 0xFF, 0xFF),
    (0xFF, 0x00, 0x00), (0xFF, 0x00, 0xFF), (0xFF, 0xFF, 0x00), (0xFF, 0xFF, 0xFF),
]
# Letters of the pictures below: palette index; "." is transparent.
COLOURS = {"K": 0, "g": 2, "S": 7, "G": 8, "R": 9, "L": 10, "Y": 11, "W": 15}

MODEM_32 = [
    "................................",
    "................................",
    "......KKKKKKKKKKKKKKKKKKKK......",
    ".....KGGGGGGGGGGGGGGGGGGGGK.....",
    "....KGGKKKKKKKKKKKKKKKKKKGGK....",
    "...KGGGGK..............KGGGGK...",
    "..KGGGGGGK............KGGGGGGK..",
    "..KKKKKKKK............KKKKKKKK..",
    "..KKKKKKKK............KKKKKKKK..",
    "...KKKKKKKKKKKKKKKKKKKKKKKKKK...",
    "..KWWWWWWWWWWWWWWWWWWWWWWWWWWK..",
    ".KWSSSSSSSSSSSSSSSSSSSSSSSSSSSK.",
    "KWSSSSSSSSSSSSSSSSSSSSSSSSSSSSGK",
    "KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK",
    "KWWWWWWWWWWWWWWWWWWWWWWWWWWWWWGK",
    "KWSSSSSSSSSSSSSSSSSSSSSSSSSSSSGK",
    "KWSSSSSSSSSSSSSSSSSSSSSSSSSSSSGK",
    "KWSSgLSSgLSSgLSSRRSSYYSSGGGGGSGK",
    "KWSSgLSSgLSSgLSSRRSSYYSSWWWWWSGK",
    "KWSSSSSSSSSSSSSSSSSSSSSSSSSSSSGK",
    "KWSSSSSSSSSSSSSSSSSSSSSSGGGGGSGK",
    "KWSSSSSSSSSSSSSSSSSSSSSSWWWWWSGK",
    "KWSSSSSSSSSSSSSSSSSSSSSSSSSSSSGK",
    "KGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGK",
    "KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK",
    "..KKK......................KKK..",
    "..............................K.",
    "..............................K.",
    ".............................K..",
    "..........................KKK...",
    "...................KKKKKKK......",
    "................................",
]

MODEM_16 = [
    "................",
    "...KKKKKKKKKK...",
    "..KGGGGGGGGGGK..",
    ".KGGKKKKKKKKGGK.",
    ".KKKK......KKKK.",
    "..KKKKKKKKKKKK..",
    ".KWSSSSSSSSSSSK.",
    "KKKKKKKKKKKKKKKK",
    "KWSSSSSSSSSSSSGK",
    "KWLSLSLSRSYSSSGK",
    "KWSSSSSSSSSSSSGK",
    "KGGGGGGGGGGGGGGK",
    "KKKKKKKKKKKKKKKK",
    ".KK..........KK.",
    "..............K.",
    ".........KKKKK..",
]


def row_bytes(bits_per_pixel, width):
    """Bytes of one bitmap row, padded to a 32-bit boundary."""
    return (bits_per_pixel * width + 31) // 32 * 4


def icon_image(picture):
    """The DIB of one icon image: header, palette, colour bits and the AND
    mask (set where the picture is transparent), rows bottom-up."""
    size = len(picture)
    if any(len(row) != size for row in picture):
        raise ValueError(f"the {size}-pixel picture is not square")
    colour_rows, mask_rows = [], []
    for row in reversed(picture):
        indices = [COLOURS.get(c, 0) for c in row]
        packed = bytes(indices[i] << 4 | indices[i + 1] for i in range(0, size, 2))
        colour_rows.append(packed.ljust(row_bytes(4, size), b"\0"))
        mask = 0
        for c in row:
            mask = mask << 1 | (c == ".")
        mask_rows.append(mask.to_bytes(size // 8, "big").ljust(row_bytes(1, size), b"\0"))
    colour, masks = b"".join(colour_rows), b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0, len(colour) + len(masks),
                         0, 0, 16, 0)
    palette = b"".join(bytes((b, g, r, 0)) for b, g, r in PALETTE)
    return header + palette + colour + masks


def icon_file(pictures):
    """An .ico file holding one image per picture."""
    images = [icon_image(p) for p in pictures]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    for picture, image in zip(pictures, images):
        directory += struct.pack("<BBBBHHII", len(picture), len(picture), 16, 0, 1, 4,
                                 len(image), offset)
        offset += len(image)
    return directory + b"".join(images)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with open(sys.argv[1], "wb") as f:
        f.write(icon_file([MODEM_16, MODEM_32]))


if __name__ == "__main__":
    main()
