#!/usr/bin/env python3
"""Draws Tarvelo.ico: a small ledger (blue card, white rows, seven green
toggles, a gold total bar), 16x16 and 32x32, 32-bit with alpha; with
"document", TarveloDocument.ico: the same ledger on a white page with a
folded corner, the icon Explorer shows for a .pgx file; with "printer",
Print.ico: a printer with a page coming out, the print button's face.
Usage: make_icon.py [OUT] [program|document|printer]"""
import struct
import sys

BLUE = (40, 90, 170, 255)
DARK = (20, 50, 110, 255)
WHITE = (250, 250, 250, 255)
GREEN = (60, 170, 80, 255)
GOLD = (235, 180, 40, 255)
GREY = (190, 195, 205, 255)
CLEAR = (0, 0, 0, 0)


def canvas(size):
    px = [[CLEAR] * size for _ in range(size)]
    s = size / 32.0

    def rect(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), max(int(y0 * s) + 1, int(y1 * s))):
            for x in range(int(x0 * s), max(int(x0 * s) + 1, int(x1 * s))):
                if 0 <= x < size and 0 <= y < size:
                    px[y][x] = colour

    return px, s, rect


def draw(size):
    px, s, rect = canvas(size)
    rect(1, 1, 31, 31, DARK)
    rect(2, 2, 30, 30, BLUE)
    for i in range(4):
        rect(4, 5 + 5 * i, 14, 8 + 5 * i, WHITE)
        for j in range(3):
            if (i + j) % 2 == 0:
                rect(16 + 4 * j, 5 + 5 * i, 19 + 4 * j, 8 + 5 * i, GREEN)
            else:
                rect(16 + 4 * j, 5 + 5 * i, 19 + 4 * j, 8 + 5 * i, WHITE)
    rect(4, 25, 28, 28, GOLD)
    return px


def draw_document(size):
    px, s, rect = canvas(size)
    rect(4, 0, 28, 32, DARK)
    rect(6, 2, 26, 30, WHITE)
    for i in range(4):
        rect(7, 9 + 5 * i, 15, 11 + 5 * i, BLUE)
        rect(17 + 4 * (i % 2), 9 + 5 * i, 20 + 4 * (i % 2), 12 + 5 * i, GREEN)
    rect(7, 28, 25, 30, GOLD)
    # The folded corner: cut away above the diagonal, the fold below it.
    fold = int(8 * s)
    right = int(28 * s)
    for y in range(fold):
        for x in range(right - fold, right):
            inside = x - (right - fold) <= y
            edge = x - (right - fold) == y or x == right - fold or y == fold - 1
            px[y][x] = (DARK if edge else GREY) if inside else CLEAR
    return px


def draw_printer(size):
    px, s, rect = canvas(size)
    rect(8, 1, 24, 12, DARK)
    rect(10, 3, 22, 12, WHITE)
    rect(2, 10, 30, 25, DARK)
    rect(4, 12, 28, 23, GREY)
    rect(23, 14, 26, 17, GREEN)
    rect(7, 19, 25, 31, DARK)
    rect(9, 21, 23, 29, WHITE)
    rect(11, 23, 21, 24, BLUE)
    rect(11, 26, 18, 27, BLUE)
    return px


def image(size, kind='program'):
    draws = {'document': draw_document, 'printer': draw_printer}
    px = draws.get(kind, draw)(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = b''
    for y in reversed(range(size)):
        for (r, g, b, a) in px[y]:
            rows += bytes((b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    mask = b''
    for y in reversed(range(size)):
        bits = 0
        row = bytearray(mask_row)
        for x in range(size):
            if px[y][x][3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(row)
        del bits
    return header + rows + mask


def main(out, kind='program'):
    sizes = [16, 32]
    images = [image(n, kind) for n in sizes]
    data = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, img in zip(sizes, images):
        data += struct.pack('<BBBBHHII', n, n, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    for img in images:
        data += img
    with open(out, 'wb') as f:
        f.write(data)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'Tarvelo.ico',
         sys.argv[2] if len(sys.argv) > 2 else 'program')
