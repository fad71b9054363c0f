#pragma once

#include "CadreCommandes.h"
#include "base/Feedback.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class QMdiArea;
class QMenu;
class QProgressBar;
class QLabel;

namespace tarvo {
struct Contexte;
}

namespace tarvo::ui {

class CommandeDeFond;

// frmMain: the multiple-document frame every command starts from. Its menu
// entries and toolbar entries are QActions named after their controls
// (mnuFichierExp, mnuCreaExpAuto, …; toolbar entries tbCreerExp, tbModeAuto,
// tbModeManuel, tbModifExp, tbRechercher, tbEtiqArticle, tbTransfert,
// tbFichierArticle, tbFichierExp, tbVerifData, tbIntegData; tbVerifData runs
// what mnuVerifData runs). Entries start disabled; each
// subsystem connects and enables its own in its brancher… function, through
// CadreCommandes.
class FenetrePrincipale : public QMainWindow, public Feedback, public CadreCommandes {
    Q_OBJECT
public:
    explicit FenetrePrincipale(Contexte& ctx, QWidget* parent = nullptr);
    ~FenetrePrincipale() override;

    Contexte& contexte() const override { return ctx_; }
    QWidget* fenetre() override { return this; }

    QAction* action(Entree entree) const override;
    // A menu or toolbar entry, menus included, by its control name; null when
    // unknown.
    QAction* action(const QString& nomControle) const;
    // The face of the "Créer expédition" button runs what mnuCreaExpManuel
    // runs unless tbCreerExp is wired itself.
    void brancher(Entree entree, const std::function<void()>& commande) override;

    // Opens the working window in the working area.
    QWidget* ouvrirFenetre(const QString& nom, const std::function<QWidget*()>& fabrique) override;
    QWidget* fenetreOuverte(const QString& nom) const;

    QMenu* mnuEditionExp() const override { return mnuEditionExp_; }

    bool commandeDeFond(const TravailHorsFenetre& travail) override;
    // True while the command run off the window's thread has not ended.
    bool commandeDeFondEnCours() const;

    // A failed command has shown its error box and did not do the work.
    void commandeConfirmee(const QString& titre, const QString& question,
                           const std::function<bool()>& commande) override;
    void
    commandeConfirmeeAvecBilan(const QString& titre, const QString& question,
                               const std::function<std::optional<QString>()>& commande) override;

    void AfficheStatut(const QString& texte);
    void AfficheProgression(int pourcentage);
    void statut(const QString& texte) override { AfficheStatut(texte); }
    void progression(int pourcentage) override { AfficheProgression(pourcentage); }

    // Every control name known to action(), menus included.
    QStringList nomsControles() const { return actions_.keys(); }
    // True while a command started from a menu or toolbar entry runs.
    bool commandeEnCours() const { return occupe_; }
    // Ends the program at once, without saving the geometry.
    void arreterProgramme(int code);

protected:
    void closeEvent(QCloseEvent* evenement) override;

private:
    QAction* creerEntree(QMenu* menu, Entree entree);
    QMenu* creerMenu(QMenu* parent, const QString& nom, const QString& texte);
    void executerCommande(const std::function<void()>& commande);
    void suivreActivation(QAction* bouton, const QList<QAction*>& entrees);
    void remplirMenuFenetre();
    void mettreAJourHorloge();
    void construireMenus();
    void construireBarresOutils();
    void construireBarreEtat();
    void restaurerGeometrie();
    void enregistrerGeometrie();

    Contexte& ctx_;
    QMdiArea* zone_ = nullptr;
    QMenu* mnuEditionExp_ = nullptr;
    QProgressBar* pgBar_ = nullptr;
    std::unique_ptr<CommandeDeFond> fond_;
    QLabel* panneauStatut_ = nullptr;
    QLabel* panneauDate_ = nullptr;
    QLabel* panneauHeure_ = nullptr;
    QLabel* panneauMaj_ = nullptr;
    QLabel* panneauNum_ = nullptr;
    QMenu* mnuWindow_ = nullptr;
    QHash<QString, QPointer<QWidget>> fenetres_;
    QHash<QString, QAction*> actions_;
    QMetaObject::Connection renvoiCreerExp_;
    bool occupe_ = false;
    bool arret_ = false;
};

} // namespace tarvo::ui
