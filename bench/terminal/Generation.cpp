#include "Generation.h"

#include "db/CollationFrancaise.h"
#include "db/Connexion.h"
#include "db/Schema.h"

#include <QDateTime>
#include <QFile>
#include <sqlite3.h>

namespace banc {
namespace {

void verifier(sqlite3* db, int rc) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE)
        qFatal("SQLite : %s", sqlite3_errmsg(db));
}

QByteArray gauche(qint64 n, int largeur) {
    return QByteArray::number(n).rightJustified(largeur, ' ');
}

} // namespace

QByteArray codeBarres(int numero) {
    return "376" + QByteArray::number(numero).rightJustified(10, '0');
}

void creerBase(const QString& chemin, int expeditions, int articles) {
    QFile::remove(chemin);
    {
        tarvo::Connexion cnx(QStringLiteral("Generation"));
        tarvo::ParametresConnexion p;
        p.base = chemin;
        cnx.ouvrir(p, true);
        tarvo::db::CreerBaseEmbarquee(cnx, false);
    }
    sqlite3* db = nullptr;
    tarvo::db::InstallerFrancais();
    verifier(db, sqlite3_open(chemin.toUtf8().constData(), &db));
    verifier(db, sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr));
    sqlite3_stmt* exp = nullptr;
    verifier(db, sqlite3_prepare_v2(db,
                                    "INSERT INTO Expédition ([No Expédition], [Libellé 1], "
                                    "[Libellé 2], [Nbr colis théorique]) VALUES (?, ?, ?, ?)",
                                    -1, &exp, nullptr));
    for (int i = 1; i <= expeditions; ++i) {
        const QByteArray l1 = "Boutique n°" + QByteArray::number(i);
        const QByteArray l2 = i % 3 ? QByteArray("Saint-Étienne") : QByteArray("Lyon");
        sqlite3_bind_int(exp, 1, i);
        sqlite3_bind_text(exp, 2, l1.constData(), static_cast<int>(l1.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(exp, 3, l2.constData(), static_cast<int>(l2.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int(exp, 4, i % 5);
        verifier(db, sqlite3_step(exp));
        sqlite3_reset(exp);
    }
    sqlite3_finalize(exp);
    sqlite3_stmt* art = nullptr;
    verifier(db, sqlite3_prepare_v2(db,
                                    "INSERT INTO Article ([Code barres Article], Libellé, "
                                    "lib_art_couleur) VALUES (?, ?, ?)",
                                    -1, &art, nullptr));
    for (int i = 0; i < articles; ++i) {
        const QByteArray code = codeBarres(i);
        const QByteArray libelle = "Pull col roulé taille " + QByteArray::number(i % 7) +
                                   " écru chiné " + QByteArray::number(i);
        sqlite3_bind_text(art, 1, code.constData(), static_cast<int>(code.size()),
                          SQLITE_TRANSIENT);
        sqlite3_bind_text(art, 2, libelle.constData(), static_cast<int>(libelle.size()),
                          SQLITE_TRANSIENT);
        sqlite3_bind_text(art, 3, libelle.constData(), static_cast<int>(libelle.size()),
                          SQLITE_TRANSIENT);
        verifier(db, sqlite3_step(art));
        sqlite3_reset(art);
    }
    sqlite3_finalize(art);
    verifier(db, sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr));
    sqlite3_close(db);
}

void creerFichierData(const QString& chemin, int lignes, int expeditions, int articles) {
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("%s", qPrintable(f.errorString()));
    const int parExpedition = std::max(1, lignes / expeditions);
    const QDateTime debut(QDate(2012, 4, 19), QTime(6, 0));
    QByteArray bloc;
    for (int i = 0; i < lignes; ++i) {
        const int exp = 1 + (i / parExpedition) % expeditions;
        const int rang = i % parExpedition;
        const int colis = 1 + rang / 12;
        const QDateTime moment = debut.addSecs(i);
        const QByteArray date = moment.toString(QStringLiteral("yyyy-MM-dd")).toLatin1();
        const QByteArray heure = moment.toString(QStringLiteral("HH:mm:ss")).toLatin1();
        const QByteArray code = codeBarres((i * 7919) % articles);
        QByteArray l(60, ' ');
        switch (rang % 12 == 11 ? 2 + (i / 12) % 2 : i % 2) {
        case 0: // {EXPFA}
            l.replace(0, 4, "EXP:").replace(4, 6, gauche(exp, 6)).replace(10, 8, ",COLIS: ");
            l.replace(18, 2, QByteArray::number(colis).rightJustified(2, '0'));
            l.replace(20, 1, ",").replace(21, 10, date).replace(31, 1, ",");
            l.replace(32, 8, heure).replace(40, 1, ",").replace(41, 13, code);
            l.replace(54, 1, ",").replace(55, 3, "  1");
            l.truncate(58);
            l += ",{EXPFA}";
            break;
        case 1: // {EXPXA}
            l.replace(0, 4, "EXP:").replace(4, 6, gauche(exp, 6)).replace(10, 7, ",COLIS:");
            l.replace(17, 3, gauche(colis, 3)).replace(20, 2, ",,").replace(22, 10, date);
            l.replace(32, 1, ",").replace(33, 8, heure).replace(41, 1, ",");
            l.replace(42, 13, code).replace(55, 1, ",").replace(56, 3, "  2");
            l.truncate(59);
            l += ",{EXPXA}";
            break;
        case 2: // {EXPFP}
            l.replace(0, 4, "EXP:").replace(4, 6, gauche(exp, 6)).replace(10, 2, ",,");
            l.replace(12, 10, date).replace(22, 1, ",").replace(23, 8, heure);
            l.replace(31, 7, ",COLIS:")
                .replace(38, 2, QByteArray::number(colis).rightJustified(2, '0'));
            l.truncate(40);
            l += ",12.5,{EXPFP}";
            break;
        default: // {EXPXP}
            l.replace(0, 10, date).replace(10, 1, ",").replace(11, 8, heure);
            l.replace(19, 5, ",EXP:").replace(24, 6, gauche(exp, 6)).replace(30, 7, ",COLIS:");
            l.replace(37, 3, gauche(colis, 3));
            l.truncate(40);
            l += ",7.25,{EXPXP}";
            break;
        }
        bloc += l + "\r\n";
        if (bloc.size() > (1 << 20)) {
            f.write(bloc);
            bloc.clear();
        }
    }
    f.write(bloc);
}

} // namespace banc
