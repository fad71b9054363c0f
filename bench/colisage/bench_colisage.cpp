// bench_colisage: how long a packer waits for the answer to one scan.
//
//   bench_colisage [FICHIER]   on the follow-up benchmark's database
//                              (FICHIER, default
//                              /tmp/tarvo-bench-suivi/suivi.db, built by
//                              bench_suivi: 202,000 shipments, 3,000,000
//                              journal rows), a copy of which it packs in.
//   bench_colisage --serveur   on the demo database copied into the T-SQL
//                              engine the test suite starts.
//
// Each scan is timed from the line read to the answer and the lines to show,
// on one connection kept open: as tarvoctl colisage does, and as the
// window's worker does, whose session is readied when the window opens.
#include "BaseDeTest.h"
#include "colisage/LectureScan.h"
#include "colisage/PosteColisage.h"
#include "db/Base.h"
#include "db/Connexion.h"
#include "db/Requete.h"
#include "db/TexteSql.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace tarvo;

namespace {

struct Mesures {
    std::vector<double> ms;
    double processeurMs = 0;
};

double rang(std::vector<double> v, double part) {
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(part * static_cast<double>(v.size() - 1))];
}

// Opens each shipment and scans its articles, `tours` times over; each
// article goes in beyond its ordered quantity, the longest path.
Mesures mesurer(const ParametresConnexion& parametres, const QList<qint32>& expeditions,
                const QMap<qint32, QStringList>& codes, int tours, bool seancePreparee) {
    const HorlogeSysteme horloge;
    Connexion gardee(QStringLiteral("gardee"));
    gardee.ouvrir(parametres);
    db::Base base(&gardee);
    if (seancePreparee)
        colisage::PreparerSeance(base);
    Mesures m;
    const std::clock_t debut = std::clock();
    for (const qint32 n : expeditions) {
        colisage::PosteColisage poste;
        // A new parcel: the generated packing lines carry no date, and the
        // rules let no entry change such a line.
        QStringList scans{QStringLiteral("EXP:%1").arg(n), QStringLiteral("COLIS:+")};
        for (int t = 0; t < tours; ++t)
            scans += codes.value(n);
        for (const QString& scan : scans) {
            QElapsedTimer chrono;
            chrono.start();
            const colisage::Reponse r = colisage::Scanner(base, horloge, poste, scan, true);
            const colisage::VuePoste vue = colisage::LireVuePoste(base, poste, r);
            if (!r.acceptee() || vue.lignes.isEmpty()) {
                std::fprintf(stderr, "Scan %s refusé : %s\n", qPrintable(scan),
                             qPrintable(r.message));
                std::exit(1);
            }
            m.ms.push_back(static_cast<double>(chrono.nsecsElapsed()) / 1e6);
        }
    }
    m.processeurMs = static_cast<double>(std::clock() - debut) * 1000 / CLOCKS_PER_SEC;
    return m;
}

// The shipments to pack and, for each, the bar codes of its lines a scanner
// reads (an EAN-13 with its check digit).
void choisir(const ParametresConnexion& parametres, int combien, QList<qint32>& expeditions,
             QMap<qint32, QStringList>& codes) {
    Connexion cnx(QStringLiteral("choix"));
    cnx.ouvrir(parametres);
    const db::Base base(&cnx);
    db::Requete ouvertes = base.preparer(db::TexteSql(
        QStringLiteral("SELECT [No Expédition] FROM [Expédition] WHERE [Date cloture] IS NULL "
                       "ORDER BY [No Expédition] DESC")));
    while (ouvertes.suivante() && expeditions.size() < combien)
        expeditions << static_cast<qint32>(ouvertes.entier(0));
    ouvertes.terminer();
    for (const qint32 n : expeditions)
        for (const suivi::LigneArticle& l : suivi::LignesDeLExpedition(base, n, 10).lignes)
            if (colisage::CleEan13Valide(l.codeBarres))
                codes[n] << l.codeBarres;
}

void afficher(const char* voie, const Mesures& m) {
    double total = 0;
    for (double v : m.ms)
        total += v;
    std::printf("| %s | %zu | %.1f | %.1f | %.1f | %.1f | %.1f |\n", voie, m.ms.size(),
                rang(m.ms, 0.5), rang(m.ms, 0.95), *std::max_element(m.ms.begin(), m.ms.end()),
                total / static_cast<double>(m.ms.size()),
                m.processeurMs / static_cast<double>(m.ms.size()));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const bool serveur = argc > 1 && qstrcmp(argv[1], "--serveur") == 0;
    test::BaseDeTest t;
    ParametresConnexion parametres;
    if (serveur) {
        t.creerBase(true);
        if (!t.passerParServeur()) {
            std::fprintf(stderr, "Aucun moteur T-SQL : lancez tests/support/serveur-essai.sh.\n");
            return 1;
        }
    } else {
        const QString source = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                        : QStringLiteral("/tmp/tarvo-bench-suivi/suivi.db");
        if (!QFile::exists(source)) {
            std::fprintf(stderr, "%s manque : lancez d'abord bench_suivi.\n", qPrintable(source));
            return 1;
        }
        // The benchmark writes: it packs in a copy, the source stays as built.
        if (!QFile::copy(source, t.chemin(QStringLiteral("tarvo.db")))) {
            std::fprintf(stderr, "Copie de %s impossible.\n", qPrintable(source));
            return 1;
        }
        parametres.base = t.chemin(QStringLiteral("tarvo.db"));
    }
    if (serveur)
        parametres = t.ctx->cnx->parametres();
    QList<qint32> expeditions;
    QMap<qint32, QStringList> codes;
    choisir(parametres, serveur ? 2 : 20, expeditions, codes);
    std::printf("| séance | scans | médiane ms | 95 %% ms | max ms | moyenne ms | processeur "
                "ms/scan |\n|---|---|---|---|---|---|---|\n");
    afficher("froide (tarvoctl)", mesurer(parametres, expeditions, codes, serveur ? 4 : 2, false));
    afficher("préparée (fenêtre)", mesurer(parametres, expeditions, codes, serveur ? 4 : 2, true));
    return 0;
}
