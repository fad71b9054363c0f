#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

namespace tarvo {
struct Contexte;
}

namespace tarvo::test {

// Writes Sage and shipment rows straight into the test database, so that each
// test states the world it starts from.
void executerSql(Contexte& ctx, const QString& sql, const QVariantList& valeurs = {});
QVariant valeurSql(Contexte& ctx, const QString& sql, const QVariantList& valeurs = {});

void ajouterClient(Contexte& ctx, const QString& compte, const QString& intitule);
void ajouterLieu(Contexte& ctx, int liNo, const QString& compte, const QString& intitule,
                 const QString& ville, const QString& pays = QStringLiteral("France"));
// A sales order with one line still to deliver, so that it is offered.
void ajouterCommande(Contexte& ctx, const QString& piece, const QString& compte, int liNo,
                     const QVariant& reference = QStringLiteral("REF"),
                     const QString& date = QStringLiteral("2012-04-02 00:00:00"), int langue = 0);
// A shipment with the given creation and closing dates; returns its number.
int ajouterExpedition(Contexte& ctx, const QString& libelle1, const QString& creation,
                      const QVariant& cloture = QVariant(), int liNo = 0);

int compter(Contexte& ctx, const QString& table, const QString& condition = QString(),
            const QVariantList& valeurs = {});

} // namespace tarvo::test
