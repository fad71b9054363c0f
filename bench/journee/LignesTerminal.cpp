#include "LignesTerminal.h"

#include <QDateTime>
#include <initializer_list>
#include <utility>

namespace journee {
namespace {

// Spaces, then each field's text at its 1-based column, then the type code
// after a comma.
QByteArray placer(std::initializer_list<std::pair<int, QByteArray>> champs, const QString& code) {
    QByteArray ligne;
    for (const auto& [colonne, texte] : champs) {
        const qsizetype fin = colonne - 1 + texte.size();
        if (ligne.size() < fin)
            ligne.append(fin - ligne.size(), ' ');
        ligne.replace(colonne - 1, texte.size(), texte);
    }
    return ligne + ',' + code.toLatin1();
}

QByteArray droite(const QByteArray& texte, int largeur, char remplissage = ' ') {
    return texte.rightJustified(largeur, remplissage, true);
}

} // namespace

QString codeType(TypeSaisie type) {
    switch (type) {
    case TypeSaisie::ArticleF:
        return QStringLiteral("{EXPFA}");
    case TypeSaisie::ArticleX:
        return QStringLiteral("{EXPXA}");
    case TypeSaisie::PoidsF:
        return QStringLiteral("{EXPFP}");
    case TypeSaisie::PoidsX:
        return QStringLiteral("{EXPXP}");
    case TypeSaisie::Retrait:
        break;
    }
    return QStringLiteral("{EXPSA}");
}

QByteArray ligneTerminal(const Saisie& s) {
    const QByteArray exp = droite(QByteArray::number(s.expedition), 6);
    const QByteArray date = s.moment.left(10).toLatin1();
    const QByteArray heure = s.moment.mid(11, 8).toLatin1();
    const QByteArray quantite = droite(QByteArray::number(s.quantite), 3);
    const QString code = codeType(s.type);
    switch (s.type) {
    case TypeSaisie::ArticleF:
        return placer({{1, "EXP:"},
                       {5, exp},
                       {11, ",COLIS:"},
                       {19, droite(s.colis, 2, '0')},
                       {21, ","},
                       {22, date},
                       {32, ","},
                       {33, heure},
                       {41, ","},
                       {42, s.codeBarres},
                       {55, ","},
                       {56, quantite}},
                      code);
    case TypeSaisie::ArticleX:
        return placer({{1, "EXP:"},
                       {5, exp},
                       {11, ",COLIS:"},
                       {18, droite(s.colis, 3)},
                       {21, ",,"},
                       {23, date},
                       {33, ","},
                       {34, heure},
                       {42, ","},
                       {43, s.codeBarres},
                       {56, ","},
                       {57, quantite}},
                      code);
    case TypeSaisie::PoidsF:
        return placer({{1, "EXP:"},
                       {5, exp},
                       {11, ",,"},
                       {13, date},
                       {23, ","},
                       {24, heure},
                       {32, ",COLIS:"},
                       {39, droite(s.colis, 2, '0')},
                       {41, ","},
                       {42, s.poids}},
                      code);
    case TypeSaisie::PoidsX:
        return placer({{1, date},
                       {11, ","},
                       {12, heure},
                       {20, ",EXP:"},
                       {25, exp},
                       {31, ",COLIS:"},
                       {38, droite(s.colis, 3)},
                       {41, ","},
                       {42, s.poids}},
                      code);
    case TypeSaisie::Retrait:
        break;
    }
    return placer({{1, "EXP:"},
                   {5, exp},
                   {11, ",COLIS:"},
                   {18, droite(s.colis, 3)},
                   {21, ",,"},
                   {23, date},
                   {33, ","},
                   {34, heure},
                   {42, ","},
                   {43, s.codeBarres + ',' + QByteArray::number(s.quantite)}},
                  code);
}

QString momentNumero(qint64 k) {
    const QDate jour = QDate(2031, 1, 1).addDays(k / 86400);
    const QTime heure = QTime(0, 0).addSecs(static_cast<int>(k % 86400));
    return jour.toString(QStringLiteral("yyyy-MM-dd")) + u' ' +
           heure.toString(QStringLiteral("HH:mm:ss"));
}

} // namespace journee
