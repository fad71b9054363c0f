#include "DonneesNavigateurs.h"

#include "db/Base.h"

#include <QFile>

namespace tarvo::test {
namespace {

void executer(Contexte& ctx, const QString& sql) {
    db::Base(ctx.cnx.get()).executerScript(db::TexteSql(sql));
}

} // namespace

void remplirJournal(Contexte& ctx) {
    executer(ctx, QStringLiteral(
                      "INSERT INTO [Journal de saisie] VALUES "
                      "('{EXPFA}', 12, '001', '3760000000017', NULL, 2, '2026-12-01 08:00:00', "
                      "'2026-12-01 10:00:00'),"
                      "('{EXPXA}', 12, '002', '3760000000024', NULL, 1, '2026-12-01 08:05:00', "
                      "'2026-12-01 10:00:00'),"
                      "('{EXPFP}', 12, '001', NULL, 12.5, NULL, '2026-12-01 08:10:00', "
                      "'2026-12-01 10:00:00'),"
                      "('{EXPSA}', 7, '<To', '<Tous>', NULL, 0, '2026-12-02 09:00:00', "
                      "'2026-12-02 11:00:00'),"
                      "('{EXPFA}', 7, '003', '3760000000017', NULL, 5, '2026-12-02 09:30:00', "
                      "'2026-12-02 11:00:00'),"
                      "('{EXPFA}', NULL, '004', '3760000000031', NULL, 3, '2026-12-02 09:45:00', "
                      "'2026-12-02 11:00:00'),"
                      "('{EXPXP}', 7, '003', NULL, 0.5, NULL, '2026-12-02 10:00:00', "
                      "'2026-12-02 11:00:00'),"
                      "('{EXPFA}', 12, '002', '3760000000017', NULL, 4, '2026-12-02 10:15:00', "
                      "'2026-12-02 11:00:00')"));
}

void remplirArticles(Contexte& ctx) {
    executer(ctx,
             QStringLiteral(
                 "INSERT INTO Article ([Code barres Article], Libellé, Couleur, AR_Ref) VALUES "
                 "('0001', 'L''ÉTÉ', 'BLEU D''EAU', 'ETE01'),"
                 "('0002', 'COTON 100%', 'ROUGE', 'COT100'),"
                 "('0003', 'COTON 1000', 'ROUGE FONCÉ', 'COT1000'),"
                 "('0004', 'A_C', 'BORDEAUX ROUGEATRE', 'AC'),"
                 "('0005', 'ABC', 'VERT', 'ABC'),"
                 "('0006', NULL, 'NOIR', 'SANS');"));
}

void ajouterSaisie(Contexte& ctx, const QString& codeType, int noExpedition) {
    db::Base(ctx.cnx.get())
        .preparer(db::TexteSql(QStringLiteral(
            "INSERT INTO [Journal de saisie] ([Code type ligne], [No Expédition], [Date saisie]) "
            "VALUES (:code, :no, '2026-12-03 07:00:00')")))
        .lier(u":code", codeType)
        .lier(u":no", noExpedition)
        .executer();
}

QList<QStringList> lireCsv(const QString& fichier, bool* avecBom) {
    QFile f(fichier);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QByteArray octets = f.readAll();
    const bool bom = octets.startsWith("\xEF\xBB\xBF");
    if (avecBom != nullptr)
        *avecBom = bom;
    if (bom)
        octets.remove(0, 3);
    QList<QStringList> lignes;
    const QStringList textes = QString::fromUtf8(octets).split(QStringLiteral("\r\n"));
    for (const QString& ligne : textes)
        if (!ligne.isEmpty())
            lignes << ligne.split(u';');
    return lignes;
}

} // namespace tarvo::test
