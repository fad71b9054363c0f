#!/usr/bin/env bash
# The T-SQL engine the server-path tests run on: Babelfish, from the tarball
# beside the project, unpacked once per build folder, started on free local
# ports for one run of the suite and stopped at its end.
#   serveur-essai.sh demarrer DOSSIER   (DOSSIER: where it lives, in the build folder)
#   serveur-essai.sh arreter DOSSIER
# Once started, DOSSIER/serveur.ini names the port, the login and the
# FreeTDS configuration (DOSSIER/freetds.conf, server "tarvo-essai") that the
# tests read. Without the tarball nothing starts, the tests say so and leave
# their server rows out; TARVO_EXIGER_SERVEUR=1 (CI) makes that a failure.
# TARVO_SANS_SERVEUR=1 leaves the server out on purpose (the sanitizer suite).
set -euo pipefail

commande="${1:-}"
dossier="${2:-}"
[ -n "$commande" ] && [ -n "$dossier" ] || { sed -n 2,11p "$0" >&2; exit 2; }

RACINE="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
SOURCE="${TARVO_BABELFISH:-$RACINE/../shared/babelfish}"
ARCHIVE="$(ls "$SOURCE"/babelfish-*.tar.zst 2>/dev/null | head -n 1 || true)"
INFO="$dossier/serveur.ini"
# Run as root, the server runs as nobody, who must reach its programs and
# data through every folder above them: a build folder under /root would
# not do. They live under /tmp instead, in a folder of this build folder's.
LOGE="${TMPDIR:-/tmp}/tarvo-serveur-$(printf '%s' "$(cd "$(dirname "$dossier")" 2>/dev/null && pwd)/$(basename "$dossier")" | md5sum | cut -c1-12)"
INSTALLATION="$LOGE/babelfish"
DONNEES="$LOGE/donnees"

# A port nobody answers on, from a range of its own so that two suites on
# one machine rarely try the same one.
portLibre() {
    local port
    for _ in $(seq 1 200); do
        port=$((20000 + RANDOM % 20000))
        if ! (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
            echo "$port"
            return 0
        fi
    done
    echo "Aucun port local libre trouvé pour le moteur T-SQL." >&2
    return 1
}

demarrer() {
    rm -f "$INFO"
    if [ "${TARVO_SANS_SERVEUR:-0}" = 1 ]; then
        echo "Essais sur le serveur ignorés (TARVO_SANS_SERVEUR=1)."
        exit 0
    fi
    if [ -z "$ARCHIVE" ]; then
        echo "Moteur T-SQL absent ($SOURCE/babelfish-*.tar.zst) : les essais sur le serveur sont ignorés."
        [ "${TARVO_EXIGER_SERVEUR:-0}" = 1 ] && exit 1
        exit 0
    fi
    mkdir -p "$dossier" "$LOGE"
    chmod 755 "$LOGE"
    # Unpacked once per build folder; a newer tarball replaces it.
    if [ ! -x "$INSTALLATION/bin/postgres" ] || [ "$ARCHIVE" -nt "$INSTALLATION/bin/postgres" ]; then
        rm -rf "$INSTALLATION"
        tar --zstd -xf "$ARCHIVE" -C "$LOGE"
        touch "$INSTALLATION/bin/postgres"
    fi
    # A server left by a run that was killed is stopped; every run starts
    # from an empty cluster, so that no database of an earlier run remains.
    if [ -f "$DONNEES/postmaster.pid" ]; then
        "$INSTALLATION/start-babelfish.sh" stop "$INSTALLATION" "$DONNEES" >/dev/null 2>&1 || true
    fi
    rm -rf "$DONNEES"
    local tds pg
    tds="$(portLibre)"
    pg="$(portLibre)"
    [ "$tds" != "$pg" ] || pg=$((tds + 1))
    BBF_TDS_PORT="$tds" BBF_PG_PORT="$pg" \
        "$INSTALLATION/start-babelfish.sh" start "$INSTALLATION" "$DONNEES" >"$dossier/demarrage.log" 2>&1 ||
        { cat "$dossier/demarrage.log" >&2; exit 1; }
    printf '[tarvo-essai]\n\thost = 127.0.0.1\n\tport = %s\n\ttds version = 7.4\n\tclient charset = UTF-8\n' \
        "$tds" >"$dossier/freetds.conf"
    printf 'port=%s\nutilisateur=babelfish_user\nmotDePasse=12345678\nfreetds=%s\n' \
        "$tds" "$dossier/freetds.conf" >"$INFO"
    echo "Moteur T-SQL prêt sur 127.0.0.1:$tds"
}

# Stops the server when it runs; a run without one has nothing to stop.
arreter() {
    rm -f "$INFO"
    if [ -f "$DONNEES/postmaster.pid" ]; then
        "$INSTALLATION/start-babelfish.sh" stop "$INSTALLATION" "$DONNEES" >/dev/null
    fi
}

case "$commande" in
demarrer) demarrer ;;
arreter) arreter ;;
*) sed -n 2,11p "$0" >&2; exit 2 ;;
esac
