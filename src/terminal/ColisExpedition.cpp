#include "ColisExpedition.h"

#include "SqlTerminal.h"
#include "db/Base.h"
#include "db/Requete.h"

namespace tarvo::terminal {

qint64 SupprimerColisExpedition(const db::Base& base, qint32 noExpedition) {
    return base.preparer(sql::SupprimerColisExpedition)
        .lier(u":noExpedition", noExpedition)
        .executer();
}

} // namespace tarvo::terminal
