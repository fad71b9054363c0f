#pragma once

#include <QDialog>

class QLineEdit;

namespace tarvo {
struct Contexte;
}

namespace tarvo::ui {

// frmLogin: asks for the database login until it opens the connection or the
// person gives up.
class DialogueConnexion : public QDialog {
    Q_OBJECT
public:
    explicit DialogueConnexion(Contexte& ctx, QWidget* parent = nullptr);

    // True once the connection is open.
    bool LoginOK() const { return loginOK_; }
    // True when the configuration ended the program during an attempt.
    bool arretDemande() const { return arret_; }

    QLineEdit* txtUserName() const { return utilisateur_; }
    QLineEdit* txtPassword() const { return motDePasse_; }

    // Tries the connection with the texts as typed.
    void valider();

private:
    Contexte& ctx_;
    QLineEdit* utilisateur_;
    QLineEdit* motDePasse_;
    bool loginOK_ = false;
    bool arret_ = false;
};

// The name of the user logged on to this session, empty when unknown.
QString utilisateurSession();

} // namespace tarvo::ui
