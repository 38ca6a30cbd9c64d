#!/usr/bin/env python3
"""The version information and icons of the Windows program and its installer,
read back from their resources, which windres dumps: from the built files
(win32/tests) or from the resource script with its .ico (qt/tests).

    check_windows_resources.py ARTWORK.xpm LEGAL_COPYRIGHT PROGRAM.exe|mirteka.rc [SETUP.exe]

Version information: the program's is one resource with one string table,
041104B0, exactly the program's identity with the configured copyright,
version 1.00 (1.0.0.0), an application for 32-bit Windows, translation
Japanese in Unicode; the installer's names the program, its version and the
same copyright.

Icons: for each file, the icon group Explorer shows (the
lowest ID) holds 16, 20, 24, 32, 40, 48, 64 and 256 px; the 256 one is PNG, the
32 one is the artwork itself in 16 colours at 4 bits per pixel; every pixel of
every size is one of the artwork's colours, fully opaque or fully transparent
(no scaler's blur); no size is a smaller one with its pixels merely repeated;
and all files carry the same pictures. Decoding is ImageMagick's.
"""
import struct
import subprocess
import sys
import tempfile

SIDES = [16, 20, 24, 32, 40, 48, 64, 256]
RT_ICON, RT_GROUP_ICON, RT_VERSION = 3, 14, 16
TITLE = 'ヌペ部の謎\u3000\'99'
failures = []
checks = 0


def check(ok, what):
    global checks
    checks += 1
    if not ok:
        print('FAIL: ' + what)
        failures.append(what)


def resources(path, work):
    """{type: {name: bytes}} of the file's resources, through windres."""
    res = work + '/r.res'
    # A script is preprocessed by the build machine's cpp: no cross compiler needed.
    script = ['--preprocessor=cpp'] if path.endswith('.rc') else []
    subprocess.run(['x86_64-w64-mingw32-windres', *script, '-i', path, '-O', 'res', '-o', res],
                   check=True)
    data = open(res, 'rb').read()

    def ident(at):
        if data[at:at + 2] == b'\xff\xff':
            return struct.unpack_from('<H', data, at + 2)[0], at + 4
        end = at
        while data[end:end + 2] != b'\0\0':
            end += 2
        return data[at:end].decode('utf-16le'), end + 2

    out, at = {}, 0
    while at < len(data):
        size, header = struct.unpack_from('<II', data, at)
        rtype, p = ident(at + 8)
        name, _ = ident(p)
        if size:
            out.setdefault(rtype, {})[name] = data[at + header:at + header + size]
        at = (at + header + size + 3) & ~3
    return out


def version_strings(res, path, table=None):
    """The string table of the file's version resource, its fixed part and its
    translations."""
    block = next(iter(res.get(RT_VERSION, {}).values()), None)
    check(block is not None, '%s: has version information' % path)
    if block is None:
        return {}, None, None

    def node(at):
        length, vlen, vtype = struct.unpack_from('<HHH', block, at)
        end = at + 6
        while block[end:end + 2] != b'\0\0':
            end += 2
        key = block[at + 6:end].decode('utf-16le')
        p = (end + 2 + 3) & ~3
        nbytes = vlen * 2 if vtype == 1 else vlen
        value = block[p:p + nbytes]
        if vtype == 1:
            value = value.decode('utf-16le').rstrip('\0')
        p = (p + nbytes + 3) & ~3
        children = []
        while p < at + length:
            child, p = node(p)
            children.append(child)
        return (key, value, children), (at + length + 3) & ~3

    (_, fixed, blocks), _ = node(0)
    tables = [t for b in blocks if b[0] == 'StringFileInfo' for t in b[2]]
    names = [t[0].upper() for t in tables]
    check(len(names) == 1 and names[0] == (table or names[0]),
          '%s: one string table%s (found %s)' % (path, ', ' + table if table else '', names))
    strings = {s[0]: s[1] for t in tables for s in t[2]}
    translations = [(v[0], v[1]) for b in blocks if b[0] == 'VarFileInfo' for v in b[2]]
    return strings, struct.unpack_from('<13I', fixed), translations


def check_versions(program, setup, legal_copyright, work):
    res = resources(program, work)
    check(list(res.get(RT_VERSION, {})) == [1], '%s: one version resource, ID 1' % program)
    strings, fixed, translations = version_strings(res, program, '041104B0')
    expected = {
        'ProductName': TITLE, 'FileDescription': TITLE, 'Comments': TITLE, 'LegalTrademarks': TITLE,
        'CompanyName': 'Project ZOMI', 'InternalName': 'mirteka', 'OriginalFilename': 'mirteka.exe',
        'FileVersion': '1.00', 'ProductVersion': '1.00', 'LegalCopyright': legal_copyright,
    }
    for key in sorted(set(expected) | set(strings)):
        check(strings.get(key) == expected.get(key),
              '%s: %s is %r (found %r)' % (program, key, expected.get(key), strings.get(key)))
    check(fixed is not None and fixed[0] == 0xFEEF04BD and fixed[2:6] == (0x10000, 0, 0x10000, 0)
          and fixed[8:10] == (0x4, 0x1), '%s: version 1.0.0.0 of an application for 32-bit Windows' % program)
    check(translations == [('Translation', struct.pack('<HH', 0x411, 1200))],
          '%s: translation Japanese, Unicode (found %s)' % (program, translations))
    if not setup:
        return
    strings, fixed, _ = version_strings(resources(setup, work), setup)
    for key, value in (('ProductName', TITLE), ('ProductVersion', '1.00'),
                       ('LegalCopyright', legal_copyright)):
        check(strings.get(key) == value, '%s: %s is %r (found %r)' % (setup, key, value, strings.get(key)))


def decode(image, width, height, bpp):
    """RGBA pixels of one icon image, as ImageMagick reads a one-entry .ico."""
    ico = struct.pack('<HHHBBBBHHII', 0, 1, 1, width % 256, height % 256, 0, 0, 1, bpp,
                      len(image), 22) + image
    raw = subprocess.run(['convert', 'ico:-', '-depth', '8', 'rgba:-'], input=ico,
                         capture_output=True, check=True).stdout
    pixels = [raw[i:i + 4] for i in range(0, len(raw), 4)]
    # Transparent is transparent, whatever colour sits under the mask.
    return [b'\0\0\0\0' if p[3] == 0 else p for p in pixels]


def repeated(small, side_small, side):
    """The smaller picture enlarged to `side` by repeating pixels (nearest)."""
    return [small[((2 * y + 1) * side_small // (2 * side)) * side_small
                  + (2 * x + 1) * side_small // (2 * side)]
            for y in range(side) for x in range(side)]


def icons(path, program, work):
    res = resources(path, work)
    groups = res.get(RT_GROUP_ICON, {})
    check(bool(groups), '%s: has an icon group' % path)
    if not groups:
        return {}
    first = min(groups, key=lambda n: (isinstance(n, str), n))
    # The program's own icon is ID 1, the one Explorer shows.
    check(first == 1 or path != program, '%s: the icon Explorer shows is ID 1 (found %s)' % (path, first))
    return group_images(res, groups[first], path)


def window_icon(path, work):
    """The program's icon ID 2, which its windows show: its sides and pictures."""
    res = resources(path, work)
    group = res.get(RT_GROUP_ICON, {}).get(2)
    check(group is not None, '%s: has the windows\' icon, ID 2' % path)
    return group_images(res, group, path) if group else {}


def group_images(res, group, path):
    _, kind, count = struct.unpack_from('<HHH', group, 0)
    found = {}
    for i in range(count):
        w, h, colours, _, planes, bpp, size, icon_id = struct.unpack_from('<BBBBHHIH', group, 6 + 14 * i)
        side = w or 256
        image = res.get(RT_ICON, {}).get(icon_id, b'')
        check(len(image) == size, '%s: %d px image present (%d bytes)' % (path, side, size))
        found[side] = (colours, bpp, image, decode(image, side, h or 256, bpp))
    return found


def main():
    artwork_path, legal_copyright, files = sys.argv[1], sys.argv[2], sys.argv[3:5]
    with tempfile.TemporaryDirectory() as work:
        check_versions(files[0], files[1] if len(files) > 1 else None, legal_copyright, work)
        raw = subprocess.run(['convert', artwork_path, '-depth', '8', 'rgba:-'],
                             capture_output=True, check=True).stdout
        artwork = [b'\0\0\0\0' if raw[i + 3] == 0 else raw[i:i + 4] for i in range(0, len(raw), 4)]
        palette = set(artwork)
        check(len(artwork) == 32 * 32 and len(palette) >= 3, 'the artwork reads as 32 x 32')
        seen = None
        for path in files:
            found = icons(path, files[0], work)
            check(sorted(found) == SIDES, '%s: sides %s (found %s)' % (path, SIDES, sorted(found)))
            for side, (colours, bpp, image, pixels) in sorted(found.items()):
                is_png = image[:8] == b'\x89PNG\r\n\x1a\n'
                check(is_png == (side == 256), '%s: %d px %s' % (path, side, 'PNG' if side == 256 else 'BMP'))
                check(len(pixels) == side * side, '%s: %d px decodes' % (path, side))
                alien = set(pixels) - palette
                check(not alien, '%s: %d px only in the artwork\'s colours (%d others)' % (path, side, len(alien)))
                opaque = sum(p[3] == 255 for p in pixels) / max(1, len(pixels))
                check(opaque >= 0.3, '%s: %d px is drawn (%.2f opaque)' % (path, side, opaque))
                for small in (s for s in found if s < side):
                    check(pixels != repeated(found[small][3], small, side),
                          '%s: %d px is not the %d px one with pixels repeated' % (path, side, small))
            if path == files[0]:
                # The windows show the 32 x 32 artwork alone, shrunk by Windows
                # for the title bar, as they always have.
                own = window_icon(path, work)
                check(sorted(own) == [32] and own[32][3] == artwork,
                      '%s: the windows\' icon is the 32 px artwork alone (found %s)' % (path, sorted(own)))
            if 32 in found:
                colours, bpp, _, pixels = found[32]
                check((colours, bpp) == (16, 4) and pixels == artwork,
                      '%s: 32 px is the artwork, 16 colours at 4 bpp' % path)
            pictures = {s: found[s][3] for s in found}
            if seen is not None:
                check(pictures == seen, '%s: the same pictures as %s' % (path, files[0]))
            seen = pictures
    print('%d of %d checks failed' % (len(failures), checks) if failures else
          'version information and icons (%s px) as they should be: %d checks' % (SIDES, checks))
    sys.exit(1 if failures else 0)


main()
