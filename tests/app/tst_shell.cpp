// SPDX-License-Identifier: MIT
// The menu, the version screen and the movement between windows.

#include "application.h"
#include "driver.h"
#include "navigation.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>

using namespace Driver;

namespace {

const QString kMenu = QStringLiteral("frmOpening");
const QString kVersion = QStringLiteral("frmVersion");
const QString kGcd = QStringLiteral("frmKouyaku");

} // namespace

class TestShell : public QObject {
    Q_OBJECT

private slots:
    void init() { StartFresh(); }
    void cleanupTestCase() { CloseAll(); }

    void startShowsOnlyTheMenu();
    void menuButtons_data();
    void menuButtons();
    void menuKeyboardOrder();
    void calculatorButtons_data();
    void calculatorButtons();
    void backShowsAFreshMenu();
    void versionScreen();
    void versionIsSingleAndOutlivesTheMenu();
    void closingWindowsUnloadsThem();
    void programEnds_data();
    void programEnds();
    void missingFontWarning_data();
    void missingFontWarning();
};

void TestShell::startShowsOnlyTheMenu()
{
    QCOMPARE(OpenWindows(), QStringList{kMenu});
    QWidget* menu = Window(kMenu);
    QCOMPARE(menu->windowTitle(), QStringLiteral("Kalvora"));
    auto* banner = Control<QLabel>(kMenu, QStringLiteral("Image1"));
    QVERIFY(banner);
    // Drawn for its frame, never stretched: the picture is the frame's size,
    // shown pixel for pixel, and the one for dense screens is twice as large.
    QCOMPARE(banner->pixmap().size(), banner->size());
    QCOMPARE(banner->grab().toImage().convertToFormat(QImage::Format_RGB32),
        banner->pixmap().toImage().convertToFormat(QImage::Format_RGB32));
    QCOMPARE(QPixmap(QStringLiteral(":/kalvora/banner@2x.png")).size(), banner->size() * 2);
    // The frame is wider than high by nearly five to one.
    QVERIFY(banner->width() > 4.5 * banner->height() && banner->width() < 5.0 * banner->height());
    QCOMPARE(menu->findChildren<QPushButton*>().size(), 11);
}

void TestShell::menuButtons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("columnSpan");

    QTest::newRow("cmdSiguma") << "cmdSiguma"
                               << "シグマの計算" << 0 << 0 << 1;
    QTest::newRow("cmdMenseki") << "cmdMenseki"
                                << "三角形の面積" << 0 << 1 << 1;
    QTest::newRow("cmdKouyakusuu") << "cmdKouyakusuu"
                                   << "最大公約数" << 0 << 2 << 1;
    QTest::newRow("cmd2ji") << "cmd2ji"
                            << "２次方程式" << 1 << 0 << 1;
    QTest::newRow("cmd3ji") << "cmd3ji"
                            << "３次方程式" << 1 << 1 << 1;
    QTest::newRow("cmd4ji") << "cmd4ji"
                            << "４次方程式" << 1 << 2 << 1;
    QTest::newRow("cmdRenritu") << "cmdRenritu"
                                << "連立方程式" << 2 << 0 << 1;
    QTest::newRow("cmdReverse") << "cmdReverse"
                                << "逆行列" << 2 << 1 << 1;
    QTest::newRow("cmdGyouretusiki") << "cmdGyouretusiki"
                                     << "行列式" << 2 << 2 << 1;
    QTest::newRow("cmdVersion") << "cmdVersion"
                                << "バージョン情報" << 3 << 0 << 2;
    QTest::newRow("cmdEnd") << "cmdEnd"
                            << "やめる" << 3 << 2 << 1;
}

void TestShell::menuButtons()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, columnSpan);

    auto* button = Control<QPushButton>(kMenu, name);
    QVERIFY(button);
    QCOMPARE(button->text(), text);
    QVERIFY(!button->isDefault());
    QVERIFY(!button->autoDefault());

    auto* grid = Window(kMenu)->findChild<QGridLayout*>();
    int r = -1, c = -1, rowSpan = 0, span = 0;
    grid->getItemPosition(grid->indexOf(button), &r, &c, &rowSpan, &span);
    QCOMPARE(r, row);
    QCOMPARE(c, column);
    QCOMPARE(span, columnSpan);

    // The last row stands taller than the others.
    auto* first = Control<QPushButton>(kMenu, QStringLiteral("cmdSiguma"));
    if (row == 3)
        QVERIFY(button->height() > first->height());
    else
        QCOMPARE(button->height(), first->height());
}

void TestShell::menuKeyboardOrder()
{
    const QStringList expected{"cmdSiguma", "cmdMenseki", "cmdKouyakusuu", "cmd2ji", "cmd3ji", "cmd4ji", "cmdRenritu",
        "cmdReverse", "cmdGyouretusiki", "cmdVersion", "cmdEnd"};
    QCOMPARE(TabOrder(kMenu, expected.first(), expected.size()), expected);
}

void TestShell::calculatorButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("caption");

    QTest::newRow("sigma") << "cmdSiguma"
                           << "frmSiguma"
                           << "シグマの計算－Kalvora";
    QTest::newRow("triangle") << "cmdMenseki"
                              << "frmSankaku"
                              << "三角形の面積－Kalvora";
    QTest::newRow("gcd") << "cmdKouyakusuu"
                         << "frmKouyaku"
                         << "最大公約数－Kalvora";
    QTest::newRow("quadratic") << "cmd2ji"
                               << "frm2ji"
                               << "２次方程式－Kalvora";
    QTest::newRow("cubic") << "cmd3ji"
                           << "frm3ji"
                           << "３次方程式－Kalvora";
    QTest::newRow("quartic") << "cmd4ji"
                             << "frm4ji"
                             << "４次方程式－Kalvora";
    QTest::newRow("linear system") << "cmdRenritu"
                                   << "frmRenritu"
                                   << "連立方程式－Kalvora";
    QTest::newRow("inverse") << "cmdReverse"
                             << "frmGyaku"
                             << "逆行列－Kalvora";
    QTest::newRow("determinant") << "cmdGyouretusiki"
                                 << "frmGyouretusiki"
                                 << "行列式－Kalvora";
}

void TestShell::calculatorButtons()
{
    QFETCH(QString, button);
    QFETCH(QString, form);
    QFETCH(QString, caption);

    QVERIFY(Control<QPushButton>(kMenu, button)->isEnabled());
    Click(kMenu, button);
    // Exactly the chosen calculator, and the menu gone.
    QCOMPARE(OpenWindows(), QStringList{form});
    QCOMPARE(Window(form)->windowTitle(), caption);
}

void TestShell::backShowsAFreshMenu()
{
    QPointer<QWidget> firstMenu = Window(kMenu);
    Click(kMenu, QStringLiteral("cmdKouyakusuu"));
    QVERIFY(firstMenu.isNull());
    Click(kGcd, QStringLiteral("Command3"));
    QCOMPARE(OpenWindows(), QStringList{kMenu});
    QCOMPARE(Window(kMenu)->windowTitle(), QStringLiteral("Kalvora"));
    QCOMPARE(Window(kMenu)->findChildren<QPushButton*>().size(), 11);
    QVERIFY(Control<QPushButton>(kMenu, QStringLiteral("cmdKouyakusuu"))->isEnabled());
}

void TestShell::versionScreen()
{
    Click(kMenu, QStringLiteral("cmdVersion"));
    QCOMPARE(OpenWindows(), (QStringList{kMenu, kVersion}));
    QWidget* version = Window(kVersion);
    QCOMPARE(version->windowTitle(), QStringLiteral("バージョン情報－Kalvora"));
    QCOMPARE(Control<QLabel>(kVersion, QStringLiteral("Image1"))->pixmap().size(), QSize(384, 80));
    QCOMPARE(Text(kVersion, QStringLiteral("Label1")), QStringLiteral("Kalvora Ver.1.0"));
    QCOMPARE(Text(kVersion, QStringLiteral("Label2")), QStringLiteral("このプログラムは"));
    QCOMPARE(Text(kVersion, QStringLiteral("Label4")), QStringLiteral("で、作られました。"));
    QCOMPARE(Text(kVersion, QStringLiteral("Label6")), QStringLiteral("Ｓｐｅｃｉａｌ　Ｔｈａｎｋｓ"));
    for (const char* credit : {"Label3", "Label5", "Label7"})
        QVERIFY(!Text(kVersion, QLatin1String(credit)).isEmpty());
    QVERIFY(Control(kVersion, QStringLiteral("Line1")));
    auto* ok = Control<QPushButton>(kVersion, QStringLiteral("Command1"));
    QCOMPARE(ok->text(), QStringLiteral("Ｏ．Ｋ"));
    QVERIFY(!ok->isDefault() && !ok->autoDefault());

    // Label1 is in the largest type of the screen.
    const qreal largest = Control<QLabel>(kVersion, QStringLiteral("Label1"))->font().pointSizeF();
    for (QLabel* label : version->findChildren<QLabel*>())
        if (label->objectName() != QLatin1String("Label1"))
            QVERIFY(label->font().pointSizeF() < largest);

    Click(kVersion, QStringLiteral("Command1"));
    QCOMPARE(OpenWindows(), QStringList{kMenu});
}

void TestShell::versionIsSingleAndOutlivesTheMenu()
{
    Click(kMenu, QStringLiteral("cmdVersion"));
    QPointer<QWidget> version = Window(kVersion);
    Click(kMenu, QStringLiteral("cmdVersion"));
    QCOMPARE(OpenWindows(), (QStringList{kMenu, kVersion}));
    QCOMPARE(Window(kVersion), version.data());

    Click(kMenu, QStringLiteral("cmdKouyakusuu"));
    QCOMPARE(OpenWindows(), (QStringList{kGcd, kVersion}));
    Click(kGcd, QStringLiteral("Command3"));
    QCOMPARE(OpenWindows(), (QStringList{kMenu, kVersion}));
    QCOMPARE(Window(kVersion), version.data());

    // OK closes only the version screen, also when a calculator is open.
    Click(kMenu, QStringLiteral("cmdKouyakusuu"));
    Click(kVersion, QStringLiteral("Command1"));
    QCOMPARE(OpenWindows(), QStringList{kGcd});
    QVERIFY(version.isNull());
}

namespace {

// Runs this test program again as a child in one of the scenarios below and
// returns what it printed. The program's end can only be watched from outside.
QStringList RunChild(const QString& scenario)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KALVORA_CHILD"), scenario);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {});
    if (!child.waitForFinished(60000))
        return {QStringLiteral("did not finish")};
    QStringList lines = QString::fromUtf8(child.readAllStandardOutput()).trimmed().split(QLatin1Char('\n'));
    lines.append(QStringLiteral("exit %1").arg(child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1));
    return lines;
}

void Say(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

void SayWindows()
{
    Say(QStringLiteral("windows: ") + OpenWindows().join(QLatin1Char(' ')));
}

// The child's side: the real start-up and event loop, a few user actions,
// and a note of what happened.
int RunChildScenario(QApplication& app, const QString& scenario)
{
    StartKalvora(app);
    if (scenario == QLatin1String("farewell")) {
        Navigation::ShowVersion();
        QTimer::singleShot(0, [] {
            const QString mismatch
                = MessageMismatch(ClickForMessage(QStringLiteral("frmOpening"), QStringLiteral("cmdEnd")),
                    QStringLiteral("お疲れさまでした！"));
            Say(mismatch.isEmpty() ? QStringLiteral("farewell shown") : mismatch);
            // The farewell ends the loop without closing the windows one by one.
            SayWindows();
        });
    } else if (scenario == QLatin1String("close menu beside version")) {
        Navigation::ShowVersion();
        QTimer::singleShot(0, [] {
            Window(QStringLiteral("frmOpening"))->close();
            QTimer::singleShot(300, [] {
                SayWindows();
                Click(QStringLiteral("frmVersion"), QStringLiteral("Command1"));
            });
        });
    } else if (scenario == QLatin1String("close calculator")) {
        QTimer::singleShot(0, [] {
            Click(QStringLiteral("frmOpening"), QStringLiteral("cmdKouyakusuu"));
            SayWindows();
            Window(QStringLiteral("frmKouyaku"))->close();
        });
    }
    QObject::connect(qApp, &QGuiApplication::lastWindowClosed, [] { Say(QStringLiteral("last window closed")); });
    // Were nothing to end the loop, this would.
    QTimer::singleShot(20000, [] {
        Say(QStringLiteral("still running"));
        QCoreApplication::exit(3);
    });
    const int code = RunKalvora(app);
    Say(QStringLiteral("event loop ended"));
    return code;
}

} // namespace

void TestShell::programEnds_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("farewell") << "farewell"
                              << QStringList{
                                     "farewell shown", "windows: frmOpening frmVersion", "event loop ended", "exit 0"};
    QTest::newRow("close menu beside version")
        << "close menu beside version"
        << QStringList{"windows: frmVersion", "last window closed", "event loop ended", "exit 0"};
    QTest::newRow("close calculator") << "close calculator"
                                      << QStringList{
                                             "windows: frmKouyaku", "last window closed", "event loop ended", "exit 0"};
}

void TestShell::programEnds()
{
    QFETCH(QString, scenario);
    QFETCH(QStringList, expected);
    QCOMPARE(RunChild(scenario), expected);
}

void TestShell::closingWindowsUnloadsThem()
{
    // The close control unloads without showing the menu.
    Click(kMenu, QStringLiteral("cmdVersion"));
    QPointer<QWidget> menu = Window(kMenu);
    menu->close();
    Settle();
    QVERIFY(menu.isNull());
    QCOMPARE(OpenWindows(), QStringList{kVersion});

    StartFresh();
    Click(kMenu, QStringLiteral("cmdKouyakusuu"));
    QPointer<QWidget> gcd = Window(kGcd);
    gcd->close();
    Settle();
    QVERIFY(gcd.isNull());
    QCOMPARE(OpenWindows(), QStringList());

    // The next visit starts anew.
    StartFresh();
    Click(kMenu, QStringLiteral("cmdKouyakusuu"));
    QCOMPARE(OpenWindows(), QStringList{kGcd});
}

void TestShell::missingFontWarning_data()
{
    QTest::addColumn<QList<QFontDatabase::WritingSystem>>("systems");
    QTest::addColumn<bool>("warned");

    QTest::newRow("Japanese among others") << QList{QFontDatabase::Latin, QFontDatabase::Japanese} << false;
    QTest::newRow("Chinese only") << QList{QFontDatabase::Latin, QFontDatabase::SimplifiedChinese} << true;
    QTest::newRow("no font at all") << QList<QFontDatabase::WritingSystem>{} << true;
}

void TestShell::missingFontWarning()
{
    QFETCH(QList<QFontDatabase::WritingSystem>, systems);
    QFETCH(bool, warned);
    const QString line = MissingFontWarning(systems);
    QCOMPARE(line.contains(QLatin1String("fonts-noto-cjk")), warned);
    QCOMPARE(line.isEmpty(), !warned);
    QVERIFY(!line.contains(QLatin1Char('\n')));
}

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("KALVORA_CHILD"))
        return RunChildScenario(app, qEnvironmentVariable("KALVORA_CHILD"));
    TestShell test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shell.moc"
