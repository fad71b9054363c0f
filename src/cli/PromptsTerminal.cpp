#include "PromptsTerminal.h"

#include <unistd.h>

namespace tarvo::ctl {

PromptsTerminal::PromptsTerminal(bool ouiATout, std::FILE* sortie, std::FILE* entree)
    : ouiATout_(ouiATout), sortie_(sortie), entree_(entree) {}

void PromptsTerminal::ecrireBoite(const QString& titre, const QString& texte) {
    QString corps = texte;
    corps.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QByteArray octets =
        ((titre.isEmpty() ? titreParDefaut() : titre) + u'\n' + corps + QStringLiteral("\n\n"))
            .toUtf8();
    std::fwrite(octets.constData(), 1, static_cast<std::size_t>(octets.size()), sortie_);
    std::fflush(sortie_);
}

bool PromptsTerminal::entreeInteractive() const {
    return isatty(fileno(entree_)) != 0;
}

std::optional<QString> PromptsTerminal::lireLigne() {
    char tampon[4096];
    if (!std::fgets(tampon, sizeof tampon, entree_))
        return std::nullopt;
    return QString::fromLocal8Bit(tampon).trimmed();
}

void PromptsTerminal::message(Icone, const QString& titre, const QString& texte) {
    ecrireBoite(titre, texte);
}

bool PromptsTerminal::question(Icone, const QString& titre, const QString& texte,
                               bool ouiParDefaut) {
    ecrireBoite(titre, texte);
    if (ouiATout_)
        return true;
    if (!entreeInteractive())
        return false;
    std::fputs(ouiParDefaut ? "Oui ou non ? [O/n] " : "Oui ou non ? [o/N] ", sortie_);
    std::fflush(sortie_);
    const std::optional<QString> reponse = lireLigne();
    if (!reponse)
        return false;
    if (reponse->isEmpty())
        return ouiParDefaut;
    return reponse->startsWith(u'o', Qt::CaseInsensitive) ||
           reponse->startsWith(u'y', Qt::CaseInsensitive);
}

Prompts::Reponse PromptsTerminal::questionAnnulable(Icone, const QString& titre,
                                                    const QString& texte) {
    ecrireBoite(titre, texte);
    if (ouiATout_)
        return Reponse::Oui;
    if (!entreeInteractive())
        return Reponse::Annuler;
    std::fputs("Oui, non ou annuler ? [O/n/a] ", sortie_);
    std::fflush(sortie_);
    const std::optional<QString> reponse = lireLigne();
    if (!reponse)
        return Reponse::Annuler;
    if (reponse->isEmpty() || reponse->startsWith(u'o', Qt::CaseInsensitive))
        return Reponse::Oui;
    if (reponse->startsWith(u'n', Qt::CaseInsensitive))
        return Reponse::Non;
    return Reponse::Annuler;
}

std::optional<QString> PromptsTerminal::saisie(const QString& titre, const QString& texte,
                                               const QString& defaut) {
    ecrireBoite(titre, texte);
    if (!entreeInteractive())
        return ouiATout_ ? std::optional<QString>(defaut) : std::nullopt;
    std::fputs(QStringLiteral("[%1] ").arg(defaut).toUtf8().constData(), sortie_);
    std::fflush(sortie_);
    const std::optional<QString> reponse = lireLigne();
    if (!reponse)
        return std::nullopt;
    return reponse->isEmpty() ? defaut : *reponse;
}

QString PromptsTerminal::choisirFichier(const QString& titre, const QString&) {
    const std::optional<QString> chemin =
        saisie(titre, QStringLiteral("Chemin du fichier :"), QString());
    return chemin.value_or(QString());
}

} // namespace tarvo::ctl
