#include "OutilsTerminal.h"

#include "db/Connexion.h"

#include <QDateTime>
#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tarvo::test {

QStringList lignes(const BaseDeTest& t, const db::TexteSql& requete) {
    return lignes(*t.ctx->cnx, requete.pour(t.ctx->cnx->moteur()));
}

void ajouterExpedition(Connexion& db, qint64 numero, const QVariant& libelle1,
                       const QVariant& libelle2, int colis, bool cloturee) {
    sql(db,
        u"INSERT INTO Expédition ([No Expédition], [Libellé 1], [Libellé 2], "
        "[Nbr colis théorique], [Date cloture]) VALUES (?, ?, ?, ?, ?)"_s,
        {numero, libelle1, libelle2, colis,
         cloturee ? QVariant(u"2012-04-18 10:00:00"_s) : QVariant()});
}

void ajouterArticle(Connexion& db, const QString& code, const QVariant& libelle) {
    sql(db,
        u"INSERT INTO Article ([Code barres Article], Libellé, lib_art_couleur) "
        "VALUES (?, ?, ?)"_s,
        {code, u"libellé"_s, libelle});
}

QByteArray ligneTerminal(std::initializer_list<std::pair<int, QByteArray>> champs,
                         const QByteArray& code) {
    QByteArray ligne;
    for (const auto& [colonne, texte] : champs) {
        const qsizetype fin = colonne - 1 + texte.size();
        if (ligne.size() < fin)
            ligne.append(fin - ligne.size(), ' ');
        ligne.replace(colonne - 1, texte.size(), texte);
    }
    return ligne + ',' + code;
}

namespace {

QByteArray gauche(qint64 n, int largeur) {
    return QByteArray::number(n).rightJustified(largeur, ' ');
}

} // namespace

QByteArray ligneXA(int exp, int colis, const QByteArray& date, const QByteArray& heure,
                   const QByteArray& code, int quantite) {
    return ligneTerminal({{1, "EXP:"},
                          {5, gauche(exp, 6)},
                          {11, ",COLIS:"},
                          {18, gauche(colis, 3)},
                          {21, ",,"},
                          {23, date},
                          {33, ","},
                          {34, heure},
                          {42, ","},
                          {43, code},
                          {56, ","},
                          {57, gauche(quantite, 3)}},
                         "{EXPXA}");
}

QByteArray ligneFA(int exp, int colis, const QByteArray& date, const QByteArray& heure,
                   const QByteArray& code, int quantite) {
    return ligneTerminal({{1, "EXP:"},
                          {5, gauche(exp, 6)},
                          {11, ",COLIS:"},
                          {19, QByteArray::number(colis).rightJustified(2, '0')},
                          {21, ","},
                          {22, date},
                          {32, ","},
                          {33, heure},
                          {41, ","},
                          {42, code},
                          {55, ","},
                          {56, gauche(quantite, 3)}},
                         "{EXPFA}");
}

QByteArray ligneFP(int exp, int colis, const QByteArray& date, const QByteArray& heure,
                   const QByteArray& poids) {
    return ligneTerminal({{1, "EXP:"},
                          {5, gauche(exp, 6)},
                          {11, ",,"},
                          {13, date},
                          {23, ","},
                          {24, heure},
                          {32, ",COLIS:"},
                          {39, QByteArray::number(colis).rightJustified(2, '0')},
                          {41, ","},
                          {42, poids}},
                         "{EXPFP}");
}

QByteArray ligneXP(int exp, int colis, const QByteArray& date, const QByteArray& heure,
                   const QByteArray& poids) {
    return ligneTerminal({{1, date},
                          {11, ","},
                          {12, heure},
                          {20, ",EXP:"},
                          {25, gauche(exp, 6)},
                          {31, ",COLIS:"},
                          {38, gauche(colis, 3)},
                          {41, ","},
                          {42, poids}},
                         "{EXPXP}");
}

QByteArray ligneSA(int exp, const QByteArray& colis, const QByteArray& date,
                   const QByteArray& heure, const QByteArray& code, int quantite) {
    return ligneTerminal({{1, "EXP:"},
                          {5, gauche(exp, 6)},
                          {11, ",COLIS:"},
                          {18, colis},
                          {21, ",,"},
                          {23, date},
                          {33, ","},
                          {34, heure},
                          {42, ","},
                          {43, code + ',' + QByteArray::number(quantite)}},
                         "{EXPSA}");
}

QByteArray fichier(const QList<QByteArray>& lignes) {
    QByteArray contenu;
    for (const QByteArray& l : lignes)
        contenu += l + "\r\n";
    return contenu;
}

void ecrireData(const BaseDeTest& t, const QList<QByteArray>& lignes,
                const QDateTime& modification) {
    const QString nom = u"terminal/DATA.TXT"_s;
    t.ecrireFichier(nom, fichier(lignes));
    QFile f(t.chemin(nom));
    if (!f.open(QIODevice::Append) ||
        !f.setFileTime(modification, QFileDevice::FileModificationTime))
        qFatal("Date du fichier de données non réglée");
}

} // namespace tarvo::test
