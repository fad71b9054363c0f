#include "ArticlesDeTest.h"

#include "db/Base.h"
#include "db/Connexion.h"
#include "db/Dialecte.h"

namespace tarvo::test {

void executerSql(BaseDeTest& b, const QString& sql) {
    db::Base(b.ctx->cnx.get()).executerScript(db::TexteSql(sql));
}

void ajouterArticleSage(BaseDeTest& b, const QString& reference, const QString& designation,
                        const QString& code, bool nul) {
    db::Base base(b.ctx->cnx.get());
    db::Requete r = base.preparer(
        db::TexteSql(QStringLiteral("INSERT INTO F_ARTICLE (AR_Ref, AR_Design, AR_CodeBarre) "
                                    "VALUES (:ref, :design, :code)")));
    r.lier(u":ref", reference).lier(u":design", designation);
    if (nul)
        r.lierNul(u":code");
    else
        r.lier(u":code", code);
    r.executer();
}

void ajouterArticleTarvo(BaseDeTest& b, const QString& code, const QString& libelle) {
    db::Base base(b.ctx->cnx.get());
    base.preparer(db::TexteSql(QStringLiteral(
                      "INSERT INTO Article ([Code barres Article], [Libellé], AR_Ref, date_ajout) "
                      "VALUES (:code, :libelle, 'ANCIEN', '2001-02-03 04:05:06')")))
        .lier(u":code", code)
        .lier(u":libelle", libelle)
        .executer();
}

QStringList contenuArticle(BaseDeTest& b) {
    db::Base base(b.ctx->cnx.get());
    db::Requete r = base.preparer(db::TexteSql(
        QStringLiteral("SELECT [Code barres Article], [Libellé], AR_Ref, date_ajout FROM Article "
                       "ORDER BY [Code barres Article]")));
    QStringList lignes;
    while (r.suivante())
        lignes << r.texte(0) + u'|' + r.texte(1) + u'|' + r.texte(2) + u'|' +
                      r.dateHeure(3).toString(db::Dialecte::FormatDateHeure);
    return lignes;
}

void referencerArticle(BaseDeTest& b, const QString& code) {
    db::Base base(b.ctx->cnx.get());
    base.executerScript(db::TexteSql(
        QStringLiteral("CREATE TABLE IF NOT EXISTS Etiquetage ("
                       " code TEXT REFERENCES Article ([Code barres Article]))"),
        QStringLiteral("IF OBJECT_ID(N'dbo.Etiquetage', N'U') IS NULL CREATE TABLE Etiquetage ("
                       " code varchar(50) COLLATE French_CI_AI"
                       " REFERENCES Article ([Code barres Article]))")));
    base.preparer(db::TexteSql(QStringLiteral("INSERT INTO Etiquetage (code) VALUES (:code)")))
        .lier(u":code", code)
        .executer();
}

} // namespace tarvo::test
