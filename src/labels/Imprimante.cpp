#include "Imprimante.h"

#include "PrinterSystem.h"
#include "app/Contexte.h"
#include "app/Erreur.h"
#include "app/Ini.h"

namespace tarvo::etiquettes {

bool ChercheImprimante(PrinterSystem& systeme, QString& nom) {
    QStringList liste;
    try {
        liste = systeme.imprimantes();
    } catch (const ErreurTarvo&) {
        // A printing system that cannot list its printers has none to offer.
        return false;
    }
    const bool modele = nom.contains(u'*');
    const QString cherche = modele ? nom.chopped(1) : nom;
    for (const QString& imprimante : liste) {
        if (modele ? imprimante.contains(cherche, Qt::CaseSensitive) : imprimante == cherche) {
            nom = imprimante;
            return true;
        }
    }
    return false;
}

std::optional<QString> ImprimanteEtiquettes(Contexte& ctx, PrinterSystem& systeme,
                                            const QString& cle) {
    const QString configure = LireIni(ctx, cle, QStringLiteral("[ZEBRA]"));
    QString nom = configure;
    if (!ChercheImprimante(systeme, nom)) {
        ctx.prompts.exclamation(QStringLiteral("Impression impossible"),
                                QStringLiteral("L'imprimante [") + configure +
                                    QStringLiteral("] n'est pas définie sur ce poste"));
        return std::nullopt;
    }
    QString identification;
    try {
        identification = systeme.identification(nom);
    } catch (const ErreurTarvo&) {
        // The status text is a courtesy: the job itself will tell if the
        // printer cannot be reached.
    }
    ctx.afficheStatut(nom + QStringLiteral(": ") + identification);
    return nom;
}

} // namespace tarvo::etiquettes
