#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <exception>
#include <functional>
#include <optional>

namespace tarvo {

struct Contexte;

namespace ctl {

// What a command needs before it runs.
enum class Prealable {
    Aucun,
    // TARVOX.ini in the program folder.
    FichierIni,
    // The start-up checks of the desktop program and the open connection Cnx.
    Base,
};

struct Commande {
    QString nom;
    QString arguments;
    QString description;
    Prealable prealable = Prealable::Aucun;
    // Returns the exit status: 0 when the command ran, 1 when it reported a
    // failure. Raises ErreurUsage for bad arguments.
    std::function<int(Contexte& ctx, const QStringList& arguments)> executer;
};

class ErreurUsage : public std::exception {
public:
    explicit ErreurUsage(QString message) : message_(std::move(message)) {}
    const QString& message() const { return message_; }
    const char* what() const noexcept override { return "usage"; }

private:
    QString message_;
};

// Removes `option` from the arguments; true when it was there.
bool extraireDrapeau(QStringList& arguments, const QString& option);
// Removes `option VALUE` from the arguments; empty optional when absent.
std::optional<QString> extraireValeur(QStringList& arguments, const QString& option);
// An argument that must be a whole number.
int entierOuUsage(const QString& texte, const QString& nom);

// Every command of tarvoctl, in the order of the usage text.
QList<Commande> toutesLesCommandes();

} // namespace ctl
} // namespace tarvo
