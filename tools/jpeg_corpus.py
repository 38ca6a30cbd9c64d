#!/usr/bin/python3
"""Writes the picture loader's corpus: everyday JPEG files with a quirk around
complete data, which must show; files whose data is really lost, which must be
refused; and cheap files that cost the decoder far more than their bytes, which
must be refused or shown within the budgets. The files are made with libjpeg's
own tools (cjpeg, jpegtran), ImageMagick and Pillow, then changed byte for byte.

  jpeg_corpus.py OUT_DIR [quirks] [lost] [cheap]

Each file goes to OUT_DIR/<group>/<name>.jpg; OUT_DIR/manifest.tsv lists
group, name and what the loader must do with it (show or refuse).
"""
import io
import os
import struct
import subprocess
import sys
import tempfile

from PIL import Image, ImageDraw

# --- Making pictures -------------------------------------------------------


def drawing(w, h):
    """Four coloured quadrants with a disc and a grain, as RGB."""
    image = Image.new('RGB', (w, h))
    d = ImageDraw.Draw(image)
    colours = [(220, 0, 0), (0, 0, 220), (0, 200, 0), (230, 230, 0)]
    d.rectangle([0, 0, w // 2, h // 2], fill=colours[0])
    d.rectangle([w // 2, 0, w, h // 2], fill=colours[1])
    d.rectangle([0, h // 2, w // 2, h], fill=colours[2])
    d.rectangle([w // 2, h // 2, w, h], fill=colours[3])
    d.ellipse([w * 0.35, h * 0.35, w * 0.65, h * 0.65], fill=(255, 255, 255))
    grain = Image.effect_noise((w, h), 12).convert('RGB')
    return Image.blend(image, grain, 0.08)


def ppm(image):
    out = io.BytesIO()
    image.save(out, 'PPM')
    return out.getvalue()


def pgm_flat(w, h, level=128):
    return b'P5\n%d %d\n255\n' % (w, h) + bytes([level]) * (w * h)


def run(args, data):
    return subprocess.run(args, input=data, stdout=subprocess.PIPE, check=True).stdout


def cjpeg(data, *options):
    return run(['cjpeg', *options], data)


def jpegtran(data, *options, script=None):
    if script is None:
        return run(['jpegtran', *options], data)
    with tempfile.NamedTemporaryFile('w', suffix='.txt') as f:
        f.write(script)
        f.flush()
        return run(['jpegtran', *options, '-scans', f.name], data)


def magick(data, *options):
    return run(['convert', 'ppm:-', *options, 'jpeg:-'], data)


def pillow(image, **options):
    out = io.BytesIO()
    image.save(out, 'JPEG', **options)
    return out.getvalue()


# --- Finding and changing segments ------------------------------------------


def segments(data):
    """(marker, start, end) of each marker segment and of each scan's entropy
    data (marker None), in file order, up to the end marker."""
    out = []
    pos = 2
    while pos + 1 < len(data):
        if data[pos] != 0xFF:
            pos += 1
            continue
        marker = data[pos + 1]
        if marker == 0xFF:
            pos += 1
            continue
        if marker == 0xD9:
            out.append((marker, pos, pos + 2))
            break
        length = struct.unpack('>H', data[pos + 2:pos + 4])[0]
        out.append((marker, pos, pos + 2 + length))
        pos += 2 + length
        if marker == 0xDA:
            start = pos
            while pos + 1 < len(data) and not (data[pos] == 0xFF and data[pos + 1] not in (
                    0x00, 0xFF) and not 0xD0 <= data[pos + 1] <= 0xD7):
                pos += 1
            out.append((None, start, pos))
    return out


def find(data, marker, nth=0):
    hits = [s for s in segments(data) if s[0] == marker]
    return hits[nth] if len(hits) > nth else None


def eoi(data):
    return find(data, 0xD9)[1]


def insert(data, at, extra):
    return data[:at] + extra + data[at:]


def segment(marker, payload):
    return bytes([0xFF, marker]) + struct.pack('>H', len(payload) + 2) + payload


def with_size(data, w, h):
    sof = next(s for s in segments(data) if s[0] is not None and 0xC0 <= s[0] <= 0xCF
               and s[0] not in (0xC4, 0xC8, 0xCC))
    at = sof[1] + 5
    return data[:at] + struct.pack('>HH', h, w) + data[at + 4:]


def scan_data(data, nth=0):
    """(start, end) of the nth scan's entropy data."""
    hits = [s for s in segments(data) if s[0] is None]
    return hits[nth][1], hits[nth][2]


def restart_markers(data):
    start, end = scan_data(data)
    return [i for i in range(start, end - 1)
            if data[i] == 0xFF and 0xD0 <= data[i + 1] <= 0xD7]


# --- The groups --------------------------------------------------------------


def quirks():
    """Complete data, a quirk in the markers around it: all must show."""
    drawn = ppm(drawing(640, 480))
    base = cjpeg(drawn)
    prog = cjpeg(drawn, '-progressive')
    restarts = cjpeg(drawn, '-restart', '1')
    arith = cjpeg(drawn, '-arithmetic')
    arith_prog = cjpeg(drawn, '-arithmetic', '-progressive')
    out = {}
    # Bytes that are no marker, between two segments and before the end marker.
    dqt = find(base, 0xDB)
    out['stray_2_bytes_between_segments'] = insert(base, dqt[2], b'\x0d\x0a')
    out['stray_2_bytes_before_frame_header'] = insert(base, find(base, 0xC0)[1], b'\x00\x00')
    out['stray_2_bytes_before_end'] = insert(base, eoi(base), b'\x00\x00')
    out['stray_2_bytes_before_end_progressive'] = insert(prog, eoi(prog), b'\x00\x00')
    out['stray_2_bytes_before_end_restarts'] = insert(restarts, eoi(restarts), b'\x00\x00')
    out['stray_2_bytes_between_scans'] = insert(prog, find(prog, 0xDA, 3)[1], b'\x00\x00')
    out['stray_2_bytes_before_end_arithmetic'] = insert(arith, eoi(arith), b'\x00\x00')
    out['stray_16_bytes_before_end'] = insert(base, eoi(base), bytes(16))
    out['stray_200_bytes_between_segments'] = insert(base, dqt[2], b'\x20' * 200)
    # Padding of a few KiB of zeros after complete data, as some tools leave it.
    out['padding_64_bytes_before_end_restarts'] = insert(restarts, eoi(restarts), bytes(64))
    out['padding_4096_bytes_between_scans'] = insert(prog, find(prog, 0xDA, 3)[1], bytes(4096))
    out['padding_4096_bytes_before_end_arithmetic'] = insert(arith, eoi(arith), bytes(4096))
    # Fill bytes (0xFF) before markers are allowed and draw no warning.
    out['fill_bytes_before_markers'] = insert(insert(base, eoi(base), b'\xFF' * 7), dqt[2],
                                              b'\xFF' * 3)
    # JFIF 2.01: an unknown major version.
    app0 = find(base, 0xE0)
    jfif = bytearray(base)
    jfif[app0[1] + 9:app0[1] + 11] = b'\x02\x01'
    out['jfif_2_01'] = bytes(jfif)
    # No end marker after complete data.
    out['no_end_marker'] = base[:eoi(base)]
    out['no_end_marker_progressive'] = prog[:eoi(prog)]
    out['no_end_marker_restarts'] = restarts[:eoi(restarts)]
    out['no_end_marker_arithmetic'] = arith[:eoi(arith)]
    out['no_end_marker_arithmetic_progressive'] = arith_prog[:eoi(arith_prog)]
    out['no_end_marker_grey'] = (lambda g: g[:eoi(g)])(cjpeg(drawn, '-grayscale'))
    # Adobe's marker with transform code 2 on a three-component picture
    # (2 means YCCK, which needs four): libjpeg takes it as YCbCr.
    adobe = segment(0xEE, b'Adobe' + struct.pack('>HHHB', 100, 0, 0, 2))
    no_jfif = base[:app0[1]] + base[app0[2]:]
    out['adobe_transform_2'] = insert(no_jfif, 2, adobe)
    out['adobe_transform_7'] = insert(no_jfif, 2, segment(
        0xEE, b'Adobe' + struct.pack('>HHHB', 100, 0, 0, 7)))
    # Sequential scans whose SOS spectral fields are not 0/63.
    for name, fields in (('zero', b'\x00\x00\x00'), ('se_62', b'\x00\x3E\x00'),
                         ('ss_1', b'\x01\x3F\x00'), ('ah_al', b'\x00\x3F\x11')):
        sos = find(base, 0xDA)
        patched = bytearray(base)
        patched[sos[2] - 3:sos[2]] = fields
        out['sos_fields_' + name] = bytes(patched)
    sos = find(arith, 0xDA)
    patched = bytearray(arith)
    patched[sos[2] - 3:sos[2]] = b'\x00\x00\x00'
    out['sos_fields_zero_arithmetic'] = bytes(patched)
    # Everyday encoders and options.
    out['cjpeg_optimize'] = cjpeg(drawn, '-optimize')
    out['cjpeg_444'] = cjpeg(drawn, '-sample', '1x1')
    out['cjpeg_grey_progressive'] = cjpeg(drawn, '-grayscale', '-progressive')
    out['cjpeg_restart_rows'] = cjpeg(drawn, '-restart', '3')
    out['cjpeg_restart_blocks'] = cjpeg(drawn, '-restart', '7B')
    out['jpegtran_arithmetic'] = jpegtran(base, '-arithmetic')
    out['magick_cmyk'] = magick(drawn, '-colorspace', 'CMYK')
    out['magick_progressive'] = magick(drawn, '-interlace', 'Plane')
    out['pillow_progressive_444'] = pillow(drawing(640, 480), progressive=True, subsampling=0)
    out['pillow_optimize'] = pillow(drawing(640, 480), optimize=True, quality=95)
    out['cjpeg'] = base
    out['cjpeg_progressive'] = prog
    out['cjpeg_arithmetic'] = arith
    out['cjpeg_arithmetic_progressive'] = arith_prog
    out['cjpeg_restart_every_row'] = restarts
    out['jpegtran_progressive'] = jpegtran(base, '-progressive')
    out['jpegtran_optimize'] = jpegtran(base, '-optimize')
    out['magick'] = magick(drawn, '-quality', '90')
    out['pillow'] = pillow(drawing(640, 480), quality=90)
    # Data after the end marker.
    out['trailing_zeros'] = base + bytes(100000)
    out['trailing_second_picture'] = base + prog
    # A comment and an unknown application segment before the frame.
    out['comment_and_app15'] = insert(base, 2, segment(0xFE, b'x' * 1000) +
                                      segment(0xEF, b'y' * 60000))
    # Non-interleaved sequential scans, one a component.
    out['sequential_one_scan_a_component'] = jpegtran(base, script='0;\n1;\n2;\n')
    out['no_end_marker_sequential_scans'] = (
        lambda f: f[:eoi(f)])(jpegtran(base, script='0;\n1;\n2;\n'))
    return out


def lost():
    """Data really lost or corrupt: all must be refused."""
    drawn = ppm(drawing(640, 480))
    kinds = {
        'baseline': cjpeg(drawn),
        'progressive': cjpeg(drawn, '-progressive'),
        'restarts': cjpeg(drawn, '-restart', '1'),
        'arithmetic': cjpeg(drawn, '-arithmetic'),
        'arithmetic_progressive': cjpeg(drawn, '-arithmetic', '-progressive'),
    }
    out = {}
    for kind, f in kinds.items():
        half = f[:len(f) // 2]
        out[kind + '_cut_at_half'] = half
        out[kind + '_cut_at_half_end_added'] = half + b'\xFF\xD9'
        # Cut inside the last scan, a little before its end.
        last = scan_data(f, len([s for s in segments(f) if s[0] is None]) - 1)
        cut = last[1] - max(16, (last[1] - last[0]) // 20)
        out[kind + '_cut_in_last_scan'] = f[:cut]
        out[kind + '_cut_in_last_scan_end_added'] = f[:cut] + b'\xFF\xD9'
        if kind.startswith('arithmetic'):
            # A marker in arithmetic data ends the scan's bytes by definition,
            # and encoders drop the zero bytes at the end: cut with an end
            # marker added back, the file cannot be told from a whole one.
            del out[kind + '_cut_at_half_end_added'], out[kind + '_cut_in_last_scan_end_added']
    prog = kinds['progressive']
    # Cut between two scans: the scans after the cut are lost.
    out['progressive_cut_between_scans'] = prog[:find(prog, 0xDA, 5)[1]]
    seq = jpegtran(kinds['baseline'], script='0;\n1;\n2;\n')
    out['sequential_scans_cut_between_scans'] = seq[:find(seq, 0xDA, 1)[1]]
    # Corrupt entropy data.
    base = kinds['baseline']
    start, end = scan_data(base)
    bad = bytearray(base)
    for i in range(start + (end - start) // 3, start + (end - start) // 3 + 40):
        if bad[i] not in (0xFF, 0x00):
            bad[i] = 0xFF if bad[i - 1] != 0xFF else 0x01
            bad.insert(i + 1, 0x00)
            break
    bad_code = bytearray(base)
    # A run of one-bits long enough to be no Huffman code.
    mid = start + (end - start) // 2
    bad_code[mid:mid + 32] = b'\xFF\x00' * 16
    out['entropy_desync'] = bytes(bad_code)
    restarts = kinds['restarts']
    rst = restart_markers(restarts)
    out['restart_marker_lost'] = restarts[:rst[3]] + restarts[rst[3] + 2:]
    out['restart_marker_wrong'] = (restarts[:rst[3] + 1] + bytes([0xD0 + (restarts[rst[3] + 1]
                                   - 0xD0 + 4) % 8]) + restarts[rst[3] + 2:])
    out['stray_bytes_inside_scan'] = insert(restarts, rst[3], b'\x00\x00')
    # After a scan, more than a few KiB of zeros (the decoder's look-ahead
    # takes a few as data), or bytes that are neither zero nor fill: the
    # scan's data went on past its end.
    out['stray_bytes_after_scan_past_padding'] = insert(restarts, eoi(restarts), bytes(4096 + 64))
    out['stray_bytes_after_scan_not_zero'] = insert(restarts, eoi(restarts), b'\x20' * 64)
    out['interval_cut_short'] = restarts[:rst[3] - 10] + restarts[rst[3]:]
    # A refinement scan without its first scan: the progression was broken.
    g = jpegtran(cjpeg(drawn, '-grayscale'), script='0: 0 0 0 0;\n0: 1 63 0 1;\n0: 1 63 1 0;\n')
    first_ac = find(g, 0xDA, 1)
    out['bogus_progression'] = g[:first_ac[1]] + g[scan_data(g, 1)[1]:]
    ar = kinds['arithmetic']
    a0, a1 = scan_data(ar)
    corrupt = bytearray(ar)
    for i in range(a0 + 100, a0 + 400):
        if corrupt[i] not in (0xFF, 0x00) and corrupt[i - 1] != 0xFF:
            corrupt[i] ^= 0x55
    out['arithmetic_corrupt'] = bytes(corrupt)
    # The header alone.
    out['headers_only'] = base[:find(base, 0xDA)[2]]
    return out


# A grey picture in 16 passes, a valid progression: DC at bit 1 and refined,
# AC 1-5 from bit 10 refined down one bit a scan, AC 6-63 from bit 2.
SIXTEEN_PASSES = ('0: 0 0 0 1;\n0: 1 5 0 10;\n' + ''.join(
    f'0: 1 5 {a} {a - 1};\n' for a in range(10, 0, -1)) + '0: 6 63 0 2;\n0: 6 63 2 1;\n'
                  '0: 6 63 1 0;\n0: 0 0 1 0;\n')


def cheap():
    """Files that cost far more than their bytes; the sizes are those of the
    reports. Each must be refused, or shown within the budgets."""
    out = {}
    # A tiny flat grey picture coded arithmetically in refinement scans, its
    # frame header then claiming 8192 x 8192: the decoder decodes zeros.
    flat = cjpeg(pgm_flat(64, 64), '-grayscale')
    refine = jpegtran(flat, '-arithmetic', script=SIXTEEN_PASSES)
    out['arithmetic_refinement_8192x8192'] = with_size(refine, 8192, 8192)
    out['arithmetic_refinement_327x65500'] = with_size(
        jpegtran(cjpeg(ppm(Image.new('RGB', (64, 64), (90, 120, 60)))), '-arithmetic',
                 script='0 1 2: 0 0 0 0;\n' + ''.join(
                     f'{c}: 1 63 0 0;\n' for c in range(3))), 327, 65500)
    out['arithmetic_sequential_8192x8192'] = with_size(
        cjpeg(pgm_flat(64, 64), '-grayscale', '-arithmetic'), 8192, 8192)
    # Progressive Huffman at one bit a block in its DC scan and end-of-band
    # runs after it: 16384 x 9216 grey, 2.36 M blocks in 16 passes.
    big = cjpeg(pgm_flat(16384, 9216), '-grayscale', '-optimize')
    out['huffman_progressive_16_passes'] = jpegtran(big, '-optimize', script=SIXTEEN_PASSES)
    out['huffman_progressive_dc_only_16384x9216'] = jpegtran(big, '-optimize',
                                                             script='0: 0 0 0 0;\n')
    # A thin picture, 327 x 65500: at 1/8 it is 41 pixels wide, narrower
    # than the frame, so a loader that must cover the frame decodes it whole.
    thin = Image.linear_gradient('L').resize((327, 65500)).convert('RGB')
    out['thin_327x65500'] = pillow(thin, quality=75)
    out['thin_65500x327'] = pillow(thin.transpose(Image.Transpose.ROTATE_90), quality=75)
    return out


def hostile():
    """The reproducers the guard was first built against (hostile_jpegs.py):
    scans hidden in an unknown marker's segment, and a large picture declared
    over empty scans. Both must be refused."""
    import hostile_jpegs
    return {'hidden_scans': hostile_jpegs.hidden_scans(),
            'empty_scans': hostile_jpegs.empty_scans()}


def main():
    root = sys.argv[1]
    groups = sys.argv[2:] or ['quirks', 'lost', 'cheap', 'hostile']
    verdict = {'quirks': 'show', 'lost': 'refuse', 'cheap': 'cheap', 'hostile': 'refuse'}
    with open(os.path.join(root, 'manifest.tsv'), 'a') as manifest:
        for group in groups:
            os.makedirs(os.path.join(root, group), exist_ok=True)
            for name, data in globals()[group]().items():
                with open(os.path.join(root, group, name + '.jpg'), 'wb') as f:
                    f.write(data)
                manifest.write(f'{group}\t{name}\t{verdict[group]}\n')


if __name__ == '__main__':
    main()
