// Runs every GUI suite in one application object.
#include <QApplication>
#include <QtTest>

#include "gui_suites.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    return vorlin::RunGuiSuites(argc, argv);
}
