"""Writes a well-formed uncompressed BMP whose pixels are all zero, black with a black palette.

Usage: make_bmp.py PATH WIDTH HEIGHT BITS_PER_PIXEL
The pixel data is left as a hole at the end of the file, so even a 10000 x 10000 picture is
written at once and takes no room on disk.
"""
import struct
import sys

FILE_HEADER = 14
INFO_HEADER = 40
PIXELS_PER_METRE = 2835  # 72 dots per inch


def main():
    path, width, height, bits = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
    row_bytes = (width * bits + 31) // 32 * 4  # rows are padded to whole 32-bit words
    pixel_bytes = row_bytes * abs(height)
    colours = 2 ** bits if bits <= 8 else 0
    offset = FILE_HEADER + INFO_HEADER + 4 * colours
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", offset + pixel_bytes, 0, 0, offset))
        f.write(struct.pack("<IiiHHIIiiII", INFO_HEADER, width, height, 1, bits, 0, pixel_bytes,
                            PIXELS_PER_METRE, PIXELS_PER_METRE, colours, 0))
        f.write(bytes(4 * colours))
        f.truncate(offset + pixel_bytes)


if __name__ == "__main__":
    main()
