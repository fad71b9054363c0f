#include "Dialecte.h"

namespace tarvo::Dialecte {

QString maintenant(Moteur moteur) {
    return moteur == Moteur::SQLite ? QStringLiteral("datetime('now','localtime')")
                                    : QStringLiteral("GETDATE()");
}

} // namespace tarvo::Dialecte
