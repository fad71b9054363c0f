#include "DisquePlein.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <sys/mount.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace tarvo::test {

DisquePlein::DisquePlein(const QString& dossier, const QString& taille) : dossier_(dossier) {
    if (::geteuid() != 0) {
        erreur_ = u"il faut être root pour monter un tmpfs"_s;
        return;
    }
    QDir().mkpath(dossier);
    const QByteArray options = "size=" + taille.toLatin1();
    if (::mount("tmpfs", QFile::encodeName(dossier).constData(), "tmpfs", 0, options.constData()) !=
        0) {
        erreur_ = u"montage d'un tmpfs impossible : "_s + qt_error_string(errno);
        return;
    }
    monte_ = true;
}

DisquePlein::~DisquePlein() {
    if (monte_)
        ::umount(QFile::encodeName(dossier_).constData());
}

void DisquePlein::remplir() const {
    QFile f(QDir(dossier_).filePath(u"remplissage"_s));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        qFatal("Remplissage impossible");
    const QByteArray bloc(512, 'x');
    while (f.write(bloc) == bloc.size()) {
    }
}

} // namespace tarvo::test
