#include "ImpressionCups.h"

#include "base/Erreur.h"

#include <cups/cups.h>

namespace tarvo::etiquettes {
namespace {

const QString Source = QStringLiteral("CUPS");

[[noreturn]] void echecCups(const QString& contexte) {
    throw ErreurTarvo(NumeroErreurImpression, Source,
                      contexte + QStringLiteral(" : ") + QString::fromUtf8(cupsLastErrorString()));
}

// The destinations of the server, freed whatever happens.
class Destinations {
public:
    Destinations() : nombre_(cupsGetDests2(CUPS_HTTP_DEFAULT, &liste_)) {}
    ~Destinations() { cupsFreeDests(nombre_, liste_); }
    Destinations(const Destinations&) = delete;
    Destinations& operator=(const Destinations&) = delete;

    const cups_dest_t* begin() const { return liste_; }
    const cups_dest_t* end() const { return liste_ + nombre_; }

private:
    cups_dest_t* liste_ = nullptr;
    int nombre_ = 0;
};

} // namespace

QStringList ImpressionCups::imprimantes() {
    QStringList noms;
    // An instance is the same queue with other default options: raw jobs
    // ignore options, so only queues are listed.
    for (const cups_dest_t& destination : Destinations()) {
        if (destination.instance == nullptr)
            noms << QString::fromUtf8(destination.name);
    }
    return noms;
}

QString ImpressionCups::identification(const QString& imprimante) {
    for (const cups_dest_t& destination : Destinations()) {
        if (destination.instance != nullptr || imprimante != QString::fromUtf8(destination.name))
            continue;
        for (const char* option : {"device-uri", "printer-uri-supported", "printer-info"}) {
            const char* valeur =
                cupsGetOption(option, destination.num_options, destination.options);
            if (valeur != nullptr && *valeur != '\0')
                return QString::fromUtf8(valeur);
        }
    }
    return {};
}

void ImpressionCups::envoyer(const QString& imprimante, const QByteArray& octets,
                             const QString& titreTravail) {
    const QByteArray nom = imprimante.toUtf8();
    const QByteArray titre = titreTravail.toUtf8();
    const int travail =
        cupsCreateJob(CUPS_HTTP_DEFAULT, nom.constData(), titre.constData(), 0, nullptr);
    if (travail == 0)
        echecCups(QStringLiteral("Création du travail sur %1 impossible").arg(imprimante));
    if (cupsStartDocument(CUPS_HTTP_DEFAULT, nom.constData(), travail, titre.constData(),
                          CUPS_FORMAT_RAW, 1) != HTTP_STATUS_CONTINUE) {
        cupsCancelJob2(CUPS_HTTP_DEFAULT, nom.constData(), travail, 0);
        echecCups(QStringLiteral("Envoi à %1 impossible").arg(imprimante));
    }
    const http_status_t ecriture = cupsWriteRequestData(CUPS_HTTP_DEFAULT, octets.constData(),
                                                        static_cast<std::size_t>(octets.size()));
    const ipp_status_t fin = cupsFinishDocument(CUPS_HTTP_DEFAULT, nom.constData());
    if (ecriture != HTTP_STATUS_CONTINUE || fin > IPP_STATUS_OK_EVENTS_COMPLETE) {
        cupsCancelJob2(CUPS_HTTP_DEFAULT, nom.constData(), travail, 0);
        echecCups(QStringLiteral("Envoi à %1 interrompu").arg(imprimante));
    }
}

} // namespace tarvo::etiquettes
