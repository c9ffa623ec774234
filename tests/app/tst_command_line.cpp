// SPDX-License-Identifier: MIT
// The built program on the command line: --help and --version answer without
// a display, anything else is refused, and a missing or silent display ends
// the program with one line of its own instead of Qt's abort.

#include "version.h"

#include <QProcess>
#include <QTest>

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
    void startsOffscreen();
};

namespace {

using Environment = QStringList; // "NAME=value" set, "NAME" removed

QProcessEnvironment Make(const Environment& changes)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    for (const QString& change : changes) {
        const qsizetype equals = change.indexOf(QLatin1Char('='));
        environment.insert(change.left(equals), change.mid(equals + 1));
    }
    return environment;
}

} // namespace

void TestCommandLine::answers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Environment>("environment");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out"); // a regular expression for all of standard output
    QTest::addColumn<QString>("err"); // the same for standard error

    const QString usage = QStringLiteral("Usage: kalvora \\[--help \\| --version\\]\n");
    const QString help = QStringLiteral("^") + usage + QStringLiteral("(.+\n)+\n(  -.+\n){2}$");
    const QString version = QStringLiteral("^kalvora ") + QRegularExpression::escape(KALVORA_VERSION) + "\n$";
    const QString refused = QStringLiteral("^kalvora: unknown argument '%1'\n") + usage
        + QStringLiteral("Try 'kalvora --help' for more information.\n$");
    QTest::newRow("--help") << QStringList{"--help"} << Environment{} << 0 << help << "^$";
    QTest::newRow("-h") << QStringList{"-h"} << Environment{} << 0 << help << "^$";
    QTest::newRow("--version") << QStringList{"--version"} << Environment{} << 0 << version << "^$";
    QTest::newRow("-v, a display named but absent")
        << QStringList{"-v"} << Environment{"DISPLAY=:987"} << 0 << version << "^$";
    QTest::newRow("unknown option") << QStringList{"--verbose"} << Environment{} << 2 << "^$"
                                    << refused.arg("--verbose");
    QTest::newRow("a file name") << QStringList{"matrix.txt"} << Environment{} << 2 << "^$"
                                 << refused.arg("matrix.txt");
    QTest::newRow("help, then unknown") << QStringList{"--help", "-x"} << Environment{} << 2 << "^$"
                                        << refused.arg("-x");
    QTest::newRow("Qt's own -platform") << QStringList{"-platform", "offscreen"}
                                        << Environment{"QT_QPA_PLATFORM=offscreen"} << 2 << "^$"
                                        << refused.arg("-platform");

    QTest::newRow("no display at all")
        << QStringList{} << Environment{} << 1 << "^$"
        << "^kalvora: cannot open a window: neither DISPLAY nor WAYLAND_DISPLAY is set\n$";
    QTest::newRow("X11 asked for, no DISPLAY")
        << QStringList{} << Environment{"QT_QPA_PLATFORM=xcb", "WAYLAND_DISPLAY=wayland-9"} << 1 << "^$"
        << "^kalvora: cannot open a window: DISPLAY is not set\n$";
    QTest::newRow("DISPLAY names no server")
        << QStringList{} << Environment{"DISPLAY=:987", "QT_QPA_PLATFORM=xcb"} << 1 << "^$"
        << "^kalvora: cannot open a window: no display answers \\(DISPLAY=:987, WAYLAND_DISPLAY=not set\\)\n$";
}

void TestCommandLine::answers()
{
    QFETCH(QStringList, arguments);
    QFETCH(Environment, environment);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);

    QProcess program;
    program.setProcessEnvironment(Make(environment));
    program.start(QStringLiteral(KALVORA_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(20000));
    const QString standardOutput = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString standardError = QString::fromLocal8Bit(program.readAllStandardError());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    QVERIFY2(QRegularExpression(out).match(standardOutput).hasMatch(), qPrintable(standardOutput));
    QVERIFY2(QRegularExpression(err).match(standardError).hasMatch(), qPrintable(standardError));
}

// The offscreen platform needs no display: the program starts and keeps
// running until it is stopped.
void TestCommandLine::startsOffscreen()
{
    QProcess program;
    program.setProcessEnvironment(Make({"QT_QPA_PLATFORM=offscreen"}));
    program.start(QStringLiteral(KALVORA_PROGRAM), {});
    QVERIFY(program.waitForStarted());
    QVERIFY2(!program.waitForFinished(1500), program.readAllStandardError().constData());
    program.kill();
    program.waitForFinished();
}

QTEST_MAIN(TestCommandLine)
#include "tst_command_line.moc"
