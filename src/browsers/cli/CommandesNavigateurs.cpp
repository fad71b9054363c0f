#include "CommandesNavigateurs.h"

#include "app/Contexte.h"
#include "base/Erreur.h"
#include "base/FormesMessages.h"
#include "browsers/ExportCsv.h"
#include "browsers/SourceNavigation.h"
#include "browsers/Tables.h"

#include <QTextStream>

namespace tarvo::ctl {
namespace {

using namespace tarvo::navigateurs;

Champ champOuUsage(const TableNavigable& table, const QString& nom) {
    if (const std::optional<Champ> champ = ChampNomme(table.champs, nom))
        return *champ;
    QStringList titres;
    for (const Champ& c : table.champs)
        titres << c.titre;
    throw ErreurUsage(QStringLiteral("Colonne inconnue : %1 (colonnes : %2).")
                          .arg(nom, titres.join(QStringLiteral(", "))));
}

// The view the options describe: --filtre COLONNE=VALEUR clauses, each
// compared as the browser's search compares, and one --tri COLONNE[:desc].
Vue vueDesOptions(const TableNavigable& table, Comparaison comparaison, QStringList& reste) {
    Vue vue;
    while (const std::optional<QString> filtre =
               extraireValeur(reste, QStringLiteral("--filtre"))) {
        const qsizetype egal = filtre->indexOf(u'=');
        if (egal <= 0)
            throw ErreurUsage(QStringLiteral("--filtre attend COLONNE=VALEUR : ") + *filtre);
        const Champ champ = champOuUsage(table, filtre->left(egal));
        try {
            vue.filtre.append(CritereRecherche(comparaison, champ, filtre->mid(egal + 1)));
        } catch (const ErreurTarvo& e) {
            throw ErreurUsage(e.erreur().description);
        }
    }
    if (const std::optional<QString> tri = extraireValeur(reste, QStringLiteral("--tri"))) {
        QString nom = *tri;
        const bool descendant = nom.endsWith(QStringLiteral(":desc"), Qt::CaseInsensitive);
        if (descendant)
            nom.chop(5);
        else if (nom.endsWith(QStringLiteral(":asc"), Qt::CaseInsensitive))
            nom.chop(4);
        vue.tri = Tri{champOuUsage(table, nom), descendant};
        if (reste.contains(QStringLiteral("--tri")))
            throw ErreurUsage(
                QStringLiteral("Donnez --tri une seule fois : les lignes se trient sur une "
                               "seule colonne."));
    }
    return vue;
}

int exporter(Contexte& ctx, const TableNavigable& table, Comparaison comparaison,
             const QStringList& arguments) {
    QStringList reste = arguments;
    const Vue vue = vueDesOptions(table, comparaison, reste);
    for (const QString& argument : std::as_const(reste))
        if (argument.startsWith(QStringLiteral("--")))
            throw ErreurUsage(QStringLiteral("Option inconnue : ") + argument);
    if (reste.size() != 1)
        throw ErreurUsage(QStringLiteral("Indiquez un seul fichier CSV à écrire."));
    try {
        SourceNavigation source(ctx.cnx.get(), table);
        source.figer();
        const qint64 lignes = ExporterCsv(source, vue, reste.at(0), ctx.feedback);
        QTextStream(stdout) << BilanExport(lignes, reste.at(0)) << u'\n';
        return 0;
    } catch (const ErreurTarvo& e) {
        afficherErreurDetaillee(ctx, QStringLiteral("Exporter"), e.erreur());
        return 1;
    }
}

} // namespace

QList<Commande> commandesNavigateurs() {
    return {
        {QStringLiteral("export-journal"),
         QStringLiteral("FICHIER.csv [--filtre COLONNE=VALEUR]... [--tri COLONNE[:desc]]"),
         QStringLiteral("écrit le journal des saisies (filtré, trié) en CSV pour un tableur"),
         Prealable::Base,
         [](Contexte& ctx, const QStringList& arguments) {
             return exporter(ctx, TableJournal(), Comparaison::Exacte, arguments);
         }},
        {QStringLiteral("export-articles"),
         QStringLiteral("FICHIER.csv [--filtre COLONNE=MOTIF]... [--tri COLONNE[:desc]]"),
         QStringLiteral("écrit le fichier Article (filtré, trié) en CSV pour un tableur"),
         Prealable::Base,
         [](Contexte& ctx, const QStringList& arguments) {
             return exporter(ctx, TableArticle(), Comparaison::ParMotif, arguments);
         }},
    };
}

} // namespace tarvo::ctl
