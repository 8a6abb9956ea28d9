#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset default
cmake --build --preset default

data="${XDG_DATA_HOME:-$HOME/.local/share}/varnelle"
mkdir -p "$data"
cli=build/default/src/cli/varnelle-cli
if [ $# -gt 0 ]; then
    exec "$cli" "$@"
fi
echo "Budgets in $data:"
"$cli" list "$data"
cat <<EOT

varnelle-cli is built; for example:
  $cli new "$data" Maison --password secret
  $cli show "$data/Maison.ini" --password secret
EOT
