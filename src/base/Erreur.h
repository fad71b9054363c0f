#pragma once

#include <QList>
#include <QString>
#include <exception>

class QFileDevice;

namespace tarvo {

// What every error box shows: a number, a source and a description.
struct Erreur {
    qint64 numero = 0;
    QString source;
    QString description;
};

// Stable numbers for failures raised by Tarvo itself.
namespace NumeroErreur {
constexpr qint64 FichierIntrouvable = 53;
constexpr qint64 FichierIllisible = 75;
constexpr qint64 DonneeInvalide = 13;
constexpr qint64 Base = 3000;
// The person stopped the command before it ended.
constexpr qint64 Annulation = 18;
} // namespace NumeroErreur

// The reason of a failed file operation in the system's words. Qt says
// "Unknown error" when a write stops short on a full disk, while the system's
// error number, read right after the call, says why. Made just before the
// operation, it clears that number so that an older one is never taken for
// the reason.
// The system's text for the error number the last failed call of this
// thread left.
QString TexteErreurSysteme();

class RaisonSysteme {
public:
    RaisonSysteme();
    // The system's text for the number the operation left, else Qt's own.
    QString apres(const QFileDevice& fichier) const;
};

class ErreurTarvo : public std::exception {
public:
    explicit ErreurTarvo(Erreur erreur);
    ErreurTarvo(qint64 numero, const QString& source, const QString& description);
    // A failure of the database engine with every code it gave.
    ErreurTarvo(Erreur erreur, QList<qint64> codesMoteur);

    const Erreur& erreur() const { return erreur_; }
    const char* what() const noexcept override { return texte_.constData(); }

    // Every code the database engine gave for this failure, in its order: a
    // server may give several diagnostics for one statement (SQL Server: 547,
    // then 3621), the embedded engine gives its extended result code. Empty
    // for failures raised by Tarvo itself. Lets a routine recognise one
    // engine failure by its code rather than by its wording.
    const QList<qint64>& codesMoteur() const { return codesMoteur_; }
    bool porteCodeMoteur(qint64 code) const { return codesMoteur_.contains(code); }

private:
    Erreur erreur_;
    QList<qint64> codesMoteur_;
    QByteArray texte_;
};

} // namespace tarvo
