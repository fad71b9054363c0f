#include "EssaiIntegration.h"

#include "FichiersIntegres.h"
#include "IntegData.h"
#include "Integration.h"
#include "LecteurLignes.h"
#include "Saisies.h"
#include "SuiviLignes.h"
#include "app/Contexte.h"
#include "base/FichierRegulier.h"
#include "base/FormesMessages.h"
#include "base/Ini.h"
#include "db/Dialecte.h"
#include "db/Transaction.h"
#include "db/Verrou.h"

#include <QDir>
#include <QFileInfo>

namespace tarvo::terminal {
namespace {

const QString Source = QStringLiteral("VerifData");
const QString Titre = QStringLiteral("Vérification des données");

void essayerFichier(Integration& run, const db::Base& base, const QString& chemin,
                    Feedback& feedback, BilanEssai& bilan) {
    SuiviLignes suivi(feedback);
    LecteurLignes lecteur(chemin, Source);
    qint64 numero = 0;
    QByteArray ligne;
    bool ligneEnCours = false;
    while (lecteur.suivante(ligne)) {
        // A last line without its end, while a terminal may still be writing
        // it, is not judged on its first half.
        if (lecteur.derniereSansFin() &&
            fichiers::ecrivain(lecteur.fichier()) != fichiers::Ecrivain::Aucun) {
            ligneEnCours = true;
            break;
        }
        ++numero;
        suivi.ligneLue(ligne, lecteur.taille());
        try {
            TraiteLigne(run, ligne);
        } catch (const ErreurTarvo& e) {
            bilan.echec(chemin, numero, e.erreur().description);
        }
        for (const QString& avertissement : run.prendreAvertissements())
            bilan.avertissement(chemin, numero, avertissement);
    }
    const auto archive = archiveFichierIntegre(base, {lecteur.empreinte(), lecteur.modification()});
    lecteur.fermer();
    bilan.fichier(chemin, numero, archive.value_or(QString()), ligneEnCours);
}

} // namespace

BilanEssai EssayerFichierData(Contexte& ctx, std::chrono::milliseconds attente) {
    BilanEssai bilan;
    const QString cheminData =
        LireIni(ctx, QStringLiteral("FichierData"), QStringLiteral("[SCANPAL2]"));
    if (cheminData.isEmpty())
        return bilan;
    const std::unique_ptr<db::Verrou> verrou = PrendreVerrouIntegration(ctx, attente);
    if (!verrou)
        throw ErreurTarvo(NumeroErreur::FichierIllisible, Source,
                          QStringLiteral("Une intégration est en cours : vérifiez les données "
                                         "quand elle sera terminée."));
    QStringList chemins;
    for (const QString& c : {cheminTravail(cheminData), cheminData})
        if (QFileInfo(c).isFile())
            chemins << c;
    if (chemins.isEmpty())
        return bilan;

    db::Base base(ctx.cnx.get());
    // Never committed: the destructor rolls everything back.
    db::Transaction transaction(base);
    Integration run(base, ctx.horloge.maintenant().toString(db::Dialecte::FormatDateHeure));
    run.setBilan(&bilan);
    for (const QString& chemin : chemins)
        essayerFichier(run, base, chemin, ctx.feedback, bilan);
    ctx.afficheProgression(100);
    ctx.feedback.statut(QString());
    return bilan;
}

bool VerifData(Contexte& ctx, int limite) {
    try {
        const BilanEssai bilan = EssayerFichierData(ctx);
        if (bilan.vide()) {
            // Named, so that a wrong path in the configuration shows.
            const QString chemin =
                LireIni(ctx, QStringLiteral("FichierData"), QStringLiteral("[SCANPAL2]"));
            ctx.prompts.exclamation(QStringLiteral("Traitement impossible"),
                                    QStringLiteral("Aucun fichier de données disponible.\r\n[") +
                                        QDir::toNativeSeparators(chemin) + u']');
            return false;
        }
        if (bilan.echecs().isEmpty()) {
            ctx.prompts.information(Titre, bilan.texte(limite));
            return true;
        }
        ctx.prompts.exclamation(Titre, bilan.texte(limite));
        return false;
    } catch (const ErreurTarvo& e) {
        afficherErreurDetaillee(ctx, QStringLiteral("Erreur"), e.erreur());
        return false;
    }
}

} // namespace tarvo::terminal
