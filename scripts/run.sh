#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset default
cmake --build --preset default

# A newcomer sees a real budget at once: the sample goes into an empty budgets folder.
data="${XDG_DATA_HOME:-$HOME/.local/share}/varnelle"
mkdir -p "$data"
chmod 700 "$data"
if ! compgen -G "$data/*.[iI][nN][iI]" >/dev/null; then
    cp examples/Exemple.ini "$data/Exemple.ini"
    chmod 600 "$data/Exemple.ini"
    echo "Budget d'exemple copié dans $data (mot de passe : BUDGET)"
fi

exec build/default/src/app/varnelle
