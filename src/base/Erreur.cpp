#include "Erreur.h"

#include <QFileDevice>
#include <QStringList>
#include <cerrno>
#if defined(Q_OS_WIN)
#include <windows.h>
#endif

namespace tarvo {

// Qt's file engine calls the C library on Unix and the Win32 API on Windows.
RaisonSysteme::RaisonSysteme() {
#if defined(Q_OS_WIN)
    ::SetLastError(0);
#else
    errno = 0;
#endif
}

namespace {

int numeroErreurSysteme() {
#if defined(Q_OS_WIN)
    return static_cast<int>(::GetLastError());
#else
    return errno;
#endif
}

} // namespace

QString TexteErreurSysteme() {
    return qt_error_string(numeroErreurSysteme());
}

QString RaisonSysteme::apres(const QFileDevice& fichier) const {
    return numeroErreurSysteme() != 0 ? TexteErreurSysteme() : fichier.errorString();
}

ErreurTarvo::ErreurTarvo(Erreur erreur)
    : erreur_(std::move(erreur)), texte_(erreur_.description.toUtf8()) {}

ErreurTarvo::ErreurTarvo(qint64 numero, const QString& source, const QString& description)
    : ErreurTarvo(Erreur{numero, source, description}) {}

ErreurTarvo::ErreurTarvo(Erreur erreur, QList<qint64> codesMoteur)
    : ErreurTarvo(std::move(erreur)) {
    codesMoteur_ = std::move(codesMoteur);
}

} // namespace tarvo
