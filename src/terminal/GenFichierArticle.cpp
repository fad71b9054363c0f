#include "GenFichierArticle.h"

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

namespace tarvo::terminal {
namespace {

const QString Source = QStringLiteral("GenFichierArticle");
constexpr qsizetype LargeurCodeBarres = 18;
constexpr qsizetype LargeurLibelle = 40;

// The two entries that stand for every article; a terminal that reports one of
// them in a removal empties a whole parcel.
constexpr const char* CodesTous[] = {"<Tous>", "..."};
constexpr const char* LibelleTous = "Tous les Articles";

} // namespace

void EcrireFichierArticle(Contexte& ctx, SuiviLignes& suivi) {
    const db::Base base(ctx.cnx.get());
    db::Requete nombre = base.preparer(sql::NombreArticles);
    const qint64 total = nombre.suivante() ? nombre.entier(0) : 0;
    nombre.terminer();
    db::Requete articles = base.preparer(sql::ArticlesPourTerminal);

    FichierSortie fichier(
        LireIni(ctx, QStringLiteral("FichierArticle"), QStringLiteral("[SCANPAL2]")),
        QStringLiteral("FichierArticle"), Source);
    QByteArray ligne;
    for (const char* code : CodesTous) {
        ligne.resize(0);
        ajouterPadDroite(ligne, code, LargeurCodeBarres);
        ajouterPadDroite(ligne, LibelleTous, LargeurLibelle);
        suivi.ligne(ligne);
        fichier.ecrireLigne(ligne);
    }

    QByteArray champ;
    qint64 numero = 0;
    bool premiere = true;
    while (articles.suivante()) {
        if (premiere) {
            suivi.progression(0);
            premiere = false;
        }
        ++numero;
        ligne.resize(0);
        // A NULL reads as empty text, so it is written as spaces.
        champ.resize(0);
        Windows1252::ajouter(champ, articles.texte(0));
        ajouterPadDroite(ligne, champ, LargeurCodeBarres);
        champ.resize(0);
        Windows1252::ajouter(champ, articles.texte(1));
        ajouterPadDroite(ligne, champ, LargeurLibelle);
        // Rows added since the count cannot take the bar past 100. The bar
        // moves first, so that the status shows the line that moved it.
        suivi.progression(std::min(100, pourcentage(numero, std::max(total, numero))));
        suivi.ligne(ligne);
        fichier.ecrireLigne(ligne);
    }
    fichier.valider();
}

bool GenFichierArticle(Contexte& ctx) {
    SuiviLignes suivi(ctx.feedback);
    bool reussi = true;
    try {
        EcrireFichierArticle(ctx, suivi);
    } catch (const ErreurTarvo& e) {
        afficherErreurDetaillee(ctx, QStringLiteral("Erreur"), e.erreur());
        reussi = false;
    }
    suivi.statut(QString());
    suivi.progression(100);
    return reussi;
}

} // namespace tarvo::terminal
