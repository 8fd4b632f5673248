#!/usr/bin/env python3
"""Writes the fuzz targets' seed files: cases taken from the tests, in each target's input layout.

Run from anywhere; it rewrites fuzz/corpus/TARGET/ beside this script. Keep the set small: the fuzzer
finds its own way from here, the seeds only show it the shapes of real input.
"""
import pathlib
import shutil
import struct
import zlib

HERE = pathlib.Path(__file__).resolve().parent


def write(target, cases):
    folder = HERE / target
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir()
    for name, data in cases:
        (folder / name).write_bytes(data)


# conversions_fuzz: byte 0 picks the mode (byte % 12) and the direction (top bit), then UTF-16LE text.
def conversion(mode, crypt, text):
    first = 128 + (mode - 128) % 12 if crypt else mode
    return bytes([first]) + text.encode("utf-16-le")


CONVERSIONS = [
    ("geocode", 1, "Hallo Welt!\r\nZweite Zeile"),
    ("ascii-codes", 2, "48 61 6C 6C 6F &H41 0x42"),
    ("ascii-text", 2, "Hallo"),
    ("ook", 3, "Ook. Ook? Ook! Ook. Ook. Ook. Ook! Ook! Ook? Ook! Ook.Ook?"),
    ("brainfuck", 4, ">+++++++++[<++++++++>-]<.>+++++++[<++++>-]<+.+++++++..+++.>>>++++++++[<++++>-]<."),
    ("brainfuck-input", 4, ",[.,]!Eingabe"),
    ("word-lengths", 6, "Ich bin ein Test, oder nicht?"),
    ("word-bits", 6, "0101 1100\r\n10"),
    ("bits", 7, "0100100001100001011011000110110001101111"),
    ("matrix-numbers", 8, "25 67 123"),
    ("matrix-text", 8, "Hi! A B"),
    ("morse-code", 9, "... --- ... / .-.-.- -....-"),
    ("morse-text", 9, "SOS 123 ÄÖÜ"),
    ("letters-numbers", 10, "8 1 12 12 15 _23 5 12 20"),
    ("letters-text", 10, "Größe 3 Hallo Welt"),
    ("picture-mode", 11, "x"),
    ("no-mode", 0, "x"),
]

# hex_codes_fuzz: byte 0 chooses where the text is cut in two, then the hex text.
HEX = [
    ("0x-codes", "0x1F 0x08 0x43 0x44"),
    ("glued-pairs", "48 656c6C 6f"),
    ("single-digits", "a b c 0x1"),
    ("line-ends", "\t48\t65\r\n6C\r6C\n\n6F  \r\n"),
    ("control-separators", "41\0" "42\x1f" "43"),
    ("mixed", "0x7 4142 0xFF\r\n0x10 000"),
    ("comma", "41,42"),
    ("long-0x", "12 0x123 0x4142"),
    ("0x-alone", "0x 0x0x 1x"),
    ("code-page", "41 \xe41"),
]


def bmp(width=4, height=2, info_size=40, bit_count=8, compression=0, colours_used=0, palette=None, rows=None):
    """A bitmap file laid out as the tests' writer lays it out."""
    palette = [(i, i, i) for i in range(256)] if palette is None else palette
    rows = rows if rows is not None else [[(r * width + x) % 256 for x in range(width)] for r in range(abs(height))]
    table = b"".join(bytes([b, g, r, 0]) for r, g, b in palette)
    info = struct.pack("<iiiHHiiiiii", info_size, width, height, 1, bit_count, compression, 0, 0, 0, colours_used, 0)
    info += bytes(info_size - len(info))
    pixels = b""
    for row in rows:
        line = bytes(row)
        pixels += line + b"\xee" * (-len(line) % 4)
    offset = 14 + info_size + len(table)
    header = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    return header + info + table + pixels


BITMAPS = [
    ("bottom-up.bmp", bmp(width=5, height=3)),
    ("top-down.bmp", bmp(width=5, height=-3)),
    ("twelve-colours.bmp", bmp(width=16, height=16, colours_used=12, palette=[(i * 20, 255 - i * 20, i) for i in range(12)],
                               rows=[[(x + y) % 12 for x in range(16)] for y in range(16)])),
    ("no-colour-table.bmp", bmp(palette=[])),
    ("header-108.bmp", bmp(info_size=108)),
    ("header-124.bmp", bmp(info_size=124)),
    ("rle8.bmp", bmp(compression=1)),
    ("24-bit.bmp", bmp(bit_count=24)),
    ("4-bit.bmp", bmp(bit_count=4)),
    ("ends-early.bmp", bmp(width=8, height=8)[:-20]),
    ("huge-header-size.bmp", bmp(width=16384, height=16384, rows=[])),
    ("bm-only.bmp", b"BM"),
    ("not-a-bitmap.bmp", bytes([0x50, 0x4B, 3, 4])),
]


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png_1x1(*extra):
    """A 1 x 1 PNG with a two-entry palette and the given chunks before its image data."""
    head = png_chunk(b"IHDR", struct.pack(">IIBBBBB", 1, 1, 8, 3, 0, 0, 0)) + png_chunk(b"PLTE", bytes(6))
    return b"\x89PNG\r\n\x1a\n" + head + b"".join(extra) + png_chunk(b"IDAT", zlib.compress(b"\0\1")) + png_chunk(b"IEND", b"")


def gif_lzw(indices, code_size):
    """GIF's LZW compression of the indices, in sub-blocks; a clear code whenever the table is full."""
    clear, codes, bits, table, current = 1 << code_size, [], code_size + 1, {}, ()
    codes.append((clear, bits))
    for index in indices:
        if current + (index,) in table or not current:
            current = current + (index,) if current + (index,) in table or current else (index,)
            continue
        codes.append((table[current] if len(current) > 1 else current[0], bits))
        table[current + (index,)] = clear + 2 + len(table)
        if clear + 1 + len(table) >= 1 << bits and bits < 12:
            bits += 1
        if clear + 2 + len(table) > 4095:
            codes.append((clear, bits))
            table, bits = {}, code_size + 1
        current = (index,)
    codes += [(table[current] if len(current) > 1 else current[0], bits), (clear + 1, bits)]
    data, buffer, count = bytearray(), 0, 0
    for code, width in codes:
        buffer, count = buffer | code << count, count + width
        while count >= 8:
            data.append(buffer & 0xFF)
            buffer, count = buffer >> 8, count - 8
    data += bytes([buffer]) if count else b""
    return bytes([code_size]) + b"".join(bytes([len(data[i:i + 255])]) + data[i:i + 255]
                                         for i in range(0, len(data), 255)) + b"\0"


def gif_frame(screen_width, screen_height, width, height, index=0):
    """A GIF whose one frame at (0, 0) is width x height pixels of one index on a larger screen."""
    return (b"GIF89a" + struct.pack("<HHBBB", screen_width, screen_height, 0x80, 0, 0) + bytes(6) +
            b"," + struct.pack("<HHHHB", 0, 0, width, height, 0) + gif_lzw([index] * (width * height), 2) + b";")


TEXT = zlib.compress(bytes(7_900_000), 9)

# Files that once cost memory or time out of proportion to their size: compressed text in a PNG, a narrow
# frame on a wide screen, a tiny frame on a screen of 256 megapixels.
BOMBS = [
    # Each text just under libpng's 8 MB limit for one chunk, kept by the thousand it caches.
    ("ztxt-bomb.png", png_1x1(*[png_chunk(b"zTXt", b"Comment\0\0" + TEXT)] * 16)),
    ("itxt-bomb.png", png_1x1(*[png_chunk(b"iTXt", b"Comment\0\1\0\0\0" + TEXT)] * 16)),
    ("narrow-frame.gif", gif_frame(8192, 32767, 1, 32767)),
    ("tiny-frame-on-a-huge-screen.gif", gif_frame(16384, 16384, 1, 1)),
]

write("conversions_fuzz",
      [(f"{name}-{'crypt' if crypt else 'decrypt'}", conversion(mode, crypt, text))
       for name, mode, text in CONVERSIONS for crypt in (False, True)])
write("hex_codes_fuzz", [(name, bytes([len(text) // 2]) + text.encode("latin-1")) for name, text in HEX])
# The picture run still gives every row a frame reaches the screen's whole width, which takes the narrow frame
# past the fuzzer's time limit per input: until a row costs only what is drawn, it seeds the readers alone.
write("bitmap_fuzz", BITMAPS + [bomb for bomb in BOMBS if bomb[0] != "narrow-frame.gif"])
for name, data in BOMBS:   # the palette seeds come from the tests' writers: only these are added
    (HERE / "palette_fuzz" / name).write_bytes(data)
