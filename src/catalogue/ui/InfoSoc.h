#pragma once

#include <QStringList>
#include <QWidget>

class QDataWidgetMapper;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tarvo {
struct Contexte;
}

namespace tarvo::catalogue {

class ModeleSociete;

// InfoSoc, "Informations société": the letterhead record form. Browse state
// shows the record read-only with the navigation; "Modifier" opens the edit
// state, "Enregistrer" writes every pending change, "&Annuler" drops them.
// A double-click on the logo replaces it at once from a picture file.
class InfoSoc : public QWidget {
    Q_OBJECT
public:
    explicit InfoSoc(Contexte& ctx, QWidget* parent = nullptr);
    ~InfoSoc() override;

    bool enEdition() const { return edition_; }

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    void keyPressEvent(QKeyEvent* evenement) override;

private:
    void construire();
    void etatBoutons(bool edition);
    void montrerPosition();
    void montrerLogo();
    bool aller(int ligne);
    void premier();
    void precedent();
    void suivant();
    void dernier();
    void modifier();
    void enregistrer();
    void annuler();
    // Reads the rows again; the failure's text, empty when they were read.
    QString relire();
    void quitterEdition();
    void actualiser();
    void remplacerLogo();
    // The description alone, in a plain box.
    void signaler(const QString& description);
    bool toucheNavigation(const QKeyEvent* evenement);

    Contexte& ctx_;
    ModeleSociete* modele_ = nullptr;
    QDataWidgetMapper* liaison_ = nullptr;
    QList<QLineEdit*> champs_;
    QLabel* logo_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    QPushButton* cmdEdit_ = nullptr;
    QPushButton* cmdUpdate_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QPushButton* cmdRefresh_ = nullptr;
    QPushButton* cmdClose_ = nullptr;
    QToolButton* cmdFirst_ = nullptr;
    QToolButton* cmdPrevious_ = nullptr;
    QToolButton* cmdNext_ = nullptr;
    QToolButton* cmdLast_ = nullptr;
    bool edition_ = false;
    // The row shown when "Modifier" was pressed, for "&Annuler".
    int signet_ = -1;
    // Its text fields then, as read and as shown: what "Enregistrer" checks
    // the row against, and what tells the fields the person changed.
    QStringList lus_;
    QStringList affiches_;
};

} // namespace tarvo::catalogue
