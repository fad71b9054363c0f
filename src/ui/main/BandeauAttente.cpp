#include "BandeauAttente.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace tarvo::ui {

BandeauAttente::BandeauAttente(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Attente"));
    texte_ = new QLabel(this);
    auto* barre = new QProgressBar(this);
    // How long a read takes is not known beforehand: a bar that moves says
    // the program works.
    barre->setRange(0, 0);
    barre->setMaximumWidth(200);
    auto* annuler = new QPushButton(QStringLiteral("Annuler"), this);
    annuler->setObjectName(QStringLiteral("BtAnnuler"));
    connect(annuler, &QPushButton::clicked, this, [this] {
        hide();
        emit annule();
    });
    auto* disposition = new QHBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->addWidget(texte_);
    disposition->addWidget(barre);
    disposition->addWidget(annuler);
    disposition->addStretch(1);
    hide();
}

void BandeauAttente::montrer(const QString& texte) {
    texte_->setText(texte);
    show();
}

} // namespace tarvo::ui
