#pragma once

#include "Societe.h"

#include <QAbstractTableModel>

namespace tarvo::catalogue {

// The rows of [Informations société] for the company window, read-only, as
// LireSocietes gave them: the fifteen text fields, then the logo's bytes.
// The window writes through EnregistrerSociete, which sees a row another
// workstation changed meanwhile.
class ModeleSociete : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void remplir(QList<FicheSociete> fiches);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    QList<FicheSociete> fiches_;
};

} // namespace tarvo::catalogue
