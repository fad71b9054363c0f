#include "RefonteFrancaise.h"

#include "Base.h"
#include "SchemaSQLite.h"
#include "SqlSchema.h"
#include "base/Erreur.h"

#include <sqlite3.h>

namespace tarvo::db {

const QStringList TablesEnFrancais{
    QStringLiteral("Expédition"),        QStringLiteral("Liste commandes"),
    QStringLiteral("Colisage"),          QStringLiteral("Article"),
    QStringLiteral("Journal de saisie"), QStringLiteral("w_controle_qte_gamme"),
    QStringLiteral("F_COMPTET"),         QStringLiteral("F_LIVRAISON"),
    QStringLiteral("F_ARTICLE"),         QStringLiteral("F_ARTGAMME"),
    QStringLiteral("F_ARTENUMREF"),      QStringLiteral("F_DOCENTETE"),
    QStringLiteral("F_DOCLIGNE")};

namespace {

const QString PrefixeMisDeCote = QStringLiteral("v4_");

// The names go in all at once: one that holds "%2" stays as it is.
template <typename... Noms> void executer(Base& base, const TexteSql& modele, const Noms&... noms) {
    base.preparer(TexteSql(modele.pour(Moteur::SQLite).arg(noms...))).executer();
}

QStringList colonne(Base& base, const TexteSql& sql, const QString& table, int rang = 0) {
    Requete requete = base.preparer(sql);
    requete.lier(u":table", table);
    QStringList valeurs;
    while (requete.suivante())
        valeurs << requete.texte(rang);
    return valeurs;
}

bool existe(Base& base, const QString& table) {
    Requete requete = base.preparer(sql::TableExiste);
    requete.lier(u":table", table);
    return requete.suivante() && requete.entier(0) > 0;
}

void recopier(Base& base, const QString& table) {
    const QString ancienne = PrefixeMisDeCote + table;
    const QStringList nouvelles = colonne(base, sql::ColonnesTable, table);
    QStringList communes;
    for (const QString& c : colonne(base, sql::ColonnesTable, ancienne))
        if (nouvelles.contains(c))
            communes << IdentifiantSQLite(c);
    // Row numbers are kept too: the journal's browser takes them as its key.
    if (colonne(base, sql::AliasRowid, table).isEmpty())
        communes.prepend(QStringLiteral("rowid"));
    // The rows go in before the indexes are built: one sort per index
    // instead of a million look-ups.
    const QStringList index = colonne(base, sql::IndexDeTable, table, 1);
    for (const QString& nom : colonne(base, sql::IndexDeTable, table))
        executer(base, sql::SupprimerIndex, IdentifiantSQLite(nom));
    try {
        executer(base, sql::RecopierTable, IdentifiantSQLite(table), IdentifiantSQLite(ancienne),
                 communes.join(QStringLiteral(", ")));
    } catch (const ErreurTarvo& e) {
        if (!e.porteCodeMoteur(SQLITE_CONSTRAINT_PRIMARYKEY) &&
            !e.porteCodeMoteur(SQLITE_CONSTRAINT_UNIQUE))
            throw;
        throw ErreurTarvo(
            NumeroErreur::Base, QStringLiteral("Schéma"),
            QStringLiteral("La base ne peut pas passer à l'ordre alphabétique "
                           "français : la table %1 a des clés qui ne diffèrent "
                           "que par les majuscules ou les accents (%2). Corrigez "
                           "ces lignes avec la version précédente de Tarvo, puis "
                           "rouvrez la base : rien n'a été modifié.")
                .arg(table, ClesEgalesEnFrancais(base, ancienne,
                                                 colonne(base, sql::ClePrimaireTexte, table))));
    }
    for (const QString& creation : index)
        base.preparer(TexteSql(creation)).executer();
    Requete reprise = base.preparer(sql::SequenceReprise);
    reprise.lier(u":table", table).lier(u":ancienne", ancienne).executer();
    Requete ajustement = base.preparer(sql::SequenceAjustee);
    ajustement.lier(u":table", table).lier(u":ancienne", ancienne).executer();
    executer(base, sql::SupprimerTable, IdentifiantSQLite(ancienne));
}

} // namespace

void RefaireTablesEnFrancais(Base& base, const QString& scriptSchema) {
    QList<std::pair<QString, QString>> objets;
    {
        Requete lecture = base.preparer(sql::VuesEtDeclencheurs);
        while (lecture.suivante())
            objets.append({lecture.texte(0), lecture.texte(1)});
    }
    for (const auto& [type, nom] : objets)
        executer(base,
                 type == QStringLiteral("view") ? sql::SupprimerVue : sql::SupprimerDeclencheur,
                 IdentifiantSQLite(nom));
    QStringList misesDeCote;
    for (const QString& table : TablesEnFrancais) {
        if (!existe(base, table))
            continue;
        for (const QString& index : colonne(base, sql::IndexDeTable, table))
            executer(base, sql::SupprimerIndex, IdentifiantSQLite(index));
        executer(base, sql::RenommerTable, IdentifiantSQLite(table),
                 IdentifiantSQLite(PrefixeMisDeCote + table));
        misesDeCote << table;
    }
    base.executerScript(TexteSql(scriptSchema));
    for (const QString& table : misesDeCote)
        recopier(base, table);
}

} // namespace tarvo::db
