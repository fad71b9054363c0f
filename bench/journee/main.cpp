// journee: a warehouse day played at an accelerated pace on the embedded
// database, through the real tarvoctl, then checked.
//
//   journee [DOSSIER] [--duree SECONDES] [--graine N] [--postes N]
//           [--terminaux N] [--tarvoctl CHEMIN] [--garder] [--serveur]
//
// --serveur plays the day on a database of the tests' T-SQL engine (started
// by the suite, or by tests/support/serveur-essai.sh demarrer
// build-release/serveur-essai), through FreeTDS, instead of the embedded file.
//
// DOSSIER must be missing or empty; without it the day runs in a temporary
// folder, removed at the end unless --garder is given. Exit status 0 only
// when every check passes; 2 for a usage error.
#include "Activites.h"
#include "Controles.h"
#include "Preparation.h"
#include "ServeurDeTest.h"
#include "Terminaux.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <thread>

using namespace journee;

namespace {

void ecrire(const QString& texte) {
    std::printf("%s\n", qPrintable(texte));
    std::fflush(stdout);
}

struct FinDeJournee {
    int passages = 0;
    bool termine = false;
    QString dernierEchec;
};

// Integrates what the terminals left, again while another run holds the
// integration or a run fails, until tarvoctl finds no data file.
FinDeJournee integrerLeReste(Journee& j) {
    FinDeJournee fin;
    for (; fin.passages < 120 && !fin.termine; ++fin.passages) {
        const Issue r = j.commande({QStringLiteral("integration")});
        const QString erreurs = QString::fromUtf8(r.erreurs);
        if (r.statut == 1 &&
            erreurs.contains(QStringLiteral("Aucun fichier de données disponible")))
            fin.termine = true;
        else if (r.statut != 0) {
            fin.dernierEchec = erreurs.trimmed();
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
        }
    }
    return fin;
}

int entier(const QCommandLineParser& p, const QString& nom, int defaut) {
    if (!p.isSet(nom))
        return defaut;
    bool ok = false;
    const int n = p.value(nom).toInt(&ok);
    if (!ok || n < 0) {
        std::fprintf(stderr, "--%s attend un nombre entier positif\n", qPrintable(nom));
        std::exit(2);
    }
    return n;
}

void afficherChiffres(const Journee& j, qint64 dureeJourMs, qint64 dureeTotaleMs, int tues,
                      const Bilan& bilan) {
    ecrire(QStringLiteral("\n== Chiffres =="));
    const auto commandes = j.registre.parCommande();
    ecrire(QStringLiteral("| commande | lancements | statut 0 | statut 1 | tués | plus long (ms) | "
                          "moyenne (ms) |"));
    ecrire(QStringLiteral("|---|---|---|---|---|---|---|"));
    for (const auto& [nom, c] : commandes)
        ecrire(QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 | %7 |")
                   .arg(nom)
                   .arg(c.lancements)
                   .arg(c.reussis)
                   .arg(c.echecs)
                   .arg(c.tues)
                   .arg(c.plusLongMs)
                   .arg(c.lancements ? c.totalMs / c.lancements : 0));
    const double jour = static_cast<double>(dureeJourMs) / 1000.0;
    const auto integration = commandes.find(QStringLiteral("integration"));
    ecrire(QStringLiteral("Opérations tarvoctl par seconde : %1 (%2 en %3 s), dont %4 tuées")
               .arg(j.registre.total() / jour, 0, 'f', 2)
               .arg(j.registre.total())
               .arg(jour, 0, 'f', 1)
               .arg(tues));
    ecrire(QStringLiteral("Attente la plus longue du verrou d'intégration (intégration la plus "
                          "longue) : %1 ms")
               .arg(integration == commandes.end() ? 0 : integration->second.plusLongMs));
    const double total = static_cast<double>(dureeTotaleMs) / 1000.0;
    ecrire(QStringLiteral("Lignes intégrées par seconde : %1 (%2 lignes journalisées en %3 s)")
               .arg(static_cast<double>(bilan.lignesJournalisees) / total, 0, 'f', 1)
               .arg(bilan.lignesJournalisees)
               .arg(total, 0, 'f', 1));
    for (const auto& [nom, c] : commandes)
        for (const QString& e : c.exemplesEchec)
            ecrire(QStringLiteral("Exemple d'échec de %1 : %2").arg(nom, e));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.addPositionalArgument(QStringLiteral("dossier"), QStringLiteral("dossier du programme"));
    p.addOptions(
        {{QStringLiteral("duree"), QStringLiteral("durée en secondes"), QStringLiteral("s")},
         {QStringLiteral("graine"), QStringLiteral("graine du hasard"), QStringLiteral("n")},
         {QStringLiteral("postes"), QStringLiteral("postes de travail"), QStringLiteral("n")},
         {QStringLiteral("terminaux"), QStringLiteral("terminaux"), QStringLiteral("n")},
         {QStringLiteral("tarvoctl"), QStringLiteral("chemin de tarvoctl"),
          QStringLiteral("chemin")},
         {QStringLiteral("garder"), QStringLiteral("garder le dossier temporaire")},
         {QStringLiteral("serveur"), QStringLiteral("jouer la journée sur le serveur d'essai")}});
    if (!p.parse(app.arguments()) || p.positionalArguments().size() > 1) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(p.errorText().isEmpty() ? p.helpText() : p.errorText()));
        return 2;
    }
    const int duree = entier(p, QStringLiteral("duree"), 120);
    const int postes = entier(p, QStringLiteral("postes"), 3);
    const int nbTerminaux = std::max(1, entier(p, QStringLiteral("terminaux"), 3));
    const quint64 graine =
        p.isSet(QStringLiteral("graine"))
            ? p.value(QStringLiteral("graine")).toULongLong()
            : static_cast<quint64>(QDateTime::currentMSecsSinceEpoch() % 1000000);
    const QString tarvoctl = p.isSet(QStringLiteral("tarvoctl"))
                                 ? p.value(QStringLiteral("tarvoctl"))
                                 : QStringLiteral(TARVOCTL);

    std::optional<QTemporaryDir> temporaire;
    QString racine;
    if (p.positionalArguments().isEmpty()) {
        temporaire.emplace(QDir::temp().filePath(QStringLiteral("journee-XXXXXX")));
        temporaire->setAutoRemove(!p.isSet(QStringLiteral("garder")));
        racine = temporaire->path();
    } else {
        racine = p.positionalArguments().first();
        if (QDir(racine).exists() && !QDir(racine).isEmpty()) {
            std::fprintf(stderr, "Le dossier %s n'est pas vide.\n", qPrintable(racine));
            return 2;
        }
    }
    qputenv("TARVO_SPOOL_DIR", QDir(racine).filePath(QStringLiteral("spool")).toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    Journee j(racine, tarvoctl);
    ecrire(QStringLiteral("Journée de %1 s dans %2, graine %3 (--graine %3 pour la rejouer), "
                          "%4 postes, %5 terminaux")
               .arg(duree)
               .arg(j.dossier.racine)
               .arg(graine)
               .arg(postes)
               .arg(nbTerminaux));
    if (const QString echec = preparerDossier(j); !echec.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(echec));
        return 1;
    }
    if (p.isSet(QStringLiteral("serveur"))) {
        if (!tarvo::test::ServeurEssaiDisponible()) {
            ecrire(QStringLiteral("Journée sur le serveur non jouée : pas de moteur T-SQL."));
            return 0;
        }
        if (const QString echec = passerSurServeur(j); !echec.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(echec));
            return 1;
        }
        ecrire(QStringLiteral("Sur le serveur : base %1").arg(j.parametres.base));
    }
    chargerArticles(j);
    const Depart depart = lireDepart(j);

    QElapsedTimer chrono;
    chrono.start();
    Terminaux terminaux(j, nbTerminaux, graine);
    terminaux.demarrer();
    std::atomic<int> tues{0};
    std::vector<std::thread> fils;
    for (int i = 0; i < postes; ++i)
        fils.emplace_back(poste, std::ref(j), i + 1, graine + 10 + static_cast<quint64>(i));
    fils.emplace_back(integrations, std::ref(j), graine + 1);
    fils.emplace_back(synchronisations, std::ref(j), graine + 2);
    fils.emplace_back(banc, std::ref(j), graine + 5);
    fils.emplace_back(sage, std::ref(j), graine + 3);
    fils.emplace_back(tueur, std::ref(j), graine + 4, std::ref(tues));

    std::this_thread::sleep_for(std::chrono::seconds(duree));
    terminaux.arreter();
    j.fin = true;
    for (std::thread& f : fils)
        f.join();
    const qint64 dureeJour = chrono.elapsed();
    ecrire(
        QStringLiteral("Journée finie après %1 s ; dernière intégration…").arg(dureeJour / 1000));

    const FinDeJournee fin = integrerLeReste(j);
    const qint64 dureeTotale = chrono.elapsed();
    Bilan bilan = controler(j, terminaux, depart);
    Verdict derniere(QStringLiteral("La dernière intégration finit"));
    derniere.details << QStringLiteral("%1 passages").arg(fin.passages);
    if (!fin.termine) {
        derniere.reussi = false;
        derniere.details << QStringLiteral("Dernier échec : %1").arg(fin.dernierEchec);
    }
    bilan.verdicts.prepend(derniere);

    ecrire(QStringLiteral("\n== Contrôles =="));
    bool reussi = true;
    for (const Verdict& v : bilan.verdicts) {
        reussi = reussi && v.reussi;
        ecrire(QStringLiteral("[%1] %2").arg(
            v.reussi ? QStringLiteral("OK") : QStringLiteral("ÉCHEC"), v.nom));
        for (const QString& d : v.details)
            ecrire(QStringLiteral("    ") + d);
    }
    afficherChiffres(j, dureeJour, dureeTotale, tues, bilan);
    ecrire(reussi ? QStringLiteral("\nTous les contrôles sont passés.")
                  : QStringLiteral("\nDes contrôles ont échoué (graine %1).").arg(graine));
    return reussi ? 0 : 1;
}
