# Shared by the scripts: where the builds go and how they are made.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="$(nproc 2>/dev/null || echo 2)"

# configure_and_build <build dir> <cmake args...>
configure_and_build() {
  local dir="$1"; shift
  cmake -S "$root" -B "$dir" -Wno-dev "$@" >/dev/null
  cmake --build "$dir" --parallel "$jobs"
}
