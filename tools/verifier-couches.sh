#!/usr/bin/env bash
# Checks that every #include of src/ follows the layers, bottom to top:
#   base  →  db  →  core (app, listes and each subsystem's routines)
#         →  windows (ui/, <subsystem>/ui/)  or  commands (cli/, <subsystem>/cli/)
# A file may include its own layer or a lower one; windows and commands never
# include each other. A subsystem reads another's data through that
# subsystem's typed readers, never through its catalogue of statements
# (Sql*.h), whatever the layer. The subsystems' windows reach the main window
# through ui/main/CadreCommandes.h only.
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
cd "$racine/src"

# The layer of a path under src/: base, db, core, fenetres or commandes.
couche() {
    case "$1" in
    base/*) echo base ;;
    db/*) echo db ;;
    ui/* | */ui/*) echo fenetres ;;
    cli/* | */cli/*) echo commandes ;;
    *) echo core ;;
    esac
}

rang() {
    case "$1" in
    base) echo 0 ;;
    db) echo 1 ;;
    core) echo 2 ;;
    fenetres | commandes) echo 3 ;;
    esac
}

fautes=0
while IFS= read -r fichier; do
    dossier="${fichier%%/*}"
    de="$(couche "$fichier")"
    while IFS= read -r ligne; do
        inclus="${ligne#*\"}"
        inclus="${inclus%\"*}"
        # Only the project's own headers, named from src/.
        [[ "$inclus" == */* && -f "$inclus" ]] || continue
        vers="$(couche "$inclus")"
        raison=""
        if (($(rang "$vers") > $(rang "$de"))) ||
            [[ "$de" != "$vers" && $(rang "$de") -eq 3 && $(rang "$vers") -eq 3 ]]; then
            raison="la couche $de ne peut pas inclure la couche $vers"
        fi
        nom="${inclus##*/}"
        if [[ "$nom" == Sql*.h && "${inclus%%/*}" != "$dossier" ]]; then
            raison="les instructions de ${inclus%%/*} ne se lisent que par ses lecteurs"
        fi
        if [[ "$inclus" == ui/main/FenetrePrincipale.h && "$fichier" != ui/main/* ]]; then
            raison="les fenêtres des sous-systèmes passent par ui/main/CadreCommandes.h"
        fi
        if [ -n "$raison" ]; then
            echo "src/$fichier : #include \"$inclus\" : $raison" >&2
            fautes=$((fautes + 1))
        fi
    done < <(grep -E '^#include "' "$fichier" || true)
done < <(find . -name '*.cpp' -o -name '*.h' | sed 's#^\./##' | sort)

if ((fautes > 0)); then
    echo "$fautes inclusion(s) contre l'ordre des couches." >&2
    exit 1
fi
echo "Inclusions conformes à l'ordre des couches."
