# Shared by the scripts: configure and build one build tree.
# usage: build_tree DIR [cmake options...]
build_tree() {
  local dir=$1; shift
  # Returns on failure even where the caller's set -e does not apply (in an || list).
  cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >/dev/null || return 1
  cmake --build "$dir" --parallel "$(nproc)"
}
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
