# Shared by the scripts: where things live and how Wine is run.
# Sourced, not executed.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${TALVENOR_BUILD:-$ROOT/build}"

# Code page 936 under Wine needs the glibc locale itself, not just the name:
# without it GetACP() still says 936 but every non-ASCII file name fails.
export LOCPATH="$BUILD/locale"
# Exported only once the locale exists, so that the shell itself does not
# complain about a missing locale before set-up has generated it.
wine_locale() {
  { export LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8; } 2>/dev/null
}
[ -d "$LOCPATH/zh_CN.UTF-8" ] && wine_locale
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko: there is nothing to download them from.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

WINE_TEMPLATE="$BUILD/wine/template"

log() { printf '[talvenor] %s\n' "$*" >&2; }
die() { printf '[talvenor] error: %s\n' "$*" >&2; exit 1; }
