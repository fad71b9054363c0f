#include "ImpressionDossier.h"

#include "base/Erreur.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QRegularExpression>
#include <QTemporaryFile>

namespace tarvo::etiquettes {
namespace {

const QString Source = QStringLiteral("Impression");
constexpr int ChiffresSequence = 8;
constexpr int DelaiVerrou = 10000;

[[noreturn]] void echec(const QString& description) {
    throw ErreurTarvo(NumeroErreurImpression, Source, description);
}

// The highest sequence number already used in the printer's folder.
qint64 derniereSequence(const QDir& dossier) {
    static const QRegularExpression modele(QStringLiteral("^(\\d+)-"));
    qint64 plusGrand = 0;
    for (const QString& nom : dossier.entryList(QDir::Files)) {
        const QRegularExpressionMatch m = modele.match(nom);
        if (m.hasMatch())
            plusGrand = std::max(plusGrand, m.captured(1).toLongLong());
    }
    return plusGrand;
}

} // namespace

ImpressionDossier::ImpressionDossier(QString dossier) : dossier_(std::move(dossier)) {}

QStringList ImpressionDossier::imprimantes() {
    return QDir(dossier_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

QString ImpressionDossier::identification(const QString& imprimante) {
    return QDir(dossier_).absoluteFilePath(imprimante);
}

void ImpressionDossier::envoyer(const QString& imprimante, const QByteArray& octets,
                                const QString&) {
    const QDir dossier(QDir(dossier_).absoluteFilePath(imprimante));
    if (imprimante.isEmpty() || !dossier.exists())
        echec(QStringLiteral("L'imprimante [%1] n'existe pas dans %2.").arg(imprimante, dossier_));
    // Written beside its final place without a visible name, then renamed:
    // a reader of the folder never sees half a job.
    QTemporaryFile temporaire(dossier.absoluteFilePath(QStringLiteral(".travail-XXXXXX")));
    if (!temporaire.open() || temporaire.write(octets) != octets.size() || !temporaire.flush())
        echec(QStringLiteral("Écriture impossible dans %1 : %2")
                  .arg(dossier.absolutePath(), temporaire.errorString()));
    temporaire.close();
    // The number is chosen and taken under a lock shared by every sender,
    // threads and other programs alike, so no two jobs get the same one.
    QLockFile verrou(dossier.absoluteFilePath(QStringLiteral(".verrou")));
    if (!verrou.tryLock(DelaiVerrou))
        echec(QStringLiteral("Le dossier %1 reste verrouillé par un autre envoi.")
                  .arg(dossier.absolutePath()));
    const QString nom =
        QStringLiteral("%1-%2.epl")
            .arg(derniereSequence(dossier) + 1, ChiffresSequence, 10, QChar(u'0'))
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmsszzz")));
    if (!temporaire.rename(dossier.absoluteFilePath(nom)))
        echec(QStringLiteral("Le travail %1 ne peut pas être déposé : %2")
                  .arg(dossier.absoluteFilePath(nom), temporaire.errorString()));
    temporaire.setAutoRemove(false);
}

} // namespace tarvo::etiquettes
