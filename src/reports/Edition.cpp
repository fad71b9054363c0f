#include "Edition.h"

#include "DonneesEtat.h"
#include "PrepaControleGamme.h"
#include "SqlEditions.h"
#include "app/Contexte.h"
#include "app/OuvertureConnexion.h"
#include "base/Journaux.h"
#include "catalogue/Societe.h"
#include "db/Base.h"
#include "shipments/LecteursExpedition.h"

namespace tarvo::editions {
namespace {

// The statements each command runs, for the diagnostic's command text.
QList<const db::TexteSql*> instructions(Etat etat) {
    QList<const db::TexteSql*> liste = {&sql::EnTeteExpedition,
                                        &expeditions::InstructionCommandesExpedition()};
    switch (etat) {
    case Etat::BonExp:
        break;
    case Etat::ListeArticleExp:
        liste << &sql::DetailListeArticle;
        break;
    case Etat::EtatControleExpGamme:
        liste << &sql::ListeCtrlArtGamme;
        break;
    case Etat::EtatControleExpArt:
        liste << &sql::ListeControleArt;
        break;
    case Etat::ColisageExp:
        liste << &sql::ColisExpedition << &sql::LibellesColisage << &sql::ColisageExpedition
              << &catalogue::InstructionInformationsSociete();
        break;
    }
    return liste;
}

QString texteCommande(Contexte& ctx, Etat etat) {
    const db::Moteur moteur = ctx.cnx ? ctx.cnx->moteur() : db::Moteur::SQLite;
    QStringList textes;
    for (const db::TexteSql* t : instructions(etat))
        textes << t->pour(moteur);
    return textes.join(QStringLiteral(" ; "));
}

// A failure the database driver reported is also the connection's error.
QList<ErreurFournisseur> erreursConnexion(const Erreur& e) {
    static const QStringList sources = {QStringLiteral("SQLite"), QStringLiteral("QODBC"),
                                        QStringLiteral("ODBC")};
    if (!sources.contains(e.source))
        return {};
    return {ErreurFournisseur{e.numero, e.source, e.numero, e.description, QString()}};
}

// The report connection is closed however the command ends.
struct FermetureConxReport {
    Contexte& ctx;
    ~FermetureConxReport() {
        if (ctx.conxReport)
            ctx.conxReport->fermer();
    }
};

// The range control's work rows go once the report has read them, however
// it ends.
struct FinPreparation {
    Contexte& ctx;
    qint32 spid;
    bool active;
    ~FinPreparation() {
        if (active)
            finPreparation(ctx, spid);
    }
};

QImage chargerLogo(Contexte& ctx, const DonneesEtat& donnees) {
    if (!donnees.societe || donnees.societe->logo.isEmpty())
        return {};
    QImage logo = QImage::fromData(donnees.societe->logo);
    if (logo.isNull())
        TraceDebug(ctx, QStringLiteral("Logo de [Informations société] illisible : en-tête "
                                       "imprimé sans logo"));
    return logo;
}

} // namespace

const QList<DescriptionEtat>& descriptionsEtats() {
    static const QList<DescriptionEtat> liste = {
        {Etat::BonExp, QStringLiteral("bon-expedition"), QStringLiteral("Bon d'expédition"),
         QStringLiteral("BonExp"), QStringLiteral("BonExp"), QStringLiteral("Bon d'expédition")},
        {Etat::ListeArticleExp, QStringLiteral("liste-articles"),
         QStringLiteral("Liste des articles de l'expédition"), QStringLiteral("ListeArticle"),
         QStringLiteral("ListeArticleExp"), QStringLiteral("Liste des articles")},
        {Etat::EtatControleExpGamme, QStringLiteral("controle-codes-barre"),
         QStringLiteral("Liste des articles de l'expédition"),
         QStringLiteral("EtatControleArtGamme"), QStringLiteral("EtatControleExpGamme"),
         QStringLiteral("Etat de contrôle codes barre")},
        {Etat::EtatControleExpArt, QStringLiteral("controle-articles"),
         QStringLiteral("Liste des articles de l'expédition"), QStringLiteral("EtatControleArt"),
         QStringLiteral("EtatControleExpArt"), QStringLiteral("Etat de contrôle codes article")},
        {Etat::ColisageExp, QStringLiteral("colisage"),
         QStringLiteral("Liste de colisage de l'expédition"), QStringLiteral("ColisageExp"),
         QStringLiteral("ColisageExp"), QStringLiteral("Liste de colisage")},
    };
    return liste;
}

const DescriptionEtat& descriptionEtat(Etat etat) {
    for (const DescriptionEtat& d : descriptionsEtats())
        if (d.etat == etat)
            return d;
    return descriptionsEtats().first();
}

QString nomFichierPdf(const DescriptionEtat& description, qint32 noExp) {
    return QStringLiteral("%1 %2.pdf").arg(description.nomFichier).arg(noExp);
}

QString avecExtensionPdf(const QString& fichier) {
    return fichier.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)
               ? fichier
               : fichier + QStringLiteral(".pdf");
}

bool EditerEtat(Contexte& ctx, Etat etat, std::optional<qint32> noExp,
                const std::function<void(const Document&)>& montrer) {
    const DescriptionEtat& description = descriptionEtat(etat);
    const bool colisage = etat == Etat::ColisageExp;
    const bool gamme = etat == Etat::EtatControleExpGamme;
    try {
        if (colisage)
            TraceDebug(ctx, QStringLiteral("mnuEdListeColisage "));
        init_dataenv_connection(ctx);
        FermetureConxReport fermeture{ctx};
        const qint32 spid = gamme ? ctx.conxReport->spid() : 0;
        if (!noExp)
            throw ErreurTarvo(NumeroErreur::DonneeInvalide, QStringLiteral("Editions"),
                              QStringLiteral("Aucune expédition n'est sélectionnée."));
        const QString numero = QString::number(*noExp);
        // A shipment deleted meanwhile or mistyped is no connection problem:
        // it is said plainly, before any work row is prepared for it.
        if (!ExpeditionExiste(db::Base(ctx.cnx.get()), *noExp)) {
            ctx.prompts.critique(QStringLiteral("Editions"),
                                 QStringLiteral("L'expédition n° %1 n'existe pas.").arg(numero));
            return false;
        }
        // The preparation's own failure has been shown: a report printed from
        // an earlier preparation's rows would pass for a correct one.
        if (gamme && !prepaEtatControleQteGamme(ctx, *noExp, spid))
            return false;
        const FinPreparation fin{ctx, spid, gamme};

        const db::Base base(ctx.conxReport.get());
        DonneesEtat donnees;
        switch (etat) {
        case Etat::BonExp:
            donnees = BonExp(base, *noExp);
            break;
        case Etat::ListeArticleExp:
            donnees = ListeArticle(base, *noExp);
            break;
        case Etat::EtatControleExpGamme:
            donnees = EtatControleArtGamme(base, *noExp, spid);
            TraceDebug(ctx, QStringLiteral("Apres DataEnvEd.EtatControleArtGamme ") + numero);
            break;
        case Etat::EtatControleExpArt:
            donnees = EtatControleArt(base, *noExp);
            break;
        case Etat::ColisageExp:
            TraceDebug(ctx, QStringLiteral("appel DataEnvEd.ColisageExp exp=") + numero);
            donnees = ColisageExp(base, *noExp);
            break;
        }

        if (colisage)
            TraceDebug(ctx, QStringLiteral("appel refresh"));
        Modele modele =
            modeleEtat(etat, donnees, chargerLogo(ctx, donnees), ctx.horloge.maintenant());
        modele.titre = description.titreApercu;
        Document document = mettreEnPage(modele);
        document.nomFichier = nomFichierPdf(description, *noExp);
        if (gamme)
            TraceDebug(ctx, QStringLiteral("Apres EtatControleExpGamme.Refresh"));
        if (colisage)
            TraceDebug(ctx, QStringLiteral("appel show"));
        montrer(document);
        if (gamme)
            TraceDebug(ctx, QStringLiteral("Apres EtatControleExpGamme.Show"));
        if (colisage)
            TraceDebug(ctx, QStringLiteral("appel close"));
    } catch (const ErreurTarvo& e) {
        trace_erreur_etat(
            ctx, description.nomEtat, description.commande,
            EchecEtat{e.erreur(), 0, erreursConnexion(e.erreur()), texteCommande(ctx, etat)});
        return false;
    }
    if (colisage)
        TraceDebug(ctx, QStringLiteral("EdListeColisage fin"));
    if (gamme)
        TraceDebug(ctx, QString());
    return true;
}

} // namespace tarvo::editions
