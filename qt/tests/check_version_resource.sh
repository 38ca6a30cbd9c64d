#!/usr/bin/env bash
# Compiles the Windows resource script with the MinGW resource compiler and checks
# the result: every string of the version table, the numeric version, the file
# type and OS, the translation, and the icon as written to the .ico.
# Usage: check_version_resource.sh <mirteka.rc> <mirteka.ico> <LegalCopyright as configured>
set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

rc=${1:?usage: check_version_resource.sh <mirteka.rc> <mirteka.ico>}
ico=${2:?usage: check_version_resource.sh <mirteka.rc> <mirteka.ico> <copyright>}
copyright=${3:?usage: check_version_resource.sh <mirteka.rc> <mirteka.ico> <copyright>}
windres=${WINDRES:-x86_64-w64-mingw32-windres}

command -v "$windres" >/dev/null ||
    fail "$windres not found; on Debian: apt-get install binutils-mingw-w64-x86-64"
command -v cpp >/dev/null || fail "cpp (the C preprocessor windres runs) not found"
command -v python3 >/dev/null || fail "python3 not found"
[ -f "$rc" ] || fail "no resource script at $rc; configure the project first"
[ -f "$ico" ] || fail "no icon at $ico; build the target mirteka_ico first"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$windres" --preprocessor=cpp -i "$rc" -O res -o "$work/mirteka.res" ||
    fail "$windres could not compile $rc"

python3 - "$work/mirteka.res" "$ico" "$copyright" <<'PY'
import struct, sys

res = open(sys.argv[1], 'rb').read()
ico = open(sys.argv[2], 'rb').read()
TITLE = 'ヌペ部の謎\u3000\'99'
EXPECTED_STRINGS = {
    'ProductName': TITLE, 'FileDescription': TITLE, 'Comments': TITLE, 'LegalTrademarks': TITLE,
    'CompanyName': 'Project ZOMI', 'InternalName': 'mirteka', 'OriginalFilename': 'mirteka.exe',
    'FileVersion': '1.00', 'ProductVersion': '1.00', 'LegalCopyright': sys.argv[3],
}
RT_ICON, RT_GROUP_ICON, RT_VERSION = 3, 14, 16
failures = []

def check(ok, what):
    print(('ok:   ' if ok else 'FAIL: ') + what)
    if not ok:
        failures.append(what)

def align(n):
    return (n + 3) & ~3

def utf16z(buf, at):
    end = at
    while buf[end:end + 2] != b'\0\0':
        end += 2
    return buf[at:end].decode('utf-16le'), end + 2

def ident(buf, at):
    if buf[at:at + 2] == b'\xff\xff':
        return struct.unpack_from('<H', buf, at + 2)[0], at + 4
    return utf16z(buf, at)

# .res: a run of resource headers, each followed by its data, all dword-aligned.
resources = {}
at = 0
while at < len(res):
    size, header = struct.unpack_from('<II', res, at)
    rtype, p = ident(res, at + 8)
    name, _ = ident(res, p)
    if size:
        resources.setdefault(rtype, {})[name] = res[at + header:at + header + size]
    at = align(at + header + size)

# Version block: nodes of (length, value length, type, key, value, children).
def node(buf, at):
    length, vlen, vtype = struct.unpack_from('<HHH', buf, at)
    key, p = utf16z(buf, at + 6)
    p = align(p)
    nbytes = vlen * 2 if vtype == 1 else vlen
    value = buf[p:p + nbytes]
    if vtype == 1:
        value = value.decode('utf-16le').rstrip('\0')
    p = align(p + nbytes)
    children = []
    while p < at + length:
        child, p = node(buf, p)
        children.append(child)
    return (key, value, children), align(at + length)

versions = resources.get(RT_VERSION, {})
check(list(versions) == [1], 'one version resource, ID 1')
if versions:
    (key, fixed, blocks), _ = node(versions[1], 0)
    check(key == 'VS_VERSION_INFO', 'root block VS_VERSION_INFO')
    f = struct.unpack_from('<13I', fixed)
    check(f[0] == 0xFEEF04BD, 'VS_FIXEDFILEINFO signature')
    check((f[2], f[3]) == (0x00010000, 0), 'file version 1.0.0.0 (MS 0x%08X, LS 0x%08X)' % f[2:4])
    check((f[4], f[5]) == (0x00010000, 0), 'product version 1.0.0.0 (MS 0x%08X, LS 0x%08X)' % f[4:6])
    check(f[8] == 0x4, 'file OS VOS__WINDOWS32 (0x%X)' % f[8])
    check(f[9] == 0x1, 'file type VFT_APP (0x%X)' % f[9])
    by_key = {b[0]: b for b in blocks}
    tables = by_key.get('StringFileInfo', (None, None, []))[2]
    check([t[0].upper() for t in tables] == ['041104B0'], 'one string table, 041104B0')
    strings = {s[0]: s[1] for t in tables for s in t[2]}
    for k, v in EXPECTED_STRINGS.items():
        check(strings.get(k) == v, '%s = %r (found %r)' % (k, v, strings.get(k)))
    extra = sorted(set(strings) - set(EXPECTED_STRINGS))
    check(not extra, 'no other strings %s' % extra)
    var = by_key.get('VarFileInfo', (None, None, []))[2]
    check([(v[0], v[1]) for v in var] == [('Translation', struct.pack('<HH', 0x411, 1200))],
          'Translation 0x411, 1200')

groups = resources.get(RT_GROUP_ICON, {})
check(list(groups) == [1], 'one icon group, ID 1')
if groups:
    g = groups[1]
    reserved, kind, count = struct.unpack_from('<HHH', ico, 0)
    _, group_kind, group_count = struct.unpack_from('<HHH', g, 0)
    check((group_kind, group_count) == (1, count), 'icon group with the .ico\'s %d images' % count)
    for i in range(min(count, group_count)):
        w, h, colours, _, planes, bpp, size, icon_id = struct.unpack_from('<BBBBHHIH', g, 6 + 14 * i)
        fw, fh, fcolours, _, fplanes, fbpp, fsize, offset = struct.unpack_from('<BBBBHHII', ico, 6 + 16 * i)
        check((w, h, colours, bpp) == (fw, fh, fcolours, fbpp), 'group entry %d as in the .ico' % i)
        image = resources.get(RT_ICON, {}).get(icon_id)
        check(image == ico[offset:offset + fsize], 'icon image %d identical to the .ico\'s' % icon_id)

sys.exit(1 if failures else 0)
PY
