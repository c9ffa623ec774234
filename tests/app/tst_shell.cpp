// SPDX-License-Identifier: MIT
// The menu, the version screen and the movement between windows.

#include "application.h"
#include "calculators.h"
#include "driver.h"
#include "navigation.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>

using namespace Driver;

namespace {

const QString kVersion = QStringLiteral("frmVersion");
const QString kGcd = QStringLiteral("frmKouyaku");

} // namespace

class TestShell : public QObject {
    Q_OBJECT

private slots:
    void init() { StartFresh(); }
    void cleanupTestCase() { CloseAll(); }

    void startShowsOnlyTheMenu();
    void menuOrder();
    void menuGrid();
    void menuCaptions();
    void menuButtonsOpenTheirWindow_data();
    void menuButtonsOpenTheirWindow();
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

namespace {

// The menu's buttons in reading order. Their captions are not repeated here:
// each button but やめる opens a window titled with its caption, and each
// window's suite checks its exact title.
const QStringList kReadingOrder{"cmdSiguma", "cmdMenseki", "cmdKouyakusuu", "cmd2ji", "cmd3ji", "cmd4ji", "cmdRenritu",
    "cmdReverse", "cmdGyouretusiki", "cmdVersion", "cmdEnd"};

struct Cell {
    int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
};

Cell CellOf(QPushButton* button)
{
    auto* grid = Window(kMenu)->findChild<QGridLayout*>();
    Cell cell;
    grid->getItemPosition(grid->indexOf(button), &cell.row, &cell.column, &cell.rowSpan, &cell.columnSpan);
    return cell;
}

} // namespace

void TestShell::menuOrder()
{
    QList<QPushButton*> buttons = Window(kMenu)->findChildren<QPushButton*>();
    QCOMPARE(buttons.size(), kReadingOrder.size());
    // Read row by row, left to right.
    std::sort(buttons.begin(), buttons.end(), [](QPushButton* a, QPushButton* b) {
        const Cell x = CellOf(a), y = CellOf(b);
        return std::pair(x.row, x.column) < std::pair(y.row, y.column);
    });
    QStringList read;
    for (QPushButton* button : buttons)
        read << button->objectName();
    QCOMPARE(read, kReadingOrder);
    // Tab walks the same way.
    QCOMPARE(TabOrder(kMenu, kReadingOrder.first(), int(kReadingOrder.size())), kReadingOrder);
    // The calculators' table the other suites walk is the menu's, in this order.
    QStringList calculators;
    for (const CalculatorInfo& calculator : Calculators())
        calculators << calculator.button;
    QCOMPARE(calculators, kReadingOrder.mid(0, 9));
}

void TestShell::menuGrid()
{
    auto* grid = Window(kMenu)->findChild<QGridLayout*>();
    QVERIFY(grid);
    QCOMPARE(grid->rowCount(), 4);
    QCOMPARE(grid->columnCount(), 3);
    // Every cell holds exactly one button: no gap, no overlap.
    int covered[4][3] = {};
    for (QPushButton* button : Window(kMenu)->findChildren<QPushButton*>()) {
        const Cell cell = CellOf(button);
        QCOMPARE(cell.rowSpan, 1);
        QVERIFY(cell.row >= 0 && cell.column >= 0 && cell.column + cell.columnSpan <= 3);
        for (int column = cell.column; column < cell.column + cell.columnSpan; ++column)
            ++covered[cell.row][column];
    }
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 3; ++column)
            QVERIFY2(covered[row][column] == 1, qPrintable(QStringLiteral("row %1 column %2").arg(row).arg(column)));

    // The calculators fill the first three rows; the last row, version and
    // end, stands taller than the others, which are all of one height.
    const int height = Control<QPushButton>(kMenu, kReadingOrder.first())->height();
    for (const QString& name : kReadingOrder) {
        auto* button = Control<QPushButton>(kMenu, name);
        const bool calculator = kReadingOrder.indexOf(name) < Calculators().size();
        QCOMPARE(CellOf(button).row < 3, calculator);
        if (calculator)
            QCOMPARE(button->height(), height);
        else
            QVERIFY2(button->height() > height, qPrintable(name));
    }
}

void TestShell::menuCaptions()
{
    QStringList captions;
    for (const QString& name : kReadingOrder) {
        auto* button = Control<QPushButton>(kMenu, name);
        QVERIFY(button->isEnabled());
        QVERIFY(!button->isDefault() && !button->autoDefault());
        QVERIFY2(!button->text().trimmed().isEmpty(), qPrintable(name));
        QVERIFY2(!captions.contains(button->text()), qPrintable(button->text()));
        captions << button->text();
    }
    // The one caption no window repeats.
    QCOMPARE(Text(kMenu, QStringLiteral("cmdEnd")), QStringLiteral("やめる"));
}

void TestShell::menuButtonsOpenTheirWindow_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("open"); // the windows open afterwards
    for (const CalculatorInfo& calculator : Calculators())
        QTest::newRow(qPrintable(calculator.button)) << calculator.button << QStringList{calculator.form};
    QTest::newRow("cmdVersion") << "cmdVersion" << QStringList{kMenu, kVersion};
}

void TestShell::menuButtonsOpenTheirWindow()
{
    QFETCH(QString, button);
    QFETCH(QStringList, open);

    const QString caption = Text(kMenu, button);
    Click(kMenu, button);
    // Exactly the chosen window, and the menu gone unless it was the version.
    QCOMPARE(OpenWindows(), open);
    const QString opened = open.last();
    QCOMPARE(Window(opened)->windowTitle(), caption + QStringLiteral("－Kalvora"));
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
            const QString mismatch = MessageMismatch(
                ClickForMessage(kMenu, QStringLiteral("cmdEnd")), QStringLiteral("お疲れさまでした！"));
            Say(mismatch.isEmpty() ? QStringLiteral("farewell shown") : mismatch);
            // The farewell ends the loop without closing the windows one by one.
            SayWindows();
        });
    } else if (scenario == QLatin1String("close menu beside version")) {
        Navigation::ShowVersion();
        QTimer::singleShot(0, [] {
            Window(kMenu)->close();
            QTimer::singleShot(300, [] {
                SayWindows();
                Click(QStringLiteral("frmVersion"), QStringLiteral("Command1"));
            });
        });
    } else if (scenario == QLatin1String("close calculator")) {
        QTimer::singleShot(0, [] {
            Click(kMenu, QStringLiteral("cmdKouyakusuu"));
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
