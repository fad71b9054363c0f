#pragma once

#include "reports/MiseEnPage.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QScrollArea;

namespace tarvo {
struct Contexte;
}

namespace tarvo::editions {

// The preview of one report, titled with its caption: one page at a time,
// painted when shown, so that the first page of a long report appears at
// once; printing through the platform's print dialog and saving as PDF.
// Modeless: it stays open after the command that made it; "Fermer" or
// Escape closes it.
class ApercuEtat : public QWidget {
    Q_OBJECT
public:
    ApercuEtat(Contexte& ctx, Document document, QWidget* parent = nullptr);

    const Document& document() const { return document_; }
    qsizetype pageCourante() const { return page_; }
    void allerA(qsizetype page);
    // The picture of the page shown.
    const QLabel* vuePage() const { return vue_; }

    void imprimer();
    // Writes the PDF, adding ".pdf" to a name without it; a failure is
    // shown in a box. True when written.
    bool enregistrerPdf(const QString& fichier);

protected:
    void keyPressEvent(QKeyEvent* evenement) override;

private:
    void choisirFichierPdf();

    Contexte& ctx_;
    Document document_;
    qsizetype page_ = -1;
    QScrollArea* defilement_ = nullptr;
    QLabel* vue_ = nullptr;
    QLabel* numero_ = nullptr;
    QPushButton* premiere_ = nullptr;
    QPushButton* precedente_ = nullptr;
    QPushButton* suivante_ = nullptr;
    QPushButton* derniere_ = nullptr;
};

// Opens the preview of `document` as a window of its own over `parent`.
ApercuEtat* ouvrirApercu(Contexte& ctx, const Document& document, QWidget* parent);

} // namespace tarvo::editions
