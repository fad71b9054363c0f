#pragma once

#include "FenetreNavigation.h"

namespace tarvo::navigateurs {

// "Journal des saisies de données SCANPAL2": every integrated terminal entry,
// as present when the window opened or was last refreshed.
class Journal : public FenetreNavigation {
    Q_OBJECT
public:
    // Raises ErreurTarvo when the journal cannot be read.
    explicit Journal(Contexte& ctx, QWidget* parent = nullptr);

    // "Actualiser": the entries integrated since appear; filter and sort go.
    void Actualiser();
};

} // namespace tarvo::navigateurs
