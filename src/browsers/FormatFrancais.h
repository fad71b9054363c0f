#pragma once

#include "db/JeuEnregistrements.h"

#include <QString>
#include <QVariant>

namespace tarvo::navigateurs {

// A value as the browsers show and export it, the French way whatever the
// workstation's locale: decimal comma without group separator ("0,5"),
// moments as 06/12/2026 14:30:00, nothing for a null.
QString TexteFrancais(const QVariant& valeur, db::Genre genre);

} // namespace tarvo::navigateurs
