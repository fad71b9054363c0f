// The terminal exchange tests: one QtTest class per concern, run in turn.
#include <QApplication>
#include <QStringList>
#include <QTest>
#include <utility>

int executerTestsFichiers(int argc, char** argv);
int executerTestsLignes(int argc, char** argv);
int executerTestsIntegration(int argc, char** argv);
int executerTestsCatalogue(int argc, char** argv);
int executerTestsArret(int argc, char** argv);
int executerTestsBranchements(int argc, char** argv);
int executerTestsEssai(int argc, char** argv);
int executerTestsConcurrence(int argc, char** argv);
int executerTestsCitations(int argc, char** argv);

// TARVO_GROUPES=concurrence,essai runs only those groups, to repeat one
// concern many times; all of them by default.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList groupes =
        qEnvironmentVariable("TARVO_GROUPES").split(u',', Qt::SkipEmptyParts);
    const std::pair<const char*, int (*)(int, char**)> tous[] = {
        {"fichiers", executerTestsFichiers},
        {"lignes", executerTestsLignes},
        {"integration", executerTestsIntegration},
        {"catalogue", executerTestsCatalogue},
        {"arret", executerTestsArret},
        {"branchements", executerTestsBranchements},
        {"essai", executerTestsEssai},
        {"concurrence", executerTestsConcurrence},
        {"citations", executerTestsCitations}};
    int echecs = 0;
    for (const auto& [nom, executer] : tous)
        if (groupes.isEmpty() || groupes.contains(QLatin1String(nom)))
            echecs += executer(argc, argv);
    return echecs;
}
