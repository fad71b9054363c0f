#include "GenFichierExpedition.h"

#include "ChampsFixes.h"
#include "FichierSortie.h"
#include "SqlTerminal.h"
#include "SuiviLignes.h"
#include "app/Contexte.h"
#include "base/FormesMessages.h"
#include "base/Ini.h"
#include "base/Windows1252.h"
#include "db/Base.h"
#include "db/Connexion.h"

#include <cmath>

namespace tarvo::terminal {
namespace {

const QString Source = QStringLiteral("GenFichierExpedition");
const QString Titre = QStringLiteral("Génération du fichier Expédition");
constexpr qsizetype LargeurNumero = 20;
constexpr qsizetype LargeurLibelle = 20;
// The parcel identification "EXP:nnnnnn,COLIS:ccc" comes back in the data
// files at fixed columns: a longer number would be cut and its entries would
// land on another shipment's or parcel's rows.
constexpr qsizetype LargeurExpeditionColis = 6;
constexpr qsizetype LargeurColis = 3;
constexpr qint64 DernierColisEcrit = 999;

QString texteColisNonEcrits(const QList<ColisNonEcrits>& liste) {
    QStringList parties;
    for (const ColisNonEcrits& c : liste) {
        if (c.premier == 1)
            parties << c.expedition +
                           QStringLiteral(" (numéro de plus de 6 chiffres : aucun colis)");
        else
            parties << c.expedition +
                           QStringLiteral(" (colis %1 à %2)").arg(c.premier).arg(c.dernier);
    }
    return QStringLiteral("Les lignes colis des expéditions suivantes n'ont pas été écrites : "
                          "l'identification d'un colis ne peut porter qu'un numéro d'expédition "
                          "de 6 chiffres et un numéro de colis jusqu'à 999.\r\n") +
           parties.join(QStringLiteral("\r\n"));
}

} // namespace

QList<ColisNonEcrits> EcrireFichierExpedition(Contexte& ctx, SuiviLignes& suivi) {
    const db::Base base(ctx.cnx.get());
    db::Requete nombre = base.preparer(sql::NombreExpeditionsOuvertes);
    const qint64 total = nombre.suivante() ? nombre.entier(0) : 0;
    nombre.terminer();
    db::Requete expeditions = base.preparer(sql::ExpeditionsOuvertes);

    FichierSortie fichier(
        LireIni(ctx, QStringLiteral("FichierExpedition"), QStringLiteral("[SCANPAL2]")),
        QStringLiteral("FichierExpedition"), Source);
    QList<ColisNonEcrits> nonEcrits;
    QByteArray ligne;
    QByteArray libelles;
    qint64 numero = 0;
    bool premiere = true;
    while (expeditions.suivante()) {
        if (premiere) {
            suivi.progression(0);
            premiere = false;
        }
        ++numero;
        const QByteArray noExpedition = QByteArray::number(expeditions.entier(0));
        // A missing label is written as spaces, like a missing article label:
        // one incomplete shipment must not keep the others from the terminals.
        libelles.resize(0);
        ajouterPadDroite(libelles, Windows1252::encoder(expeditions.texte(1)), LargeurLibelle);
        ajouterPadDroite(libelles, Windows1252::encoder(expeditions.texte(2)), LargeurLibelle);
        const double colisTheorique =
            expeditions.estNul(3) ? 0.0 : std::nearbyint(expeditions.reel(3));

        ligne.resize(0);
        ajouterPadDroite(ligne, noExpedition, LargeurNumero);
        ligne.append(libelles);
        // The bar moves first, so that the status shows the line that moved it.
        suivi.progression(std::min(100, pourcentage(numero, std::max(total, numero))));
        suivi.ligne(ligne);
        fichier.ecrireLigne(ligne);

        qint64 dernierColis =
            colisTheorique > 0 ? static_cast<qint64>(std::min(colisTheorique, 1e15)) : 0;
        if (dernierColis > 0 && noExpedition.size() > LargeurExpeditionColis) {
            nonEcrits.append({QString::fromLatin1(noExpedition), 1, dernierColis});
            dernierColis = 0;
        } else if (dernierColis > DernierColisEcrit) {
            nonEcrits.append(
                {QString::fromLatin1(noExpedition), DernierColisEcrit + 1, dernierColis});
            dernierColis = DernierColisEcrit;
        }
        for (qint64 colis = 1; colis <= dernierColis; ++colis) {
            ligne.resize(0);
            ligne.append("EXP:");
            ajouterPadGauche(ligne, noExpedition, LargeurExpeditionColis);
            ligne.append(",COLIS:");
            ajouterPadGauche(ligne, QByteArray::number(colis), LargeurColis);
            ligne.append(libelles);
            suivi.ligne(ligne);
            fichier.ecrireLigne(ligne);
        }
    }
    fichier.valider();
    return nonEcrits;
}

bool GenFichierExpedition(Contexte& ctx) {
    SuiviLignes suivi(ctx.feedback);
    QList<ColisNonEcrits> nonEcrits;
    bool reussi = true;
    try {
        nonEcrits = EcrireFichierExpedition(ctx, suivi);
    } catch (const ErreurTarvo& e) {
        afficherErreurDetaillee(ctx, QStringLiteral("Erreur"), e.erreur());
        reussi = false;
    }
    suivi.statut(QString());
    suivi.progression(100);
    if (!nonEcrits.isEmpty())
        ctx.prompts.exclamation(Titre, texteColisNonEcrits(nonEcrits));
    return reussi;
}

} // namespace tarvo::terminal
