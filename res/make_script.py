#!/usr/bin/env python3
"""Writes Tarvelo.pgk: the demo animation script. The word TARVELO in a
5x7 font, each dot two buttons tall, scrolls in from the right one column
per frame; a sparkle frame opens and closes it."""
import sys

FONT = {
    'T': ['11111', '00100', '00100', '00100', '00100', '00100', '00100'],
    'A': ['01110', '10001', '10001', '11111', '10001', '10001', '10001'],
    'R': ['11110', '10001', '10001', '11110', '10100', '10010', '10001'],
    'V': ['10001', '10001', '10001', '10001', '10001', '01010', '00100'],
    'E': ['11111', '10000', '10000', '11110', '10000', '10000', '11111'],
    'L': ['10000', '10000', '10000', '10000', '10000', '10000', '11111'],
    'O': ['01110', '10001', '10001', '10001', '10001', '10001', '01110'],
}
ROWS = 20
TOP = 3  # seven dots, two rows each, centred in 20 rows


def column(letter, x):
    out = ['0'] * ROWS
    for y, line in enumerate(FONT[letter]):
        if line[x] == '1':
            out[TOP + 2 * y] = out[TOP + 2 * y + 1] = '1'
    return ''.join(out)


def frames(word='TARVELO'):
    result = ['10' * 10, '01' * 10, '0' * ROWS]
    for letter in word:
        result += [column(letter, x) for x in range(5)]
        result.append('0' * ROWS)
    result += ['0' * ROWS] * 6
    result += ['01' * 10, '10' * 10]
    return result


def main(out):
    lines = ['; Demo animation: one line per frame, one character per row',
             '; (first = row 01): 1 on, 0 off; the first missing key ends it.',
             '[BUTTONS]']
    lines += ['%03d=%s' % (i, f) for i, f in enumerate(frames())]
    with open(out, 'wb') as f:
        f.write(('\r\n'.join(lines) + '\r\n').encode('ascii'))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'Tarvelo.pgk')
