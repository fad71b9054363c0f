#include "OrdreDesIndex.h"

#include "Base.h"
#include "CollationFrancaise.h"
#include "SchemaSQLite.h"
#include "SqlSchema.h"
#include "Transaction.h"
#include "base/Erreur.h"
#include "base/Feedback.h"

#include <sqlite3.h>

namespace tarvo::db {
namespace {

// Empty when none is recorded.
QString ordreNote(Base& base) {
    Requete existe = base.preparer(sql::TableOrdreExiste);
    if (!existe.suivante())
        return {};
    existe.terminer();
    Requete lecture = base.preparer(sql::OrdreDesIndex);
    return lecture.suivante() ? lecture.texte(0) : QString();
}

struct IndexFrancais {
    QString nom;
    QString table;
};

QList<IndexFrancais> indexEnFrancais(Base& base) {
    QList<IndexFrancais> liste;
    Requete lecture = base.preparer(sql::IndexEnFrancais);
    while (lecture.suivante())
        liste.append({lecture.texte(0), lecture.texte(1)});
    return liste;
}

void reconstruire(Base& base, const IndexFrancais& index, const QString& ancien,
                  const QString& actuel) {
    try {
        base
            .preparer(TexteSql(
                sql::ReconstruireIndex.pour(Moteur::SQLite).arg(IdentifiantSQLite(index.nom))))
            .executer();
    } catch (const ErreurTarvo& e) {
        if (!e.porteCodeMoteur(SQLITE_CONSTRAINT_PRIMARYKEY) &&
            !e.porteCodeMoteur(SQLITE_CONSTRAINT_UNIQUE))
            throw;
        QStringList colonnes;
        Requete lecture = base.preparer(sql::ColonnesIndex);
        lecture.lier(u":index", index.nom);
        while (lecture.suivante())
            colonnes << lecture.texte(0);
        throw ErreurTarvo(
            NumeroErreur::Base, QStringLiteral("Schéma"),
            QStringLiteral("L'ordre alphabétique français a changé depuis la construction des "
                           "index de la base (%1, maintenant %2) : dans la table %3, des clés "
                           "qu'il distinguait sont devenues égales (%4). Corrigez ces lignes "
                           "avec le programme qui a fait la base, ou avec le shell sqlite3 et "
                           "l'extension de Tarvo, puis rouvrez la base : rien n'a été modifié.")
                .arg(ancien.isEmpty() ? QStringLiteral("ordre non noté") : ancien, actuel,
                     index.table, ClesEgalesEnFrancais(base, index.table, colonnes)));
    }
}

} // namespace

void NoterOrdreDesIndex(Base& base) {
    base.preparer(sql::CreerTableOrdre).executer();
    Requete ecriture = base.preparer(sql::NoterOrdre);
    ecriture.lier(u":version", VersionOrdreFrancais()).executer();
}

void ReconstruireIndexSiOrdreChange(Base& base, Feedback& retour) {
    const QString actuel = VersionOrdreFrancais();
    if (ordreNote(base) == actuel)
        return;
    Transaction transaction(base);
    // Another program may have rebuilt them while this one waited for the
    // write lock.
    const QString ancien = ordreNote(base);
    if (ancien == actuel)
        return;
    retour.statut(
        QStringLiteral("Reconstruction des index de la base dans l'ordre alphabétique français…"));
    const QList<IndexFrancais> liste = indexEnFrancais(base);
    for (qsizetype i = 0; i < liste.size(); ++i) {
        retour.progression(static_cast<int>(100 * i / liste.size()));
        reconstruire(base, liste[i], ancien, actuel);
    }
    NoterOrdreDesIndex(base);
    transaction.valider();
    retour.progression(100);
    retour.statut(QString());
}

} // namespace tarvo::db
