#include "ImpressionPdf.h"

#include "base/Erreur.h"
#include "labels/PrinterSystem.h"

#ifndef Q_OS_WIN
#include <cups/cups.h>
#endif

namespace tarvo::editions {
namespace {

const QString Source = QStringLiteral("Impression");

[[noreturn]] void echec(const QString& texte) {
    throw ErreurTarvo(etiquettes::NumeroErreurImpression, Source, texte);
}

#ifndef Q_OS_WIN
// A document job: unlike the labels' raw jobs, CUPS filters it into the
// printer's language.
void envoyerCups(const QString& imprimante, const QByteArray& pdf, const QString& titreTravail) {
    const QByteArray nom = imprimante.toUtf8();
    const QByteArray titre = titreTravail.toUtf8();
    const auto raison = [] { return QString::fromUtf8(cupsLastErrorString()); };
    const int travail =
        cupsCreateJob(CUPS_HTTP_DEFAULT, nom.constData(), titre.constData(), 0, nullptr);
    if (travail == 0)
        echec(
            QStringLiteral("Création du travail sur %1 impossible : %2").arg(imprimante, raison()));
    if (cupsStartDocument(CUPS_HTTP_DEFAULT, nom.constData(), travail, titre.constData(),
                          CUPS_FORMAT_PDF, 1) != HTTP_STATUS_CONTINUE) {
        const QString r = raison();
        cupsCancelJob2(CUPS_HTTP_DEFAULT, nom.constData(), travail, 0);
        echec(QStringLiteral("Envoi à %1 impossible : %2").arg(imprimante, r));
    }
    const http_status_t ecriture = cupsWriteRequestData(CUPS_HTTP_DEFAULT, pdf.constData(),
                                                        static_cast<std::size_t>(pdf.size()));
    const ipp_status_t fin = cupsFinishDocument(CUPS_HTTP_DEFAULT, nom.constData());
    if (ecriture != HTTP_STATUS_CONTINUE || fin > IPP_STATUS_OK_EVENTS_COMPLETE) {
        const QString r = raison();
        cupsCancelJob2(CUPS_HTTP_DEFAULT, nom.constData(), travail, 0);
        echec(QStringLiteral("Envoi à %1 interrompu : %2").arg(imprimante, r));
    }
}
#endif

} // namespace

void imprimerPdf(const QString& imprimante, const QByteArray& pdf, const QString& titreTravail) {
    const auto systeme = etiquettes::systemeImpression();
    if (!systeme->imprimantes().contains(imprimante))
        echec(QStringLiteral("L'imprimante %1 est inconnue de ce poste.").arg(imprimante));
#ifdef Q_OS_WIN
    echec(QStringLiteral("L'impression des états passe par la fenêtre d'aperçu sur ce poste."));
#else
    if (!qEnvironmentVariableIsEmpty("TARVO_SPOOL_DIR"))
        systeme->envoyer(imprimante, pdf, titreTravail);
    else
        envoyerCups(imprimante, pdf, titreTravail);
#endif
}

} // namespace tarvo::editions
