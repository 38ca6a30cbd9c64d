#!/usr/bin/env python3
"""Writes the hostile JPEG files the picture loader must stop, for the fuzzer's
seeds and the benchmarks:

  hidden_scans.jpg  scans hidden in the segment of an unknown marker, which a
                    decoder resynchronising at a restart boundary decodes
  empty_scans.jpg   a 7240 x 7240 progressive picture over 100 empty scans

With a photograph given, also a photo after 124 MB of comment segments
(comments.jpg) and after 124 MB of ICC chunks (icc.jpg).

  hostile_jpegs.py OUT_DIR [PHOTO]
"""
import struct
import sys


def segment(marker, payload):
    return bytes([0xFF, marker]) + struct.pack('>H', len(payload) + 2) + payload


def hidden_scans():
    sos = segment(0xDA, b'\1\1\0\0\0\0')
    return (b'\xFF\xD8' + segment(0xDB, b'\0' + b'\1' * 64)
            + segment(0xC2, b'\x08' + struct.pack('>HH', 7240, 7240) + b'\1\1\x11\0')
            + segment(0xC4, b'\0\1' + b'\0' * 15 + b'\0') + segment(0xDD, b'\0\1') + sos
            + segment(0x02, sos * 6500) * 16 + b'\xFF\xD9')


def empty_scans():
    return (b'\xFF\xD8' + segment(0xDB, b'\0' + b'\1' * 64)
            + segment(0xC2, b'\x08' + struct.pack('>HH', 7240, 7240)
                      + b'\x03\x01\x11\x00\x02\x11\x00\x03\x11\x00')
            + segment(0xC4, b'\0' + bytes([1] + [0] * 15) + b'\0')
            + segment(0xDD, struct.pack('>H', 1))
            + segment(0xDA, b'\x03\x01\x00\x02\x00\x03\x00\x00\x00\x00') * 100 + b'\xFF\xD9')


def main():
    out = sys.argv[1]
    files = {'hidden_scans': hidden_scans(), 'empty_scans': empty_scans()}
    if len(sys.argv) > 2:
        photo = open(sys.argv[2], 'rb').read()
        count = 124_000_000 // 65537
        files['comments'] = photo[:2] + segment(0xFE, b'c' * 65533) * count + photo[2:]
        files['icc'] = photo[:2] + b''.join(
            segment(0xE2, b'ICC_PROFILE\0' + bytes([i % 255 + 1, 255]) + b'p' * 65519)
            for i in range(count)) + photo[2:]
    for name, data in files.items():
        with open(f'{out}/{name}.jpg', 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main()
