#!/usr/bin/env python3
"""Draws the sample publication's icon (a castle tower on a blue shield) as a
32 x 32 and 16 x 16 icon with 256-colour images: sample/medium/VZORKA.ICO."""
import struct
import sys


def castle(size):
    """Returns rows (top first) of palette indices: 0 clear, 1 blue, 2 stone, 3 dark, 4 gold."""
    s = size / 32.0
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            fx, fy = x / s, y / s
            c = 0
            # shield
            if 2 <= fx < 30 and 2 <= fy < 30:
                c = 1
            # tower with battlements
            if 9 <= fx < 23 and 10 <= fy < 27:
                c = 2
            if 9 <= fx < 23 and 6 <= fy < 10 and int((fx - 9) // 3) % 2 == 0:
                c = 2
            # gate and window
            if 14 <= fx < 18 and 20 <= fy < 27:
                c = 3
            if 15 <= fx < 17 and 13 <= fy < 16:
                c = 3
            # flag
            if 15.5 <= fx < 16.5 and 1 <= fy < 6:
                c = 3
            if 16.5 <= fx < 21 and 1 <= fy < 3.5:
                c = 4
            row.append(c)
        rows.append(row)
    return rows


PALETTE = [(0, 0, 0), (150, 70, 30), (200, 200, 190), (60, 50, 40), (30, 190, 240)]  # BGR


def icon_image(size):
    rows = castle(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    palette = b''.join(struct.pack('BBBB', b, g, r, 0) for (b, g, r) in PALETTE)
    palette += b'\0' * (4 * (256 - len(PALETTE)))
    xor = b''.join(bytes(rows[y]) for y in reversed(range(size)))
    mask_stride = ((size + 31) // 32) * 4
    mask = b''
    for y in reversed(range(size)):
        bits = 0
        line = bytearray(mask_stride)
        for x in range(size):
            if rows[y][x] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(line)
    return header + palette + xor + mask


def main(out):
    images = [icon_image(32), icon_image(16)]
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip((32, 16), images):
        data += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 8, len(image), offset)
        offset += len(image)
    data += b''.join(images)
    with open(out, 'wb') as f:
        f.write(data)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'sample/medium/VZORKA.ICO')
