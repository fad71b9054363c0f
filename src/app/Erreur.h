#pragma once

#include <QSqlError>
#include <QString>
#include <exception>

namespace tarvo {

// What every error box shows: a number, a source and a description.
struct Erreur {
    qint64 numero = 0;
    QString source;
    QString description;

    static Erreur depuisSql(const QSqlError& erreur, const QString& source);
};

// Stable numbers for failures raised by Tarvo itself.
namespace NumeroErreur {
constexpr qint64 FichierIntrouvable = 53;
constexpr qint64 FichierIllisible = 75;
constexpr qint64 DonneeInvalide = 13;
constexpr qint64 Base = 3000;
} // namespace NumeroErreur

class ErreurTarvo : public std::exception {
public:
    explicit ErreurTarvo(Erreur erreur);
    ErreurTarvo(qint64 numero, const QString& source, const QString& description);
    const Erreur& erreur() const { return erreur_; }
    const char* what() const noexcept override { return texte_.constData(); }

private:
    Erreur erreur_;
    QByteArray texte_;
};

} // namespace tarvo
