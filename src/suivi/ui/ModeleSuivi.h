#pragma once

#include "suivi/Suivi.h"

#include <QAbstractTableModel>
#include <QColor>
#include <memory>
#include <vector>

namespace tarvo::suivi {

// The follow-up's rows as listed, in the columns of TableSuivi, each row
// coloured by its state. The rows read are shared with the work that lists
// them off the window's thread; a cell's text is made when it is drawn.
// Sorting is asked for (triDemande), and done by that work.
class ModeleSuivi : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ModeleSuivi(QObject* parent = nullptr);

    // Lists the rows of `lignes` at ranks `rangs`, in that order.
    void presenter(std::shared_ptr<const QList<LigneSuivi>> lignes, std::vector<int> rangs);
    const LigneSuivi& ligne(int rang) const {
        return lignes_->at(rangs_.at(static_cast<std::size_t>(rang)));
    }
    // Every row read, listed or not.
    const std::shared_ptr<const QList<LigneSuivi>>& lues() const { return lignes_; }
    // Where shipment `noExpedition` is listed; -1 when it is not.
    int rangDe(qint32 noExpedition) const;

    void sort(int colonne, Qt::SortOrder ordre) override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    // The list's header asks for this order.
    void triDemande(int colonne, Qt::SortOrder ordre);

private:
    std::shared_ptr<const QList<LigneSuivi>> lignes_;
    std::vector<int> rangs_;
};

// Where the texts of column `colonne` sit: texts left, the rest right.
Qt::Alignment alignement(int colonne);

// The background of a row in state `etat`; invalid for the shipments not
// started, which keep the list's own.
QColor couleurEtat(EtatPreparation etat);

} // namespace tarvo::suivi
