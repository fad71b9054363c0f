#include "Imprimante.h"

#include "PrinterSystem.h"
#include "app/Contexte.h"
#include "base/Erreur.h"
#include "base/Ini.h"

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

ImprimanteConfiguree TrouverImprimante(Contexte& ctx, PrinterSystem& systeme, const QString& cle) {
    ImprimanteConfiguree imprimante;
    imprimante.configure = LireIni(ctx, cle, QStringLiteral("[ZEBRA]"));
    QString nom = imprimante.configure;
    if (!ChercheImprimante(systeme, nom))
        return imprimante;
    imprimante.nom = nom;
    try {
        imprimante.identification = systeme.identification(nom);
    } catch (const ErreurTarvo&) {
        // The identification is a courtesy: the job itself will tell if the
        // printer cannot be reached.
    }
    return imprimante;
}

} // namespace tarvo::etiquettes
