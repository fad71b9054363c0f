#include "OutilsEditions.h"

#include "BaseDeTest.h"
#include "db/Base.h"

#include <QProcess>
#include <QStringList>

namespace tarvo::test {

void ajouterExpeditionTest(BaseDeTest& base, const QString& script) {
    db::Base(base.ctx->cnx.get())
        .executerScript(db::TexteSql{
            QStringLiteral("INSERT INTO [Expédition] ([No Expédition], [Libellé 1], [Libellé 2], "
                           "[Date création]) VALUES (900, 'Essai', 'Sans lieu', "
                           "'2012-04-18 10:00:00');"
                           "INSERT INTO [Liste commandes] ([No Expédition], [No commande SAGE], "
                           "[Référence SAGE]) VALUES (900, 'BT001', 'REF ESSAI');") +
            script});
}

QString textePdf(const QString& fichier) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), fichier, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

bool dansLOrdre(const QString& texte, const QStringList& morceaux) {
    qsizetype position = 0;
    for (const QString& m : morceaux) {
        position = texte.indexOf(m, position);
        if (position < 0) {
            qWarning("Introuvable à sa place : %s", qPrintable(m));
            return false;
        }
        position += m.size();
    }
    return true;
}

bool contientEntier(const QString& texte, const QString& valeur) {
    if (texte.contains(valeur))
        return true;
    // Two lines of a wide page apart at most: the rest of a wrapped value is
    // on the next line, under its column.
    constexpr qsizetype Ecart = 400;
    const QStringList mots = valeur.split(u' ', Qt::SkipEmptyParts);
    for (qsizetype debut = texte.indexOf(mots.value(0)); debut >= 0;
         debut = texte.indexOf(mots.value(0), debut + 1)) {
        if (debut > 0 && !texte.at(debut - 1).isSpace())
            continue;
        qsizetype position = debut + mots.value(0).size();
        bool trouve = true;
        for (qsizetype i = 1; i < mots.size() && trouve; ++i) {
            const qsizetype suivant = texte.indexOf(mots[i], position);
            trouve = suivant >= 0 && suivant - position <= Ecart &&
                     (suivant == 0 || texte.at(suivant - 1).isSpace());
            position = suivant + mots[i].size();
        }
        if (trouve && (position >= texte.size() || texte.at(position).isSpace()))
            return true;
    }
    qWarning("Introuvable en entier : %s", qPrintable(valeur));
    return false;
}

int pagesPdf(const QString& fichier) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {fichier});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return 0;
    for (const QString& ligne : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n'))
        if (ligne.startsWith(QStringLiteral("Pages:")))
            return ligne.mid(6).trimmed().toInt();
    return 0;
}

} // namespace tarvo::test
