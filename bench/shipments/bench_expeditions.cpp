// Times the shipment-window lists on a large embedded database: each load
// against its query alone (run and read every field of every row), and the
// header-click sort of the order list.
//
//   QT_QPA_PLATFORM=offscreen bench_expeditions [COMMANDES] [EXPEDITIONS]
#include "app/Contexte.h"
#include "base/Erreur.h"
#include "db/Base.h"
#include "db/Connexion.h"
#include "db/ParametresNommes.h"
#include "db/Schema.h"
#include "db/Transaction.h"
#include "shipments/ListesExpeditions.h"
#include "shipments/SqlExpeditions.h"
#include "shipments/ui/ListeRapport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace tarvo;
using namespace tarvo::expeditions;

namespace {

class PromptsSilencieux : public Prompts {
public:
    void message(Icone, const QString& titre, const QString& texte) override {
        std::fprintf(stderr, "%s\n%s\n", qPrintable(titre), qPrintable(texte));
    }
    bool question(Icone, const QString&, const QString&, bool) override { return true; }
    Reponse questionAnnulable(Icone, const QString&, const QString&) override {
        return Reponse::Oui;
    }
    std::optional<QString> saisie(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    QString choisirFichier(const QString&, const QString&) override { return {}; }
};

// Each row's values bound to the parameters in the order the text names them.
void executerLot(const db::Base& base, const QString& sql,
                 const std::vector<QVariantList>& lignes) {
    const QStringList noms = db::ParametresNommes::analyser(sql).noms;
    db::Requete q = base.preparer(db::TexteSql(sql));
    for (const QVariantList& valeurs : lignes) {
        for (int i = 0; i < valeurs.size(); ++i)
            q.lier(noms.at(i), valeurs.at(i));
        q.executer();
    }
}

// A large site: `commandes` available orders over 2,000 customers and 5,000
// delivery places, and `expeditions` shipments of the last two years, each
// holding one further order (which the view then no longer offers).
void remplirBase(Connexion& cnx, int commandes, int expeditions) {
    db::Base base(&cnx);
    db::Transaction transaction(base);
    const int clients = 2000;
    const int lieux = 5000;
    std::vector<QVariantList> lignes;
    for (int c = 0; c < clients; ++c)
        lignes.push_back({QStringLiteral("C%1").arg(c, 5, 10, QLatin1Char('0')),
                          QStringLiteral("Client %1 SARL").arg(c)});
    executerLot(
        base,
        QStringLiteral("INSERT INTO F_COMPTET (CT_Num, CT_Intitule) VALUES (:num, :intitule)"),
        lignes);
    lignes.clear();
    for (int l = 1; l <= lieux; ++l)
        lignes.push_back({l, QStringLiteral("C%1").arg(l % clients, 5, 10, QLatin1Char('0')),
                          QStringLiteral("Dépôt %1").arg(l), QStringLiteral("%1 rue du Lac").arg(l),
                          QStringLiteral("Ville %1").arg(l % 700), QStringLiteral("France")});
    executerLot(
        base,
        QStringLiteral(
            "INSERT INTO F_LIVRAISON (LI_No, CT_Num, LI_Intitule, LI_Adresse, "
            "LI_Ville, LI_Pays) VALUES (:lieu, :client, :intitule, :adresse, :ville, :pays)"),
        lignes);
    lignes.clear();
    std::vector<QVariantList> lignesDoc;
    const int total = commandes + expeditions;
    for (int n = 0; n < total; ++n) {
        const QString piece = QStringLiteral("BC%1").arg(n, 7, 10, QLatin1Char('0'));
        const int lieu = 1 + n % lieux;
        const QString date =
            QDate(2011, 1, 1).addDays(n % 400).toString(Qt::ISODate) + QStringLiteral(" 00:00:00");
        lignes.push_back({piece, date, QStringLiteral("REF %1").arg(n % 997),
                          QStringLiteral("C%1").arg(lieu % clients, 5, 10, QLatin1Char('0')), lieu,
                          date});
        lignesDoc.push_back({piece});
    }
    executerLot(base,
                QStringLiteral("INSERT INTO F_DOCENTETE (DO_Type, DO_Piece, DO_Date, DO_Ref, "
                               "DO_Tiers, LI_No, DO_DateLivr) "
                               "VALUES (1, :piece, :date, :ref, :tiers, :lieu, :livraison)"),
                lignes);
    executerLot(base,
                QStringLiteral("INSERT INTO F_DOCLIGNE (DO_Type, DO_Piece, DL_Ligne, AR_Ref, "
                               "DL_Qte, DL_QtePL) VALUES (1, :piece, 1000, 'ART', 3, 3)"),
                lignesDoc);
    lignes.clear();
    std::vector<QVariantList> lignesListe;
    for (int e = 1; e <= expeditions; ++e) {
        const int n = commandes + e - 1;
        const int lieu = 1 + n % lieux;
        const QString creation = QDateTime::currentDateTime()
                                     .addSecs(-3600LL * (e % 17000))
                                     .toString(db::Dialecte::FormatDateHeure);
        lignes.push_back({e, QStringLiteral("Dépôt %1").arg(lieu), QStringLiteral("Ville"), lieu,
                          creation, e % 3 == 0 ? QVariant(creation) : QVariant()});
        lignesListe.push_back({e, QStringLiteral("BC%1").arg(n, 7, 10, QLatin1Char('0')), lieu});
    }
    executerLot(base,
                QStringLiteral("INSERT INTO Expédition ([No Expédition], [Libellé 1], [Libellé 2], "
                               "[No lieu livraison], [Date création], [Date cloture]) "
                               "VALUES (:exp, :libelle1, :libelle2, :lieu, :creation, :cloture)"),
                lignes);
    executerLot(
        base,
        QStringLiteral("INSERT INTO [Liste commandes] ([No Expédition], "
                       "[No commande SAGE], [No lieu livraison]) VALUES (:exp, :piece, :lieu)"),
        lignesListe);
    transaction.valider();
    base.executerScript(db::TexteSql(QStringLiteral("ANALYZE")));
}

// The query on its own through the data layer: run it and read every field
// of every row.
int requeteSeule(Connexion& cnx, const QString& sql, const QVariantMap& valeurs) {
    db::Requete q = db::Base(&cnx).preparer(db::TexteSql(sql));
    for (auto v = valeurs.cbegin(); v != valeurs.cend(); ++v)
        q.lier(v.key(), v.value());
    int lignes = 0;
    while (q.suivante()) {
        for (int i = 0; i < q.nombreColonnes(); ++i)
            q.valeur(i);
        ++lignes;
    }
    return lignes;
}

// Best of `fois` runs, in milliseconds.
double meilleur(int fois, const std::function<void()>& travail) {
    double mieux = 1e18;
    for (int i = 0; i < fois; ++i) {
        QElapsedTimer chrono;
        chrono.start();
        travail();
        mieux = std::min(mieux, static_cast<double>(chrono.nsecsElapsed()) / 1e6);
    }
    return mieux;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const int commandes = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 50000;
    const int expeditions = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 20000;
    QTextStream sortie(stdout);

    QTemporaryDir dossier;
    PromptsSilencieux prompts;
    FeedbackMuet feedback;
    HorlogeSysteme horloge;
    Contexte ctx(dossier.path(), prompts, feedback, horloge);
    ctx.cnx = std::make_unique<Connexion>(QStringLiteral("Bench"));
    ParametresConnexion p;
    p.moteur = db::Moteur::SQLite;
    p.base = dossier.filePath(QStringLiteral("tarvo.db"));
    ctx.cnx->ouvrir(p, true);
    QElapsedTimer chrono;
    chrono.start();
    db::CreerBaseEmbarquee(*ctx.cnx, false);
    remplirBase(*ctx.cnx, commandes, expeditions);
    sortie << "Base : " << commandes << " commandes disponibles, " << expeditions
           << " expéditions, préparée en " << chrono.elapsed() << " ms\n\n";
    sortie << "| liste | lignes | requête seule (ms) | routine seule (ms) | chargement de la liste "
              "(ms) | rapport chargement / requête |\n"
           << "|---|---|---|---|---|---|\n";

    ListeRapport listeCde(QStringLiteral("ListeCde"), ColonnesListeCde(), true, true);
    ListeRapport listeClient(QStringLiteral("ListeClient"), ColonnesListeClient(), false, true);
    ListeRapport listeExp(QStringLiteral("ListeExp"), ColonnesListeExp(), false, false);
    for (ListeRapport* l : {&listeCde, &listeClient, &listeExp}) {
        l->resize(900, 500);
        l->show();
    }
    const QString depuis =
        horloge.maintenant().addYears(-3).toString(db::Dialecte::FormatDateHeure);
    struct Cas {
        const char* nom;
        QString sql;
        QVariantMap valeurs;
        std::function<db::JeuEnregistrements()> routine;
        ListeRapport* liste;
    };
    const Cas cas[] = {
        {"ListeCde (mode automatique)",
         sql::CommandesDispo.pour(db::Moteur::SQLite),
         {},
         [&] { return ChargeListCde(ctx); },
         &listeCde},
        {"ListeClient (mode manuel)",
         sql::ClientsEnCommande.pour(db::Moteur::SQLite),
         {},
         [&] { return ChargeListClient(ctx); },
         &listeClient},
        {"ListeExp (closes comprises)",
         sql::ListeExpeditions.pour(db::Moteur::SQLite),
         {{QStringLiteral(":depuis"), depuis}, {QStringLiteral(":avecCloses"), 1}},
         [&] { return ChargeListExp(ctx, true); },
         &listeExp},
    };
    // The three timings of a list are taken in turn, best of nine each, so
    // that the other work of the machine weighs on all three alike.
    for (const Cas& c : cas) {
        int lignes = 0;
        double requete = 1e18, routine = 1e18, chargement = 1e18;
        for (int tour = 0; tour < 9; ++tour) {
            requete = std::min(
                requete, meilleur(1, [&] { lignes = requeteSeule(*ctx.cnx, c.sql, c.valeurs); }));
            routine = std::min(routine, meilleur(1, [&] { c.routine(); }));
            // The window's load: the routine, the list filled, the list painted.
            chargement = std::min(chargement, meilleur(1, [&] {
                                      c.liste->remplir(c.routine());
                                      QApplication::processEvents();
                                  }));
        }
        sortie << "| " << c.nom << " | " << lignes << " | " << QString::number(requete, 'f', 1)
               << " | " << QString::number(routine, 'f', 1) << " | "
               << QString::number(chargement, 'f', 1) << " | "
               << QString::number(chargement / requete, 'f', 2) << " |\n";
    }

    sortie << "\n| tri par clic d'en-tête de ListeCde | lignes | durée (ms) |\n|---|---|---|\n";
    const int lignesCde = listeCde.nombreLignes();
    for (int colonne : {0, 1, 2, 4}) {
        const double duree = meilleur(9, [&] {
            listeCde.header()->sectionClicked(colonne);
            QApplication::processEvents();
        });
        sortie << "| colonne « " << ColonnesListeCde().at(colonne).titre << " » | " << lignesCde
               << " | " << QString::number(duree, 'f', 1) << " |\n";
    }
    sortie.flush();
    return 0;
}
