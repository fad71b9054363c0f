#pragma once

#include <QStringList>
#include <QWidget>

class QHeaderView;

namespace tarvo::suivi {

// A row of texts drawn under a list's columns, following their widths and
// the list's horizontal scroll: the totals under the follow-up.
class LigneTotaux : public QWidget {
    Q_OBJECT
public:
    // Each text aligned in its column as `alignements` says.
    LigneTotaux(QHeaderView* colonnes, QList<Qt::Alignment> alignements, QWidget* parent = nullptr);

    void setTextes(const QStringList& textes);
    const QStringList& textes() const { return textes_; }
    // The width column `colonne` needs to show its text.
    int largeurVoulue(int colonne) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* evenement) override;

private:
    QHeaderView* colonnes_;
    QList<Qt::Alignment> alignements_;
    QStringList textes_;
};

} // namespace tarvo::suivi
