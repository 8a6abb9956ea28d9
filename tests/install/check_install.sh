#!/usr/bin/env bash
# Installs into a temporary prefix and checks that every file a user or a desktop expects is
# there and valid: both programs and the command line's drawing helper, their manual pages, the completion, the menu entry, the icons
# and the software centres' description.
set -euo pipefail
build="$1"
source="$2"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
missing=0
for file in bin/varnelle bin/varnelle-cli libexec/varnelle/varnelle-cli-documents \
    share/man/man1/varnelle.1 share/man/man1/varnelle-cli.1 \
    share/bash-completion/completions/varnelle-cli share/applications/varnelle.desktop \
    share/icons/hicolor/scalable/apps/varnelle.svg share/icons/hicolor/256x256/apps/varnelle.png \
    share/metainfo/varnelle.metainfo.xml; do
    if [ ! -e "$prefix/$file" ]; then
        echo "missing: $file"
        missing=1
    fi
done
[ "$missing" -eq 0 ]

# Manual pages without a formatting warning, a completion bash reads, a description the
# software centres accept (the id is the desktop file's name, which the validator only warns
# about), and the installed program answering --version without a display.
for page in "$prefix"/share/man/man1/*.1; do
    if LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null | grep .; then
        echo "warnings in $page"
        exit 1
    fi
done
bash -n "$prefix/share/bash-completion/completions/varnelle-cli"
if appstreamcli validate --no-net "$prefix/share/metainfo/varnelle.metainfo.xml" | grep '^E:'; then
    exit 1
fi
"$prefix/bin/varnelle-cli" --version | grep -q '^varnelle-cli '
QT_QPA_PLATFORM=offscreen "$prefix/bin/varnelle" --version | grep -q '^Varnelle '
# The installed command line finds its drawing helper, which reads the password itself.
mkdir "$prefix/budgets"
cp "$source/examples/Exemple.ini" "$prefix/budgets/"
echo BUDGET | "$prefix/bin/varnelle-cli" report "$prefix/budgets/Exemple.ini" --password-file - \
    --kind types --output "$prefix/types.pdf"
[ -s "$prefix/types.pdf" ]
echo "install tree complete"
