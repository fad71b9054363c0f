#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace tarvo::test {

// A spool folder whose sub-folders are the printers of a test; the printing
// system of the program uses it while the object lives.
class SpoolDeTest {
public:
    explicit SpoolDeTest(const QStringList& imprimantes) {
        for (const QString& nom : imprimantes)
            QDir(dossier.path()).mkpath(nom);
        qputenv("TARVO_SPOOL_DIR", dossier.path().toUtf8());
    }
    ~SpoolDeTest() { qunsetenv("TARVO_SPOOL_DIR"); }
    SpoolDeTest(const SpoolDeTest&) = delete;
    SpoolDeTest& operator=(const SpoolDeTest&) = delete;

    // Every file of a printer's folder, hidden ones included, in name order.
    QStringList fichiers(const QString& imprimante) const {
        return QDir(QDir(dossier.path()).filePath(imprimante))
            .entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    // The jobs of one printer, oldest first.
    QList<QByteArray> travaux(const QString& imprimante) const {
        const QDir d(QDir(dossier.path()).filePath(imprimante));
        QList<QByteArray> liste;
        for (const QString& nom : fichiers(imprimante)) {
            QFile f(d.filePath(nom));
            if (f.open(QIODevice::ReadOnly))
                liste << f.readAll();
        }
        return liste;
    }

    QTemporaryDir dossier;
};

} // namespace tarvo::test
