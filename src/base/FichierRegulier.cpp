#include "FichierRegulier.h"

#include "Erreur.h"

#include <QDateTime>
#include <QFileInfo>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <cstdio>
#include <fcntl.h>
#include <mutex>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tarvo::fichiers {
namespace {

[[noreturn]] void echec(const QString& source, const QString& texte) {
    throw ErreurTarvo(NumeroErreur::FichierIllisible, source, texte);
}

QString pasOrdinaire(const QString& chemin) {
    return QStringLiteral("%1 n'est pas un fichier ordinaire (c'est un lien, un dossier ou un "
                          "fichier spécial) : retirez-le du dossier, puis recommencez.")
        .arg(chemin);
}

#ifdef Q_OS_UNIX
QByteArray systeme(const QString& chemin) {
    return QFile::encodeName(chemin);
}
#endif

} // namespace

Nature nature(const QString& chemin) {
#ifdef Q_OS_UNIX
    struct stat infos {};
    if (::lstat(systeme(chemin).constData(), &infos) != 0)
        return errno == ENOENT || errno == ENOTDIR ? Nature::Absent : Nature::Autre;
    return S_ISREG(infos.st_mode) ? Nature::Regulier : Nature::Autre;
#else
    const QFileInfo info(chemin);
    if (info.isSymLink() || info.isJunction())
        return Nature::Autre;
    if (!info.exists())
        return Nature::Absent;
    return info.isFile() ? Nature::Regulier : Nature::Autre;
#endif
}

void exigerOrdinaire(const QString& chemin, const QString& source) {
    if (nature(chemin) != Nature::Regulier)
        echec(source, pasOrdinaire(chemin));
}

void exigerOrdinaireOuAbsent(const QString& chemin, const QString& source) {
    if (nature(chemin) == Nature::Autre)
        echec(source, pasOrdinaire(chemin));
}

void ouvrirEnLecture(QFile& f, const QString& chemin, const QString& source) {
#ifdef Q_OS_UNIX
    // Non-blocking so that a FIFO planted under the name cannot hang the run
    // before fstat() has refused it.
    const int fd =
        ::open(systeme(chemin).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ELOOP)
            echec(source, pasOrdinaire(chemin));
        echec(source, QStringLiteral("Impossible d'ouvrir le fichier %1 : %2")
                          .arg(chemin, TexteErreurSysteme()));
    }
    struct stat infos {};
    if (::fstat(fd, &infos) != 0 || !S_ISREG(infos.st_mode)) {
        ::close(fd);
        echec(source, pasOrdinaire(chemin));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        echec(
            source,
            QStringLiteral("Impossible d'ouvrir le fichier %1 : %2").arg(chemin, f.errorString()));
    }
#else
    if (nature(chemin) == Nature::Autre)
        echec(source, pasOrdinaire(chemin));
    f.setFileName(chemin);
    if (!f.open(QIODevice::ReadOnly))
        echec(
            source,
            QStringLiteral("Impossible d'ouvrir le fichier %1 : %2").arg(chemin, f.errorString()));
#endif
}

bool creerNouveau(QFile& f, const QString& chemin, const QString& source) {
#ifdef Q_OS_UNIX
    // O_EXCL does not follow a link either: a planted one, even dangling,
    // only makes the name taken.
    const int fd = ::open(systeme(chemin).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == EEXIST)
            return false;
        echec(source, QStringLiteral("Impossible de créer le fichier %1 : %2")
                          .arg(chemin, TexteErreurSysteme()));
    }
    if (!f.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        echec(
            source,
            QStringLiteral("Impossible de créer le fichier %1 : %2").arg(chemin, f.errorString()));
    }
    return true;
#else
    if (nature(chemin) != Nature::Absent)
        return false;
    f.setFileName(chemin);
    if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return true;
    if (nature(chemin) != Nature::Absent)
        return false;
    echec(source,
          QStringLiteral("Impossible de créer le fichier %1 : %2").arg(chemin, f.errorString()));
#endif
}

void ecrire(QFile& f, const QString& chemin, QByteArrayView octets, const QString& source,
            const QString& motsEchec) {
#ifdef Q_OS_UNIX
    const char* p = octets.data();
    for (qsizetype reste = octets.size(); reste > 0;) {
        const ssize_t ecrits = ::write(f.handle(), p, static_cast<size_t>(reste));
        if (ecrits < 0 && errno == EINTR)
            continue;
        if (ecrits <= 0)
            echec(source, motsEchec + chemin + QStringLiteral(" : ") + TexteErreurSysteme());
        p += ecrits;
        reste -= ecrits;
    }
#else
    if (f.write(octets.data(), octets.size()) != octets.size())
        echec(source, motsEchec + chemin + QStringLiteral(" : ") + f.errorString());
#endif
}

void mettreSurDisque(QFile& f, const QString& chemin, const QString& source) {
#ifdef Q_OS_UNIX
    if (::fsync(f.handle()) != 0)
        echec(source, QStringLiteral("Impossible d'écrire le fichier %1 : %2")
                          .arg(chemin, TexteErreurSysteme()));
#else
    if (!f.flush())
        echec(
            source,
            QStringLiteral("Impossible d'écrire le fichier %1 : %2").arg(chemin, f.errorString()));
#endif
}

void ouvrirEnAjout(QFile& f, const QString& chemin, const QString& source,
                   const QString& motsEchec) {
    f.setFileName(chemin);
#ifdef Q_OS_UNIX
    // Non-blocking until fstat() has said what was opened: a FIFO with a
    // reader would otherwise take the bytes, one without would hang.
    const int fd =
        ::open(systeme(chemin).constData(),
               O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == ELOOP || errno == ENXIO)
            echec(source, pasOrdinaire(chemin));
        echec(source, motsEchec + chemin + QStringLiteral(" : ") + TexteErreurSysteme());
    }
    struct stat infos {};
    if (::fstat(fd, &infos) != 0 || !S_ISREG(infos.st_mode)) {
        ::close(fd);
        echec(source, pasOrdinaire(chemin));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!f.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        echec(source, motsEchec + chemin + QStringLiteral(" : ") + f.errorString());
    }
#else
    if (nature(chemin) == Nature::Autre)
        echec(source, pasOrdinaire(chemin));
    if (!f.open(QIODevice::Append | QIODevice::Unbuffered))
        echec(source, motsEchec + chemin + QStringLiteral(" : ") + f.errorString());
#endif
}

void ajouter(const QString& chemin, QByteArrayView octets, const QString& source) {
    QFile f;
    ouvrirEnAjout(f, chemin, source, QStringLiteral("Impossible d'écrire le fichier "));
    ecrire(f, chemin, octets, source);
    mettreSurDisque(f, chemin, source);
}

bool renommerSansRemplacer(const QString& depuis, const QString& vers, const QString& source) {
#ifdef Q_OS_UNIX
    const QByteArray a = systeme(depuis);
    const QByteArray b = systeme(vers);
    // renameat2 is Linux's own; elsewhere, and on file systems without the
    // flag, a hard link never replaces either.
#ifdef Q_OS_LINUX
    int code = ::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE);
    const bool sansDrapeau = code != 0 && (errno == EINVAL || errno == ENOSYS);
#else
    int code = -1;
    const bool sansDrapeau = true;
#endif
    if (sansDrapeau) {
        code = ::link(a.constData(), b.constData());
        if (code == 0)
            ::unlink(a.constData());
    }
    if (code == 0)
        return true;
    if (errno == EEXIST)
        return false;
    echec(source, QStringLiteral("Impossible de renommer le fichier %1 en %2 : %3")
                      .arg(depuis, vers, TexteErreurSysteme()));
#else
    if (MoveFileExW(reinterpret_cast<const wchar_t*>(depuis.utf16()),
                    reinterpret_cast<const wchar_t*>(vers.utf16()), 0))
        return true;
    const DWORD code = GetLastError();
    if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS)
        return false;
    echec(source, QStringLiteral("Impossible de renommer le fichier %1 en %2 : %3")
                      .arg(depuis, vers, qt_error_string(static_cast<int>(code))));
#endif
}

Etat etat(QFile& f) {
#ifdef Q_OS_UNIX
    struct stat e {};
    if (::fstat(f.handle(), &e) != 0)
        return {};
    return {static_cast<qint64>(e.st_size),
            static_cast<qint64>(e.st_mtim.tv_sec) * 1000000000 + e.st_mtim.tv_nsec};
#else
    QFileInfo info(f.fileName());
    info.setCaching(false);
    return {info.size(), info.lastModified().toMSecsSinceEpoch() * 1000000};
#endif
}

void remplacer(const QString& depuis, const QString& vers, const QString& source) {
#ifdef Q_OS_WIN
    const bool fait =
        MoveFileExW(reinterpret_cast<const wchar_t*>(depuis.utf16()),
                    reinterpret_cast<const wchar_t*>(vers.utf16()), MOVEFILE_REPLACE_EXISTING);
#else
    const bool fait = ::rename(systeme(depuis).constData(), systeme(vers).constData()) == 0;
#endif
    if (!fait)
        echec(source, QStringLiteral("Impossible de renommer le fichier %1 en %2 : %3")
                          .arg(depuis, vers, TexteErreurSysteme()));
}

Ecrivain ecrivain(QFile& f) {
#if defined(Q_OS_LINUX)
    // A read lease is refused while any descriptor has the file open for
    // writing. Taken and given back at once; a writer opening it in between
    // would signal the lease's owner, which must not end the process.
    static std::once_flag signalIgnore;
    std::call_once(signalIgnore, [] { ::signal(SIGIO, SIG_IGN); });
    if (::fcntl(f.handle(), F_SETLEASE, F_RDLCK) == 0) {
        ::fcntl(f.handle(), F_SETLEASE, F_UNLCK);
        return Ecrivain::Aucun;
    }
    // Network file systems and files of another owner give no lease.
    return errno == EAGAIN ? Ecrivain::Present : Ecrivain::Inconnu;
#elif defined(Q_OS_WIN)
    // Sharing only reading: refused while another handle may write.
    const HANDLE h =
        CreateFileW(reinterpret_cast<const wchar_t*>(f.fileName().utf16()), GENERIC_READ,
                    FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        CloseHandle(h);
        return Ecrivain::Aucun;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION ? Ecrivain::Present : Ecrivain::Inconnu;
#else
    Q_UNUSED(f);
    return Ecrivain::Inconnu;
#endif
}

} // namespace tarvo::fichiers
