#include "BaseDeTest.h"
#include "SpoolDeTest.h"
#include "base/Erreur.h"
#include "base/FormesMessages.h"
#include "db/Base.h"
#include "labels/ApercuEpl2.h"
#include "labels/EtiquettesArticle.h"
#include "labels/EtiquettesColis.h"
#include "labels/ImprEtiq.h"
#include "labels/ImpressionDossier.h"
#include "labels/Imprimante.h"
#include "labels/PrinterSystem.h"
#include "labels/TexteEpl2.h"

#include <QDir>
#include <QSet>
#include <QTest>
#include <thread>

using namespace Qt::StringLiterals;
using namespace tarvo;
using namespace tarvo::etiquettes;
using namespace tarvo::test;

namespace {

// The label text from pieces written as they are sent, NUL byte included.
QByteArray octets(const char* texte, qsizetype taille) {
    return QByteArray(texte, taille);
}

void executer(Contexte& ctx, const QString& sql) {
    db::Base(ctx.cnx.get()).preparer(db::TexteSql{sql}).executer();
}

const QString Ean = u"4006381333931"_s;

// Reads an EAN-13 back from one row of a picture: bar widths in dots become
// modules, the modules become digits through the code's own tables.
// Widths in dots of the bars and spaces of one row, from its first bar at or
// after x = depuis.
QList<int> largeursDesBarres(const QImage& image, int y, int depuis = 0) {
    QList<int> largeurs;
    bool noir = false;
    bool commence = false;
    for (int x = depuis; x < image.width(); ++x) {
        const bool pixelNoir = qGray(image.pixel(x, y)) < 128;
        if (!commence && !pixelNoir)
            continue;
        if (!commence || pixelNoir != noir) {
            commence = true;
            noir = pixelNoir;
            largeurs << 0;
        }
        ++largeurs.last();
    }
    return largeurs;
}

QString lireEan13(const QImage& image, int y, int pointsParModule) {
    const QList<int> largeurs = largeursDesBarres(image, y);
    QString modules;
    for (int i = 0; i < largeurs.size(); ++i) {
        const int n = qRound(double(largeurs.at(i)) / pointsParModule);
        modules += QString(n, i % 2 == 0 ? u'1' : u'0');
    }
    // The trailing white run is the quiet zone after the last bar.
    modules = modules.left(95);
    if (modules.size() != 95 || !modules.startsWith(u"101") || modules.mid(45, 5) != u"01010" ||
        !modules.endsWith(u"101"))
        return {};
    static const QStringList l =
        u"0001101 0011001 0010011 0111101 0100011 0110001 0101111 0111011 0110111 0001011"_s.split(
            u' ');
    const auto inverse = [](const QString& s) {
        QString r;
        for (const QChar c : s)
            r += c == u'1' ? u'0' : u'1';
        return r;
    };
    const auto renverse = [](QString s) {
        std::reverse(s.begin(), s.end());
        return s;
    };
    static const QStringList parites =
        u"LLLLLL LLGLGG LLGGLG LLGGGL LGLLGG LGGLLG LGGGLL LGLGLG LGLGGL LGGLGL"_s.split(u' ');
    QString chiffres;
    QString parite;
    for (int i = 0; i < 6; ++i) {
        const QString motif = modules.mid(3 + 7 * i, 7);
        for (int d = 0; d < 10; ++d) {
            if (motif == l.at(d)) {
                chiffres += QChar(u'0' + d);
                parite += u'L';
            } else if (motif == renverse(inverse(l.at(d)))) {
                chiffres += QChar(u'0' + d);
                parite += u'G';
            }
        }
    }
    for (int i = 0; i < 6; ++i) {
        const QString motif = modules.mid(50 + 7 * i, 7);
        for (int d = 0; d < 10; ++d) {
            if (motif == inverse(l.at(d)))
                chiffres += QChar(u'0' + d);
        }
    }
    const qsizetype premier = parites.indexOf(parite);
    if (chiffres.size() != 12 || premier < 0)
        return {};
    return QString::number(premier) + chiffres;
}

// Bar and space widths of the Code 128 symbol values 0 to 105, six digits a
// value (103 to 105 are the start codes A, B and C).
const QStringList MotifsCode128 = [] {
    const QString tous =
        u"212222222122222221121223121322131222122213122312132212221213221312231212112232122132"
        "122231113222123122123221223211221132221231213212223112312131311222321122321221312212"
        "322112322211212123212321232121111323131123131321112313132113132311211313231113231311"
        "112133112331132131113123113321133121313121211331231131213113213311213131311123311321"
        "331121312113312311332111314111221411431111111224111422121124121421141122141221112214"
        "112412122114122411142112142211241211221114413111241112134111111242121142121241114212"
        "124112124211411212421112421211212141214121412121111143111341131141114113114311411113"
        "411311113141114131311141411131211412211214211232"_s;
    QStringList motifs;
    for (qsizetype i = 0; i < tous.size(); i += 6)
        motifs << tous.mid(i, 6);
    return motifs;
}();

// Reads a Code 128 symbol back from one row of a picture, checks its check
// symbol and gives the data (code sets B and C).
QString lireCode128(const QImage& image, int x, int y, int pointsParModule) {
    const QList<int> largeurs = largeursDesBarres(image, y, x);
    QString largeursModules;
    for (const int l : largeurs)
        largeursModules += QString::number(qRound(double(l) / pointsParModule));
    QList<int> valeurs;
    qsizetype i = 0;
    for (; i + 6 <= largeursModules.size(); i += 6) {
        if (largeursModules.mid(i, 7) == u"2331112")
            break;
        const qsizetype v = MotifsCode128.indexOf(largeursModules.mid(i, 6));
        if (v < 0)
            return {};
        valeurs << int(v);
    }
    if (largeursModules.mid(i, 7) != u"2331112" || valeurs.size() < 2 || valeurs[0] < 103)
        return {};
    int somme = valeurs[0];
    for (qsizetype k = 1; k + 1 < valeurs.size(); ++k)
        somme += int(k) * valeurs[k];
    if (somme % 103 != valeurs.last())
        return {};
    QString donnees;
    bool codeC = valeurs[0] == 105;
    for (qsizetype k = 1; k + 1 < valeurs.size(); ++k) {
        const int v = valeurs[k];
        if (v == 99 || v == 100) {
            codeC = v == 99;
            continue;
        }
        if (v > 99)
            return {};
        donnees += codeC ? u"%1"_s.arg(v, 2, 10, QChar(u'0')) : QString(QChar(v + 32));
    }
    return donnees;
}

} // namespace

class TestEtiquettes : public QObject {
    Q_OBJECT
private slots:
    void decoupeDuLibelle_data() {
        QTest::addColumn<QString>("libelle");
        QTest::addColumn<QByteArray>("ligne1");
        QTest::addColumn<QByteArray>("ligne2");
        QTest::newRow("court") << u"  Vase bleu  "_s << QByteArray("Vase bleu") << QByteArray();
        const QString trenteCinq = u"Coussin velours 45x45 ocre et gris."_s;
        QTest::newRow("35 caractères") << trenteCinq << trenteCinq.toLatin1() << QByteArray();
        QTest::newRow("espace en 36e position")
            << u"Nappe lin lavé 160x250 bleu ardoise suite du libellé"_s
            << QByteArray("Nappe lin lavé 160x250 bleu ardoise").replace("é", "\xe9")
            << QByteArray("suite du libell\xe9");
        QTest::newRow("sans espace")
            << QString(50, u'X') << QByteArray(35, 'X') << QByteArray(15, 'X');
        // Last space within the first 35 characters at position 30.
        const QString soixante = QString(29, u'A') + u' ' + QString(30, u'B');
        QTest::newRow("coupure au dernier espace")
            << soixante << QByteArray(29, 'A') << QByteArray(30, 'B');
        QTest::newRow("au-delà de 70 caractères") << QString(35, u'C') + u' ' + QString(40, u'D')
                                                  << QByteArray(35, 'C') << QByteArray(34, 'D');
    }
    void decoupeDuLibelle() {
        QFETCH(QString, libelle);
        QFETCH(QByteArray, ligne1);
        QFETCH(QByteArray, ligne2);
        const LignesLibelle lignes = DecoupeLibelle(libelle);
        QCOMPARE(lignes.ligne1, ligne1);
        QCOMPARE(lignes.ligne2, ligne2);
    }

    void etiquetteArticleOctetParOctet() {
        const QByteArray fenetre =
            TexteEtiquetteArticle(VarianteArticle::Fenetre, 25, u" 4006381333931 "_s,
                                  u"Plaid mohair écru 130x170 franges courtes"_s, 3);
        const char attendu[] = "\nN\nI8,A,033\n"
                               "B25,10,0,E30,3,1,120,B,\"4006381333931\"\n"
                               "A25,150,0,1,1,1,N,\"Plaid mohair \xe9\x63ru 130x170 franges\"\n"
                               "A25,165,0,1,1,1,N,\"courtes\"\n"
                               "P3\n\n";
        QCOMPARE(fenetre, octets(attendu, sizeof attendu));
        QCOMPARE(fenetre.back(), '\0');

        // The browser adds an empty line after "N" and prints both lines even
        // when the second is empty.
        const QByteArray navigateur =
            TexteEtiquetteArticle(VarianteArticle::Navigateur, 0, Ean, u"Bol"_s, 1);
        const char attendu2[] = "\nN\n\nI8,A,033\n"
                                "B0,10,0,E30,3,1,120,B,\"4006381333931\"\n"
                                "A0,150,0,1,1,1,N,\"Bol\"\n"
                                "A0,165,0,1,1,1,N,\"\"\n"
                                "P1\n\n";
        QCOMPARE(navigateur, octets(attendu2, sizeof attendu2));
    }

    void guillemetsEtBarresObliquesEchappes() {
        const QByteArray texte =
            TexteEtiquetteArticle(VarianteArticle::Fenetre, 10, Ean, u"Vis 1/4\" \\ inox"_s, 1);
        QVERIFY(texte.contains("A10,150,0,1,1,1,N,\"Vis 1/4\\\" \\\\ inox\"\n"));
        // The preview reads the escapes back: the quote and the backslash are
        // printed, the field does not end early.
        QVERIFY(ApercuEpl2(texte).anomalies.isEmpty());

        const AdresseLivraison adresse = {u"Le \"Chalet\""_s, u"C:\\"_s, {}, {}, {}};
        const QByteArray colis = TexteEtiquetteColis(40, u"    12"_s, 1, adresse);
        QVERIFY(colis.contains("A40,300,0,4,1,1,N,\"Le \\\"Chalet\\\"\"\n"));
        QVERIFY(colis.contains("A40,330,0,4,1,1,N,\"C:\\\\\"\n"));
        // A line feed in the data would end the command and start another.
        const QByteArray injecte =
            TexteEtiquetteArticle(VarianteArticle::Fenetre, 10, Ean, u"Bol\nP999\r\tbleu"_s, 1);
        QVERIFY(injecte.contains("A10,150,0,1,1,1,N,\"Bol P999  bleu\"\n"));
        QCOMPARE(injecte.count("\nP"), 1);
    }

    void etiquetteColisOctetParOctet() {
        QCOMPARE(DonneesCodeBarreColis(NumeroExpeditionEtiquette(12), 3),
                 u"EXP:    12,COLIS:  3"_s);
        const AdresseLivraison adresse = {u"Hôtel des Alpes"_s, u"12 route du Lac"_s, QString(),
                                          u"74400 Chamonix"_s, u"France"_s};
        const QByteArray texte = TexteEtiquetteColis(40, NumeroExpeditionEtiquette(12), 3, adresse);
        const char attendu[] = "\nN\n\nI8,A,033\n"
                               "B60,10,0,1,2,2,150,N,\"EXP:    12,COLIS:  3\"\n"
                               "A28,190,0,3,2,2,N,\"EXP:    12,COLIS:  3\"\n"
                               "A40,260,0,4,1,1,N,\"Adresse Livraison :\"\n"
                               "A40,300,0,4,1,1,N,\"H\xf4tel des Alpes\"\n"
                               "A40,330,0,4,1,1,N,\"12 route du Lac\"\n"
                               "A40,360,0,4,1,1,N,\"\"\n"
                               "A40,390,0,4,1,1,N,\"74400 Chamonix\"\n"
                               "A40,420,0,4,1,1,N,\"France\"\n"
                               "A20,490,0,4,4,4,N,\"COLIS:  3\"\n"
                               "X10,0,2,600,610\n"
                               "X10,250,2,600,290\n"
                               "X10,450,2,600,452\n"
                               "P1\n\n";
        QCOMPARE(texte, octets(attendu, sizeof attendu));
    }

    void rechercheDeLImprimante() {
        SpoolDeTest spool({u"Bureau"_s, u"Quai ZEBRA-EXP 2"_s, u"ZEBRA-EXP"_s, u"zebra-art"_s});
        const auto systeme = systemeImpression();
        QString nom = u"ZEBRA-EXP"_s;
        QVERIFY(ChercheImprimante(*systeme, nom));
        QCOMPARE(nom, u"ZEBRA-EXP"_s);
        // A pattern takes the first printer, in the system's order, whose
        // name contains the text anywhere.
        nom = u"ZEBRA-EXP*"_s;
        QVERIFY(ChercheImprimante(*systeme, nom));
        QCOMPARE(nom, u"Quai ZEBRA-EXP 2"_s);
        // Case counts, and without "*" only the whole name matches.
        for (const QString& absent : {u"ZEBRA-ART"_s, u"ZEBRA"_s, u"ZEBRA-ART*"_s, QString()}) {
            nom = absent;
            QVERIFY2(!ChercheImprimante(*systeme, nom), qPrintable(absent));
            QCOMPARE(nom, absent);
        }
        nom = u"ebra-a*"_s;
        QVERIFY(ChercheImprimante(*systeme, nom));
        QCOMPARE(nom, u"zebra-art"_s);

        ImpressionDossier vide(QDir(spool.dossier.path()).filePath(u"absent"_s));
        nom = u"*"_s;
        QVERIFY(!ChercheImprimante(vide, nom));

        // The printer of the configuration: a box when it is missing (the case
        // counts), its identification in the status bar when it is there.
        BaseDeTest t;
        QVERIFY(!ImprimanteEtiquettes(*t.ctx, *systeme, u"NomImprimanteArt"_s));
        QCOMPARE(t.prompts.titresEtTextes(),
                 QStringList{u"Impression impossible|L'imprimante [ZEBRA-ART] n'est pas définie "
                             u"sur ce poste"_s});
        QCOMPARE(t.prompts.boites[0].icone, Prompts::Icone::Exclamation);
        QVERIFY(t.feedback.statuts.isEmpty());

        QCOMPARE(ImprimanteEtiquettes(*t.ctx, *systeme, u"NomImprimanteExp"_s), u"ZEBRA-EXP"_s);
        QCOMPARE(t.feedback.statuts,
                 QStringList{u"ZEBRA-EXP: "_s +
                             QDir(spool.dossier.path()).absoluteFilePath(u"ZEBRA-EXP"_s)});
    }

    void travauxDuDossierDansLOrdreDEnvoi() {
        SpoolDeTest spool({u"P"_s});
        ImpressionDossier systeme(spool.dossier.path());
        for (int i = 1; i <= 12; ++i)
            systeme.envoyer(u"P"_s, QByteArray::number(i), QString());
        const QList<QByteArray> travaux = spool.travaux(u"P"_s);
        QCOMPARE(travaux.size(), 12);
        for (int i = 0; i < 12; ++i)
            QCOMPARE(travaux.at(i), QByteArray::number(i + 1));
        // No temporary file is left behind.
        QCOMPARE(spool.fichiers(u"P"_s).size(), 12);
        QVERIFY_THROWS_EXCEPTION(ErreurTarvo, systeme.envoyer(u"Q"_s, "x", QString()));

        // Two senders at once never take each other's number: nothing is
        // overwritten and no number serves twice.
        const auto envoyer = [&spool](char marque) {
            ImpressionDossier autre(spool.dossier.path());
            for (int i = 0; i < 40; ++i)
                autre.envoyer(u"P"_s, QByteArray(1, marque) + QByteArray::number(i), QString());
        };
        std::thread premier(envoyer, 'a');
        std::thread second(envoyer, 'b');
        premier.join();
        second.join();
        const QList<QByteArray> tous = spool.travaux(u"P"_s);
        QCOMPARE(tous.size(), 12 + 80);
        QCOMPARE(QSet<QByteArray>(tous.begin(), tous.end()).size(), 12 + 80);
        QSet<QString> numeros;
        for (const QString& nom : spool.fichiers(u"P"_s))
            numeros << nom.left(8);
        QCOMPARE(numeros.size(), 12 + 80);
    }

    void nombreDEtiquettesEtPlageDeColis() {
        QCOMPARE(NombreEtiquettes(u"12"_s), 12);
        QCOMPARE(NombreEtiquettes(u" 7 étiquettes"_s), 7);
        QCOMPARE(NombreEtiquettes(u"abc"_s), 0);
        QCOMPARE(NombreEtiquettes(QString()), 0);
        QCOMPARE(NombreEtiquettes(u"2.5"_s), 2);
        QCOMPARE(NombreEtiquettes(u"32767"_s), 32767);
        QVERIFY_THROWS_EXCEPTION(ErreurTarvo, NombreEtiquettes(u"32768"_s));
        QVERIFY_THROWS_EXCEPTION(ErreurTarvo, NombreEtiquettes(u"-3"_s));
        QVERIFY(PlageColisValide(1, 5, 5));
        QVERIFY(PlageColisValide(3, 3, 5));
        QVERIFY(!PlageColisValide(0, 3, 5));
        QVERIFY(!PlageColisValide(4, 3, 5));
        QVERIFY(!PlageColisValide(1, 6, 5));
        QVERIFY(!PlageColisValide(1, 1000, 1200));
    }

    void etiquettesArticleEtQuestionAuDelaDe50() {
        SpoolDeTest spool({u"ZEBRA-ART"_s});
        BaseDeTest t;
        const auto systeme = systemeImpression();
        const ArticleEtiquette article{Ean, u"Tasse grès"_s};

        // 50 prints without a question, as one job.
        QVERIFY(ImprEtiqArticle(*t.ctx, *systeme, article, u"50"_s));
        QVERIFY(t.prompts.boites.isEmpty());
        // 51 asks, quoting the field; no prints nothing.
        t.prompts.reponses.enqueue(false);
        QVERIFY(!ImprEtiqArticle(*t.ctx, *systeme, article, u"51"_s));
        QCOMPARE(
            t.prompts.titresEtTextes(),
            QStringList{u"Etiquette code barres article|Voulez-vous imprimer 51 etiquettes ?"_s});
        QVERIFY(t.prompts.boites[0].estQuestion);
        t.prompts.reponses.enqueue(true);
        QVERIFY(ImprEtiqArticle(*t.ctx, *systeme, article, u"51"_s));
        // Zero ends silently.
        t.prompts.vider();
        QVERIFY(!ImprEtiqArticle(*t.ctx, *systeme, article, u"0"_s));
        QVERIFY(t.prompts.boites.isEmpty());

        const QList<QByteArray> travaux = spool.travaux(u"ZEBRA-ART"_s);
        QCOMPARE(travaux.size(), 2);
        QVERIFY(travaux[0].endsWith(QByteArray("\nP50\n\n", 6) + '\0'));
        QVERIFY(travaux[1].endsWith(QByteArray("\nP51\n\n", 6) + '\0'));
        QVERIFY(travaux[1].startsWith("\nN\nI8,A,033\nB10,"));
        QVERIFY(travaux[1].contains("\"Tasse gr\xe8s\""));
    }

    void navigateurDemandeLeNombre() {
        SpoolDeTest spool({u"ZEBRA-ART"_s});
        BaseDeTest t;
        const auto systeme = systemeImpression();
        const ArticleEtiquette article{Ean, u"Libellé du navigateur"_s};
        // Cancelling the input box prints nothing and shows nothing more.
        t.prompts.saisies.enqueue(std::nullopt);
        QVERIFY(!ImprEtiqArticle(*t.ctx, *systeme, article));
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites[0].texte,
                 u"Entrez le nombre d'étiquette code barres article que vous "
                 "souhaitez imprimer :"_s);
        // A count beyond the printer's range is refused with a clear message.
        t.prompts.vider();
        t.prompts.saisies.enqueue(u"40000"_s);
        QVERIFY(!ImprEtiqArticle(*t.ctx, *systeme, article));
        QCOMPARE(t.prompts.boites.last().titre, u"Erreur"_s);
        QCOMPARE(t.prompts.boites.last().icone, Prompts::Icone::Critique);
        QVERIFY(t.prompts.boites.last().texte.contains(u"Nombre d'étiquettes incorrect"));
        t.prompts.saisies.enqueue(u"2"_s);
        QVERIFY(ImprEtiqArticle(*t.ctx, *systeme, article));
        const QList<QByteArray> travaux = spool.travaux(u"ZEBRA-ART"_s);
        QCOMPARE(travaux.size(), 1);
        QVERIFY(travaux[0].startsWith("\nN\n\nI8,A,033\n"));
        QVERIFY(travaux[0].contains("P2\n"));
    }

    void articleParCodeBarre() {
        BaseDeTest t;
        t.creerBase(false);
        executer(*t.ctx, u"INSERT INTO Article ([Code barres Article], Libellé, "
                         "lib_art_couleur) VALUES ('4006381333931', 'Tasse', "
                         "'Tasse grès rouge')"_s);
        const std::optional<ArticleEtiquette> a = ChercherArticle(*t.ctx, Ean);
        QVERIFY(a);
        QCOMPARE(a->libelle, u"Tasse grès rouge"_s);
        QVERIFY(!ChercherArticle(*t.ctx, u"' OR ''='"_s));
        QVERIFY(!ChercherArticle(*t.ctx, QString()));
    }

    void unTravailParColis() {
        SpoolDeTest spool({u"ZEBRA-EXP"_s});
        BaseDeTest t;
        t.creerBase(false);
        executer(*t.ctx, u"INSERT INTO F_LIVRAISON (LI_No, CT_Num, LI_Intitule, LI_Adresse, "
                         "LI_Complement, LI_CodePostal, LI_Ville, LI_Pays) VALUES (7, "
                         "'C1', 'Boutique Lumière', '3 quai Perrière', NULL, '38000', "
                         "'Grenoble', 'France')"_s);
        executer(*t.ctx, u"INSERT INTO [Expédition] ([No Expédition], [Libellé 1], "
                         "[No lieu livraison], [Nbr colis théorique], [Nbr colis réel]) "
                         "VALUES (12, 'Boutique', 7, 5, 9)"_s);
        const std::optional<ExpeditionEtiquettes> e = ChargerExpeditionEtiquettes(*t.ctx, 12);
        QVERIFY(e);
        QCOMPARE(e->libelle1, u"Boutique"_s);
        QCOMPARE(e->noLieuLivraison.value_or(0), 7);
        QCOMPARE(e->nbColisTheorique, 5);
        QCOMPARE(e->nbColisReel, 9);
        QCOMPARE(ImprEtiqExp(*t.ctx, *systemeImpression(), *e, 2, 4), 3);
        QVERIFY(t.prompts.boites.isEmpty());
        const QList<QByteArray> travaux = spool.travaux(u"ZEBRA-EXP"_s);
        QCOMPARE(travaux.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QVERIFY(travaux[i].contains(u"\"EXP:    12,COLIS:  %1\""_s.arg(i + 2).toLatin1()));
            QVERIFY(travaux[i].endsWith(QByteArray("\nP1\n\n", 5) + '\0'));
            QCOMPARE(travaux[i].count("P1\n"), 1);
        }
        QVERIFY(travaux[0].contains("A10,300,0,4,1,1,N,\"Boutique Lumi\xe8re\"\n"
                                    "A10,330,0,4,1,1,N,\"3 quai Perri\xe8re\"\n"
                                    "A10,360,0,4,1,1,N,\"\"\n"
                                    "A10,390,0,4,1,1,N,\"38000 Grenoble\"\n"));
        QCOMPARE(t.feedback.statuts.size(), 1);
        QVERIFY(t.feedback.statuts[0].startsWith(u"ZEBRA-EXP: "));
        QVERIFY(!ChargerExpeditionEtiquettes(*t.ctx, 13));

        // No delivery place, or an unknown one: the five lines are empty.
        const AdresseLivraison vide{};
        QCOMPARE(LireAdresseLivraison(*t.ctx, std::nullopt), vide);
        QCOMPARE(LireAdresseLivraison(*t.ctx, 999), vide);
        const QByteArray texte = TexteEtiquetteColis(10, NumeroExpeditionEtiquette(5), 1, vide);
        QVERIFY(texte.contains("A10,260,0,4,1,1,N,\"Adresse Livraison :\"\n"
                               "A10,300,0,4,1,1,N,\"\"\nA10,330,0,4,1,1,N,\"\"\n"
                               "A10,360,0,4,1,1,N,\"\"\nA10,390,0,4,1,1,N,\"\"\n"
                               "A10,420,0,4,1,1,N,\"\"\n"));
    }

    // A margin the printer cannot use, or whose coordinates would not hold in
    // an int, is refused before any job; the limits themselves print.
    void margesEtNumeroAvantToutEnvoi_data() {
        QTest::addColumn<QString>("cle");
        QTest::addColumn<QString>("marge");
        QTest::addColumn<qint32>("noExpedition");
        // The description of the error box, empty when the labels print.
        QTest::addColumn<QString>("detail");
        // The start of a command line of the job sent, when the labels print.
        QTest::addColumn<QByteArray>("commande");
        const QString art = u"MargeGaucheArt"_s;
        const QString exp = u"MargeGaucheExp"_s;
        const auto refus = [](const QString& etiquettes, const QString& cle, const QString& m) {
            return u"La marge gauche des étiquettes %1 (clé %2 de la section "
                   "[ZEBRA]) doit être un nombre entier de points : « %3 » ne "
                   "convient pas."_s.arg(etiquettes, cle, m);
        };
        const QString article = u"code barres article"_s;
        const QString colis = u"expédition"_s;
        for (const QString& m : {QString(), u"2O"_s, u"2147483647"_s}) {
            QTest::addRow("article « %s »", qPrintable(m))
                << art << m << 12 << refus(article, art, m) << QByteArray();
            QTest::addRow("colis « %s »", qPrintable(m))
                << exp << m << 12 << refus(colis, exp, m) << QByteArray();
        }
        // The article's widest field, its 285-dot bar code, starts at the
        // margin; the parcel frame runs from 30 dots before it to 560 after.
        QTest::newRow("article au plus loin")
            << art << u"2147483362"_s << 12 << QString() << QByteArray("B2147483362,10,0,E30,");
        QTest::newRow("article un point trop loin")
            << art << u"2147483363"_s << 12 << refus(article, art, u"2147483363"_s) << QByteArray();
        QTest::newRow("colis au plus loin") << exp << u"2147483087"_s << 12 << QString()
                                            << QByteArray("X2147483057,0,2,2147483647,610");
        QTest::newRow("colis un point trop loin")
            << exp << u"2147483088"_s << 12 << refus(colis, exp, u"2147483088"_s) << QByteArray();
        QTest::newRow("colis au plus bas") << exp << u"-2147483618"_s << 12 << QString()
                                           << QByteArray("X-2147483648,0,2,-2147483058,610");
        QTest::newRow("colis un point trop bas")
            << exp << u"-2147483619"_s << 12 << refus(colis, exp, u"-2147483619"_s) << QByteArray();
        QTest::newRow("numéro de 7 chiffres")
            << exp << u"10"_s << 1234567
            << u"Le numéro d'expédition 1234567 dépasse les 6 caractères de l'étiquette."_s
            << QByteArray();
    }
    void margesEtNumeroAvantToutEnvoi() {
        QFETCH(QString, cle);
        QFETCH(QString, marge);
        QFETCH(qint32, noExpedition);
        QFETCH(QString, detail);
        QFETCH(QByteArray, commande);
        SpoolDeTest spool({u"ZEBRA-ART"_s, u"ZEBRA-EXP"_s});
        BaseDeTest t;
        t.creerBase(false);
        t.ecrireIni(iniParDefaut(t.dossier.path())
                        .replace((cle + u"=10"_s).toUtf8(), (cle + u'=' + marge).toUtf8()));
        const bool article = cle == u"MargeGaucheArt";
        const ArticleEtiquette a{Ean, u"Bol"_s};
        ExpeditionEtiquettes e;
        e.noExpedition = noExpedition;
        e.nbColisTheorique = 3;
        const bool imprime = article ? ImprEtiqArticle(*t.ctx, *systemeImpression(), a, u"1"_s)
                                     : ImprEtiqExp(*t.ctx, *systemeImpression(), e, 1, 1) == 1;
        const QList<QByteArray> travaux = spool.travaux(article ? u"ZEBRA-ART"_s : u"ZEBRA-EXP"_s);
        if (detail.isEmpty()) {
            QVERIFY(imprime);
            QVERIFY(t.prompts.boites.isEmpty());
            QCOMPARE(travaux.size(), 1);
            QVERIFY2(travaux[0].contains("\n" + commande), travaux[0].constData());
            return;
        }
        QVERIFY(!imprime);
        QCOMPARE(travaux.size(), 0);
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites[0].icone, Prompts::Icone::Critique);
        QCOMPARE(t.prompts.boites[0].titre, u"Erreur"_s);
        const QString source = article ? u"Etiquette article"_s : u"Etiquettes expédition"_s;
        QCOMPARE(t.prompts.boites[0].texte,
                 texteErreurDetaillee({NumeroErreur::DonneeInvalide, source, detail}));
        // The preview refuses it as well.
        if (article)
            QVERIFY_THROWS_EXCEPTION(ErreurTarvo, TexteArticleFenetre(*t.ctx, a, u"1"_s));
        else
            QVERIFY_THROWS_EXCEPTION(ErreurTarvo, EtiquettesColis(*t.ctx, e));
    }

    void apercuArticleSeRelitEnEan13() {
        const QByteArray texte = TexteEtiquetteArticle(
            VarianteArticle::Fenetre, 10, Ean, u"Plaid mohair écru 130x170 franges courtes"_s, 4);
        const ApercuEtiquette apercu = ApercuEpl2(texte);
        QVERIFY2(apercu.anomalies.isEmpty(), qPrintable(apercu.anomalies.join(u'\n')));
        QCOMPARE(apercu.exemplaires, 4);
        // 95 modules of 3 dots from x = 10, 120 dots high from y = 10.
        QVERIFY(apercu.image.width() >= 10 + 95 * 3);
        QCOMPARE(lireEan13(apercu.image, 70, 3), Ean);
        QCOMPARE(lireEan13(apercu.image, 125, 3), Ean);
        QCOMPARE(qGray(apercu.image.pixel(10, 70)), 0);
        QCOMPARE(qGray(apercu.image.pixel(9, 70)), 255);
        // Both description lines are drawn in font 1 cells at y 150 and 165.
        const auto encre = [&](int y0, int y1) {
            int n = 0;
            for (int y = y0; y < y1; ++y)
                for (int x = 10; x < 10 + 35 * 8; ++x)
                    n += qGray(apercu.image.pixel(x, y)) < 128;
            return n;
        };
        QVERIFY(encre(150, 162) > 50);
        QVERIFY(encre(165, 177) > 30);
        // The human-readable digits lie between the bars and the text.
        QVERIFY(encre(132, 150) > 0);
    }

    void apercuColisCode128EtCadres() {
        const AdresseLivraison adresse = {u"Hôtel des Alpes"_s, {}, {}, {}, {}};
        const QByteArray texte = TexteEtiquetteColis(40, NumeroExpeditionEtiquette(12), 3, adresse);
        const ApercuEtiquette apercu = ApercuEpl2(texte);
        QVERIFY2(apercu.anomalies.isEmpty(), qPrintable(apercu.anomalies.join(u'\n')));
        QCOMPARE(apercu.exemplaires, 1);
        const QImage& i = apercu.image;
        QVERIFY(i.width() >= 600 && i.height() >= 610);
        // The Code 128 symbol starts at x = 60 (the margin + 20), 2 dots a
        // module, and reads back as the identification.
        QCOMPARE(qGray(i.pixel(59, 80)), 255);
        QCOMPARE(qGray(i.pixel(60, 80)), 0);
        QCOMPARE(lireCode128(i, 60, 80, 2), u"EXP:    12,COLIS:  3"_s);
        QCOMPARE(lireCode128(i, 60, 155, 2), u"EXP:    12,COLIS:  3"_s);
        // Six digits in a row are worth a change to code set C.
        const QImage chiffres =
            ApercuEpl2(TexteEtiquetteColis(40, NumeroExpeditionEtiquette(123456), 12, adresse))
                .image;
        QCOMPARE(lireCode128(chiffres, 60, 80, 2), u"EXP:123456,COLIS: 12"_s);
        // The frame: 2-dot lines from x 10 to 600, y 0 to 610, and the rules.
        QCOMPARE(qGray(i.pixel(10, 300)), 0);
        QCOMPARE(qGray(i.pixel(11, 300)), 0);
        QCOMPARE(qGray(i.pixel(12, 300)), 255);
        QCOMPARE(qGray(i.pixel(599, 300)), 0);
        QCOMPARE(qGray(i.pixel(300, 608)), 0);
        QCOMPARE(qGray(i.pixel(300, 450)), 0);
        QCOMPARE(qGray(i.pixel(300, 288)), 0);
    }

    // What the printer will not print, the preview names: what lies before
    // its first dot, and fields far beyond any label (not drawn, so that the
    // picture stays a label's size).
    void apercuAnnonceCeQuiNeSImprimeraPas_data() {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<int>("horsApercu");
        QTest::addColumn<QString>("coupee");
        const AdresseLivraison adresse{};
        const QString numero = NumeroExpeditionEtiquette(12);
        const auto gauche = [](const char* points) {
            return u"L'étiquette sera coupée : elle déborde à gauche de %1 point(s)."_s.arg(
                QLatin1StringView(points));
        };
        const auto colis = [&](int marge) {
            return TexteEtiquetteColis(marge, numero, 1, adresse);
        };
        const auto article = [](int marge) {
            return TexteEtiquetteArticle(VarianteArticle::Fenetre, marge, Ean, u"Bol"_s, 1);
        };
        QTest::newRow("colis, marge 30") << colis(30) << 0 << QString();
        QTest::newRow("colis, marge 29") << colis(29) << 0 << gauche("1");
        QTest::newRow("colis, marge 10") << colis(10) << 0 << gauche("20");
        QTest::newRow("article, marge 0") << article(0) << 0 << QString();
        QTest::newRow("article, marge -4") << article(-4) << 0 << gauche("4");
        QTest::newRow("texte au-dessus du bord")
            << QByteArray("\nN\nA10,-5,0,1,1,1,N,\"x\"\nP1\n") << 0
            << u"L'étiquette sera coupée : elle déborde en haut de 5 point(s)."_s;
        QTest::newRow("colis au plus loin") << colis(2147483087) << 12 << QString();
        QTest::newRow("colis au plus bas") << colis(-2147483618) << 12 << gauche("2147483648");
        QTest::newRow("article à 100000 points") << article(100000) << 3 << QString();
    }
    void apercuAnnonceCeQuiNeSImprimeraPas() {
        QFETCH(QByteArray, texte);
        QFETCH(int, horsApercu);
        QFETCH(QString, coupee);
        const ApercuEtiquette apercu = ApercuEpl2(texte);
        QCOMPARE(apercu.anomalies.size(), horsApercu + (coupee.isEmpty() ? 0 : 1));
        for (qsizetype i = 0; i < horsApercu; ++i)
            QVERIFY2(apercu.anomalies.at(i).startsWith(u"Hors de l'aperçu : "),
                     qPrintable(apercu.anomalies.at(i)));
        if (!coupee.isEmpty())
            QCOMPARE(apercu.anomalies.last(), coupee);
        QVERIFY(!apercu.image.isNull());
        QVERIFY(apercu.image.width() <= 10000 && apercu.image.height() <= 10000);
    }

    void apercuSignaleCeQuIlNeDessinePas() {
        // Nothing after the NUL byte is read.
        const char texte[] = "\nN\nB10,10,0,E30,3,1,120,B,\"123\"\nGG10,10,\"LOGO\"\n"
                             "A10,10,0,9,1,1,N,\"x\"\nP2\n\n\0P7\n";
        const ApercuEtiquette a = ApercuEpl2(octets(texte, sizeof texte));
        QCOMPARE(a.anomalies.size(), 3);
        QCOMPARE(a.exemplaires, 2);
        QVERIFY(!a.image.isNull());
    }
};

QTEST_GUILESS_MAIN(TestEtiquettes)
#include "test_etiquettes.moc"
