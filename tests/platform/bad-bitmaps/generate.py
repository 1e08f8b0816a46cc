#!/usr/bin/env python3
"""Writes the small malformed bitmaps beside this script; each must load as nothing."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
RGB, RLE8, RLE4, BITFIELDS, PNG = 0, 1, 2, 3, 5


def info_file(width, height, bpp, compression=RGB, palette=(), pixels=b"", masks=None, offset=None):
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, compression, len(pixels), 2835, 2835,
                         len(palette), 0)
    extra = struct.pack("<III", *masks) if masks else b""
    pal = b"".join(struct.pack("<BBBB", c & 0xFF, (c >> 8) & 0xFF, c >> 16, 0) for c in palette)
    start = 14 + len(header) + len(extra) + len(pal)
    body = header + extra + pal + pixels
    return b"BM" + struct.pack("<IHHI", 14 + len(body), 0, 0, start if offset is None else offset) + body


def core_file(width, height, bpp, palette=(), pixels=b""):
    header = struct.pack("<IHHHH", 12, width, height, 1, bpp)
    pal = b"".join(struct.pack("<BBB", c & 0xFF, (c >> 8) & 0xFF, c >> 16) for c in palette)
    body = header + pal + pixels
    return b"BM" + struct.pack("<IHHI", 14 + len(body), 0, 0, 14 + 12 + len(pal)) + body


def rle8(stream, height=2):
    return info_file(4, height, 8, RLE8, (0, 0xFF0000), bytes(stream))


def rle4(stream):
    return info_file(4, 2, 4, RLE4, (0, 0xFF0000), bytes(stream))


GOOD24 = info_file(2, 2, 24, pixels=bytes(16))

FILES = {
    "empty": b"",
    "magic-only": b"BM",
    "wrong-magic": b"BA" + GOOD24[2:],
    "truncated-info-header": GOOD24[:30],
    "truncated-core-header": core_file(2, 2, 24, pixels=bytes(16))[:20],
    "header-size-huge": GOOD24[:14] + struct.pack("<I", 0xFFFFFFFF) + GOOD24[18:],
    "zero-width": info_file(0, 2, 24, pixels=bytes(16)),
    "zero-height": info_file(2, 0, 24, pixels=bytes(16)),
    "negative-width": info_file(-2, 2, 24, pixels=bytes(16)),
    "huge-width": info_file(100000, 1, 24, pixels=bytes(16)),
    "huge-total": info_file(16384, 16384, 8, RLE8, (0,), bytes([0, 1])),
    "side-4097": info_file(4097, 1, 8, RLE8, (0,), bytes([0, 1])),
    "most-negative-height": info_file(2, -0x80000000, 24, pixels=bytes(16)),
    "truncated-pixels": info_file(2, 2, 24, pixels=bytes(13)),
    "truncated-palette": core_file(2, 2, 8, palette=(0, 0xFF)),
    "palette-index-1bpp": info_file(8, 1, 1, palette=(0xFF,), pixels=bytes([0x80, 0, 0, 0])),
    "palette-index-8bpp": info_file(4, 1, 8, palette=(0, 0xFF), pixels=bytes([0, 1, 2, 1])),
    "two-bit-depth": info_file(4, 1, 2, palette=(0, 1, 2, 3), pixels=bytes(4)),
    "core-16bpp": core_file(2, 1, 16, pixels=bytes(4)),
    "png-compression": info_file(1, 1, 0, PNG, pixels=bytes(8)),
    "bitfields-24bpp": info_file(1, 1, 24, BITFIELDS, pixels=bytes(4), masks=(0xFF0000, 0xFF00, 0xFF)),
    "bitfields-split-mask": info_file(1, 1, 32, BITFIELDS, pixels=bytes(4), masks=(0xF0F000, 0xF, 0xF00)),
    "pixel-offset-in-header": info_file(1, 1, 24, pixels=bytes(4), offset=20),
    "pixel-offset-past-end": info_file(1, 1, 24, pixels=bytes(4), offset=0xFFFFFFF0),
    "rle8-run-on-row-below-image": rle8([0, 2, 0, 2, 1, 1, 0, 1]),
    "rle8-delta-past-right": rle8([0, 2, 5, 0, 0, 1]),
    "rle8-delta-past-bottom": rle8([0, 2, 0, 3, 0, 1]),
    "rle8-run-after-last-row": rle8([0, 0, 0, 0, 4, 1, 0, 1]),
    "rle8-no-end-marker": rle8([4, 1, 0, 0, 4, 1]),
    "rle8-index-past-palette": rle8([4, 9, 0, 1]),
    "rle8-top-down": rle8([0, 1], height=-2),
    "rle4-delta-past-right": rle4([0, 2, 5, 0, 1, 0x11, 0, 1]),
    "rle4-absolute-truncated": rle4([0, 4, 0x11]),
}

if __name__ == "__main__":
    for name, data in FILES.items():
        with open(os.path.join(HERE, name + ".bmp"), "wb") as f:
            f.write(data)
