# Sourced: the environment Debian's emscripten needs when another node comes
# first on PATH (its own modules are Debian's), and the compiler cache shared
# by worktrees.
export NODE_PATH=/usr/share/nodejs:/usr/lib/nodejs${NODE_PATH:+:$NODE_PATH}
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(realpath "$(dirname "${BASH_SOURCE[0]}")/../..")}
