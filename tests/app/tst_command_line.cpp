// SPDX-License-Identifier: MIT
// The built program on the command line: --help and --version answer without
// a display, Qt's own options pass to Qt, anything else is refused, and a
// missing or silent display or a platform plugin that is not installed ends
// the program with one line of its own instead of Qt's abort.

#include "version.h"

#include <QProcess>
#include <QTest>

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
    void startsOffscreen_data();
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
    QTest::newRow("--bogus") << QStringList{"--bogus"} << Environment{} << 2 << "^$" << refused.arg("--bogus");

    // Qt's own options are Qt's business: they neither answer nor refuse,
    // with one dash or two, their values apart or after "=" where Qt takes
    // that form, and no display is needed to answer beside them.
    QTest::newRow("-platform offscreen --version")
        << QStringList{"-platform", "offscreen", "--version"} << Environment{} << 0 << version << "^$";
    QTest::newRow("-reverse --version") << QStringList{"-reverse", "--version"} << Environment{} << 0 << version
                                        << "^$";
    QTest::newRow("-style Fusion --help")
        << QStringList{"-style", "Fusion", "--help"} << Environment{} << 0 << help << "^$";
    QTest::newRow("--style=Fusion -v") << QStringList{"--style=Fusion", "-v"} << Environment{} << 0 << version << "^$";
    QTest::newRow("X11 and window options, no display") << QStringList{"-display", ":987", "--qwindowgeometry",
        "300x200+10+10", "-name", "k", "-nograb", "-stylesheet=none.qss", "-widgetcount", "--help"}
                                                        << Environment{} << 0 << help << "^$";
    QTest::newRow("options of earlier Qt versions") << QStringList{"-graphicssystem", "raster", "-ncols", "16", "-cmap",
        "-v"} << Environment{} << 0 << version << "^$";
    // A Qt option's value is its own, whatever it looks like: here the title
    // of the first window, so the program goes on to look for a display.
    QTest::newRow("a value that looks like --help")
        << QStringList{"-qwindowtitle", "--help"} << Environment{} << 1 << "^$"
        << "^kalvora: cannot open a window: neither DISPLAY nor WAYLAND_DISPLAY is set\n$";
    QTest::newRow("-platform with =, which Qt does not take") << QStringList{"-platform=offscreen",
        "--version"} << Environment{} << 2 << "^$" << refused.arg("-platform=offscreen");
    QTest::newRow("a Qt option missing its value")
        << QStringList{"--version", "-platform"} << Environment{} << 2 << "^$"
        << QStringLiteral("^kalvora: missing value after '-platform'\n") + usage
            + QStringLiteral("Try 'kalvora --help' for more information.\n$");

    QTest::newRow("no display at all")
        << QStringList{} << Environment{} << 1 << "^$"
        << "^kalvora: cannot open a window: neither DISPLAY nor WAYLAND_DISPLAY is set\n$";
    QTest::newRow("X11 asked for, no DISPLAY")
        << QStringList{} << Environment{"QT_QPA_PLATFORM=xcb", "WAYLAND_DISPLAY=wayland-9"} << 1 << "^$"
        << "^kalvora: cannot open a window: DISPLAY is not set\n$";
    QTest::newRow("DISPLAY names no server")
        << QStringList{} << Environment{"DISPLAY=:987", "QT_QPA_PLATFORM=xcb"} << 1 << "^$"
        << "^kalvora: cannot open a window: no display answers \\(DISPLAY=:987, WAYLAND_DISPLAY=not set\\)\n$";
    QTest::newRow("-display names no server")
        << QStringList{"-platform", "xcb", "-display", ":987"} << Environment{} << 1 << "^$"
        << "^kalvora: cannot open a window: no display answers \\(-display :987, WAYLAND_DISPLAY=not set\\)\n$";
    QTest::newRow("-platform wins over QT_QPA_PLATFORM")
        << QStringList{"-platform", "xcb"} << Environment{"QT_QPA_PLATFORM=offscreen"} << 1 << "^$"
        << "^kalvora: cannot open a window: DISPLAY is not set\n$";

    // A platform that is not installed is named, with those that are.
    const QString missing = QStringLiteral(
        "^kalvora: cannot open a window: the Qt platform plugin \"bogus\" could not be loaded \\(installed: "
        "([a-z0-9]+, )*offscreen(, [a-z0-9]+)*\\)\n$");
    QTest::newRow("QT_QPA_PLATFORM=bogus")
        << QStringList{} << Environment{"QT_QPA_PLATFORM=bogus"} << 1 << "^$" << missing;
    QTest::newRow("-platform bogus") << QStringList{"-platform", "bogus"} << Environment{"DISPLAY=:987"} << 1 << "^$"
                                     << missing;
    QTest::newRow("two missing platforms")
        << QStringList{} << Environment{"QT_QPA_PLATFORM=bogus;nothing"} << 1 << "^$"
        << "^kalvora: cannot open a window: the Qt platform plugins \"bogus\", \"nothing\" could not be loaded "
           "\\(installed: .+\\)\n$";
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

// The offscreen platform needs no display, named in the environment or on the
// command line: the program starts and keeps running until it is stopped,
// whatever other options Qt is given.
void TestCommandLine::startsOffscreen_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Environment>("environment");
    QTest::newRow("QT_QPA_PLATFORM=offscreen") << QStringList{} << Environment{"QT_QPA_PLATFORM=offscreen"};
    QTest::newRow("-platform offscreen") << QStringList{"-platform", "offscreen"} << Environment{};
    QTest::newRow("with Qt's options") << QStringList{"--platform", "offscreen", "-reverse", "-style", "Fusion",
        "-qwindowtitle", "x", "-display", ":987"}
                                       << Environment{"QT_QPA_PLATFORM=xcb"};
}

void TestCommandLine::startsOffscreen()
{
    QFETCH(QStringList, arguments);
    QFETCH(Environment, environment);

    QProcess program;
    program.setProcessEnvironment(Make(environment));
    program.start(QStringLiteral(KALVORA_PROGRAM), arguments);
    QVERIFY(program.waitForStarted());
    QVERIFY2(!program.waitForFinished(1500), program.readAllStandardError().constData());
    program.kill();
    program.waitForFinished();
}

QTEST_MAIN(TestCommandLine)
#include "tst_command_line.moc"
