#!/usr/bin/env bash
# Installs the playback test's tools, as package.json beside this script pins
# them, into PREFIX (a folder of the build tree). Does nothing when they are
# already there. No lock file is written: it would name the registry.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
prefix="${1:?usage: install-tools.sh PREFIX}"

command -v node >/dev/null || { echo "node is missing: run scripts/setup.sh" >&2; exit 1; }
[ -x /usr/bin/chromium ] || { echo "/usr/bin/chromium is missing: run scripts/setup.sh" >&2; exit 1; }

installed() {
  cmp -s "$here/package.json" "$prefix/package.json" || return 1
  node -e '
    const dir = process.argv[1], want = require(dir + "/package.json").dependencies;
    for (const [name, version] of Object.entries(want)) {
      if (require(`${dir}/node_modules/${name}/package.json`).version !== version) process.exit(1);
    }' "$prefix" 2>/dev/null
}

if installed; then
  echo "player tools already in $prefix"
  exit 0
fi
mkdir -p "$prefix"
cp "$here/package.json" "$prefix/package.json"
cd "$prefix"
npm install --no-package-lock --no-audit --no-fund --loglevel=error
installed || { echo "the pinned versions did not install" >&2; exit 1; }
echo "player tools installed in $prefix"
