#pragma once

#include "suivi/Explication.h"
#include "suivi/LignesExpedition.h"

#include <QDialog>

namespace tarvo::suivi {

// The journal entries behind one line's prepared quantity, in the order the
// runs applied them; those that no longer count are greyed and say why.
class FenetreExplication : public QDialog {
    Q_OBJECT
public:
    FenetreExplication(qint32 noExp, const LigneArticle& ligne, const Explication& explication,
                       QWidget* parent = nullptr);
};

} // namespace tarvo::suivi
