#!/usr/bin/env bash
# One entry for people and CI: install what is missing, build, run, test, bench.
#   ./tarvo.sh run        build and start Tarvo on the embedded demo database
#   ./tarvo.sh test       build and run the whole test suite
#   ./tarvo.sh test-asan  the same under AddressSanitizer and UndefinedBehaviorSanitizer
#   ./tarvo.sh bench      build in Release and run the benchmarks
#   ./tarvo.sh format     check that every C++ file is formatted as .clang-format says
#   ./tarvo.sh paquet     build the Debian package (build-release/tarvo_*.deb)
#   ./tarvo.sh captures   remake the guide's screenshots (docs/images) under Xvfb
#   ./tarvo.sh couverture the suite with gcov's counters, then gcovr's line coverage of src/
set -euo pipefail

RACINE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
DEMO="${TARVO_DEMO_DIR:-$RACINE/demo}"

PAQUETS=(
    cmake ninja-build g++ pkg-config ccache clang-format
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libqt6sql6-odbc libgl-dev
    libsqlite3-dev sqlite3 libicu-dev unixodbc-dev libsqliteodbc sqlfluff
    # The server path: unixODBC with FreeTDS, and what the tests' T-SQL engine runs on.
    unixodbc tdsodbc freetds-bin zstd libicu72 libossp-uuid16 libssl3 libxml2 libxslt1.1 liblzma5 zlib1g
    libcups2-dev cups cups-bsd cups-client
    libx11-dev
    libzint-dev
    fonts-liberation poppler-utils
    xvfb xauth
    dpkg-dev desktop-file-utils
    gcovr
)

installer() {
    local manquants=()
    for p in "${PAQUETS[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || manquants+=("$p")
    done
    [ ${#manquants[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installation des paquets manquants : ${manquants[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${manquants[@]}"
}

# Configures and builds one preset of CMakePresets.json.
construire() {
    local preset="$1"
    cmake --preset "$preset" -S "$RACINE" >/dev/null
    cmake --build --preset "$preset" -j"$(nproc)"
}

# A program folder for the demo: configuration, version file, embedded
# database with demo data, terminal, archive and label spool folders.
preparer_demo() {
    local tarvoctl="$1"
    mkdir -p "$DEMO/terminal" "$DEMO/archive" "$DEMO/spool/ZEBRA-ART" "$DEMO/spool/ZEBRA-EXP"
    if [ ! -f "$DEMO/TARVOX.ini" ]; then
        printf '%s\r\n' \
            "[DB]" "PROVIDER=SQLITE" "SECURITYMODE=INTEG" "SERVERNAME=" "DBNAME=tarvo.db" \
            "[Controle Version]" "FichierInfoVersion=$DEMO/version.ini" \
            "[SCANPAL2]" "FichierArticle=$DEMO/terminal/ARTICLE.TXT" \
            "FichierExpedition=$DEMO/terminal/EXPEDITION.TXT" "FichierData=$DEMO/terminal/DATA.TXT" \
            "CheminArchiveData=$DEMO/archive/" \
            "[ZEBRA]" "NomImprimanteArt=ZEBRA-ART" "MargeGaucheArt=40" \
            "NomImprimanteExp=ZEBRA-EXP" "MargeGaucheExp=40" >"$DEMO/TARVOX.ini"
    fi
    # The reference version always matches the build just made.
    printf '%s\r\n' "[TARVOX]" "VersionRef=$("$tarvoctl" --version)" "UpdateFile=$RACINE/tarvo.sh run" \
        >"$DEMO/version.ini"
    [ -f "$DEMO/tarvo.db" ] || "$tarvoctl" --dir "$DEMO" init-base --demo >/dev/null
}

tester() {
    local preset="$1"
    construire "$preset"
    ctest --preset "$preset"
}

# Every C++ file of the repository as clang-format writes it.
verifier_format() {
    cd "$RACINE"
    git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
}

commande="${1:-run}"
case "$commande" in
run)
    installer
    construire release
    preparer_demo "$RACINE/build-release/src/tarvoctl"
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        echo "Aucun affichage graphique (DISPLAY non défini) : lancez Tarvo depuis une session graphique, ou utilisez tarvoctl." >&2
        exit 1
    fi
    TARVO_DIR="$DEMO" TARVO_SPOOL_DIR="$DEMO/spool" exec "$RACINE/build-release/src/tarvo"
    ;;
test)
    installer
    tester release
    ;;
test-asan)
    installer
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    export LSAN_OPTIONS="suppressions=$RACINE/.ci/lsan.supp"
    # The server rows run in the plain suite: under the sanitizers they would
    # mostly measure the uninstrumented ODBC and FreeTDS libraries.
    unset TARVO_EXIGER_SERVEUR
    export TARVO_SANS_SERVEUR=1
    tester sanitizer
    ;;
bench)
    installer
    construire release
    export QT_QPA_PLATFORM=offscreen
    "$RACINE/build-release/bench/terminal/bench_terminal" /dev/shm/tarvo-bench-terminal
    "$RACINE/build-release/bench/shipments/bench_expeditions"
    "$RACINE/build-release/bench/reports/bench_editions" /dev/shm/tarvo-bench-editions
    "$RACINE/build-release/bench/catalogue/bench_catalogue" /dev/shm/tarvo-bench-catalogue
    "$RACINE/build-release/bench/browsers/bench_navigateurs" /dev/shm/tarvo-bench-navigateurs
    ;;
format)
    installer
    verifier_format
    ;;
captures)
    installer
    construire release
    # A fresh demo folder of its own, so that the pictures show the demo data
    # as it is shipped, whatever was done in demo/.
    DEMO="$(mktemp -d)"
    preparer_demo "$RACINE/build-release/src/tarvoctl"
    xvfb-run -a -s "-screen 0 1280x1024x24" \
        "$RACINE/build-release/tools/captures/captures_guide" "$DEMO" "$RACINE/docs/images"
    rm -rf "$DEMO"
    ;;
paquet)
    installer
    construire release
    desktop-file-validate "$RACINE/packaging/tarvo.desktop"
    (cd "$RACINE/build-release" && cpack -G DEB >/dev/null)
    ls "$RACINE"/build-release/tarvo_*.deb
    ;;
couverture)
    installer
    tester couverture
    # gcov 12 reports a negative count for some branches of inlined code.
    gcovr --root "$RACINE" --filter "$RACINE/src/" "$RACINE/build-couverture" --print-summary \
        --gcov-ignore-parse-errors \
        --txt "$RACINE/build-couverture/couverture.txt"
    ;;
*)
    echo "Usage : $0 run|test|test-asan|bench|format|paquet|captures|couverture" >&2
    exit 2
    ;;
esac
