#include "Synchronisation.h"

#include "SqlCatalogue.h"
#include "app/Contexte.h"
#include "base/Erreur.h"
#include "base/FormesMessages.h"
#include "db/Base.h"
#include "db/Transaction.h"

namespace tarvo::catalogue {
namespace {

// SQLITE_CONSTRAINT_FOREIGNKEY, the embedded engine's extended result code.
constexpr qint64 SQLiteCleEtrangere = 787;
// SQL Server: "The DELETE statement conflicted with the REFERENCE constraint".
constexpr qint64 SqlServerConflitReference = 547;

const QString TitreObsoletes = QStringLiteral("Article(s) obsolète(s)");

} // namespace

MiseAJourArticles MettreAJourArticles(Contexte& ctx, db::Base& base) {
    db::Requete maj = base.preparer(sql::MajArticles);
    db::Requete ajout = base.preparer(sql::AjoutArticles);
    MiseAJourArticles resultat;
    db::Transaction transaction(base);
    ctx.afficheStatut(QStringLiteral("Mise à jour des Articles existant"));
    resultat.misAJour = maj.executer();
    ctx.afficheStatut(QStringLiteral("Ajout des nouveaux Articles"));
    resultat.ajoutes = ajout.executer();
    transaction.valider();
    return resultat;
}

QList<ArticleObsolete> ChercherArticlesObsoletes(const db::Base& base) {
    db::Requete requete = base.preparer(sql::ArticlesObsoletes);
    QList<ArticleObsolete> articles;
    while (requete.suivante())
        articles.append({requete.texte(0), requete.texte(1)});
    return articles;
}

bool RefusParReference(const ErreurTarvo& erreur, db::Moteur moteur) {
    return erreur.porteCodeMoteur(moteur == db::Moteur::SQLite ? SQLiteCleEtrangere
                                                               : SqlServerConflitReference);
}

BilanSuppression SupprimerArticles(Contexte& ctx, const db::Base& base,
                                   const QList<ArticleObsolete>& articles) {
    db::Requete suppression = base.preparer(sql::SuppressionArticle);
    BilanSuppression bilan;
    const qsizetype total = articles.size();
    int affiche = 0;
    ctx.afficheProgression(0);
    for (qsizetype i = 0; i < total; ++i) {
        try {
            bilan.supprimes += suppression.lier(u":codeBarre", articles.at(i).codeBarre).executer();
        } catch (const ErreurTarvo& e) {
            if (!RefusParReference(e, base.moteur()))
                throw;
            ++bilan.encoreUtilises;
        }
        const int pourcentage = static_cast<int>((i + 1) * 100 / total);
        if (pourcentage != affiche) {
            affiche = pourcentage;
            ctx.afficheProgression(pourcentage);
        }
    }
    return bilan;
}

QStringList LignesBilanSynchro(const BilanSynchro& bilan) {
    return {QStringLiteral("Articles mis à jour : %1").arg(bilan.miseAJour.misAJour),
            QStringLiteral("Articles ajoutés : %1").arg(bilan.miseAJour.ajoutes),
            QStringLiteral("Articles supprimés : %1").arg(bilan.suppression.supprimes),
            QStringLiteral("Articles encore utilisés, gardés : %1")
                .arg(bilan.suppression.encoreUtilises)};
}

qint64 ObsoletesGardes(const BilanSynchro& bilan) {
    return bilan.obsoletes - bilan.suppression.supprimes - bilan.suppression.encoreUtilises;
}

std::optional<BilanSynchro> SynchroArticle(Contexte& ctx, bool proposerSuppression) {
    BilanSynchro bilan;
    bool reussi = true;
    try {
        db::Base base(ctx.cnx.get());
        bilan.miseAJour = MettreAJourArticles(ctx, base);
        if (proposerSuppression) {
            ctx.afficheStatut(QStringLiteral("Traitement des Articles n'existant plus dans SAGE"));
            const QList<ArticleObsolete> obsoletes = ChercherArticlesObsoletes(base);
            bilan.obsoletes = obsoletes.size();
            if (!obsoletes.isEmpty() &&
                ctx.prompts.question(
                    Prompts::Icone::Question, TitreObsoletes,
                    QString::number(obsoletes.size()) +
                        QStringLiteral(" article(s) n'existe(nt) plus dans la Gestion "
                                       "Commerciale.\r\nVoulez-vous le(s) supprimer ?"),
                    true)) {
                bilan.suppressionDemandee = true;
                bilan.suppression = SupprimerArticles(ctx, base, obsoletes);
                if (bilan.suppression.encoreUtilises > 0)
                    ctx.prompts.exclamation(
                        QStringLiteral("Suppression incomplète"),
                        QString::number(bilan.suppression.encoreUtilises) +
                            QStringLiteral(" article(s) encore utilisé(s) dans l'application. La "
                                           "suppression concernant cet(ces) article(s) n'a pas "
                                           "été réalisée."));
            }
        }
    } catch (const ErreurTarvo& e) {
        afficherErreurDetaillee(ctx, QStringLiteral("Erreur"), e.erreur());
        reussi = false;
    }
    ctx.afficheStatut(QString());
    ctx.afficheProgression(100);
    if (!reussi)
        return std::nullopt;
    return bilan;
}

} // namespace tarvo::catalogue
