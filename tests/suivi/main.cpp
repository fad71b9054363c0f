// The follow-up tests: one QtTest class per concern, run in turn.
#include <QCoreApplication>

int executerTestsSuivi(int argc, char** argv);
int executerTestsExplication(int argc, char** argv);

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    return executerTestsSuivi(argc, argv) + executerTestsExplication(argc, argv);
}
