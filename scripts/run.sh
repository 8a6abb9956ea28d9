#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

# Only what running needs: the tests' packages and targets are left out.
scripts/setup.sh --run
cmake --preset app
cmake --build --preset app

# A newcomer sees a real budget at once: the sample goes into an empty budgets folder.
data="${XDG_DATA_HOME:-$HOME/.local/share}/varnelle"
mkdir -p "$data"
chmod 700 "$data"
if ! compgen -G "$data/*.[iI][nN][iI]" >/dev/null; then
    cp examples/Exemple.ini "$data/Exemple.ini"
    chmod 600 "$data/Exemple.ini"
    echo "Budget d'exemple copié dans $data (mot de passe : BUDGET)"
fi

exec build/app/src/app/varnelle
