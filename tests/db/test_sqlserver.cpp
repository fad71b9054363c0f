// Every statement Tarvo can send to SQL Server, as the program composes it,
// parsed by a T-SQL grammar: sqlfluff's tsql dialect. No server runs here,
// so this is what stands between a misspelt server text and a site. The
// embedded texts are compiled against a fresh database made by the schema
// script: a table or column the script lacks, or misspells, fails there.
#include "BaseDeTest.h"
#include "base/Erreur.h"
#include "browsers/SqlNavigateurs.h"
#include "browsers/Tables.h"
#include "browsers/TraductionSql.h"
#include "catalogue/SqlCatalogue.h"
#include "colisage/SqlColisage.h"
#include "db/Base.h"
#include "db/Connexion.h"
#include "db/ParametresNommes.h"
#include "db/Schema.h"
#include "db/SqlConnexion.h"
#include "db/SqlSchema.h"
#include "db/SqlVerrou.h"
#include "labels/SqlEtiquettes.h"
#include "reports/SqlEditions.h"
#include "shipments/SqlExpeditions.h"
#include "suivi/SqlSuivi.h"
#include "terminal/SqlTerminal.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTest>

using namespace tarvo;
using namespace tarvo::navigateurs;
using namespace Qt::StringLiterals;

namespace {

// One entry of a catalogue: its header's name (SqlTerminal), its own name.
struct InstructionCatalogue {
    QString catalogue;
    QString nom;
    const db::TexteSql* texte;
};

// Out of moc's sight: it reads every macro and refuses the stringizing.
#ifndef Q_MOC_RUN
#define ENTREE(catalogue, ns, nom)                                                                 \
    InstructionCatalogue {                                                                         \
        QString::fromLatin1(#catalogue), QString::fromLatin1(#nom), &ns::nom                       \
    }
#endif

// Every whole statement of the catalogues. A statement added to a catalogue
// but not here fails `catalogueComplet`.
const QList<InstructionCatalogue>& Instructions() {
    static const QList<InstructionCatalogue> liste{
        ENTREE(SqlConnexion, tarvo::sql, ReglagesConnexion),
        ENTREE(SqlConnexion, tarvo::sql, NumeroConnexion),
        ENTREE(SqlConnexion, tarvo::sql, FinConnexion),
        ENTREE(SqlSchema, tarvo::db::sql, VersionBase),
        ENTREE(SqlSchema, tarvo::db::sql, NombreTables),
        ENTREE(SqlVerrou, tarvo::db::sql, PrendreVerrou),
        ENTREE(SqlVerrou, tarvo::db::sql, RendreVerrou),
        ENTREE(SqlCatalogue, tarvo::catalogue::sql, MajArticles),
        ENTREE(SqlCatalogue, tarvo::catalogue::sql, AjoutArticles),
        ENTREE(SqlCatalogue, tarvo::catalogue::sql, ArticlesObsoletes),
        ENTREE(SqlCatalogue, tarvo::catalogue::sql, SuppressionArticle),
        ENTREE(SqlCatalogue, tarvo::catalogue::sql, InformationsSociete),
        ENTREE(SqlCatalogue, tarvo::catalogue::sql, MajSocieteLue),
        ENTREE(SqlCatalogue, tarvo::catalogue::sql, MajLogo),
        ENTREE(SqlCatalogue, tarvo::catalogue::sql, AjoutSocieteLogo),
        ENTREE(SqlEtiquettes, tarvo::etiquettes::sql, ArticleParCodeBarre),
        ENTREE(SqlEditions, tarvo::editions::sql, EnTeteExpedition),
        ENTREE(SqlEditions, tarvo::editions::sql, DetailListeArticle),
        ENTREE(SqlEditions, tarvo::editions::sql, ColisExpedition),
        ENTREE(SqlEditions, tarvo::editions::sql, ColisageExpedition),
        ENTREE(SqlEditions, tarvo::editions::sql, LibellesColisage),
        ENTREE(SqlEditions, tarvo::editions::sql, ListeControleArt),
        ENTREE(SqlEditions, tarvo::editions::sql, ListeCtrlArtGamme),
        ENTREE(SqlEditions, tarvo::editions::sql, SuppressionControleGamme),
        ENTREE(SqlEditions, tarvo::editions::sql, LignesControleGamme),
        ENTREE(SqlEditions, tarvo::editions::sql, InsertionDetailGamme),
        ENTREE(SqlEditions, tarvo::editions::sql, InsertionSousTotalGamme),
        ENTREE(SqlEditions, tarvo::editions::sql, PrepaControleGamme),
        ENTREE(SqlExpeditions, tarvo::expeditions::sql, CommandesDispo),
        ENTREE(SqlExpeditions, tarvo::expeditions::sql, CommandesDispoLieu),
        ENTREE(SqlExpeditions, tarvo::expeditions::sql, CommandeDispo),
        ENTREE(SqlExpeditions, tarvo::expeditions::sql, ClientsEnCommande),
        ENTREE(SqlExpeditions, tarvo::expeditions::sql, InfoCommande),
        ENTREE(SqlExpeditions, tarvo::expeditions::sql, InsertionExpedition),
        ENTREE(SqlExpeditions, tarvo::expeditions::sql, RattachementCommande),
        ENTREE(SqlExpeditions, tarvo::expeditions::sql, ListeExpeditions),
        ENTREE(SqlExpeditions, tarvo::expeditions::sql, Expedition),
        ENTREE(SqlExpeditions, tarvo::expeditions::sql, AdresseLivraison),
        ENTREE(SqlExpeditions, tarvo::expeditions::sql, CommandesExpedition),
        ENTREE(SqlExpeditions, tarvo::expeditions::sql, EnregistrementExpedition),
        ENTREE(SqlExpeditions, tarvo::expeditions::sql, SuppressionCommande),
        ENTREE(SqlExpeditions, tarvo::expeditions::sql, SuppressionColisage),
        ENTREE(SqlExpeditions, tarvo::expeditions::sql, SuppressionListeCommandes),
        ENTREE(SqlExpeditions, tarvo::expeditions::sql, SuppressionExpedition),
        ENTREE(SqlExpeditions, tarvo::expeditions::sql, RechercheCommande),
        ENTREE(SqlTerminal, tarvo::terminal::sql, NombreArticles),
        ENTREE(SqlTerminal, tarvo::terminal::sql, ArticlesPourTerminal),
        ENTREE(SqlTerminal, tarvo::terminal::sql, NombreExpeditionsOuvertes),
        ENTREE(SqlTerminal, tarvo::terminal::sql, ExpeditionsOuvertes),
        ENTREE(SqlTerminal, tarvo::terminal::sql, JournalArticle),
        ENTREE(SqlTerminal, tarvo::terminal::sql, JournalPoids),
        ENTREE(SqlTerminal, tarvo::terminal::sql, ArchiveFichierIntegre),
        ENTREE(SqlTerminal, tarvo::terminal::sql, NoterFichierIntegre),
        ENTREE(SqlTerminal, tarvo::terminal::sql, DernieresIntegrations),
        ENTREE(SqlTerminal, tarvo::terminal::sql, ArchiveValidee),
        ENTREE(SqlTerminal, tarvo::terminal::sql, DateClotureExpedition),
        ENTREE(SqlTerminal, tarvo::terminal::sql, ArticleConnu),
        ENTREE(SqlTerminal, tarvo::terminal::sql, CreerColisSansPoids),
        ENTREE(SqlTerminal, tarvo::terminal::sql, CreerColisAvecPoids),
        ENTREE(SqlTerminal, tarvo::terminal::sql, PeserColis),
        ENTREE(SqlTerminal, tarvo::terminal::sql, ColisExiste),
        ENTREE(SqlTerminal, tarvo::terminal::sql, SupprimerColisExpedition),
        ENTREE(SqlTerminal, tarvo::terminal::sql, SupprimerColis),
        ENTREE(SqlTerminal, tarvo::terminal::sql, CreerColisage),
        ENTREE(SqlTerminal, tarvo::terminal::sql, AjouterAuColisage),
        ENTREE(SqlTerminal, tarvo::terminal::sql, QuantiteColisageAnterieure),
        ENTREE(SqlTerminal, tarvo::terminal::sql, RetirerDuColisage),
        ENTREE(SqlTerminal, tarvo::terminal::sql, SupprimerColisage),
        ENTREE(SqlSuivi, tarvo::suivi::sql, Suivi),
        ENTREE(SqlSuivi, tarvo::suivi::sql, LignesExpedition),
        ENTREE(SqlSuivi, tarvo::suivi::sql, PoidsColis),
        ENTREE(SqlSuivi, tarvo::suivi::sql, JournalExpedition),
        ENTREE(SqlSuivi, tarvo::suivi::sql, MarqueIntegration),
        ENTREE(SqlColisage, tarvo::colisage::sql, EtatExpedition),
        ENTREE(SqlColisage, tarvo::colisage::sql, DernierColis),
        ENTREE(SqlColisage, tarvo::colisage::sql, Colis),
        ENTREE(SqlColisage, tarvo::colisage::sql, ContenuColis),
        ENTREE(SqlColisage, tarvo::colisage::sql, MiseAJourColisage),
        ENTREE(SqlColisage, tarvo::colisage::sql, Article),
    };
    return liste;
}

// The pieces the browsers put together: parsed within the statements
// TraductionSql makes of them (Navigateurs_*).
const QSet<QString> Fragments{
    u"SqlNavigateurs::TableJournal"_s, u"SqlNavigateurs::CleJournal"_s,
    u"SqlNavigateurs::TableArticle"_s, u"SqlNavigateurs::CleArticle"_s,
    u"SqlNavigateurs::Page"_s,         u"SqlNavigateurs::Suivant"_s,
    u"SqlNavigateurs::Precedent"_s,    u"SqlNavigateurs::PremiereLigne"_s,
};

// The statements only the embedded engine runs: the rebuild of its tables
// in the French order reads its own catalogue (sqlite_master).
const QSet<QString> EmbarqueSeulement{
    u"SqlSchema::VuesEtDeclencheurs"_s, u"SqlSchema::IndexDeTable"_s,
    u"SqlSchema::TableExiste"_s,        u"SqlSchema::ColonnesTable"_s,
    u"SqlSchema::AliasRowid"_s,         u"SqlSchema::ClePrimaireTexte"_s,
    u"SqlSchema::SupprimerVue"_s,       u"SqlSchema::SupprimerDeclencheur"_s,
    u"SqlSchema::SupprimerIndex"_s,     u"SqlSchema::SupprimerTable"_s,
    u"SqlSchema::RenommerTable"_s,      u"SqlSchema::RecopierTable"_s,
    u"SqlSchema::SequenceReprise"_s,    u"SqlSchema::SequenceAjustee"_s,
    u"SqlSchema::DoublonsEnFrancais"_s, u"SqlSchema::CreerTableOrdre"_s,
    u"SqlSchema::TableOrdreExiste"_s,   u"SqlSchema::OrdreDesIndex"_s,
    u"SqlSchema::NoterOrdre"_s,         u"SqlSchema::IndexEnFrancais"_s,
    u"SqlSchema::ColonnesIndex"_s,      u"SqlSchema::ReconstruireIndex"_s,
};

// What the grammar must refuse, each with the reason: the statements SQL
// Server runs but the grammar lacks, and controls that a parse letting
// everything through would let pass. One the grammar comes to read fails
// the test, so that it leaves this list.
const QHash<QString, QString> RefusAttendus{
    {u"Lacune_Page"_s, u"OFFSET … FETCH (SQL Server 2012) absent de la grammaire tsql de sqlfluff "
                       "1.4 : retiré des instructions des navigateurs avant l'analyse"_s},
    {u"Lacune_PremiereLigne"_s, u"OFFSET … FETCH, comme Lacune_Page"_s},
    {u"Lacune_Output"_s, u"OUTPUT devant le SELECT d'un INSERT, absent de la grammaire tsql de "
                         "sqlfluff 1.4 : retiré de RattachementCommande avant l'analyse"_s},
    {u"Lacune_UpdateTop"_s, u"TOP dans un UPDATE, absent de la grammaire tsql de sqlfluff 1.4 : "
                            "retiré des mises à jour de la fiche société avant l'analyse"_s},
    {u"Temoin_syntaxe"_s, u"témoin : une instruction fautive"_s},
    {u"Temoin_accent"_s, u"témoin : un nom accentué hors crochets"_s},
    {u"Temoin_parenthese"_s, u"témoin : une parenthèse jamais fermée"_s},
};

// Clauses the grammar lacks, each taken out of the statements before the
// parse and put in a statement of its own (Lacune_*) that the grammar must
// still refuse.
struct Lacune {
    QString nom;
    QString clause;
    QString temoin;
};
QList<Lacune> Lacunes() {
    const QString page = navigateurs::sql::Page.pour(db::Moteur::SqlServer);
    const QString premiere = navigateurs::sql::PremiereLigne.pour(db::Moteur::SqlServer);
    const QString sortie = u"OUTPUT inserted.[No commande SAGE] "_s;
    return {
        {u"Lacune_Page"_s, page, u"SELECT a FROM t ORDER BY a"_s + page},
        {u"Lacune_PremiereLigne"_s, premiere, u"SELECT a FROM t ORDER BY a"_s + premiere},
        {u"Lacune_Output"_s, sortie,
         u"INSERT INTO t ([No commande SAGE]) "_s + sortie + u"SELECT 1"_s},
        // The grammar knows TOP in a SELECT, not in an UPDATE: the clause
        // goes from both.
        {u"Lacune_UpdateTop"_s, u"TOP (1) "_s, u"UPDATE TOP (1) t SET a = 1"_s},
    };
}

QList<std::pair<QString, QString>> temoins() {
    QList<std::pair<QString, QString>> liste{
        {u"Temoin_syntaxe"_s, u"SELECT FROM Article WHERE"_s},
        {u"Temoin_accent"_s, u"SELECT Libellé FROM Article"_s},
        {u"Temoin_parenthese"_s, u"SELECT a FROM t WHERE (a = 1"_s},
    };
    for (const Lacune& lacune : Lacunes())
        liste.append({lacune.nom, lacune.temoin});
    return liste;
}

// `retirees` gathers the clauses found, so that a clause no statement holds
// any more leaves the list.
QString sansLacunes(QString texte, QSet<QString>& retirees) {
    for (const Lacune& lacune : Lacunes())
        if (texte.contains(lacune.clause)) {
            texte.remove(lacune.clause);
            retirees.insert(lacune.nom);
        }
    return texte;
}

// The batches of a script as sqlcmd sends them, one file each: the grammar
// reads them several times faster than the whole script.
QList<std::pair<QString, QString>> lots(const QString& nom, const QString& script) {
    static const QRegularExpression separateur(uR"(^\s*GO\s*$)"_s,
                                               QRegularExpression::MultilineOption |
                                                   QRegularExpression::CaseInsensitiveOption);
    QList<std::pair<QString, QString>> liste;
    for (const QString& lot : script.split(separateur, Qt::SkipEmptyParts))
        if (!lot.trimmed().isEmpty())
            liste.append({nom + u'_' + QString::number(liste.size() + 1).rightJustified(3, u'0'),
                          lot.trimmed()});
    return liste;
}

// The text as the server receives it, the named parameters in T-SQL's
// spelling: the driver binds them by position, in the same places.
QString texteTsql(const QString& texte) {
    const db::ParametresNommes p = db::ParametresNommes::analyser(texte);
    QString resultat;
    qsizetype occurrence = 0;
    for (const QChar c : p.textePositionnel) {
        if (c == u'?')
            resultat += u'@' + p.noms.at(p.occurrences.at(occurrence++));
        else
            resultat += c;
    }
    return resultat;
}

struct VueNommee {
    QString nom;
    Vue vue;
};

// Views that take every branch of TraductionSql: each operator on a text, a
// number, a day, a moment and null; no sort, each direction, the key itself.
QList<VueNommee> vues(const TableNavigable& table) {
    const Champ& texte = table.champs.at(0);
    QList<Critere> filtre;
    for (const Champ& champ : table.champs) {
        const QVariant valeur = champ.genre == db::Genre::Nombre ? QVariant(qint64{12})
                                : champ.genre == db::Genre::Date ? QVariant(QDate(2026, 12, 2))
                                                                 : QVariant(u"L'ÉTÉ 100%"_s);
        filtre << Critere{champ, Operateur::Egal, valeur}
               << Critere{champ, Operateur::Different, valeur}
               << Critere{champ, Operateur::Egal, QVariant()}
               << Critere{champ, Operateur::Different, QVariant()};
        if (champ.genre == db::Genre::Date)
            filtre << Critere{champ, Operateur::Egal, QDateTime(QDate(2026, 12, 2), QTime(9, 30))};
    }
    filtre << Critere{texte, Operateur::Comme, u"CO%_[x]"_s}
           << Critere{texte, Operateur::Contient, u"100%"_s};
    const Champ& cle = table.champs.at(0);
    return {
        {u"sansFiltre"_s, Vue{}},
        {u"filtreTriDesc"_s, Vue{filtre, Tri{table.champs.at(1), true}}},
        {u"triCle"_s, Vue{{}, Tri{cle, true}}},
    };
}

// Every statement the browsers compose on a table, named after the call.
QList<std::pair<QString, QString>>
instructionsNavigateur(const QString& nomTable, const TableNavigable& table, db::Moteur moteur) {
    const TraductionSql traduction(table, moteur, qint64{1000});
    QList<std::pair<QString, QString>> liste;
    const QString prefixe = u"Navigateurs_"_s + nomTable + u'_';
    liste.append({prefixe + u"derniereCle"_s, traduction.derniereCle().texte});
    const Critere recherche{table.champs.at(1), Operateur::Contient, u"x"_s};
    const QVariant valeurTri = u"M"_s;
    const QVariant cle = u"5"_s;
    for (const auto& [nomVue, vue] : vues(table)) {
        const QString p = prefixe + nomVue + u'_';
        liste.append({p + u"comptage"_s, traduction.comptage(vue).texte});
        liste.append({p + u"lignes"_s, traduction.lignes(vue).texte});
        liste.append({p + u"page"_s, traduction.page(vue, 200, 100).texte});
        liste.append({p + u"premiere"_s, traduction.premiere(vue, recherche).texte});
        liste.append({p + u"rangAvant"_s, traduction.rangAvant(vue, valeurTri, cle).texte});
        liste.append({p + u"rangAvantVide"_s, traduction.rangAvant(vue, {}, cle).texte});
        liste.append({p + u"pageApres"_s, traduction.pageApres(vue, valeurTri, cle, 100).texte});
        liste.append({p + u"pageApresVide"_s, traduction.pageApres(vue, {}, cle, 100).texte});
        if (vue.tri)
            liste.append({p + u"pageVides"_s, traduction.pageVides(vue, 100).texte});
    }
    return liste;
}

// Every text sent to the server, by file name (without .sql); `retirees` the
// clauses the grammar lacks that were taken out.
QList<std::pair<QString, QString>> toutesLesInstructions(QSet<QString>& retirees) {
    QList<std::pair<QString, QString>> liste;
    for (const InstructionCatalogue& e : Instructions())
        liste.append({e.catalogue + u'_' + e.nom, e.texte->pour(db::Moteur::SqlServer)});
    liste += instructionsNavigateur(u"Journal"_s, TableJournal(), db::Moteur::SqlServer);
    liste += instructionsNavigateur(u"Article"_s, TableArticle(), db::Moteur::SqlServer);
    for (auto& [nom, texte] : liste)
        texte = texteTsql(sansLacunes(texte, retirees));
    liste += lots(u"Script_installation"_s, db::ScriptSchemaSqlServer());
    liste += lots(u"Script_mise_a_jour"_s, db::ScriptMiseAJourSqlServer());
    return liste + temoins();
}

bool ecrire(const QString& chemin, const QByteArray& contenu) {
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           f.write(contenu) == contenu.size() && f.flush();
}

// Whether a parse tree holds a part the grammar could not read.
bool illisible(const QJsonValue& noeud) {
    if (noeud.isArray()) {
        for (const QJsonValue& v : noeud.toArray())
            if (illisible(v))
                return true;
        return false;
    }
    if (!noeud.isObject())
        return false;
    const QJsonObject objet = noeud.toObject();
    for (auto it = objet.begin(); it != objet.end(); ++it)
        if (it.key() == u"unparsable"_s || it.key() == u"unlexable"_s || illisible(it.value()))
            return true;
    return false;
}

} // namespace

class TestSqlServer : public QObject {
    Q_OBJECT
private slots:
    // Every TexteSql a catalogue header declares is listed above, as a
    // statement or as a fragment.
    void catalogueComplet() {
        QSet<QString> connus = Fragments + EmbarqueSeulement;
        for (const InstructionCatalogue& e : Instructions())
            connus.insert(e.catalogue + u"::"_s + e.nom);
        const QRegularExpression declaration(
            uR"(extern\s+const\s+(?:db::)?TexteSql\s+(\w+)\s*;)"_s);
        QStringList manquants;
        int declares = 0;
        QDirIterator fichiers(QStringLiteral(TARVO_SOURCES), {u"Sql*.h"_s}, QDir::Files,
                              QDirIterator::Subdirectories);
        while (fichiers.hasNext()) {
            const QFileInfo info = fichiers.nextFileInfo();
            QFile f(info.filePath());
            QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(info.filePath()));
            const QString source = QString::fromUtf8(f.readAll());
            for (const QRegularExpressionMatch& m : declaration.globalMatch(source)) {
                ++declares;
                const QString nom = info.baseName() + u"::"_s + m.captured(1);
                if (!connus.remove(nom))
                    manquants << nom;
            }
        }
        QVERIFY2(manquants.isEmpty(),
                 qPrintable(u"Instructions absentes de la liste : "_s + manquants.join(u", "_s)));
        QVERIFY2(connus.isEmpty(), qPrintable(u"Instructions listées qui n'existent plus : "_s +
                                              QStringList(connus.values()).join(u", "_s)));
        QCOMPARE(declares, Instructions().size() + Fragments.size() + EmbarqueSeulement.size());
    }

    // The embedded texts compile on a database fresh from the schema script
    // (SQLite resolves every table and column when it prepares) and name
    // the parameters the server texts do; the
    // server script creates every table and view the embedded one does, but
    // the embedded engine's own bookkeeping: its connection numbers and the
    // version of its French order (the server's collation is its own).
    void instructionsSurLeSchema() {
        tarvo::test::BaseDeTest t;
        t.creerBase(false);
        // Session settings, the application lock and the procedure only the
        // server runs.
        const QSet<QString> serveurSeulement{
            u"SqlConnexion_ReglagesConnexion"_s, u"SqlVerrou_PrendreVerrou"_s,
            u"SqlVerrou_RendreVerrou"_s, u"SqlEditions_PrepaControleGamme"_s};
        QList<std::pair<QString, QString>> liste;
        for (const InstructionCatalogue& e : Instructions()) {
            // Bound by name, the same way on both engines.
            QStringList embarques =
                db::ParametresNommes::analyser(e.texte->pour(db::Moteur::SQLite)).noms;
            QStringList serveur =
                db::ParametresNommes::analyser(e.texte->pour(db::Moteur::SqlServer)).noms;
            embarques.sort();
            serveur.sort();
            QVERIFY2(embarques == serveur, qPrintable(e.catalogue + u"::"_s + e.nom));
            if (!serveurSeulement.contains(e.catalogue + u'_' + e.nom))
                liste.append({e.catalogue + u'_' + e.nom, e.texte->pour(db::Moteur::SQLite)});
        }
        liste += instructionsNavigateur(u"Journal"_s, TableJournal(), db::Moteur::SQLite);
        liste += instructionsNavigateur(u"Article"_s, TableArticle(), db::Moteur::SQLite);
        QStringList refusees;
        const db::Base base(t.ctx->cnx.get());
        for (const auto& [nom, texte] : liste) {
            try {
                base.preparer(db::TexteSql(texte));
            } catch (const ErreurTarvo& e) {
                refusees << nom + u" : "_s + e.erreur().description;
            }
        }
        QVERIFY2(refusees.isEmpty(), qPrintable(refusees.join(u'\n')));

        const QString script = db::ScriptSchemaSqlServer();
        const QList<QVariantList> objets = test::rangees(
            *t.ctx->cnx, u"SELECT type, name FROM sqlite_master WHERE type IN ('table', "
                         "'view') AND name NOT LIKE 'sqlite%' AND name NOT LIKE 'F\\_%' "
                         "ESCAPE '\\' AND name NOT IN ('tarvo_connexion', 'tarvo_ordre')"_s);
        for (const QVariantList& objet : objets) {
            const QString nom = objet[1].toString();
            const QString motif = QRegularExpression::escape(nom);
            const QRegularExpression cree(u"CREATE "_s + objet[0].toString().toUpper() +
                                          u" dbo\\.(\\["_s + motif + u"\\]|"_s + motif +
                                          u"(?!\\w))"_s);
            QVERIFY2(script.contains(cree), qPrintable(nom));
        }
        QVERIFY(objets.size() >= 14);
    }

    // Written to a folder of the build, one file per statement, so that a
    // refused one can be read; then one run of sqlfluff over all of them.
    void grammaireTsql() {
        const QString sqlfluff = QStandardPaths::findExecutable(u"sqlfluff"_s);
        if (sqlfluff.isEmpty())
            QFAIL("sqlfluff introuvable : installez le paquet Debian sqlfluff (./tarvo.sh test "
                  "l'installe).");
        QDir dossier(QCoreApplication::applicationDirPath() + u"/instructions_sqlserver"_s);
        QVERIFY(dossier.removeRecursively());
        QVERIFY(dossier.mkpath(u"."_s));
        QSet<QString> retirees;
        const QList<std::pair<QString, QString>> instructions = toutesLesInstructions(retirees);
        for (const Lacune& lacune : Lacunes())
            QVERIFY2(retirees.contains(lacune.nom),
                     qPrintable(u"Aucune instruction ne contient la clause de "_s + lacune.nom));
        QSet<QString> attendus;
        for (const auto& [nom, texte] : instructions) {
            QVERIFY2(!attendus.contains(nom), qPrintable(nom));
            attendus.insert(nom);
            QVERIFY(ecrire(dossier.filePath(nom + u".sql"_s), texte.toUtf8() + '\n'));
        }
        // The installation script is larger than sqlfluff parses by default.
        const QString reglages = dossier.filePath(u"sqlfluff.cfg"_s);
        QVERIFY(ecrire(reglages, "[sqlfluff]\ndialect = tsql\nlarge_file_skip_byte_limit = 0\n"));

        QProcess analyse;
        analyse.setProgram(sqlfluff);
        analyse.setArguments({u"parse"_s, u"--dialect"_s, u"tsql"_s, u"--encoding"_s, u"utf-8"_s,
                              u"--format"_s, u"json"_s, u"--nofail"_s, u"--ignore-local-config"_s,
                              u"--config"_s, reglages, dossier.path()});
        analyse.start();
        QVERIFY2(analyse.waitForFinished(-1), qPrintable(analyse.errorString()));
        const QByteArray erreurs = analyse.readAllStandardError();
        QVERIFY2(analyse.exitStatus() == QProcess::NormalExit && analyse.exitCode() == 0,
                 erreurs.constData());
        QJsonParseError erreurJson;
        const QJsonDocument resultat =
            QJsonDocument::fromJson(analyse.readAllStandardOutput(), &erreurJson);
        QVERIFY2(resultat.isArray(),
                 qPrintable(erreurJson.errorString() + u' ' + QString::fromUtf8(erreurs)));

        QStringList refusees;
        QStringList luesATort;
        QSet<QString> lus;
        for (const QJsonValue& fichier : resultat.array()) {
            const QString nom = QFileInfo(fichier[u"filepath"_s].toString()).completeBaseName();
            lus.insert(nom);
            // A text the grammar cannot start on, or one sqlfluff skips,
            // comes back without a tree.
            const QJsonValue arbre = fichier[u"segments"_s];
            const bool refusee = !arbre.isObject() || illisible(arbre);
            if (refusee && !RefusAttendus.contains(nom))
                refusees << nom;
            else if (!refusee && RefusAttendus.contains(nom))
                luesATort << nom + u" ("_s + RefusAttendus.value(nom) + u')';
        }
        QCOMPARE(lus, attendus);
        QVERIFY2(refusees.isEmpty(),
                 qPrintable(u"Refusées par la grammaire T-SQL (voir "_s + dossier.path() +
                            u") : "_s + refusees.join(u", "_s)));
        QVERIFY2(luesATort.isEmpty(),
                 qPrintable(u"Lues alors que la grammaire devait les refuser : "_s +
                            luesATort.join(u", "_s)));
        qInfo("%lld textes SQL Server analysés.", static_cast<long long>(lus.size()));
    }
};

QTEST_GUILESS_MAIN(TestSqlServer)
#include "test_sqlserver.moc"
