#!/usr/bin/env bash
# Fails when a source file includes a header of a higher layer, or of a
# folder beside its own. Layers from the bottom: base, shell, ui, then
# description and install side by side, then app.
cd "$(dirname "$0")/../../src" || exit 2
rank() { case $1 in base) echo 0;; shell) echo 1;; ui) echo 2;; description|install) echo 3;; app) echo 4;; *) echo 9;; esac; }
bad=0
while IFS=: read -r file target; do
    from=${file%%/*}; to=${target%%/*}
    if [ "$from" != "$to" ] && [ "$(rank "$to")" -ge "$(rank "$from")" ]; then
        echo "src/$file includes $target (a layer above or beside $from)"; bad=1
    fi
done < <(grep -rHo '#include "[a-z]*/[^"]*"' --include='*.cpp' --include='*.h' . | sed 's|^\./||; s|#include "||; s|"$||')
# The unattended run, the removal command and the description reader show no
# page: they reach the checks they share with the pages below the pages' layer.
if grep -Hn '#include "ui/' app/quiet.* app/remove_command.* description/*; then
    echo "(a mode without pages includes ui/)"; bad=1
fi
exit $bad
