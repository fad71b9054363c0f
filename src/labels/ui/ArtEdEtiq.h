#pragma once

#include "labels/EtiquettesArticle.h"

#include <QDialog>
#include <optional>

class QLineEdit;
class QPushButton;

namespace tarvo {
struct Contexte;
}

namespace tarvo::etiquettes {

// "Edition des étiquettes code barres article": a bar code typed or scanned,
// the article it names, and how many labels to print.
class ArtEdEtiq : public QDialog {
    Q_OBJECT
public:
    ArtEdEtiq(Contexte& ctx, QWidget* parent = nullptr);

    // Looks up the article of the bar-code field; when none (or several)
    // match, empties the description and keeps the focus in the field.
    bool validerCodeBarre();
    void ImprEtiqArticle();
    void apercu();

private:
    Contexte& ctx_;
    QLineEdit* CbArt_;
    QLineEdit* LibArt_;
    QLineEdit* NbEtiq_;
    QPushButton* BtImprim_;
    std::optional<ArticleEtiquette> article_;
    QString codeValide_;
};

} // namespace tarvo::etiquettes
