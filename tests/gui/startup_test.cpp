// The built program started as a user would, where the window system cannot be reached.
#include <QProcess>
#include <QProcessEnvironment>
#include <QtTest>

#include "gui_suites.h"

namespace vorlin {

class StartupTest : public QObject {
    Q_OBJECT

  private:
    // Runs the program with `variables` set on top of an environment without any display.
    static QProcess* Start(QObject* parent, const QStringList& variables) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
        for (const QString& v : variables) env.insert(v.section('=', 0, 0), v.section('=', 1));
        auto* process = new QProcess(parent);
        process->setProcessEnvironment(env);
        process->start(VORLIN_APP_PATH, {});
        return process;
    }

    static void ExpectOneLineFailure(QProcess* process, const char* start) {
        QVERIFY(process->waitForFinished(30000));
        QCOMPARE(process->exitStatus(), QProcess::NormalExit);
        QCOMPARE(process->exitCode(), 1);
        const QString err = QString::fromLocal8Bit(process->readAllStandardError());
        QCOMPARE(err.count('\n'), 1);
        QVERIFY2(err.startsWith(start), qPrintable(err));
    }

  private slots:
    void noDisplayIsOneLine() {
        ExpectOneLineFailure(Start(this, {}), "vorlin: no display available");
    }

    // A DISPLAY left over from a closed session used to end in Qt's abort report.
    void unreachableDisplayIsOneLine() {
        ExpectOneLineFailure(Start(this, {"DISPLAY=:4917", "QT_QPA_PLATFORM=xcb"}),
                             "vorlin: the display cannot be opened (");
        ExpectOneLineFailure(Start(this, {"QT_QPA_PLATFORM=no-such-platform"}),
                             "vorlin: the display cannot be opened (");
    }
};

int RunStartupTests(int argc, char* argv[]) {
    StartupTest suite;
    return QTest::qExec(&suite, argc, argv);
}

}  // namespace vorlin

#include "startup_test.moc"
