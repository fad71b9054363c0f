#pragma once

#include <QDateTime>
#include <QWidget>
#include <optional>

class QCheckBox;
class QDateTimeEdit;

namespace tarvo::expeditions {

// A date picker with a check box: unchecked means no date. While it has no
// value a blank panel (CacheDate) hides the date text, so that an open
// shipment shows no date; the check box stays visible.
class ChoixDate : public QWidget {
    Q_OBJECT
public:
    explicit ChoixDate(const QString& nom, QWidget* parent = nullptr);

    std::optional<QDateTime> valeur() const;
    // `proposee` is the date offered when the person checks the box.
    void setValeur(const std::optional<QDateTime>& valeur, const QDateTime& proposee);

    QCheckBox* caseACocher() const { return case_; }
    QDateTimeEdit* editeur() const { return editeur_; }
    QWidget* cacheDate() const { return cache_; }

signals:
    void valeurChangee();

protected:
    void resizeEvent(QResizeEvent* evenement) override;

private:
    void montrerCache();

    QCheckBox* case_;
    QDateTimeEdit* editeur_;
    QWidget* cache_;
};

} // namespace tarvo::expeditions
