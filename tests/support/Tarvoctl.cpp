#include "Tarvoctl.h"

#include <QProcess>

namespace tarvo::test {

namespace {

ResultatTarvoctl attendre(QProcess& p) {
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

ResultatTarvoctl lancerTarvoctl(const QStringList& arguments,
                                const QProcessEnvironment& environnement) {
    QProcess p;
    p.setProcessEnvironment(environnement);
    p.setStandardInputFile(QProcess::nullDevice());
    p.start(QStringLiteral(TARVOCTL), arguments);
    return attendre(p);
}

ResultatTarvoctl lancerTarvoctlAvecEntree(const QStringList& arguments, const QByteArray& entree) {
    QProcess p;
    p.start(QStringLiteral(TARVOCTL), arguments);
    p.write(entree);
    p.closeWriteChannel();
    return attendre(p);
}

} // namespace tarvo::test
