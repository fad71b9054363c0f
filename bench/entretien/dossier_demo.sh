# Sourced by the scripts of this folder: B, the built programs; D, a new
# program folder with its configuration and the demo database.
B="$(cd "$(dirname "$0")/../.." && pwd)/build-release/src"
D=$(mktemp -d)
printf '%s\r\n' "[DB]" "PROVIDER=SQLITE" "SECURITYMODE=INTEG" "SERVERNAME=" "DBNAME=tarvo.db" \
  "[Controle Version]" "FichierInfoVersion=$D/version.ini" "[SCANPAL2]" \
  "FichierArticle=$D/ARTICLE.TXT" "FichierExpedition=$D/EXPEDITION.TXT" "FichierData=$D/DATA.TXT" \
  "CheminArchiveData=$D/" > "$D/TARVOX.ini"
printf '%s\r\n' "[TARVOX]" "VersionRef=$("$B/tarvoctl" --version)" "UpdateFile=/bin/true" > "$D/version.ini"
"$B/tarvoctl" --dir "$D" init-base --demo >/dev/null
