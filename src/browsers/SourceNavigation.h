#pragma once

#include "Tables.h"
#include "TraductionSql.h"
#include "db/Base.h"

#include <QVariantList>
#include <functional>
#include <optional>
#include <vector>

namespace tarvo {
class Connexion;
}

namespace tarvo::navigateurs {

// One row of a browser: its key and its values in grid order.
struct LigneNavigation {
    QVariant cle;
    QVariantList valeurs;
};

// Runs a browser's statements on the database. A snapshot table keeps to the
// rows present when `figer` last ran. Every method raises ErreurTarvo.
class SourceNavigation {
public:
    SourceNavigation(Connexion* cnx, const TableNavigable& table);

    const TableNavigable& table() const { return table_; }
    // Takes the rows present now as the snapshot (for a snapshot table).
    void figer();
    const QVariant& borne() const { return borne_; }
    void fixerBorne(QVariant borne) { borne_ = std::move(borne); }

    qint64 compter(const Vue& vue) const;
    std::vector<LigneNavigation> lire(const Vue& vue, qint64 debut, int nombre) const;
    // The `nombre` rows that follow `precedente` in the view.
    std::vector<LigneNavigation> lireApres(const Vue& vue, const LigneNavigation& precedente,
                                           int nombre) const;
    // The position, in the view, of the first row that meets `critere`.
    std::optional<qint64> chercher(const Vue& vue, const Critere& critere) const;
    // Every row of the view in order; `ligne` is called on the query placed
    // on each row (key in column 0, then the columns in grid order).
    void parcourir(const Vue& vue, const std::function<void(const db::Requete&)>& ligne) const;

private:
    db::Requete preparer(const SqlLie& lie) const;
    std::vector<LigneNavigation> lignes(const SqlLie& lie, int nombre) const;
    TraductionSql traduction() const;

    db::Base base_;
    const TableNavigable& table_;
    QVariant borne_;
};

} // namespace tarvo::navigateurs
