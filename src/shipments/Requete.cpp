#include "Requete.h"

#include "app/Connexion.h"
#include "app/Contexte.h"
#include "app/Erreur.h"

#include <QSqlDatabase>
#include <QSqlError>

namespace tarvo::expeditions {
namespace {

const QString Source = QStringLiteral("Expéditions");

} // namespace

QSqlQuery executer(Contexte& ctx, const QString& sql, const QVariantList& valeurs) {
    QSqlQuery requete(ctx.cnx->base());
    requete.setForwardOnly(true);
    if (!requete.prepare(sql))
        throw ErreurTarvo(Erreur::depuisSql(requete.lastError(), Source));
    for (const QVariant& valeur : valeurs)
        requete.addBindValue(valeur);
    if (!requete.exec())
        throw ErreurTarvo(Erreur::depuisSql(requete.lastError(), Source));
    return requete;
}

Transaction::Transaction(Contexte& ctx) : ctx_(ctx) {
    QSqlDatabase base = ctx_.cnx->base();
    if (!base.transaction())
        throw ErreurTarvo(Erreur::depuisSql(base.lastError(), Source));
    active_ = true;
}

Transaction::~Transaction() {
    if (active_)
        ctx_.cnx->base().rollback();
}

void Transaction::valider() {
    QSqlDatabase base = ctx_.cnx->base();
    if (!base.commit()) {
        const Erreur erreur = Erreur::depuisSql(base.lastError(), Source);
        base.rollback();
        active_ = false;
        throw ErreurTarvo(erreur);
    }
    active_ = false;
}

} // namespace tarvo::expeditions
