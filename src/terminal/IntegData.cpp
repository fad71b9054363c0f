#include "IntegData.h"

#include "Integration.h"
#include "Saisies.h"
#include "SuiviLignes.h"
#include "app/Contexte.h"
#include "base/FormesMessages.h"
#include "base/Ini.h"
#include "base/Journaux.h"
#include "db/Connexion.h"
#include "db/Dialecte.h"
#include "db/Transaction.h"
#include "db/Verrou.h"

#include <QDir>
#include <optional>

namespace tarvo::terminal {
namespace {

const QString Source = QStringLiteral("IntegData");
const QString Section = QStringLiteral("[SCANPAL2]");
const QString CRLF = QStringLiteral("\r\n");
// The warnings of a run kept word for word for erreurs.txt; the rest are
// counted.
constexpr qint64 AvertissementsDetailles = 100;

// "12 lignes intégrées dans 3 expéditions", in the singular where it is one.
QString texteBilan(const ResultatIntegration& r) {
    const qsizetype expeditions = r.expeditions.size();
    return (r.lignes == 1 ? QStringLiteral("1 ligne intégrée")
                          : QStringLiteral("%1 lignes intégrées").arg(r.lignes)) +
           (expeditions == 1 ? QStringLiteral(" dans 1 expédition")
                             : QStringLiteral(" dans %1 expéditions").arg(expeditions));
}

QString texteEchec(const Erreur& e, qint64 ligneFichier) {
    return QStringLiteral("Erreur n° : ") + QString::number(e.numero) + CRLF +
           QStringLiteral("Source : ") + e.source + CRLF + QStringLiteral("Détail : ") +
           e.description + CRLF + QStringLiteral("Ligne fichier n° : ") +
           QString::number(ligneFichier) + CRLF;
}

void signalerEchec(Contexte& ctx, const Erreur& e, qint64 ligneFichier) {
    const QString texte = texteEchec(e, ligneFichier);
    ctx.prompts.critique(QStringLiteral("Erreur"), texte);
    try {
        EcrireLog(ctx, FichierErreurs,
                  QStringLiteral("Erreur IntegData") + CRLF + texte.chopped(2));
    } catch (const ErreurTarvo& journal) {
        afficherErreurDetaillee(ctx, QStringLiteral("Erreur"), journal.erreur());
    }
}

// Integrates the work file in one transaction, archives the bytes read,
// commits, then lets the work file go.
ResultatIntegration integrerTravail(Contexte& ctx, FichierTravail& travail,
                                    const QString& cheminData, const std::stop_token& arret) {
    using Etape = ErreurIntegration::Etape;
    Etape etape = Etape::Ligne;
    qint64 ligneFichier = 0;
    SuiviLignes suivi(ctx.feedback);
    QByteArray ligne;
    qint64 nombreAvertissements = 0;
    QStringList avertissements;
    // The bar and the status stay on the line that failed.
    const auto montrerLigne = [&] {
        if (etape == Etape::Ligne && ligneFichier > 0)
            suivi.montrerDerniereLigne(ligne);
    };
    try {
        db::Base base(ctx.cnx.get());
        std::optional<db::Transaction> transaction(std::in_place, base);
        suivi.progression(0);
        const QDateTime dateIntegration = ctx.horloge.maintenant();
        Integration run(base, dateIntegration.toString(db::Dialecte::FormatDateHeure));

        LecteurLignes& lecteur = travail.lecteur();
        for (;;) {
            ++ligneFichier;
            if (!lecteur.suivante(ligne)) {
                --ligneFichier;
                break;
            }
            suivi.ligneLue(ligne, lecteur.taille());
            ArretDemande(arret);
            TraiteLigne(run, ligne);
            for (const QString& a : run.prendreAvertissements()) {
                if (++nombreAvertissements <= AvertissementsDetailles)
                    avertissements
                        << QStringLiteral("Ligne %1 : %2").arg(QString::number(ligneFichier), a);
            }
        }
        suivi.progression(100);
        suivi.statut(QString());

        // The very file of a committed run, left by a stop between its commit
        // and its removal: its entries are in already.
        const IdentiteFichier identite = travail.identite();
        if (auto archive = archiveFichierIntegre(base, identite)) {
            transaction.reset();
            etape = Etape::Suppression;
            travail.retirer();
            return {ResultatIntegration::Issue::DejaIntegre, cheminData, std::move(*archive)};
        }

        etape = Etape::Archive;
        const QString archive = travail.archiver(dateIntegration);
        noterFichierIntegre(base, identite, run.dateIntegration(), archive);

        // The commit comes before the removal: a stop before the commit leaves
        // the work file with nothing committed; a stop after it leaves a file
        // that the next run recognises and only removes.
        etape = Etape::Validation;
        // The last moment a stop asked for leaves nothing behind.
        ArretDemande(arret);
        transaction->valider();

        ResultatIntegration resultat{ResultatIntegration::Issue::Integre, cheminData, archive,
                                     run.lignes(), run.expeditions()};
        resultat.nombreAvertissementsLignes = nombreAvertissements;
        resultat.avertissementsLignes = std::move(avertissements);
        // The lines are in: what fails now is a file to see to, never a
        // failed run.
        try {
            travail.terminer();
        } catch (const ErreurTarvo& e) {
            resultat.avertissements << e.erreur().description;
        }
        return resultat;
    } catch (const ErreurTarvo& e) {
        montrerLigne();
        throw ErreurIntegration(e, etape, etape == Etape::Ligne ? ligneFichier : 0);
    } catch (...) {
        montrerLigne();
        throw;
    }
}

ResultatIntegration integrerFichiers(Contexte& ctx, const ReglagesIntegration& reglages) {
    const QString cheminData = LireIni(ctx, QStringLiteral("FichierData"), Section);
    if (cheminData.isEmpty())
        return {ResultatIntegration::Issue::AucunFichier, cheminData, QString()};
    const QString dossierArchive = LireIni(ctx, QStringLiteral("CheminArchiveData"), Section);
    const std::unique_ptr<db::Verrou> verrou =
        PrendreVerrouIntegration(ctx, reglages.attenteAutreIntegration, reglages.arret);
    if (!verrou)
        return {ResultatIntegration::Issue::DejaEnCours, cheminData, QString()};

    if (const auto repere = FichierTravail::ecarterAncienRepere(cheminData))
        EcrireLog(ctx, FichierErreurs, Source + QStringLiteral(" : ") + *repere);
    FichierTravail::reprendreArchives(db::Base(ctx.cnx.get()), dossierArchive);

    FichierTravail travail(cheminData, dossierArchive, ctx.feedback, reglages.patienceEcrivain,
                           reglages.calmeSansEcrivainVisible, reglages.arret);
    travail.reprendreReste(db::Base(ctx.cnx.get()));
    std::optional<ResultatIntegration> resultat;
    // First the work file a stop left, then the data file.
    for (const bool aussiData : {false, true}) {
        if (!travail.prendre(aussiData))
            continue;
        try {
            ResultatIntegration r = integrerTravail(ctx, travail, cheminData, reglages.arret);
            if (resultat) {
                r.lignes += resultat->lignes;
                r.expeditions.unite(resultat->expeditions);
                r.avertissements = resultat->avertissements + r.avertissements;
                r.nombreAvertissementsLignes += resultat->nombreAvertissementsLignes;
                r.avertissementsLignes = resultat->avertissementsLignes + r.avertissementsLignes;
            }
            resultat = std::move(r);
            // A work file that could not be let go would be taken again
            // before the data file.
            if (!resultat->avertissements.isEmpty())
                break;
        } catch (const FichierEnCoursDEcriture&) {
            travail.abandonner(aussiData);
            return {ResultatIntegration::Issue::EnAttente, cheminData, QString()};
        } catch (const ErreurIntegration& e) {
            if (e.etape() != ErreurIntegration::Etape::Suppression)
                travail.abandonner(aussiData);
            if (aussiData)
                throw;
            // A file left by an earlier run stays under its work name and
            // holds back every later file: the person must know which one.
            Erreur erreur = e.erreur();
            erreur.description +=
                QStringLiteral(" Fichier %1, laissé par une intégration précédente : corrigez-le "
                               "ou déplacez-le hors du dossier des terminaux ; les données "
                               "suivantes attendent qu'il soit intégré.")
                    .arg(QDir::toNativeSeparators(travail.chemin()));
            throw ErreurIntegration(ErreurTarvo(std::move(erreur), e.codesMoteur()), e.etape(),
                                    e.ligne());
        }
    }
    if (!resultat)
        return {ResultatIntegration::Issue::AucunFichier, cheminData, QString()};
    return *resultat;
}

// The completion, with the number of lines taken although they looked
// wrong, and what the person must still see to once the lines were
// committed; the details go to erreurs.txt.
void signalerFin(Contexte& ctx, const ResultatIntegration& r) {
    QString texte = QStringLiteral("Traitement terminé");
    if (r.nombreAvertissementsLignes > 0) {
        texte += CRLF + CRLF +
                 (r.nombreAvertissementsLignes == 1
                      ? QStringLiteral("1 avertissement")
                      : QStringLiteral("%1 avertissements").arg(r.nombreAvertissementsLignes)) +
                 QStringLiteral(" sur les lignes intégrées (nombre lu en partie, quantité ou "
                                "poids négatif, article ou expédition inconnus) : le détail est "
                                "dans %1.")
                     .arg(FichierErreurs);
        QString detail = QStringLiteral("Avertissements IntegData (archive : %1)")
                             .arg(QDir::toNativeSeparators(r.archive)) +
                         CRLF + r.avertissementsLignes.join(CRLF);
        if (r.nombreAvertissementsLignes > r.avertissementsLignes.size())
            detail += CRLF + QStringLiteral("… et %1 autres avertissements.")
                                 .arg(r.nombreAvertissementsLignes - r.avertissementsLignes.size());
        try {
            EcrireLog(ctx, FichierErreurs, detail);
        } catch (const ErreurTarvo& e) {
            texte += CRLF + e.erreur().description;
        }
    }
    const QStringList& avertissements = r.avertissements;
    if (avertissements.isEmpty()) {
        ctx.prompts.information(QStringLiteral("Intégration des lignes"), texte);
        return;
    }
    const QString detail = avertissements.join(CRLF);
    try {
        EcrireLog(ctx, FichierErreurs, QStringLiteral("Avertissement IntegData") + CRLF + detail);
    } catch (const ErreurTarvo&) {
        // The box below says it all the same.
    }
    ctx.prompts.exclamation(QStringLiteral("Intégration des lignes"), texte + CRLF + CRLF + detail);
}

} // namespace

std::unique_ptr<db::Verrou> PrendreVerrouIntegration(Contexte& ctx,
                                                     std::chrono::milliseconds attente,
                                                     const std::stop_token& arret) {
    // Raises when there is no open connection to ask.
    const db::Base base(ctx.cnx.get());
    bool montre = false;
    auto verrou =
        db::Verrou::attendre(*ctx.cnx, NomVerrouIntegration, attente, [&](int avancement) {
            ArretDemande(arret);
            ctx.feedback.statut(QStringLiteral("Une autre intégration est en cours : attente…"));
            ctx.feedback.progression(avancement);
            montre = true;
        });
    if (montre) {
        if (!verrou)
            ctx.feedback.progression(100);
        ctx.feedback.statut(QString());
    }
    return verrou;
}

ErreurIntegration::ErreurIntegration(const ErreurTarvo& cause, Etape etape, qint64 ligne)
    : ErreurTarvo(cause.erreur(), cause.codesMoteur()), etape_(etape), ligne_(ligne) {}

qint64 ErreurIntegration::numeroLigneFichier() const {
    switch (etape_) {
    case Etape::Debut:
        return 0;
    case Etape::Ligne:
        return ligne_;
    case Etape::Archive:
        return -1;
    case Etape::Suppression:
        return -2;
    case Etape::Validation:
        return -3;
    }
    Q_UNREACHABLE();
    return 0;
}

ResultatIntegration IntegrerFichierData(Contexte& ctx, const ReglagesIntegration& reglages) {
    try {
        return integrerFichiers(ctx, reglages);
    } catch (const ErreurIntegration&) {
        throw;
    } catch (const ErreurTarvo& e) {
        throw ErreurIntegration(e, ErreurIntegration::Etape::Debut);
    }
}

bool IntegData(Contexte& ctx) {
    try {
        return SignalerIntegration(ctx, IntegrerFichierData(ctx));
    } catch (const ErreurIntegration& e) {
        SignalerEchecIntegration(ctx, e);
    }
    return false;
}

void SignalerEchecIntegration(Contexte& ctx, const ErreurIntegration& echec) {
    if (echec.erreur().numero == NumeroErreur::Annulation)
        ctx.prompts.information(QStringLiteral("Intégration des lignes"),
                                QStringLiteral("Intégration annulée : rien n'en a été "
                                               "enregistré ; le fichier de données attend la "
                                               "prochaine intégration."));
    else
        signalerEchec(ctx, echec.erreur(), echec.numeroLigneFichier());
}

bool SignalerIntegration(Contexte& ctx, const ResultatIntegration& r) {
    switch (r.issue) {
    case ResultatIntegration::Issue::AucunFichier:
        ctx.prompts.exclamation(QStringLiteral("Traitement impossible"),
                                QStringLiteral("Aucun fichier de données disponible.") + CRLF +
                                    u'[' + r.cheminData + u']');
        return false;
    case ResultatIntegration::Issue::DejaEnCours:
        ctx.prompts.exclamation(QStringLiteral("Intégration des lignes"),
                                QStringLiteral("Une intégration est déjà en cours."));
        return false;
    case ResultatIntegration::Issue::EnAttente:
        ctx.prompts.information(
            QStringLiteral("Intégration des lignes"),
            QStringLiteral("Un terminal écrit encore le fichier de données %1 : il sera "
                           "intégré à la prochaine intégration.")
                .arg(QDir::toNativeSeparators(r.cheminData)));
        return true;
    case ResultatIntegration::Issue::DejaIntegre:
        ctx.prompts.information(
            QStringLiteral("Intégration des lignes"),
            QStringLiteral("Ce fichier de données a déjà été intégré (archive : %1). "
                           "Il est supprimé sans être intégré une seconde fois.")
                .arg(QDir::toNativeSeparators(r.archive)));
        return true;
    case ResultatIntegration::Issue::Integre:
        ctx.afficheStatut(texteBilan(r));
        signalerFin(ctx, r);
        return true;
    }
    return false;
}

} // namespace tarvo::terminal
