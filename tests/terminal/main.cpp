// The terminal exchange tests: one QtTest class per concern, run in turn.
#include <QApplication>
#include <QTest>

int executerTestsFichiers(int argc, char** argv);
int executerTestsLignes(int argc, char** argv);
int executerTestsIntegration(int argc, char** argv);
int executerTestsCatalogue(int argc, char** argv);
int executerTestsArret(int argc, char** argv);
int executerTestsBranchements(int argc, char** argv);
int executerTestsEssai(int argc, char** argv);
int executerTestsConcurrence(int argc, char** argv);
int executerTestsCitations(int argc, char** argv);

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    int echecs = 0;
    echecs += executerTestsFichiers(argc, argv);
    echecs += executerTestsLignes(argc, argv);
    echecs += executerTestsIntegration(argc, argv);
    echecs += executerTestsCatalogue(argc, argv);
    echecs += executerTestsArret(argc, argv);
    echecs += executerTestsBranchements(argc, argv);
    echecs += executerTestsEssai(argc, argv);
    echecs += executerTestsConcurrence(argc, argv);
    echecs += executerTestsCitations(argc, argv);
    return echecs;
}
