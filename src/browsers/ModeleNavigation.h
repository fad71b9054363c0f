#pragma once

#include "SourceNavigation.h"
#include "listes/Roles.h"

#include <QAbstractTableModel>
#include <QHash>
#include <deque>
#include <memory>

namespace tarvo::navigateurs {

// The grid of a browser over a table of any size: the view runs where the
// data is, the grid grows as it scrolls (canFetchMore/fetchMore), and only
// the pages of rows lately shown are kept in memory.
class ModeleNavigation : public QAbstractTableModel {
    Q_OBJECT
public:
    // The same roles as every other list of the program (no marks here).
    using enum listes::Role;
    static constexpr int TaillePage = 256;
    static constexpr int PagesGardees = 64;

    explicit ModeleNavigation(std::unique_ptr<SourceNavigation> source, QObject* parent = nullptr);

    const SourceNavigation& source() const { return *source_; }
    const Vue& vue() const { return vue_; }
    const Champ& champ(int colonne) const;

    // Shows `vue` with its first page of rows. When they cannot be read,
    // raises ErreurTarvo and the grid keeps the view it had. Rows are never
    // counted: on a million rows the count alone would cost more than the
    // pages a person looks at.
    void afficher(Vue vue);
    // Takes the rows present now as the snapshot, then shows `vue`.
    void actualiser(Vue vue);
    // Fetches the rows up to `position` (a row of the view), so that the grid
    // can show it.
    void atteindre(qint64 position);

    // Cells open a read-only text field where part of the text can be
    // selected; nothing is ever written back.
    void setTexteSelectionnable(bool oui) { texteSelectionnable_ = oui; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

signals:
    // A page of rows could not be read: the text says why.
    void erreurLecture(const QString& texte) const;

private:
    const LigneNavigation* ligne(int rang) const;
    // Reads page `page` and one row more, to know whether another follows.
    std::vector<LigneNavigation> lirePage(const Vue& vue, qint64 page, bool& derniere) const;
    void retenir(qint64 page, std::vector<LigneNavigation> lignes) const;
    // Makes the rows up to the end of page `page` part of the grid.
    void etendre(qint64 page);

    std::unique_ptr<SourceNavigation> source_;
    Vue vue_;
    bool fin_ = true;
    int chargees_ = 0;
    // A reset or an insertion is being announced.
    bool enChangement_ = false;
    bool texteSelectionnable_ = false;
    mutable QHash<qint64, std::vector<LigneNavigation>> pages_;
    mutable std::deque<qint64> ordrePages_;
};

} // namespace tarvo::navigateurs
