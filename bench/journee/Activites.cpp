#include "Activites.h"

#include "SqlDeTest.h"
#include "base/Erreur.h"
#include "db/Base.h"
#include "db/Connexion.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QVariant>
#include <thread>

namespace journee {
namespace {

// A connection of the calling thread on the day's database.
class Lecture {
public:
    explicit Lecture(const Journee& j) : cnx_(QStringLiteral("journee")) {
        cnx_.ouvrir(j.parametres);
    }

    // The first column of every row; empty when the database is busy.
    QStringList colonne(const QString& requete, const QVariantList& valeurs = {}) {
        QStringList resultat;
        try {
            tarvo::db::Requete q = tarvo::test::preparer(cnx_, requete, valeurs);
            while (q.suivante())
                resultat << q.texte(0);
        } catch (const tarvo::ErreurTarvo&) {
            resultat.clear();
        }
        return resultat;
    }

    bool executer(const QString& requete, const QVariantList& valeurs = {}) {
        try {
            tarvo::test::preparer(cnx_, requete, valeurs).executer();
            return true;
        } catch (const tarvo::ErreurTarvo&) {
            return false;
        }
    }

    tarvo::Connexion& cnx() { return cnx_; }

private:
    tarvo::Connexion cnx_;
};

QString auHasard(QRandomGenerator& alea, const QStringList& liste) {
    return liste.isEmpty() ? QString() : liste[alea.bounded(static_cast<int>(liste.size()))];
}

QStringList quelquesUns(QRandomGenerator& alea, QStringList liste, int combien) {
    QStringList choisis;
    while (!liste.isEmpty() && choisis.size() < combien)
        choisis << liste.takeAt(alea.bounded(static_cast<int>(liste.size())));
    return choisis;
}

const QStringList Etats{QStringLiteral("bon-expedition"), QStringLiteral("liste-articles"),
                        QStringLiteral("controle-codes-barre"), QStringLiteral("controle-articles"),
                        QStringLiteral("colisage")};

const QString ExpeditionsOuvertes =
    QStringLiteral("SELECT [No Expédition] FROM Expédition WHERE [Date cloture] IS NULL");

void actionPoste(Journee& j, Lecture& l, QRandomGenerator& alea, int numero) {
    const int tirage = alea.bounded(100);
    if (tirage < 25) {
        const QStringList commandes =
            quelquesUns(alea, l.colonne(QStringLiteral("SELECT DO_Piece FROM [Commandes Dispo]")),
                        1 + alea.bounded(2));
        if (!commandes.isEmpty())
            j.commande(QStringList{QStringLiteral("creer-expeditions"), QStringLiteral("auto")} +
                       commandes);
    } else if (tirage < 35) {
        const QString lieu =
            auHasard(alea, l.colonne(QStringLiteral("SELECT LI_No FROM [Commandes Dispo]")));
        const QStringList commandes = quelquesUns(
            alea,
            l.colonne(QStringLiteral("SELECT DO_Piece FROM [Commandes Dispo] WHERE LI_No = ?"),
                      {lieu}),
            1 + alea.bounded(3));
        if (!commandes.isEmpty())
            j.commande(QStringList{QStringLiteral("creer-expeditions"), QStringLiteral("manuel")} +
                       commandes);
    } else if (tirage < 45) {
        const QString lieu =
            auHasard(alea, l.colonne(QStringLiteral("SELECT LI_No FROM [Commandes Dispo]")));
        const QString expedition = auHasard(
            alea, l.colonne(ExpeditionsOuvertes + QStringLiteral(" AND [No lieu livraison] = ?"),
                            {lieu}));
        const QStringList commandes = quelquesUns(
            alea,
            l.colonne(QStringLiteral("SELECT DO_Piece FROM [Commandes Dispo] WHERE LI_No = ?"),
                      {lieu}),
            1 + alea.bounded(2));
        if (!expedition.isEmpty() && !commandes.isEmpty())
            j.commande(QStringList{QStringLiteral("ajouter-commandes"), expedition} + commandes);
    } else if (tirage < 55) {
        // Labels need the expected parcel count that the modification window sets.
        const QString expedition =
            auHasard(alea, l.colonne(ExpeditionsOuvertes +
                                     QStringLiteral(" AND [Nbr colis théorique] > 0")));
        if (!expedition.isEmpty())
            j.commande({QStringLiteral("etiquettes-colis"), expedition, QStringLiteral("1"),
                        QString::number(1 + alea.bounded(4))});
    } else if (tirage < 60) {
        const std::vector<QByteArray> articles = j.catalogue.articles();
        if (!articles.empty())
            j.commande({QStringLiteral("etiquette-article"),
                        QString::fromLatin1(articles[static_cast<size_t>(
                            alea.bounded(static_cast<int>(articles.size())))]),
                        QString::number(1 + alea.bounded(3))});
    } else if (tirage < 80) {
        const QString expedition = auHasard(alea, l.colonne(ExpeditionsOuvertes));
        if (!expedition.isEmpty())
            j.commande({QStringLiteral("edition"), auHasard(alea, Etats), expedition,
                        QStringLiteral("--pdf"),
                        j.dossier.chemin(QStringLiteral("editions/poste%1.pdf").arg(numero))});
    } else if (tirage < 90) {
        j.commande({QStringLiteral("fichier-expedition")});
    } else if (tirage < 95) {
        j.commande({QStringLiteral("fichier-article")});
    } else {
        const QString commande = auHasard(
            alea, l.colonne(QStringLiteral("SELECT [No commande SAGE] FROM [Liste commandes]")));
        if (!commande.isEmpty())
            j.commande({QStringLiteral("recherche"), commande});
    }
}

// A new order shaped like one of the demo orders, under a number of its own.
void nouvelleCommande(Lecture& l, const QString& modele, const QString& numero) {
    tarvo::db::Base base(&l.cnx());
    try {
        base.commencer();
    } catch (const tarvo::ErreurTarvo&) {
        return;
    }
    const bool fait =
        l.executer(
            QStringLiteral(
                "INSERT INTO F_DOCENTETE (DO_Domaine, DO_Type, DO_Piece, DO_Date, DO_Ref, "
                "DO_Tiers, LI_No, DO_DateLivr, DO_Langue, DO_Statut, DO_Expedit, DO_TotalHT) "
                "SELECT DO_Domaine, DO_Type, ?, DO_Date, DO_Ref, DO_Tiers, LI_No, "
                "DO_DateLivr, DO_Langue, DO_Statut, DO_Expedit, DO_TotalHT "
                "FROM F_DOCENTETE WHERE DO_Domaine = 0 AND DO_Type = 1 AND DO_Piece = ?"),
            {numero, modele}) &&
        l.executer(
            QStringLiteral(
                "INSERT INTO F_DOCLIGNE (DO_Domaine, DO_Type, CT_Num, DO_Piece, DO_Date, DO_Ref, "
                "DL_Ligne, AR_Ref, DL_Design, DL_Qte, DL_QteBC, DL_QteBL, DL_QtePL, "
                "DL_PrixUnitaire, DL_MontantHT, AG_No1, AG_No2, AR_RefCompose) "
                "SELECT DO_Domaine, DO_Type, CT_Num, ?, DO_Date, DO_Ref, DL_Ligne, AR_Ref, "
                "DL_Design, DL_Qte, DL_QteBC, 0, DL_Qte, DL_PrixUnitaire, DL_MontantHT, AG_No1, "
                "AG_No2, AR_RefCompose FROM F_DOCLIGNE "
                "WHERE DO_Domaine = 0 AND DO_Type = 1 AND DO_Piece = ?"),
            {numero, modele});
    if (!fait) {
        base.annuler();
        return;
    }
    try {
        base.valider();
    } catch (const tarvo::ErreurTarvo&) {
        base.annuler();
    }
}

std::vector<qint32> nombres(const QStringList& textes) {
    std::vector<qint32> n;
    for (const QString& t : textes)
        n.push_back(t.toInt());
    return n;
}

} // namespace

void poste(Journee& j, int numero, quint64 graine) {
    QRandomGenerator alea(static_cast<quint32>(graine));
    Lecture l(j);
    while (j.attendre(100 + alea.bounded(500)))
        actionPoste(j, l, alea, numero);
}

void integrations(Journee& j, quint64 graine) {
    QRandomGenerator alea(static_cast<quint32>(graine));
    while (j.attendre(2000 + alea.bounded(2000))) {
        std::thread autre([&j] { j.commande({QStringLiteral("integration")}); });
        j.commande({QStringLiteral("integration")});
        autre.join();
    }
}

void synchronisations(Journee& j, quint64 graine) {
    QRandomGenerator alea(static_cast<quint32>(graine));
    while (j.attendre(5000 + alea.bounded(10000))) {
        switch (alea.bounded(3)) {
        case 0:
            j.commande({QStringLiteral("synchroniser-articles")});
            break;
        case 1:
            j.commande({QStringLiteral("export-journal"),
                        j.dossier.chemin(QStringLiteral("exports/journal.csv"))});
            break;
        default:
            j.commande({QStringLiteral("export-articles"),
                        j.dossier.chemin(QStringLiteral("exports/articles.csv"))});
        }
    }
}

// The answers of a bench run that are entries: not the opening of the
// shipment, nor the choice of a parcel.
qint64 saisiesAcceptees(const QByteArray& sortie) {
    static const QRegularExpression choixColis(QStringLiteral("^accepté : Colis \\d+\\.$"));
    qint64 n = 0;
    for (const QString& ligne : QString::fromUtf8(sortie).split(u'\n'))
        if (ligne.startsWith(QStringLiteral("accepté : ")) &&
            !ligne.startsWith(QStringLiteral("accepté : Expédition N° ")) &&
            !choixColis.match(ligne).hasMatch())
            ++n;
    return n;
}

void banc(Journee& j, quint64 graine) {
    QRandomGenerator alea(static_cast<quint32>(graine));
    Lecture l(j);
    const QString scans = j.dossier.chemin(QStringLiteral("banc.txt"));
    const auto colis = [&alea] {
        return QStringLiteral("COLIS:%1").arg(PremierColisBanc + alea.bounded(10));
    };
    while (j.attendre(1000 + alea.bounded(2000))) {
        const std::vector<qint32> ouvertes = j.catalogue.expeditions();
        if (ouvertes.empty())
            continue;
        const qint32 n =
            ouvertes[static_cast<std::size_t>(alea.bounded(static_cast<int>(ouvertes.size())))];
        const QStringList commandees = l.colonne(
            QStringLiteral("SELECT V.CodeBarre FROM [Liste commandes] LC "
                           "JOIN F_DOCLIGNE D ON D.DO_Piece = LC.[No commande SAGE] "
                           "JOIN V_ARTICLE V ON V.AR_Ref = D.AR_Ref AND V.AG_No = D.AG_No1 "
                           "WHERE LC.[No Expédition] = ? AND V.CodeBarre <> ''"),
            {n});
        const std::vector<QByteArray> articles = j.catalogue.articles();
        // The parcel first: the bench opens the shipment on the terminals' last one.
        QStringList lignes{colis()};
        for (int i = 0, fois = 2 + alea.bounded(8); i < fois; ++i) {
            const int tirage = alea.bounded(10);
            if (tirage < 6 && !commandees.isEmpty())
                lignes << auHasard(alea, commandees);
            else if (tirage < 7 && !articles.empty())
                lignes << QString::fromLatin1(articles[static_cast<std::size_t>(
                    alea.bounded(static_cast<int>(articles.size())))]);
            else if (tirage < 8)
                lignes << QStringLiteral("POIDS:%1,%2")
                              .arg(1 + alea.bounded(20))
                              .arg(alea.bounded(10));
            else if (tirage < 9)
                lignes << QStringLiteral("ANNULER");
            else
                lignes << colis();
        }
        QFile f(scans);
        const QByteArray texte = (lignes.join(u'\n') + u'\n').toUtf8();
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(texte) != texte.size() ||
            !f.flush())
            qFatal("Impossible d'écrire %s", qPrintable(scans));
        f.close();
        const Issue issue = j.commande({QStringLiteral("colisage"), QString::number(n)}, scans);
        j.saisiesBanc += saisiesAcceptees(issue.sortie);
        if (issue.tueParNous || issue.bloque || issue.signal != 0)
            ++j.bancsTues;
    }
}

void sage(Journee& j, quint64 graine) {
    QRandomGenerator alea(static_cast<quint32>(graine));
    Lecture l(j);
    const QStringList modeles = l.colonne(QStringLiteral(
        "SELECT DISTINCT DO_Piece FROM F_DOCLIGNE WHERE DO_Domaine = 0 AND DO_Type = 1 "
        "AND DL_QtePL > 0"));
    int numero = 0;
    do {
        const std::vector<qint32> ouvertes = nombres(l.colonne(ExpeditionsOuvertes));
        if (!ouvertes.empty())
            j.catalogue.fixerExpeditions(ouvertes);
        if (!modeles.isEmpty() && alea.bounded(2) == 0)
            nouvelleCommande(l, auHasard(alea, modeles),
                             QStringLiteral("BJ%1").arg(++numero, 6, 10, QChar(u'0')));
    } while (j.attendre(1000));
}

void tueur(Journee& j, quint64 graine, std::atomic<int>& tues) {
    QRandomGenerator alea(static_cast<quint32>(graine));
    while (j.attendre(2000 + alea.bounded(4000)))
        if (!j.lanceur.tuerAuHasard(alea).isEmpty())
            ++tues;
}

void chargerArticles(Journee& j) {
    Lecture l(j);
    std::vector<QByteArray> codes;
    for (const QString& c : l.colonne(j.sql(
             tarvo::db::TexteSql(QStringLiteral("SELECT [Code barres Article] FROM Article WHERE "
                                                "length([Code barres Article]) = 13 "
                                                "AND [Code barres Article] NOT GLOB '*[^0-9]*'"),
                                 QStringLiteral("SELECT [Code barres Article] FROM Article WHERE "
                                                "LEN([Code barres Article]) = 13 "
                                                "AND [Code barres Article] NOT LIKE '%[^0-9]%'")))))
        codes.push_back(c.toLatin1());
    j.catalogue.fixerArticles(codes);
    j.catalogue.fixerExpeditions(nombres(l.colonne(ExpeditionsOuvertes)));
}

} // namespace journee
