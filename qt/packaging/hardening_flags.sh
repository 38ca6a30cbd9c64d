#!/usr/bin/env bash
# Prints the hardening flags that dpkg-buildflags with hardening=+all does not
# add yet and the C++ compiler ($CXX, else c++) takes: stack clash protection
# and, on x86, control-flow protection join hardening=+all only in later dpkg
# releases. qt/packaging/build_deb.sh and debian/rules append them to CXXFLAGS.
set -euo pipefail
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxx=${CXX:-c++}
flags=$(dpkg-buildflags --get CXXFLAGS)
extra=()
for flag in -fstack-clash-protection -fcf-protection; do
    grep -qw -- "$flag" <<<"$flags" && continue
    echo 'int main() { return 0; }' | "$cxx" -x c++ -Werror "$flag" -o /dev/null - 2>/dev/null &&
        extra+=("$flag")
done
echo "${extra[*]}"
