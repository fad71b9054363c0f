#include "Tarvoctl.h"

#include <QProcess>

namespace tarvo::test {

ResultatTarvoctl lancerTarvoctl(const QStringList& arguments,
                                const QProcessEnvironment& environnement) {
    QProcess p;
    p.setProcessEnvironment(environnement);
    p.setStandardInputFile(QProcess::nullDevice());
    p.start(QStringLiteral(TARVOCTL), arguments);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace tarvo::test
