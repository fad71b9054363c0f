// bench_editions: the shipment reports on a large generated database.
//
//   QT_QPA_PLATFORM=offscreen bench_editions [DOSSIER]
//
// Generates in DOSSIER (default /tmp/tarvo-bench-editions) an embedded
// database of 20,000 shipments of 2 parcels and 10 lines each, plus three
// large ones: 500 parcels and 20,000 lines, 25 parcels and 1,000 lines, and
// 2,400 lines (about 50 pages); half the articles' descriptions wrap on
// two lines. Then, each measure in a child process of
// its own (bench_editions --mesure …) so that its peak memory is its own,
// best of 3 runs:
//   - the packing list command (report connection, data, layout) and the
//     PDF written, for 1,000 and 20,000 lines;
//   - the first page of the 50-page packing list in the preview window,
//     from the menu entry's command to the page painted;
//   - the range control report of a small shipment, whose views read the
//     packing rows of every shipment.
#include "app/Contexte.h"
#include "app/OuvertureConnexion.h"
#include "db/Base.h"
#include "db/Connexion.h"
#include "db/Schema.h"
#include "db/Transaction.h"
#include "reports/Edition.h"
#include "reports/Peinture.h"
#include "reports/ui/ApercuEtat.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <cstdio>

using namespace tarvo;

namespace {

constexpr int Repetitions = 3;
constexpr int Expeditions = 20000;
constexpr int Articles = 1000;
constexpr int LignesParColis = 40;
constexpr qint32 Grande = 50001;
constexpr qint32 Petite = 50002;
constexpr qint32 CinquantePages = 50003;

class PromptsMuets : public Prompts {
public:
    void message(Icone, const QString& titre, const QString& texte) override {
        std::fprintf(stderr, "%s\n%s\n", qPrintable(titre), qPrintable(texte));
    }
    bool question(Icone, const QString&, const QString&, bool) override { return true; }
    Reponse questionAnnulable(Icone, const QString&, const QString&) override {
        return Reponse::Oui;
    }
    std::optional<QString> saisie(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    QString choisirFichier(const QString&, const QString&) override { return {}; }
};

long long memoireKio(const char* cle) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& ligne : f.readAll().split('\n'))
        if (ligne.startsWith(cle))
            return ligne.mid(static_cast<qsizetype>(qstrlen(cle)))
                .trimmed()
                .split(' ')
                .first()
                .toLongLong();
    return -1;
}

void ajouterExpedition(db::Requete& expedition, db::Requete& colis, db::Requete& contenu,
                       qint32 numero, int nbColis, int lignesParColis) {
    expedition.lier(u":numero", numero).executer();
    for (int c = 1; c <= nbColis; ++c) {
        colis.lier(u":numero", numero).lier(u":colis", c).lier(u":poids", 1.5 + c % 7).executer();
        for (int l = 0; l < lignesParColis; ++l)
            contenu.lier(u":numero", numero)
                .lier(u":colis", c)
                .lier(u":code",
                      QStringLiteral("200%1").arg((c * 7 + l) % Articles, 10, 10, QChar(u'0')))
                .lier(u":quantite", 1 + l % 5)
                .executer();
    }
}

// Every other article with a description as long as Sage's with a range
// element, which wraps on two lines of the packing list.
QString designation(int article) {
    if (article % 2 == 0)
        return QStringLiteral("Article de mesure n° %1, linge de maison").arg(article);
    return QStringLiteral("Nappe coton enduite anti-taches 160x250 ourlet double finition "
                          "n° %1 - Bleu ardoise chiné 2T")
        .arg(article);
}

void generer(const QString& dossier) {
    QDir().mkpath(dossier);
    QFile ini(QDir(dossier).filePath(QStringLiteral("TARVOX.ini")));
    if (!ini.open(QIODevice::WriteOnly) ||
        ini.write("[DB]\r\nPROVIDER=SQLITE\r\nSECURITYMODE=INTEG\r\nSERVERNAME=\r\n"
                  "DBNAME=tarvo-longs.db\r\n") < 0)
        qFatal("TARVOX.ini impossible");
    const QString fichier = QDir(dossier).filePath(QStringLiteral("tarvo-longs.db"));
    if (QFile::exists(fichier))
        return;
    std::fprintf(stderr, "Génération de %s…\n", qPrintable(fichier));
    Connexion cnx(QStringLiteral("Generation"));
    ParametresConnexion p;
    p.base = fichier;
    cnx.ouvrir(p, true);
    db::CreerBaseEmbarquee(cnx, true);
    db::Base base(&cnx);
    db::Transaction t(base);
    db::Requete article = base.preparer(db::TexteSql{QStringLiteral(
        "INSERT INTO F_ARTICLE (AR_Ref, AR_Design, AR_CodeBarre) VALUES (:ref, :design, :code)")});
    for (int a = 0; a < Articles; ++a)
        article.lier(u":ref", QStringLiteral("BENCH%1").arg(a))
            .lier(u":design", designation(a))
            .lier(u":code", QStringLiteral("200%1").arg(a, 10, 10, QChar(u'0')))
            .executer();
    db::Requete expedition = base.preparer(db::TexteSql{QStringLiteral(
        "INSERT INTO [Expédition] ([No Expédition], [Libellé 1], [Libellé 2], [No lieu livraison], "
        "Tare, [Poids brut], [Poids Net], Volume) VALUES (:numero, 'Mesure', 'Lyon', 3, 1.5, "
        "120.25, 118.75, 2.5)")});
    db::Requete colis = base.preparer(db::TexteSql{QStringLiteral(
        "INSERT INTO Colis ([No Expédition], [No Colis], [Poids colis]) VALUES (:numero, :colis, "
        ":poids)")});
    db::Requete contenu = base.preparer(db::TexteSql{QStringLiteral(
        "INSERT INTO Colisage ([No Expédition], [No Colis], [Code barres Article], [Quantité]) "
        "VALUES (:numero, :colis, :code, :quantite)")});
    for (qint32 n = 1000; n < 1000 + Expeditions; ++n)
        ajouterExpedition(expedition, colis, contenu, n, 2, 5);
    ajouterExpedition(expedition, colis, contenu, Grande, 500, LignesParColis);
    ajouterExpedition(expedition, colis, contenu, Petite, 25, LignesParColis);
    ajouterExpedition(expedition, colis, contenu, CinquantePages, 60, LignesParColis);
    t.valider();
}

// One measure in this process: prints seconds and peak memory (KiB).
int mesurer(const QString& dossier, const QString& quoi, qint32 noExp) {
    PromptsMuets prompts;
    FeedbackMuet feedback;
    HorlogeSysteme horloge;
    Contexte ctx(dossier, prompts, feedback, horloge);
    ctx.modeSecurite = QStringLiteral("INTEG");
    if (!ConnexionBase(ctx, QString(), QString()))
        return 1;
    QElapsedTimer chrono;
    qsizetype pages = 0;
    chrono.start();
    if (quoi != QStringLiteral("apercu")) {
        const QString pdf = QDir(dossier).filePath(quoi + QStringLiteral(".pdf"));
        const editions::Etat etat = quoi == QStringLiteral("pdf")
                                        ? editions::Etat::ColisageExp
                                        : editions::Etat::EtatControleExpGamme;
        if (!editions::EditerEtat(ctx, etat, noExp, [&](const editions::Document& d) {
                pages = d.pages.size();
                editions::ecrirePdf(d, pdf);
            }))
            return 1;
    } else {
        editions::ApercuEtat* apercu = nullptr;
        if (!editions::EditerEtat(ctx, editions::Etat::ColisageExp, noExp,
                                  [&](const editions::Document& d) {
                                      pages = d.pages.size();
                                      apercu = editions::ouvrirApercu(ctx, d, nullptr);
                                  }))
            return 1;
        QApplication::processEvents();
        if (!apercu || apercu->vuePage()->pixmap().isNull())
            return 1;
    }
    const double secondes = static_cast<double>(chrono.nsecsElapsed()) / 1e9;
    std::printf("%.3f %lld %lld\n", secondes, memoireKio("VmHWM:"), static_cast<long long>(pages));
    return 0;
}

struct Resultat {
    double secondes = 1e9;
    long long memoire = 0;
    long long pages = 0;
};

Resultat meilleur(const QString& dossier, const QString& quoi, qint32 noExp) {
    Resultat r;
    for (int i = 0; i < Repetitions; ++i) {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--mesure"), quoi, QString::number(noExp), dossier});
        if (!p.waitForFinished(600000) || p.exitCode() != 0)
            qFatal("Mesure %s %d en échec", qPrintable(quoi), noExp);
        const QList<QByteArray> champs = p.readAllStandardOutput().trimmed().split(' ');
        const double s = champs.value(0).toDouble();
        if (s < r.secondes)
            r = {s, champs.value(1).toLongLong(), champs.value(2).toLongLong()};
    }
    return r;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() == 5 && arguments.at(1) == QStringLiteral("--mesure"))
        return mesurer(arguments.at(4), arguments.at(2), arguments.at(3).toInt());
    const QString dossier =
        QDir(arguments.value(1, QStringLiteral("/tmp/tarvo-bench-editions"))).absolutePath();
    generer(dossier);
    const Resultat petite = meilleur(dossier, QStringLiteral("pdf"), Petite);
    const Resultat grande = meilleur(dossier, QStringLiteral("pdf"), Grande);
    const Resultat apercu = meilleur(dossier, QStringLiteral("apercu"), CinquantePages);
    const Resultat controle = meilleur(dossier, QStringLiteral("controle"), 1500);
    std::printf("| Mesure | Pages | Temps (s) | Mémoire de pointe (Mio) |\n|---|---|---|---|\n");
    const auto ligne = [](const char* nom, const Resultat& r) {
        std::printf("| %s | %lld | %.3f | %.1f |\n", nom, r.pages, r.secondes,
                    static_cast<double>(r.memoire) / 1024.0);
    };
    ligne("Liste de colisage en PDF, 25 colis, 1 000 lignes", petite);
    ligne("Liste de colisage en PDF, 500 colis, 20 000 lignes", grande);
    ligne("Aperçu, première page affichée, 60 colis, 2 400 lignes", apercu);
    ligne("Etat de contrôle (Codes Barre) en PDF, 2 colis, 10 lignes", controle);
    std::printf("\nRapport 20 000 / 1 000 lignes : %.1f (linéaire : 20)\n",
                grande.secondes / petite.secondes);
    return 0;
}
