#include "Controles.h"

#include "Activites.h"
#include "Ecarts.h"
#include "SqlDeTest.h"
#include "TotauxColisage.h"
#include "db/Connexion.h"
#include "db/Dialecte.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QVariant>

namespace journee {
namespace {

constexpr int Exemples = 5;

class Base {
public:
    explicit Base(const Journee& j) : cnx_(QStringLiteral("controle")), j_(j) {
        cnx_.ouvrir(j.parametres);
    }
    QString sql(const QString& sqlite, const QString& serveur) const {
        return j_.sql(tarvo::db::TexteSql(sqlite, serveur));
    }
    bool surServeur() const { return j_.surServeur(); }
    // The rows of a query; a failure ends the program, the checks cannot go on.
    QList<QVariantList> lignes(const QString& requete, const QVariantList& valeurs = {}) const {
        QList<QVariantList> resultat = tarvo::test::rangees(cnx_, requete, valeurs);
        // The server's moments read as the embedded file's text.
        for (QVariantList& l : resultat)
            for (QVariant& v : l)
                if (v.typeId() == QMetaType::QDateTime && !v.isNull())
                    v = v.toDateTime().toString(tarvo::db::Dialecte::FormatDateHeure);
        return resultat;
    }

private:
    // Reading through a statement moves the connection's state, not the
    // checks' view of the day.
    mutable tarvo::Connexion cnx_;
    const Journee& j_;
};

std::optional<QString> texteOuNul(const QVariant& v) {
    return v.isNull() ? std::nullopt : std::optional<QString>(v.toString());
}

EtatColis lireEtat(const Base& b) {
    EtatColis e;
    for (const QVariantList& l : b.lignes(QStringLiteral(
             "SELECT [No Expédition], [No Colis], [Poids colis], [Date mise à jour] FROM Colis")))
        e.colis[{l[0].toInt(), l[1].toInt()}] = {
            l[2].isNull() ? std::nullopt : std::optional<double>(l[2].toDouble()),
            texteOuNul(l[3])};
    for (const QVariantList& l :
         b.lignes(QStringLiteral("SELECT [No Expédition], [No Colis], [Code barres Article], "
                                 "[Quantité], [Date mise à jour] FROM Colisage")))
        e.colisage[{l[0].toInt(), l[1].toInt(), l[2].toString()}] = {l[3].toLongLong(),
                                                                     texteOuNul(l[4])};
    return e;
}

QList<EntreeJournal> lireJournal(const Base& b, qint64 depuis) {
    QList<EntreeJournal> entrees;
    for (const QVariantList& l :
         b.lignes(b.sql(QStringLiteral("SELECT [Code type ligne], [No Expédition], [No Colis], "
                                       "[Code barres Article], [Poids colis], [Quantité], "
                                       "[Date saisie] FROM [Journal de saisie] WHERE rowid > ? "
                                       "ORDER BY rowid"),
                        QStringLiteral("SELECT [Code type ligne], [No Expédition], [No Colis], "
                                       "[Code barres Article], [Poids colis], [Quantité], "
                                       "[Date saisie] FROM [Journal de saisie] "
                                       "WHERE [Id saisie] > ? ORDER BY [Id saisie]")),
                  {depuis}))
        entrees << EntreeJournal{l[0].toString(), l[1].toInt(), l[2].toString(), l[3].toString(),
                                 l[4].toDouble(), l[5].toInt(), l[6].toString()};
    return entrees;
}

void exemples(Verdict& v, const QString& titre, const QList<QByteArray>& lignes) {
    if (lignes.isEmpty())
        return;
    v.reussi = false;
    v.details << QStringLiteral("%1 : %2").arg(titre).arg(lignes.size());
    for (qsizetype i = 0; i < std::min<qsizetype>(Exemples, lignes.size()); ++i)
        v.details << QStringLiteral("    %1").arg(QString::fromLatin1(lignes[i]));
}

// What the journal row should hold for the line.
QString ecartChamps(const Saisie& s, const EntreeJournal& e) {
    const bool poids = s.type == TypeSaisie::PoidsF || s.type == TypeSaisie::PoidsX;
    QStringList ecarts;
    if (e.codeType != codeType(s.type))
        ecarts << QStringLiteral("type %1").arg(e.codeType);
    if (e.expedition != s.expedition)
        ecarts << QStringLiteral("expédition %1").arg(e.expedition);
    if (e.colis.trimmed() != QString::fromLatin1(s.colis))
        ecarts << QStringLiteral("colis « %1 »").arg(e.colis);
    if (!poids && e.codeBarres != QString::fromLatin1(s.codeBarres))
        ecarts << QStringLiteral("code barres %1").arg(e.codeBarres);
    if (!poids && e.quantite != s.quantite)
        ecarts << QStringLiteral("quantité %1").arg(e.quantite);
    if (poids && e.poids != s.poids.toDouble())
        ecarts << QStringLiteral("poids %1").arg(e.poids);
    return ecarts.join(QStringLiteral(", "));
}

Verdict controlerJournal(const QList<LigneEcrite>& ecrites, const QList<EntreeJournal>& journal,
                         qint64& journalisees) {
    Verdict v(QStringLiteral("Chaque ligne écrite par un terminal est journalisée une fois"));
    QHash<QString, QList<qsizetype>> parMoment;
    for (qsizetype i = 0; i < journal.size(); ++i)
        parMoment[journal[i].moment] << i;
    QList<QByteArray> perdues, doubles, differentes;
    // Per download: lines written, lines lost, first and last lost rank.
    struct Pertes {
        int ecrites = 0;
        int perdues = 0;
        int premiere = 0;
        int derniere = 0;
    };
    std::map<std::pair<int, int>, Pertes> parTelechargement;
    journalisees = 0;
    for (const LigneEcrite& l : ecrites) {
        Pertes& t = parTelechargement[{l.terminal, l.telechargement}];
        ++t.ecrites;
        const QList<qsizetype> rangs = parMoment.take(l.saisie.moment);
        if (rangs.isEmpty()) {
            perdues << l.ligne;
            if (t.perdues++ == 0)
                t.premiere = l.rang;
            t.derniere = l.rang;
            continue;
        }
        ++journalisees;
        if (rangs.size() > 1)
            doubles << QByteArray::number(rangs.size()) + " fois : " + l.ligne;
        const QString ecart = ecartChamps(l.saisie, journal[rangs.first()]);
        if (!ecart.isEmpty())
            differentes << l.ligne + " -> " + ecart.toUtf8();
    }
    QList<QByteArray> inconnues;
    for (auto it = parMoment.cbegin(); it != parMoment.cend(); ++it)
        inconnues << it.key().toLatin1();
    v.details << QStringLiteral("%1 lignes écrites, %2 lignes de journal nouvelles")
                     .arg(ecrites.size())
                     .arg(journal.size());
    exemples(v, QStringLiteral("Lignes perdues (absentes du journal)"), perdues);
    QStringList touches;
    for (const auto& [cle, t] : parTelechargement)
        if (t.perdues > 0)
            touches << QStringLiteral("    terminal %1, téléchargement %2 : %3 lignes perdues sur "
                                      "%4 écrites, de la ligne %5 à la ligne %6")
                           .arg(cle.first)
                           .arg(cle.second)
                           .arg(t.perdues)
                           .arg(t.ecrites)
                           .arg(t.premiere)
                           .arg(t.derniere);
    if (!touches.isEmpty())
        v.details << QStringLiteral("Téléchargements (fichier tenu ouvert) qui ont perdu des "
                                    "lignes : %1 sur %2")
                         .arg(touches.size())
                         .arg(parTelechargement.size())
                  << touches.mid(0, Exemples);
    exemples(v, QStringLiteral("Lignes journalisées plusieurs fois"), doubles);
    exemples(v, QStringLiteral("Lignes journalisées avec d'autres valeurs"), differentes);
    exemples(v, QStringLiteral("Lignes de journal qu'aucun terminal n'a écrites (date de saisie)"),
             inconnues);
    return v;
}

bool duBanc(const EntreeJournal& e) {
    bool nombre = false;
    return e.colis.trimmed().toInt(&nombre) >= PremierColisBanc && nombre;
}

// Every entry the bench answered as accepted is in the journal; a killed
// run may also have committed one it did not get to answer.
Verdict controlerBanc(const Journee& j, const QList<EntreeJournal>& journal) {
    Verdict v(QStringLiteral("Chaque saisie acceptée au poste de colisage est journalisée"));
    const qint64 lues = std::count_if(journal.begin(), journal.end(), duBanc);
    const qint64 acceptees = j.saisiesBanc;
    v.details << QStringLiteral("%1 saisies acceptées, %2 lignes de journal du banc, %3 "
                                "passages du banc arrêtés")
                     .arg(acceptees)
                     .arg(lues)
                     .arg(j.bancsTues.load());
    v.reussi = acceptees <= lues && lues <= acceptees + j.bancsTues;
    return v;
}

Verdict controlerDossierTerminal(const Journee& j, QStringList& restes) {
    Verdict v(QStringLiteral("Rien n'attend dans le dossier des terminaux"));
    const QStringList attendus{QStringLiteral("ARTICLE.TXT"), QStringLiteral("EXPEDITION.TXT")};
    const QString data = QFileInfo(j.dossier.data).fileName();
    for (const QFileInfo& f : QDir(j.dossier.terminal).entryInfoList(QDir::Files | QDir::Hidden)) {
        if (attendus.contains(f.fileName()))
            continue;
        if (f.fileName().startsWith(data)) {
            v.reussi = false;
            v.details << QStringLiteral("%1 (%2 octets)").arg(f.fileName()).arg(f.size());
        } else {
            restes << QStringLiteral("terminal/") + f.fileName();
        }
    }
    return v;
}

Verdict controlerArchives(const Journee& j, const QList<LigneEcrite>& ecrites, qint64 octets,
                          const QList<EntreeJournal>& journal, QStringList& restes) {
    Verdict v(QStringLiteral("Les archives tiennent exactement les octets journalisés"));
    QList<QByteArray> archivees;
    qint64 octetsArchives = 0;
    int fichiers = 0;
    for (const QFileInfo& f :
         QDir(j.dossier.archive).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
        if (!f.fileName().startsWith(QStringLiteral("Intégration du ")) ||
            !f.fileName().endsWith(QStringLiteral(".txt"))) {
            restes << QStringLiteral("archive/") + f.fileName();
            continue;
        }
        QFile fichier(f.filePath());
        if (!fichier.open(QIODevice::ReadOnly))
            qFatal("Archive illisible : %s", qPrintable(f.filePath()));
        const QByteArray contenu = fichier.readAll();
        ++fichiers;
        octetsArchives += contenu.size();
        if (!contenu.isEmpty() && !contenu.endsWith("\r\n"))
            v.details << QStringLiteral("%1 ne finit pas par CR LF").arg(f.fileName());
        archivees << decouperLignes(contenu);
    }
    QList<QByteArray> lignes;
    QHash<QByteArray, QString> moments;
    for (const LigneEcrite& l : ecrites) {
        lignes << l.ligne;
        moments.insert(l.ligne, l.saisie.moment);
    }
    v.details << QStringLiteral("%1 archives, %2 octets ; %3 octets écrits par les terminaux")
                     .arg(fichiers)
                     .arg(octetsArchives)
                     .arg(octets);
    if (octetsArchives != octets)
        v.reussi = false;
    const Ecarts e = comparer(lignes, archivees);
    exemples(v, QStringLiteral("Lignes écrites absentes des archives"), e.manquantes);
    exemples(v, QStringLiteral("Lignes archivées plusieurs fois"), e.enDouble);
    exemples(v, QStringLiteral("Lignes archivées qu'aucun terminal n'a écrites"), e.inconnues);

    QSet<QString> journalises;
    for (const EntreeJournal& en : journal)
        journalises.insert(en.moment);
    QSet<QString> archives;
    QList<QByteArray> nonJournalisees;
    for (const QByteArray& l : archivees) {
        const QString m = moments.value(l);
        archives.insert(m);
        if (!m.isEmpty() && !journalises.contains(m))
            nonJournalisees << l;
    }
    QList<QByteArray> nonArchivees;
    for (const LigneEcrite& l : ecrites)
        if (journalises.contains(l.saisie.moment) && !archives.contains(l.saisie.moment))
            nonArchivees << l.ligne;
    exemples(v, QStringLiteral("Lignes archivées mais pas journalisées"), nonJournalisees);
    exemples(v, QStringLiteral("Lignes journalisées mais pas archivées"), nonArchivees);
    return v;
}

Verdict controlerCommandes(const Base& b) {
    Verdict v(QStringLiteral("Aucune commande n'est dans deux expéditions"));
    const auto doubles = b.lignes(b.sql(
        QStringLiteral("SELECT [No commande SAGE], COUNT(*), GROUP_CONCAT([No Expédition], ', ') "
                       "FROM [Liste commandes] GROUP BY [No commande SAGE] HAVING COUNT(*) > 1"),
        QStringLiteral("SELECT [No commande SAGE], COUNT(*), MIN([No Expédition]), "
                       "MAX([No Expédition]) FROM [Liste commandes] GROUP BY [No commande SAGE] "
                       "HAVING COUNT(*) > 1")));
    const auto total = b.lignes(
        QStringLiteral("SELECT COUNT(*), COUNT(DISTINCT [No Expédition]) FROM [Liste commandes]"));
    v.details << QStringLiteral("%1 commandes rattachées à %2 expéditions")
                     .arg(total[0][0].toLongLong())
                     .arg(total[0][1].toLongLong());
    if (!doubles.isEmpty()) {
        v.reussi = false;
        v.details << QStringLiteral("Commandes rattachées plusieurs fois : %1").arg(doubles.size());
        for (qsizetype i = 0; i < std::min<qsizetype>(Exemples, doubles.size()); ++i)
            v.details << QStringLiteral("    %1 : %2 fois, expéditions %3")
                             .arg(doubles[i][0].toString())
                             .arg(doubles[i][1].toLongLong())
                             .arg(doubles[i][2].toString());
    }
    return v;
}

Verdict controlerColisage(const Base& b, const Depart& depart,
                          const QList<EntreeJournal>& journal) {
    Verdict v(QStringLiteral("Colis et Colisage sont ce que le journal implique"));
    QHash<qint32, bool> ouvertes;
    for (const QVariantList& l :
         b.lignes(QStringLiteral("SELECT [No Expédition], CASE WHEN [Date cloture] IS NULL THEN 1 "
                                 "ELSE 0 END FROM Expédition")))
        ouvertes.insert(l[0].toInt(), l[1].toBool());
    const Fermee fermee = [&](qint32 n) { return !ouvertes.value(n, false); };
    EtatColis attendu = depart.etat;
    for (const EntreeJournal& e : journal)
        appliquer(attendu, e, fermee);
    qsizetype total = 0;
    const QStringList ecarts = differences(attendu, lireEtat(b), Exemples, total);
    v.details << QStringLiteral("%1 colis et %2 lignes de colisage attendus")
                     .arg(attendu.colis.size())
                     .arg(attendu.colisage.size());
    if (total > 0) {
        v.reussi = false;
        v.details << QStringLiteral("Lignes différentes : %1").arg(total);
        for (const QString& t : ecarts)
            v.details << QStringLiteral("    ") + t;
    }
    return v;
}

Verdict controlerEdition(Journee& j, const Base& b) {
    Verdict v(QStringLiteral("La liste de colisage donne les totaux de la base"));
    const auto expeditions = b.lignes(
        b.sql(QStringLiteral("SELECT [No Expédition] FROM Colis GROUP BY [No Expédition] "
                             "ORDER BY COUNT(*) DESC, [No Expédition] LIMIT 3"),
              QStringLiteral("SELECT TOP (3) [No Expédition] FROM Colis GROUP BY [No Expédition] "
                             "ORDER BY COUNT(*) DESC, [No Expédition]")));
    for (const QVariantList& e : expeditions) {
        const qint32 exp = e[0].toInt();
        const QString pdf = j.dossier.chemin(QStringLiteral("editions/controle-%1.pdf").arg(exp));
        const Issue edition = j.commande({QStringLiteral("edition"), QStringLiteral("colisage"),
                                          QString::number(exp), QStringLiteral("--pdf"), pdf});
        if (edition.statut != 0) {
            v.reussi = false;
            v.details << QStringLiteral("Expédition %1 : l'édition échoue : %2")
                             .arg(exp)
                             .arg(QString::fromUtf8(edition.erreurs).trimmed());
            continue;
        }
        const Issue texte = j.lanceur.executer(
            QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        if (texte.statut != 0) {
            v.reussi = false;
            v.details << QStringLiteral("pdftotext ne lit pas %1").arg(pdf);
            continue;
        }
        TotauxColisage attendu;
        for (const QVariantList& c :
             b.lignes(QStringLiteral("SELECT C.[No Colis], (SELECT COALESCE(SUM(G.[Quantité]), 0) "
                                     "FROM Colisage G WHERE G.[No Expédition] = C.[No Expédition] "
                                     "AND G.[No Colis] = C.[No Colis]) FROM Colis C "
                                     "WHERE C.[No Expédition] = ? ORDER BY C.[No Colis]"),
                      {exp}))
            attendu.colis.append({c[0].toInt(), c[1].toLongLong()});
        attendu.nombreColis = static_cast<int>(attendu.colis.size());
        const TotauxColisage lu = lireTotauxColisage(QString::fromUtf8(texte.sortie));
        auto decrire = [](const TotauxColisage& t) {
            QStringList morceaux;
            for (const auto& [colis, total] : t.colis)
                morceaux << QStringLiteral("%1:%2").arg(colis).arg(total);
            return QStringLiteral("%1 colis [%2]").arg(t.nombreColis).arg(morceaux.join(u' '));
        };
        if (lu == attendu) {
            v.details << QStringLiteral("Expédition %1 : %2").arg(exp).arg(decrire(lu));
        } else {
            v.reussi = false;
            v.details << QStringLiteral("Expédition %1 : la base donne %2, l'édition %3")
                             .arg(exp)
                             .arg(decrire(attendu), decrire(lu));
        }
    }
    return v;
}

Verdict controlerIntegrite(const Base& b) {
    Verdict v(QStringLiteral("PRAGMA integrity_check"));
    // The server keeps its own files; the test engine has no DBCC CHECKDB.
    if (b.surServeur()) {
        v.details << QStringLiteral("sans objet sur le serveur");
        return v;
    }
    for (const QVariantList& l : b.lignes(QStringLiteral("PRAGMA integrity_check")))
        if (l[0].toString() != QStringLiteral("ok")) {
            v.reussi = false;
            v.details << l[0].toString();
        }
    return v;
}

Verdict controlerProcessus(const Journee& j, const Terminaux& terminaux) {
    Verdict v(QStringLiteral("Aucun processus ne s'est planté"));
    for (const QString& a : j.registre.anomalies() + terminaux.erreurs()) {
        v.reussi = false;
        v.details << a;
    }
    return v;
}

} // namespace

Depart lireDepart(const Journee& j) {
    const Base b(j);
    return {lireEtat(b),
            b.lignes(b.sql(QStringLiteral("SELECT IFNULL(MAX(rowid), 0) FROM [Journal de saisie]"),
                           QStringLiteral("SELECT COALESCE(MAX([Id saisie]), 0) "
                                          "FROM [Journal de saisie]")))[0][0]
                .toLongLong()};
}

Bilan controler(Journee& j, const Terminaux& terminaux, const Depart& depart) {
    const Base b(j);
    const QList<LigneEcrite> ecrites = terminaux.lignes();
    const QList<EntreeJournal> journal = lireJournal(b, depart.dernierJournal);
    QList<EntreeJournal> desTerminaux;
    std::copy_if(journal.begin(), journal.end(), std::back_inserter(desTerminaux),
                 [](const EntreeJournal& e) { return !duBanc(e); });
    Bilan bilan;
    QStringList restes;
    bilan.verdicts << controlerJournal(ecrites, desTerminaux, bilan.lignesJournalisees)
                   << controlerBanc(j, journal) << controlerDossierTerminal(j, restes)
                   << controlerArchives(j, ecrites, terminaux.octets(), desTerminaux, restes)
                   << controlerCommandes(b) << controlerColisage(b, depart, journal)
                   << controlerEdition(j, b) << controlerIntegrite(b)
                   << controlerProcessus(j, terminaux);
    if (!restes.isEmpty())
        bilan.verdicts << Verdict(QStringLiteral("Fichiers laissés par des processus arrêtés "
                                                 "(information)"),
                                  true, restes);
    return bilan;
}

} // namespace journee
