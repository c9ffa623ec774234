// SPDX-License-Identifier: MIT
// The exact view's work runs on a worker thread: the window answers while it
// runs, the newest calculation's forms win, 初期化 and closing the window
// drop the work, and the program ends cleanly with work still running. A
// test hook makes every piece of work slow, so that the tests act while it
// runs whatever the machine's speed.

#include "application.h"
#include "calculators.h"
#include "driver.h"
#include "exact_library.h"
#include "navigation.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <cstring>

using namespace Driver;
using namespace std::chrono_literals;

namespace {


// A calculation on a screen with the exact forms of some of its results.
struct Calculation {
    QString size; // a size option to choose first, or ""
    Inputs inputs;
    Shown exact;
};

// Two calculations on one screen whose exact forms differ; the second sets
// every box the first set.
struct Pair {
    QString form;
    Calculation first;
    Calculation second;
};

const QList<Pair>& Pairs()
{
    static const QList<Pair> pairs{
        {"frmSankaku", {"", {{"txtH_0", "2"}, {"txtH_1", "3"}, {"txtH_2", "4"}}, {{"lblAnswer", "3√15/4"}}},
            {"", {{"txtH_0", "2"}, {"txtH_1", "3"}, {"txtH_2", ""}, {"txtK_2", "45"}}, {{"lblAnswer", "3√2/2"}}}},
        {"frm2ji",
            {"", {{"txtRP_0", "1"}, {"txtRP_1", "-1"}, {"txtRP_2", "-1"}},
                {{"lblRAnswer_0", "(1+√5)/2"}, {"lblRAnswer_1", "(1-√5)/2"}}},
            {"", {{"txtRP_0", "1"}, {"txtRP_1", ""}, {"txtRP_2", "3"}},
                {{"lblIAnswer_0", "√3"}, {"lblIAnswer_1", "-√3"}}}},
        {"frmGyouretusiki",
            {"", {{"txtNum_1", "0.5"}, {"txtNum_2", "1"}, {"txtNum_6", "3"}, {"txtNum_7", "4.25"}},
                {{"lblAns", "-7/8"}}},
            {"", {{"txtNum_1", "1"}, {"txtNum_2", "2"}, {"txtNum_6", "3"}, {"txtNum_7", "4"}}, {{"lblAns", "-2"}}}},
        {"frmGyaku",
            {"optGen_0", {{"txtNum_1", "4"}, {"txtNum_2", "7"}, {"txtNum_6", "2"}, {"txtNum_7", "6"}},
                {{"lblAns_2", "-7/10"}, {"lblAns_6", "-1/5"}}},
            {"optGen_0", {{"txtNum_1", "2"}, {"txtNum_2", "1"}, {"txtNum_6", "1"}, {"txtNum_7", "3"}},
                {{"lblAns_2", "-1/5"}, {"lblAns_6", "-1/5"}}}},
        {"frmSiguma",
            {"", {{"txtLast", "10"}, {"txtFirst", "1"}, {"txt3jou", "0.1"}, {"txt0jou", "1e-3"}},
                {{"lblAnswer", "30251/100"}}},
            {"", {{"txtLast", "3"}, {"txtFirst", "1"}, {"txt3jou", ""}, {"txt0jou", "0.25"}}, {{"lblAnswer", "3/4"}}}},
    };
    return pairs;
}

const Pair& PairOf(const QString& form)
{
    for (const Pair& pair : Pairs())
        if (pair.form == form)
            return pair;
    qFatal("no calculations for %s", qPrintable(form));
}

QStringList Emptied(const Shown& shown)
{
    QStringList texts;
    for (const auto& [label, text] : shown)
        texts << label + QLatin1Char('=');
    return texts;
}

constexpr int kExactWaitMs = 30000;

bool ExactDone(const QString& form)
{
    bool working = true;
    return QMetaObject::invokeMethod(Window(form), "ExactWorking", Q_RETURN_ARG(bool, working)) && !working;
}

// Opens the screen with the exact view on.
void OpenExact(const QString& form)
{
    Click(kMenu, CalculatorOf(form).button);
    Click(form, QStringLiteral("chkExact"));
}

void Calculate(const QString& form, const Calculation& calculation)
{
    if (!calculation.size.isEmpty())
        Click(form, calculation.size);
    Fill(form, calculation.inputs);
    Click(form, CalculatorOf(form).calculate);
}

void AddFormRows()
{
    QTest::addColumn<QString>("form");
    for (const Pair& pair : Pairs())
        QTest::newRow(qPrintable(pair.form)) << pair.form;
}

// The hostile inputs: each froze the window for seconds when its exact work
// ran inside the click.
struct Hostile {
    const char* name;
    QString form;
    Inputs inputs;
};

const QList<Hostile>& HostileInputs()
{
    static const QList<Hostile> inputs{
        {"quartic with coefficients 1e±200", "frm4ji",
            {{"txtRNum_0", "2.5e1"}, {"txtRNum_1", "-7e77"}, {"txtRNum_2", "-7e-72"},
                {"txtRNum_3", "1.23456789012345e-99"}, {"txtRNum_4", "-1e-196"}}},
        {"quadratic with a 158-bit discriminant", "frm2ji",
            {{"txtRP_0", "1"}, {"txtRP_1", "1208925819614630162372945"},
                {"txtRP_2", "274031556999544744919137587315427775898558025493"}}},
        {"triangle with sides 1e-90 and 15°", "frmSankaku",
            {{"txtH_0", "1e-90"}, {"txtH_1", "1e-90"}, {"txtK_2", "15"}}},
    };
    return inputs;
}

// The child process's part of exitWithWorkRunning: the real program's end
// (the last event loop left, the windows destroyed, the application object
// destroyed) with exact work running.
int EndWithWork(QApplication& app, const QString& scenario)
{
    StartFresh();
    const bool hostile = scenario == QLatin1String("hostile");
    if (!hostile)
        Exact::SetWorkDelayForTests(60s);
    const QString form = hostile ? HostileInputs().first().form : QStringLiteral("frmSankaku");
    OpenExact(form);
    if (hostile) {
        Fill(form, HostileInputs().first().inputs);
        Click(form, CalculatorOf(form).calculate);
    } else {
        Calculate(form, PairOf(form).first);
    }
    if (scenario == QLatin1String("closed"))
        Click(form, CalculatorOf(form).back);
    // Time for a worker to take the hard quartic up: seconds of work then.
    if (hostile)
        QTest::qWait(500);
    QTimer::singleShot(0, &Navigation::EndProgram);
    return RunKalvora(app);
}

constexpr char kEndWithWork[] = "--end-with-work";

} // namespace

class TestExactAsync : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        Exact::SetWorkDelayForTests(0ms);
        StartFresh();
    }
    // Sleeping work wakes and ends at once, so no test waits for another's.
    void cleanup() { Exact::SetWorkDelayForTests(0ms); }
    void cleanupTestCase() { CloseAll(); }
    void answersWhileWorking_data() { AddFormRows(); }
    void answersWhileWorking();
    void hostileInputs_data();
    void hostileInputs();
    void newestWins_data();
    void newestWins();
    void resetDropsWork_data() { AddFormRows(); }
    void resetDropsWork();
    void untickedKeepsArrivingForms();
    void closingDropsWork_data() { AddFormRows(); }
    void closingDropsWork();
    void exitWithWorkRunning_data();
    void exitWithWorkRunning();
};

// While the work runs, the labels keep their decimal texts and the window
// answers at once: typing, 初期化, 戻る.
void TestExactAsync::answersWhileWorking()
{
    QFETCH(QString, form);
    const Pair& pair = PairOf(form);
    const CalculatorInfo& calculator = CalculatorOf(form);
    Exact::SetWorkDelayForTests(60s);
    OpenExact(form);

    QElapsedTimer clock;
    clock.start();
    Calculate(form, pair.first);
    QVERIFY(!ExactDone(form));
    for (const auto& [label, text] : pair.first.exact) {
        QVERIFY2(!Text(form, label).isEmpty(), qPrintable(label));
        QVERIFY2(Text(form, label) != text, qPrintable(label));
    }
    const QString box = pair.first.inputs.first().first;
    Type(form, box, QStringLiteral("12"));
    QCOMPARE(Text(form, box), QStringLiteral("12"));
    Click(form, calculator.reset);
    QCOMPARE(Read(form, pair.first.exact), Emptied(pair.first.exact));
    Click(form, calculator.back);
    QCOMPARE(OpenWindows(), QStringList{kMenu});
    // Far less than the work's minute: nothing waited for it.
    QVERIFY2(clock.elapsed() < 20000, qPrintable(QString::number(clock.elapsed())));
}

void TestExactAsync::hostileInputs_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<Inputs>("inputs");
    for (const Hostile& input : HostileInputs())
        QTest::newRow(input.name) << input.form << input.inputs;
}

// Real inputs that are hard for exact arithmetic: the click returns with the
// decimal results while the work goes on, and 初期化 in the middle of it
// leaves the labels empty for good.
void TestExactAsync::hostileInputs()
{
    QFETCH(QString, form);
    QFETCH(Inputs, inputs);
    OpenExact(form);
    Fill(form, inputs);

    QElapsedTimer clock;
    clock.start();
    Click(form, CalculatorOf(form).calculate);
    Type(form, inputs.first().first, QStringLiteral("3"));
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(Text(form, inputs.first().first), QStringLiteral("3"));
    QVERIFY(!Results(form).first()->text().isEmpty());

    Click(form, CalculatorOf(form).reset);
    QTRY_VERIFY_WITH_TIMEOUT(ExactDone(form), 300000);
    for (QLabel* label : Results(form))
        QVERIFY2(label->text().isEmpty(), qPrintable(label->objectName()));
}

void TestExactAsync::newestWins_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("delayMs");
    for (const Pair& pair : Pairs())
        QTest::addRow("%s, slow work", qPrintable(pair.form)) << pair.form << 400;
    for (const Pair& pair : Pairs())
        QTest::addRow("%s, quick work", qPrintable(pair.form)) << pair.form << 0;
}

// Two calculations in quick succession: the first one's work ends after the
// second calculation, and its forms never reach a label; the labels end with
// the second one's forms.
void TestExactAsync::newestWins()
{
    QFETCH(QString, form);
    QFETCH(int, delayMs);
    const Pair& pair = PairOf(form);
    Exact::SetWorkDelayForTests(std::chrono::milliseconds(delayMs));
    OpenExact(form);

    Calculate(form, pair.first);
    Calculate(form, pair.second);
    const QStringList decimal = Read(form, pair.second.exact);
    if (delayMs > 0) {
        // Still the second one's decimal texts, not the first one's forms.
        QVERIFY(!ExactDone(form));
        for (const QString& text : decimal)
            QVERIFY2(!Expected(pair.first.exact).contains(text), qPrintable(text));
    }
    QTRY_VERIFY_WITH_TIMEOUT(ExactDone(form), kExactWaitMs);
    QCOMPARE(Read(form, pair.second.exact), Expected(pair.second.exact));
    if (delayMs > 0) {
        // The switch shows the second one's decimals, and its forms again.
        Click(form, QStringLiteral("chkExact"));
        QCOMPARE(Read(form, pair.second.exact), decimal);
        Click(form, QStringLiteral("chkExact"));
        QCOMPARE(Read(form, pair.second.exact), Expected(pair.second.exact));
    }
}

// 初期化 while the work runs: the labels are empty and stay empty after the
// work has ended; the switch stays on, and the next calculation is exact.
void TestExactAsync::resetDropsWork()
{
    QFETCH(QString, form);
    const Pair& pair = PairOf(form);
    Exact::SetWorkDelayForTests(400ms);
    OpenExact(form);

    Calculate(form, pair.first);
    Click(form, CalculatorOf(form).reset);
    QCOMPARE(Read(form, pair.first.exact), Emptied(pair.first.exact));
    QTRY_VERIFY_WITH_TIMEOUT(ExactDone(form), kExactWaitMs);
    QCOMPARE(Read(form, pair.first.exact), Emptied(pair.first.exact));
    QVERIFY(Control<QCheckBox>(form, QStringLiteral("chkExact"))->isChecked());

    Calculate(form, pair.second);
    QTRY_COMPARE_WITH_TIMEOUT(Read(form, pair.second.exact), Expected(pair.second.exact), kExactWaitMs);
}

// Unticking only switches the view: forms that arrive meanwhile are kept and
// shown at once when it is ticked again.
void TestExactAsync::untickedKeepsArrivingForms()
{
    const Pair& pair = PairOf(QStringLiteral("frm2ji"));
    Exact::SetWorkDelayForTests(400ms);
    OpenExact(pair.form);

    Calculate(pair.form, pair.first);
    const QStringList decimal = Read(pair.form, pair.first.exact);
    Click(pair.form, QStringLiteral("chkExact"));
    QTRY_VERIFY_WITH_TIMEOUT(ExactDone(pair.form), kExactWaitMs);
    QCOMPARE(Read(pair.form, pair.first.exact), decimal);
    Exact::SetWorkDelayForTests(60s);
    Click(pair.form, QStringLiteral("chkExact"));
    QVERIFY(ExactDone(pair.form));
    QCOMPARE(Read(pair.form, pair.first.exact), Expected(pair.first.exact));
}

// Leaving the screen while its work runs destroys the window; the work ends
// later with nobody to take its forms. The program goes on, and the screen
// opened again works as before.
void TestExactAsync::closingDropsWork()
{
    QFETCH(QString, form);
    const Pair& pair = PairOf(form);
    Exact::SetWorkDelayForTests(300ms);
    OpenExact(form);
    Calculate(form, pair.first);
    Click(form, CalculatorOf(form).back);
    QCOMPARE(OpenWindows(), QStringList{kMenu});
    // Long enough for the work to end and its result to come back.
    QTest::qWait(1000);
    Settle();

    Exact::SetWorkDelayForTests(0ms);
    OpenExact(form);
    Calculate(form, pair.second);
    QTRY_COMPARE_WITH_TIMEOUT(Read(form, pair.second.exact), Expected(pair.second.exact), kExactWaitMs);
}

void TestExactAsync::exitWithWorkRunning_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::newRow("slow work, its window open") << "open";
    QTest::newRow("slow work, its window closed") << "closed";
    QTest::newRow("a hard quartic") << "hostile";
}

// The program's end while a worker computes: it ends at once (the slow work
// gives up, a real calculation is waited for a little and then left), with
// exit code 0 and nothing from the sanitizers.
void TestExactAsync::exitWithWorkRunning()
{
    QFETCH(QString, scenario);
    QProcess child;
    child.setProgram(QCoreApplication::applicationFilePath());
    child.setArguments({QString::fromLatin1(kEndWithWork), scenario});
    QElapsedTimer clock;
    clock.start();
    child.start();
    QVERIFY(child.waitForFinished(120000));
    const QString errors = QString::fromLocal8Bit(child.readAllStandardError());
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QVERIFY2(child.exitCode() == 0, qPrintable(errors));
    QVERIFY2(!errors.contains(QLatin1String("Sanitizer")), qPrintable(errors));
    QVERIFY2(!errors.contains(QLatin1String("runtime error")), qPrintable(errors));
    QVERIFY2(clock.elapsed() < 30000, qPrintable(QString::number(clock.elapsed())));
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], kEndWithWork) == 0)
        return EndWithWork(app, QString::fromLatin1(argv[2]));
    TestExactAsync test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_exact_async.moc"
