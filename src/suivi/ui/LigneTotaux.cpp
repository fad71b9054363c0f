#include "LigneTotaux.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTextOption>

namespace tarvo::suivi {
namespace {

constexpr int Marge = 4;

} // namespace

LigneTotaux::LigneTotaux(QHeaderView* colonnes, QList<Qt::Alignment> alignements, QWidget* parent)
    : QWidget(parent), colonnes_(colonnes), alignements_(std::move(alignements)) {
    QFont gras = font();
    gras.setBold(true);
    setFont(gras);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    const auto redessiner = [this] { update(); };
    connect(colonnes_, &QHeaderView::sectionResized, this, redessiner);
    connect(colonnes_, &QHeaderView::sectionMoved, this, redessiner);
    connect(colonnes_, &QHeaderView::geometriesChanged, this, redessiner);
    if (auto* vue = qobject_cast<QAbstractItemView*>(colonnes_->parentWidget()))
        connect(vue->horizontalScrollBar(), &QScrollBar::valueChanged, this, redessiner);
}

void LigneTotaux::setTextes(const QStringList& textes) {
    textes_ = textes;
    update();
}

int LigneTotaux::largeurVoulue(int colonne) const {
    return fontMetrics().horizontalAdvance(textes_.value(colonne)) + 3 * Marge;
}

QSize LigneTotaux::sizeHint() const {
    return {colonnes_->length(), fontMetrics().height() + 2 * Marge};
}

void LigneTotaux::paintEvent(QPaintEvent*) {
    QPainter peintre(this);
    peintre.fillRect(rect(), palette().alternateBase());
    // The header sits inside the list's frame; so do the texts.
    const int origine = mapFromGlobal(colonnes_->mapToGlobal(QPoint(0, 0))).x();
    for (int c = 0; c < textes_.size() && c < colonnes_->count(); ++c) {
        if (colonnes_->isSectionHidden(c))
            continue;
        const QRect cellule(origine + colonnes_->sectionViewportPosition(c) + Marge, 0,
                            colonnes_->sectionSize(c) - 2 * Marge, height());
        peintre.drawText(QRectF(cellule), textes_.at(c),
                         QTextOption(alignements_.value(c, Qt::AlignRight) | Qt::AlignVCenter));
    }
}

} // namespace tarvo::suivi
