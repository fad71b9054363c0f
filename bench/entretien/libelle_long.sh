#!/usr/bin/env bash
# Time of the delivery note of a shipment whose "Libellé 1" holds 100,000 characters.
set -euo pipefail
source "$(dirname "$0")/dossier_demo.sh"
sqlite3 -cmd ".load $B/francais" "$D/tarvo.db" "UPDATE [Expédition] SET [Libellé 1] = (WITH RECURSIVE n(i, t) AS (SELECT 1, 'mot ' UNION ALL SELECT i+1, t || 'mot ' FROM n WHERE i < 25000) SELECT t FROM n WHERE i = 25000) WHERE [No Expédition] = 102"
QT_QPA_PLATFORM=offscreen /usr/bin/time -f "bon d'expédition : %e s, %M Ko" $B/tarvoctl --dir "$D" edition bon-expedition 102 --pdf "$D/bon.pdf"
ls -la "$D/bon.pdf" | awk '{print "PDF", $5, "octets"}'
pdftotext "$D/bon.pdf" - | grep -c "\[…\]" || true
rm -rf "$D"
