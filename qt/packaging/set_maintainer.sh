#!/usr/bin/env bash
# Names the package's maintainer for both ways of building it: the Maintainer
# field of debian/control and the sign-off of every changelog entry that the
# maintainer named before signed. qt/packaging/build_deb.sh takes both from there
# unless -DMIRTEKA_MAINTAINER says otherwise.
#
# Usage: qt/packaging/set_maintainer.sh "Your Name <you@your.domain>"
set -euo pipefail
new=${1:?usage: set_maintainer.sh "Name <address>"}
debian=$(cd "$(dirname "$0")/../../debian" && pwd)
pattern='^[^<>@,]*[^<>@, ] <[^<>@ ]+@[^<>@ ]+>$'
[[ $new =~ $pattern ]] || { echo "set_maintainer.sh: '$new' is not 'Name <address>'" >&2; exit 2; }
old=$(sed -n 's/^Maintainer: *//p' "$debian/control")
export old new
perl -pi -e 's/^Maintainer: .*/Maintainer: $ENV{new}/' "$debian/control"
perl -pi -e 's/^ -- \Q$ENV{old}\E  / -- $ENV{new}  /' "$debian/changelog"
echo "Maintainer: $new (was $old)"
