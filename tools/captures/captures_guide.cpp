// Takes the guide's screenshots: starts Tarvo's main window on a prepared
// demo folder, walks the road of one shipment through the menus, and saves
// each window it opens as a PNG. Run under Xvfb by `./tarvo.sh captures`, so
// that the pictures follow the program as it changes.
#include "app/Contexte.h"
#include "app/OuvertureConnexion.h"
#include "base/Francais.h"
#include "colisage/ui/FenetreColisage.h"
#include "db/Connexion.h"
#include "suivi/ui/FenetreExplication.h"
#include "suivi/ui/FenetreLignesExpedition.h"
#include "suivi/ui/FenetreSuivi.h"
#include "ui/main/Branchements.h"
#include "ui/main/FenetrePrincipale.h"
#include "ui/main/PromptsFenetres.h"
#include "ui/main/Traductions.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableWidget>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <functional>

using namespace tarvo;

namespace {

// A terminal's data file for shipment 103: two articles packed into parcel 1
// and the parcel's weight, as a SCANPAL 2 writes them.
const QByteArray DataDemo = "EXP:   103,COLIS: 01,2026-12-05,10:12:31,3760987650014,  4,{EXPFA}\r\n"
                            "EXP:   103,COLIS: 01,2026-12-05,10:13:02,3760987650021,  2,{EXPFA}\r\n"
                            "EXP:   103,,2026-12-05,10:14:40,COLIS:01,3.40,{EXPFP}\r\n";

// A later file for shipment 103: an entry the integration ignores (parcel 1
// already had one of that moment), more cushion covers in parcel 2, and a
// weight far from the contents', so that the follow-up has a suspect parcel
// and the explanation an entry that no longer counts.
const QByteArray DataSuivi =
    "EXP:   103,COLIS: 01,2026-12-05,10:12:31,3760987650014,  3,{EXPFA}\r\n"
    "EXP:   103,COLIS: 02,2026-12-05,10:20:05,3760987650014,  2,{EXPFA}\r\n"
    "EXP:   103,,2026-12-05,10:21:40,COLIS:02,1.10,{EXPFP}\r\n";

bool ecrireData(const QString& demo, const QByteArray& contenu) {
    QFile data(QDir(demo).filePath(QStringLiteral("terminal/DATA.TXT")));
    if (data.open(QIODevice::WriteOnly) && data.write(contenu) == contenu.size() && data.flush())
        return true;
    std::fprintf(stderr, "écriture impossible : %s\n", qPrintable(data.fileName()));
    return false;
}

class Captures {
public:
    Captures(ui::FenetrePrincipale& fenetre, QString dossier)
        : fenetre_(fenetre), dossier_(std::move(dossier)) {}

    void enregistrer(QWidget* w, const QString& nom) {
        QApplication::processEvents();
        const QString chemin = QDir(dossier_).filePath(nom + QStringLiteral(".png"));
        if (!w->grab().save(chemin)) {
            std::fprintf(stderr, "capture impossible : %s\n", qPrintable(chemin));
            ++echecs_;
            return;
        }
        std::printf("%s\n", qPrintable(chemin));
        std::fflush(stdout);
    }

    // The main window with the child window an entry opens.
    void fenetre(const QString& entree, const QString& nom) {
        declencher(entree);
        enregistrer(&fenetre_, nom);
    }

    // The first modal box or dialog an entry shows, captured (unless `nom`
    // is empty) then closed; any box that follows it is closed too.
    void modale(const QString& entree, const QString& nom) {
        QTimer minuterie;
        bool capturee = false;
        QObject::connect(&minuterie, &QTimer::timeout, &fenetre_, [&] {
            QWidget* boite = QApplication::activeModalWidget();
            if (!boite)
                return;
            if (!capturee && !nom.isEmpty())
                enregistrer(boite, nom);
            else
                std::printf("  fermée : %s\n", qPrintable(boite->windowTitle()));
            capturee = true;
            if (auto* dialogue = qobject_cast<QDialog*>(boite))
                dialogue->reject();
            else
                boite->close();
        });
        minuterie.start(400);
        declencher(entree);
        // The integration runs off the window's thread: its box comes later.
        while (fenetre_.commandeDeFondEnCours())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }

    // A window of its own (a preview) that an entry opens beside the main one.
    void apart(const QString& entree, const QString& nom) {
        const QWidgetList avant = QApplication::topLevelWidgets();
        declencher(entree);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (!avant.contains(w) && w->isVisible()) {
                w->resize(900, 700);
                enregistrer(w, nom);
                w->close();
            }
    }

    void fermerFenetres() { fenetre_.findChild<QMdiArea*>()->closeAllSubWindows(); }
    int echecs() const { return echecs_; }

    void declencher(const QString& entree) {
        QAction* a = fenetre_.action(entree);
        if (!a || !a->isEnabled()) {
            std::fprintf(stderr, "entrée absente ou inactive : %s\n", qPrintable(entree));
            ++echecs_;
            return;
        }
        a->trigger();
        QApplication::processEvents();
    }

private:
    ui::FenetrePrincipale& fenetre_;
    QString dossier_;
    int echecs_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("Usage : captures_guide DOSSIER_DEMO DOSSIER_IMAGES\n", stderr);
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvo-captures"));
    adopterLocaleFrancaise();
    ui::chargerTraductions(application);
    const QString demo = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString images = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(images);

    ui::PromptsFenetres prompts;
    FeedbackMuet muet;
    HorlogeSysteme horloge;
    Contexte ctx(demo, prompts, muet, horloge);
    ctx.modeSecurite = QStringLiteral("INTEG");
    if (!ConnexionBase(ctx, QString(), QString()))
        return 1;
    ui::FenetrePrincipale fenetre(ctx);
    prompts.setProprietaire(&fenetre);
    ui::brancherCommandes(fenetre);
    fenetre.resize(1180, 760);
    fenetre.show();
    Captures c(fenetre, images);

    c.enregistrer(&fenetre, QStringLiteral("01-fenetre-principale"));
    c.fenetre(QStringLiteral("mnuCreaExpManuel"), QStringLiteral("02-creation-manuelle"));
    c.fermerFenetres();
    c.fenetre(QStringLiteral("mnuCreaExpAuto"), QStringLiteral("03-creation-automatique"));
    c.fermerFenetres();
    c.modale(QStringLiteral("mnuFichierExp"), QStringLiteral("04-fichier-expedition"));
    c.fenetre(QStringLiteral("mnuFichierArticle"), QStringLiteral("05-fichier-article"));
    c.fermerFenetres();
    if (!ecrireData(demo, DataDemo))
        return 1;
    c.modale(QStringLiteral("mnuVerifData"), QStringLiteral("06-verification"));
    c.modale(QStringLiteral("mnuIntegData"), QStringLiteral("07-integration"));
    c.fenetre(QStringLiteral("mnuJournal"), QStringLiteral("08-journal"));
    c.fermerFenetres();
    c.fenetre(QStringLiteral("mnuModifExp"), QStringLiteral("09-modification"));
    c.modale(QStringLiteral("mnuEdEtiqExp"), QStringLiteral("10-etiquettes-colis"));
    c.apart(QStringLiteral("mnuBonExp"), QStringLiteral("11-bon-expedition"));
    c.apart(QStringLiteral("mnuEdListeColisage"), QStringLiteral("12-liste-colisage"));
    c.apart(QStringLiteral("mnuEdEtatControle"), QStringLiteral("13-etat-controle"));
    c.fermerFenetres();
    c.modale(QStringLiteral("mnuRechExp"), QStringLiteral("14-recherche"));
    c.modale(QStringLiteral("mnuEditEtiqCodeBarre"), QStringLiteral("15-etiquettes-article"));
    c.modale(QStringLiteral("mnuToolSynchroArticle"), QStringLiteral("16-synchronisation"));
    c.fenetre(QStringLiteral("mnuInfoSoc"), QStringLiteral("17-informations-societe"));
    c.fermerFenetres();

    // The follow-up after a second run, then shipment 103's lines and the
    // entries behind its cushion covers.
    if (!ecrireData(demo, DataSuivi))
        return 1;
    c.modale(QStringLiteral("mnuIntegData"), QString());
    // Maximized, to show as many of its columns as the screen allows.
    c.declencher(QStringLiteral("tbSuiviPrep"));
    auto* suivi =
        qobject_cast<suivi::FenetreSuivi*>(fenetre.fenetreOuverte(QStringLiteral("SuiviPrep")));
    if (!suivi)
        return 1;
    // The rows are read off the window's thread.
    QDeadlineTimer limite(30000);
    while (suivi->occupee() && !limite.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    suivi->parentWidget()->showMaximized();
    c.enregistrer(&fenetre, QStringLiteral("18-suivi-preparations"));
    suivi->ouvrirLignes(103);
    auto* lignes = suivi->findChild<suivi::FenetreLignesExpedition*>();
    if (!lignes)
        return 1;
    c.enregistrer(lignes, QStringLiteral("19-lignes-expedition"));
    auto* grille = lignes->findChild<QTableWidget*>(QStringLiteral("LignesExpedition"));
    for (int r = 0; r < grille->rowCount(); ++r)
        if (grille->item(r, 1)->text() == QStringLiteral("3760987650014"))
            lignes->expliquer(r);
    auto* explication = lignes->findChild<suivi::FenetreExplication*>();
    if (!explication)
        return 1;
    c.enregistrer(explication, QStringLiteral("20-explication"));
    explication->close();
    lignes->close();
    c.fermerFenetres();

    // A packer at the bench: shipment 103, a new parcel, two napkins and a
    // tablecloth, all still to pack: beyond the ordered quantity the bench
    // would ask, and nobody here answers.
    c.declencher(QStringLiteral("tbPosteColisage"));
    auto* banc = qobject_cast<colisage::FenetreColisage*>(
        fenetre.fenetreOuverte(QStringLiteral("PosteColisage")));
    if (!banc)
        return 1;
    for (const QString& scan :
         {QStringLiteral("103"), QStringLiteral("COLIS:+"), QStringLiteral("3760987650205"),
          QStringLiteral("3760987650205"), QStringLiteral("3760987650106")})
        banc->scanner(scan);
    QDeadlineTimer attente(30000);
    while (banc->occupee() && !attente.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    banc->parentWidget()->showMaximized();
    c.enregistrer(&fenetre, QStringLiteral("21-poste-colisage"));
    c.fermerFenetres();
    return c.echecs() == 0 ? 0 : 1;
}
