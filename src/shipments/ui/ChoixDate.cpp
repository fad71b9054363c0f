#include "ChoixDate.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QHBoxLayout>

namespace tarvo::expeditions {

ChoixDate::ChoixDate(const QString& nom, QWidget* parent)
    : QWidget(parent), case_(new QCheckBox(this)), editeur_(new QDateTimeEdit(this)),
      cache_(new QWidget(this)) {
    setObjectName(nom);
    case_->setObjectName(nom + QStringLiteral("Coche"));
    editeur_->setObjectName(nom + QStringLiteral("Date"));
    editeur_->setCalendarPopup(true);
    editeur_->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    cache_->setObjectName(QStringLiteral("CacheDate"));
    cache_->setAutoFillBackground(true);

    auto* disposition = new QHBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->addWidget(case_);
    disposition->addWidget(editeur_, 1);

    connect(case_, &QCheckBox::toggled, this, [this](bool coche) {
        editeur_->setEnabled(coche);
        montrerCache();
        emit valeurChangee();
    });
    connect(editeur_, &QDateTimeEdit::dateTimeChanged, this, &ChoixDate::valeurChangee);
    montrerCache();
}

std::optional<QDateTime> ChoixDate::valeur() const {
    if (!case_->isChecked())
        return std::nullopt;
    return editeur_->dateTime();
}

void ChoixDate::setValeur(const std::optional<QDateTime>& valeur, const QDateTime& proposee) {
    const QSignalBlocker bloqueCase(case_);
    const QSignalBlocker bloqueEditeur(editeur_);
    editeur_->setDateTime(valeur.value_or(proposee));
    case_->setChecked(valeur.has_value());
    editeur_->setEnabled(valeur.has_value());
    montrerCache();
    emit valeurChangee();
}

void ChoixDate::resizeEvent(QResizeEvent* evenement) {
    QWidget::resizeEvent(evenement);
    cache_->setGeometry(editeur_->geometry());
}

void ChoixDate::montrerCache() {
    cache_->setGeometry(editeur_->geometry());
    cache_->raise();
    cache_->setVisible(!case_->isChecked());
}

} // namespace tarvo::expeditions
