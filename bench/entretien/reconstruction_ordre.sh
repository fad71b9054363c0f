#!/usr/bin/env bash
# Time of the rebuild of the French indexes after an order change, on a
# demo database grown to N journal rows.
set -euo pipefail
N=${1:-1000000}
source "$(dirname "$0")/dossier_demo.sh"
sqlite3 -cmd ".load $B/francais" "$D/tarvo.db" "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i < $N) INSERT INTO [Journal de saisie] ([Code type ligne], [No Expédition], [No Colis], [Code barres Article], Quantité, [Date saisie], [Date intégration]) SELECT '{EXPFA}', 102, printf('%d', i % 40), printf('37609876%05d', i % 5000), 1, '2026-12-01 10:00:00', '2026-12-01 11:00:00' FROM n; UPDATE tarvo_ordre SET version = 'ICU 1.0.0.0, règles 1';"
ls -la "$D/tarvo.db" | awk '{print "taille", $5}'
/usr/bin/time -f "reconstruction : %e s, %M Ko" $B/tarvoctl --dir "$D" fichier-article >/dev/null
/usr/bin/time -f "ouverture suivante : %e s" $B/tarvoctl --dir "$D" fichier-article >/dev/null
sqlite3 -cmd ".load $B/francais" "$D/tarvo.db" "PRAGMA integrity_check"
rm -rf "$D"
