#include "DonneesExpeditions.h"

#include "SqlDeTest.h"
#include "app/Contexte.h"
#include "db/Connexion.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace tarvo::test {

void executerSql(Contexte& ctx, const QString& sql, const QVariantList& valeurs) {
    test::sql(*ctx.cnx, sql, valeurs);
}

QVariant valeurSql(Contexte& ctx, const QString& sql, const QVariantList& valeurs) {
    return valeur(*ctx.cnx, sql, valeurs);
}

void ajouterClient(Contexte& ctx, const QString& compte, const QString& intitule) {
    executerSql(ctx, u"INSERT INTO F_COMPTET (CT_Num, CT_Intitule) VALUES (?, ?)"_s,
                {compte, intitule});
}

void ajouterLieu(Contexte& ctx, int liNo, const QString& compte, const QString& intitule,
                 const QString& ville, const QString& pays) {
    executerSql(ctx,
                u"INSERT INTO F_LIVRAISON (LI_No, CT_Num, LI_Intitule, LI_Adresse, "
                "LI_Complement, LI_CodePostal, LI_Ville, LI_Pays) "
                "VALUES (?, ?, ?, ?, NULL, ?, ?, ?)"_s,
                {liNo, compte, intitule, u"1 rue du Port"_s, u"74000"_s, ville, pays});
}

void ajouterCommande(Contexte& ctx, const QString& piece, const QString& compte, int liNo,
                     const QVariant& reference, const QString& date, int langue) {
    executerSql(ctx,
                u"INSERT INTO F_DOCENTETE (DO_Type, DO_Piece, DO_Date, DO_Ref, "
                "DO_Tiers, LI_No, DO_DateLivr, DO_Langue) "
                "VALUES (1, ?, ?, ?, ?, ?, '2012-04-30 00:00:00', ?)"_s,
                {piece, date, reference, compte, liNo, langue});
    executerSql(ctx,
                u"INSERT INTO F_DOCLIGNE (DO_Type, CT_Num, DO_Piece, DL_Ligne, AR_Ref, "
                "DL_Qte, DL_QtePL) VALUES (1, ?, ?, 1000, 'ART', 5, 5)"_s,
                {compte, piece});
}

int ajouterExpedition(Contexte& ctx, const QString& libelle1, const QString& creation,
                      const QVariant& cloture, int liNo) {
    executerSql(ctx,
                u"INSERT INTO Expédition ([Libellé 1], [Libellé 2], "
                "[No lieu livraison], [Date création], [Date cloture]) "
                "VALUES (?, 'Ville', ?, ?, ?)"_s,
                {libelle1, liNo == 0 ? QVariant() : QVariant(liNo), creation, cloture});
    return valeurSql(ctx, u"SELECT MAX([No Expédition]) FROM Expédition"_s).toInt();
}

int compter(Contexte& ctx, const QString& table, const QString& condition,
            const QVariantList& valeurs) {
    return valeurSql(ctx,
                     u"SELECT COUNT(*) FROM "_s + table +
                         (condition.isEmpty() ? QString() : u" WHERE "_s + condition),
                     valeurs)
        .toInt();
}

} // namespace tarvo::test
