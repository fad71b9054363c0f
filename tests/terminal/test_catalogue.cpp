// The terminal's statements against the data layer, on both of its routes:
// each takes exactly the parameter names its catalogue comment gives, and a
// misspelt or forgotten name raises before anything is written.
#include "OutilsTerminal.h"
#include "base/Erreur.h"
#include "db/Base.h"
#include "db/Connexion.h"
#include "db/Transaction.h"
#include "terminal/SqlTerminal.h"

#include <QTest>
#include <functional>

using namespace tarvo;
using namespace tarvo::test;
using namespace Qt::StringLiterals;

namespace {

struct Instruction {
    const char* nom;
    const db::TexteSql* texte;
    QStringList parametres;
};

// By group: article and shipment files, journal, integrated files, parcels,
// packing lines. Every parcel of a shipment goes through the terminal's
// statement, which the deletion of a shipment runs too.
const QList<Instruction>& catalogue() {
    namespace sql = terminal::sql;
    const QStringList colis = {u"noExpedition"_s, u"colis"_s};
    const QStringList colisage = colis + QStringList{u"codeBarres"_s};
    const QStringList journal = {u"codeType"_s,   u"noExpedition"_s,    u"noColis"_s,
                                 u"dateSaisie"_s, u"dateIntegration"_s, u"poids"_s};
    static const QList<Instruction> instructions = {
        {"NombreArticles", &sql::NombreArticles, {}},
        {"ArticlesPourTerminal", &sql::ArticlesPourTerminal, {}},
        {"NombreExpeditionsOuvertes", &sql::NombreExpeditionsOuvertes, {}},
        {"ExpeditionsOuvertes", &sql::ExpeditionsOuvertes, {}},
        {"JournalArticle", &sql::JournalArticle,
         journal + QStringList{u"codeBarres"_s, u"quantite"_s}},
        {"JournalPoids", &sql::JournalPoids, journal},
        {"ArchiveFichierIntegre", &sql::ArchiveFichierIntegre, {u"empreinte"_s, u"modification"_s}},
        {"NoterFichierIntegre",
         &sql::NoterFichierIntegre,
         {u"empreinte"_s, u"modification"_s, u"dateIntegration"_s, u"archive"_s}},
        {"DateClotureExpedition", &sql::DateClotureExpedition, {u"noExpedition"_s}},
        {"CreerColisSansPoids", &sql::CreerColisSansPoids, colis + QStringList{u"dateSaisie"_s}},
        {"CreerColisAvecPoids", &sql::CreerColisAvecPoids,
         colis + QStringList{u"poids"_s, u"dateSaisie"_s}},
        {"PeserColis", &sql::PeserColis, colis + QStringList{u"poids"_s, u"dateSaisie"_s}},
        {"ColisExiste", &sql::ColisExiste, colis},
        {"SupprimerColis", &sql::SupprimerColis, colis},
        {"SupprimerColisExpedition", &sql::SupprimerColisExpedition, {u"noExpedition"_s}},
        {"CreerColisage", &sql::CreerColisage,
         colisage + QStringList{u"quantite"_s, u"dateSaisie"_s}},
        {"AjouterAuColisage", &sql::AjouterAuColisage,
         colisage + QStringList{u"quantite"_s, u"dateSaisie"_s}},
        {"QuantiteColisageAnterieure", &sql::QuantiteColisageAnterieure,
         colisage + QStringList{u"dateSaisie"_s}},
        {"RetirerDuColisage", &sql::RetirerDuColisage,
         colisage + QStringList{u"quantite"_s, u"dateSaisie"_s}},
        {"SupprimerColisage", &sql::SupprimerColisage, colisage},
    };
    return instructions;
}

// A value for every name, chosen so that each statement finds rows to act on.
QVariant valeur(const QString& nom) {
    static const QHash<QString, QVariant> valeurs = {
        {u"codeType"_s, u"{EXPFA}"_s},
        {u"noExpedition"_s, 42},
        {u"noColis"_s, u"1"_s},
        {u"colis"_s, 1},
        {u"codeBarres"_s, u"A000000000001"_s},
        {u"poids"_s, 3.5},
        {u"quantite"_s, 2},
        {u"dateSaisie"_s, u"2012-04-19 11:00:00"_s},
        {u"dateIntegration"_s, u"2012-04-19 13:42:25"_s},
        {u"empreinte"_s, u"ab12"_s},
        {u"modification"_s, qint64(1)},
        {u"archive"_s, u"archive/Intégration.txt"_s},
    };
    return valeurs.value(nom);
}

// Every row the terminal's statements may write.
QStringList etat(const BaseDeTest& b) {
    return lignes(b, db::TexteSql(u"SELECT * FROM [Journal de saisie] ORDER BY rowid"_s,
                                  u"SELECT * FROM [Journal de saisie] ORDER BY [Id saisie]"_s)) +
           lignes(*b.ctx->cnx, u"SELECT * FROM Colis ORDER BY 1, 2"_s) +
           lignes(*b.ctx->cnx, u"SELECT * FROM Colisage ORDER BY 1, 2, 3"_s) +
           lignes(*b.ctx->cnx, u"SELECT * FROM tarvo_integration ORDER BY 1, 2"_s);
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

    BaseDeTest b_;

    Connexion& db() const { return *b_.ctx->cnx; }

    // Each case runs in a transaction of its own, rolled back afterwards; a
    // failure it did not expect names the statement's complaint.
    void essayer(const VoieDeTest& voie, const std::function<void(db::Base&)>& essai) {
        QVERIFY(b_.prendre(voie));
        try {
            db::Base base(b_.ctx->cnx.get());
            const db::Transaction transaction(base);
            essai(base);
        } catch (const ErreurTarvo& e) {
            QFAIL(qPrintable(e.erreur().description));
        }
    }

private slots:
    void initTestCase() {
        b_.creerBase();
        ajouterExpedition(db(), 42, u"A"_s, u"B"_s, 1);
        sql(db(), u"INSERT INTO Colis VALUES (42, 1, 1.5, '2012-04-19 10:00:00')"_s);
        sql(db(), u"INSERT INTO Colisage VALUES (42, 1, 'A000000000001', 5, "
                  "'2012-04-19 10:00:00')"_s);
        sql(db(), u"INSERT INTO tarvo_integration VALUES ('cd34', 1, '2012-04-19 09:00:00', "
                  "'archive/ancienne.txt')"_s);
    }

    void nomsDuTexte_data() {
        QTest::addColumn<int>("instruction");
        QTest::addColumn<VoieDeTest>("voie");
        // The database is shared: the ODBC and server rows, which reopen
        // it, come last.
        for (const VoieDeTest& voie : Voies())
            for (qsizetype i = 0; i < catalogue().size(); ++i)
                QTest::addRow("%s%s", catalogue()[i].nom, voie.nom.constData()) << int(i) << voie;
    }
    // Every name of the comment bound, the statement runs; one name it does
    // not hold, binding raises; one name left without a value, the statement
    // raises and writes nothing.
    void nomsDuTexte() {
        QFETCH(int, instruction);
        QFETCH(VoieDeTest, voie);
        const Instruction& ins = catalogue()[instruction];
        essayer(voie, [&](db::Base& base) {
            const QStringList avant = etat(b_);
            for (const QString& oubli : ins.parametres) {
                db::Requete r = base.preparer(*ins.texte);
                for (const QString& nom : ins.parametres) {
                    if (nom != oubli)
                        r.lier(u':' + nom, valeur(nom));
                }
                QVERIFY_THROWS_EXCEPTION(ErreurTarvo, r.executer());
                QVERIFY_THROWS_EXCEPTION(ErreurTarvo, r.suivante());
                QCOMPARE(etat(b_), avant);
            }
            db::Requete r = base.preparer(*ins.texte);
            QVERIFY_THROWS_EXCEPTION(ErreurTarvo, r.lier(u":noExpediton", 42));
            for (const QString& nom : ins.parametres)
                r.lier(u':' + nom, valeur(nom));
            r.executer();
        });
    }
};

int executerTestsCatalogue(int argc, char** argv) {
    TestCatalogue t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_catalogue.moc"
