// SPDX-License-Identifier: MIT
// The worked steps: the 「途中式」 button of each screen that has steps, the
// window it opens, what it copies and saves, and the layout of the formulas.
// The layout is checked on hand-built steps, so that it is checked apart from
// the steps the exact module writes.

#include "calculators.h"
#include "driver.h"
#include "exact_library.h"
#include "layout_check.h"
#include "math_text.h"
#include "steps_samples.h"
#include "steps_text.h"
#include "steps_window.h"
#include "type_size.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QImage>
#include <QLayout>
#include <QPainter>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Driver;

namespace {

const QString kSteps = QStringLiteral("frmSteps");
const QString kButton = QStringLiteral("cmdSteps");

// One screen with steps: what it calculates well, something else it
// calculates well, and what it refuses with a message.
struct Screen {
    QString form;
    QString calculate;
    Inputs good;
    Inputs other;
    Inputs refused;
    QString stepsTitle;
    QString before; // the control before 「途中式」 in the keyboard order
    // The steps the screen should show for the boxes as they are now.
    std::function<WorkedSteps()> steps;
};

QString BoxText(const QString& form, const char* box)
{
    return Text(form, QLatin1String(box));
}

const QList<Screen>& Screens()
{
    static const QList<Screen> screens{
        {QStringLiteral("frmKouyaku"), QStringLiteral("Command1"),
            {{QStringLiteral("txtNum_0"), QStringLiteral("1071")}, {QStringLiteral("txtNum_1"), QStringLiteral("462")}},
            {{QStringLiteral("txtNum_0"), QStringLiteral("18")}, {QStringLiteral("txtNum_1"), QStringLiteral("12")}},
            {{QStringLiteral("txtNum_0"), QStringLiteral("1.5")}}, QStringLiteral("途中式（最大公約数）－Kalvora"),
            QStringLiteral("Command1"),
            [] {
                const QString f = QStringLiteral("frmKouyaku");
                return Exact::GcdSteps({BoxText(f, "txtNum_0").toStdString(), BoxText(f, "txtNum_1").toStdString()});
            }},
        {QStringLiteral("frm2ji"), QStringLiteral("Command3"),
            {{QStringLiteral("txtRP_0"), QStringLiteral("2")}, {QStringLiteral("txtRP_1"), QStringLiteral("-3")},
                {QStringLiteral("txtRP_2"), QStringLiteral("-1")}},
            {{QStringLiteral("txtRP_0"), QStringLiteral("1")}, {QStringLiteral("txtRP_1"), QStringLiteral("-2")},
                {QStringLiteral("txtRP_2"), QStringLiteral("5")}},
            {{QStringLiteral("txtRP_0"), QStringLiteral("0")}, {QStringLiteral("txtIP_0"), QString()}},
            QStringLiteral("途中式（２次方程式）－Kalvora"), QStringLiteral("chkExact"), nullptr},
        {QStringLiteral("frm3ji"), QStringLiteral("Command3"),
            {{QStringLiteral("txtNumR_0"), QStringLiteral("1")}, {QStringLiteral("txtNumR_1"), QStringLiteral("-3")},
                {QStringLiteral("txtNumR_2"), QStringLiteral("-10")},
                {QStringLiteral("txtNumR_3"), QStringLiteral("24")}},
            {{QStringLiteral("txtNumR_1"), QString()}, {QStringLiteral("txtNumR_2"), QString()},
                {QStringLiteral("txtNumR_3"), QStringLiteral("-2")}},
            {{QStringLiteral("txtNumR_0"), QStringLiteral("0")}}, QStringLiteral("途中式（３次方程式）－Kalvora"),
            QStringLiteral("chkExact"), nullptr},
        {QStringLiteral("frm4ji"), QStringLiteral("Command3"),
            {{QStringLiteral("txtRNum_0"), QStringLiteral("1")}, {QStringLiteral("txtRNum_2"), QStringLiteral("-5")},
                {QStringLiteral("txtRNum_4"), QStringLiteral("4")}},
            {{QStringLiteral("txtRNum_2"), QStringLiteral("-6")}, {QStringLiteral("txtRNum_4"), QStringLiteral("1")}},
            {{QStringLiteral("txtRNum_0"), QStringLiteral("0")}}, QStringLiteral("途中式（４次方程式）－Kalvora"),
            QStringLiteral("chkExact"), nullptr},
        {QStringLiteral("frmRenritu"), QStringLiteral("Command3"),
            {{QStringLiteral("txtNum_1"), QStringLiteral("2")}, {QStringLiteral("txtNum_2"), QStringLiteral("3")},
                {QStringLiteral("txtNumA_1"), QStringLiteral("7")}, {QStringLiteral("txtNum_6"), QStringLiteral("1")},
                {QStringLiteral("txtNum_7"), QStringLiteral("-1")}, {QStringLiteral("txtNumA_2"), QStringLiteral("1")}},
            {{QStringLiteral("txtNumA_1"), QStringLiteral("12")}},
            {{QStringLiteral("txtNum_6"), QStringLiteral("4")}, {QStringLiteral("txtNum_7"), QStringLiteral("6")}},
            QStringLiteral("途中式（連立方程式）－Kalvora"), QStringLiteral("chkExact"), nullptr},
        {QStringLiteral("frmGyouretusiki"), QStringLiteral("Command3"),
            {{QStringLiteral("txtNum_1"), QStringLiteral("1")}, {QStringLiteral("txtNum_2"), QStringLiteral("2")},
                {QStringLiteral("txtNum_6"), QStringLiteral("3")}, {QStringLiteral("txtNum_7"), QStringLiteral("4")}},
            {{QStringLiteral("txtNum_7"), QStringLiteral("0.5")}},
            {{QStringLiteral("txtNum_1"), QStringLiteral("1e999")}}, QStringLiteral("途中式（行列式）－Kalvora"),
            QStringLiteral("chkExact"), nullptr},
        {QStringLiteral("frmGyaku"), QStringLiteral("Command3"),
            {{QStringLiteral("txtNum_1"), QStringLiteral("2")}, {QStringLiteral("txtNum_2"), QStringLiteral("1")},
                {QStringLiteral("txtNum_6"), QStringLiteral("5")}, {QStringLiteral("txtNum_7"), QStringLiteral("3")}},
            {{QStringLiteral("txtNum_7"), QStringLiteral("4")}},
            {{QStringLiteral("txtNum_6"), QStringLiteral("4")}, {QStringLiteral("txtNum_7"), QStringLiteral("2")}},
            QStringLiteral("途中式（逆行列）－Kalvora"), QStringLiteral("chkExact"), nullptr},
        {QStringLiteral("frmSankaku"), QStringLiteral("cmdKeisan"),
            {{QStringLiteral("txtH_0"), QStringLiteral("3")}, {QStringLiteral("txtH_1"), QStringLiteral("6")},
                {QStringLiteral("txtH_2"), QStringLiteral("7")}},
            {{QStringLiteral("txtH_2"), QString()}, {QStringLiteral("txtK_2"), QStringLiteral("45")}},
            {{QStringLiteral("txtH_1"), QString()}}, QStringLiteral("途中式（三角形の面積）－Kalvora"),
            QStringLiteral("chkExact"),
            [] {
                const QString f = QStringLiteral("frmSankaku");
                return Exact::TriangleSteps({BoxText(f, "txtH_0").toStdString(), BoxText(f, "txtH_1").toStdString(),
                                                BoxText(f, "txtH_2").toStdString()},
                    {BoxText(f, "txtK_0").toStdString(), BoxText(f, "txtK_1").toStdString(),
                        BoxText(f, "txtK_2").toStdString()});
            }},
        {QStringLiteral("frmSiguma"), QStringLiteral("cmdKeisan"),
            {{QStringLiteral("txtLast"), QStringLiteral("10")}, {QStringLiteral("txtFirst"), QStringLiteral("1")},
                {QStringLiteral("txt3jou"), QStringLiteral("1")}, {QStringLiteral("txt2jou"), QStringLiteral("2")},
                {QStringLiteral("txt1jou"), QStringLiteral("0.5")}, {QStringLiteral("txt0jou"), QStringLiteral("-3")}},
            {{QStringLiteral("txtLast"), QStringLiteral("5")}, {QStringLiteral("txtFirst"), QStringLiteral("2")}},
            {{QStringLiteral("txtFirst"), QStringLiteral("20")}}, QStringLiteral("途中式（シグマの計算）－Kalvora"),
            QStringLiteral("chkExact"),
            [] {
                const QString f = QStringLiteral("frmSiguma");
                return Exact::SigmaSteps(BoxText(f, "txtFirst").toInt(), BoxText(f, "txtLast").toInt(),
                    {BoxText(f, "txt3jou").toStdString(), BoxText(f, "txt2jou").toStdString(),
                        BoxText(f, "txt1jou").toStdString(), BoxText(f, "txt0jou").toStdString()});
            }},
    };
    return screens;
}

const Screen& ScreenOf(const QString& form)
{
    for (const Screen& screen : Screens())
        if (screen.form == form)
            return screen;
    qFatal("no screen %s", qPrintable(form));
}

void AddScreenRows()
{
    QTest::addColumn<QString>("form");
    for (const Screen& screen : Screens())
        QTest::newRow(qPrintable(screen.form)) << screen.form;
}

bool Calculate(const Screen& screen, const Inputs& inputs)
{
    Fill(screen.form, inputs);
    return !ClickForMessage(screen.form, screen.calculate).has_value();
}

QPushButton* StepsButton(const QString& form)
{
    return Control<QPushButton>(form, kButton);
}

StepsWindow* OpenSteps()
{
    return qobject_cast<StepsWindow*>(Window(kSteps));
}

// What the window should read for steps: their plain text, or the line
// that says there are none.
QString Reading(const WorkedSteps& steps)
{
    return steps.steps.empty() ? StepsLayout::NoStepsText() : QString::fromStdString(PlainText(steps));
}

QFont BodyFont()
{
    return QApplication::font();
}

// A window of hand-built steps, as the screens open it.
std::unique_ptr<StepsWindow> SampleWindow(const WorkedSteps& steps)
{
    auto window = std::make_unique<StepsWindow>(QStringLiteral("２次方程式－Kalvora"));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->SetSteps(steps);
    window->resize(window->sizeHint());
    window->show();
    QTest::qWait(20);
    return window;
}

QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(20000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestStepsWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { StartFresh(); }
    void cleanupTestCase() { CloseAll(); }

    void enabledOnlyAfterResults_data() { AddScreenRows(); }
    void enabledOnlyAfterResults();
    void opensOneWindow_data() { AddScreenRows(); }
    void opensOneWindow();
    void followsRecalculation_data() { AddScreenRows(); }
    void followsRecalculation();
    void closes_data();
    void closes();
    void closesWithItsScreen();
    void lastInKeyboardOrder_data() { AddScreenRows(); }
    void lastInKeyboardOrder();
    void movesNothing_data() { AddScreenRows(); }
    void movesNothing();

    void copies_data();
    void copies();
    void readsAsPlainText();
    void savesPdf();

    void typeNeverSmallerThanBody_data();
    void typeNeverSmallerThanBody();
    void drawsInsideItsSize_data();
    void drawsInsideItsSize();
    void longChainBreaksAtEquals_data();
    void longChainBreaksAtEquals();
    void repeatedRuleAlignsAtEquals();
    void narrowWindowClipsNothing();
};

void TestStepsWindow::enabledOnlyAfterResults()
{
    QFETCH(QString, form);
    const Screen& screen = ScreenOf(form);
    OpenCalculator(form);
    QPushButton* button = StepsButton(form);
    QVERIFY(button);
    QCOMPARE(button->text(), QStringLiteral("途中式"));
    QVERIFY(button->isVisible());
    QVERIFY2(!button->isEnabled(), "enabled before any calculation");

    QVERIFY(Calculate(screen, screen.good));
    QVERIFY(button->isEnabled());
    QVERIFY2(!Calculate(screen, screen.refused), "the refused input showed no message");
    QVERIFY2(!button->isEnabled(), "still enabled after a message");
    Fill(form, screen.good);
    QVERIFY(Calculate(screen, screen.good));
    QVERIFY(button->isEnabled());
    Click(form, CalculatorOf(form).reset);
    QVERIFY2(!button->isEnabled(), "still enabled after 初期化");
    // Empty boxes: the steps of whatever the screen makes of them, or a
    // message; never the steps of the calculation before.
    const bool shown = Calculate(screen, {});
    QCOMPARE(button->isEnabled(), shown);
}

void TestStepsWindow::opensOneWindow()
{
    QFETCH(QString, form);
    const Screen& screen = ScreenOf(form);
    OpenCalculator(form);
    QVERIFY(Calculate(screen, screen.good));
    Click(form, kButton);
    StepsWindow* steps = OpenSteps();
    QVERIFY2(steps, "「途中式」 opened no window");
    QCOMPARE(steps->windowTitle(), screen.stepsTitle);
    QCOMPARE(steps->windowModality(), Qt::NonModal);
    QVERIFY2(steps->minimumSize() != steps->maximumSize(), "the steps window cannot be resized");
    QVERIFY(steps->findChild<QScrollArea*>());
    if (screen.steps)
        QCOMPARE(steps->PlainText(), Reading(screen.steps()));
    QCOMPARE(steps->property("plainText").toString(), steps->PlainText());
    for (const char* name : {"txtSteps", "cmdCopySteps", "cmdCopyLatex", "cmdSaveSteps", "cmdCloseSteps"})
        QVERIFY2(steps->findChild<QWidget*>(QLatin1String(name)), name);

    // Pressed again, the same window comes to the front.
    Window(form)->activateWindow();
    Click(form, kButton);
    QCOMPARE(OpenSteps(), steps);
    QCOMPARE(OpenWindows().count(kSteps), 1);

    Click(kSteps, QStringLiteral("cmdCloseSteps"));
    Settle();
    QVERIFY(!OpenSteps());
    QVERIFY2(StepsButton(form)->isEnabled(), "closing the window withdrew the steps");
    Click(form, kButton);
    QVERIFY(OpenSteps());
    // Esc puts it away, as it would a dialog.
    QTest::keyClick(OpenSteps(), Qt::Key_Escape);
    Settle();
    QVERIFY(!OpenSteps());
}

void TestStepsWindow::followsRecalculation()
{
    QFETCH(QString, form);
    const Screen& screen = ScreenOf(form);
    OpenCalculator(form);
    QVERIFY(Calculate(screen, screen.good));
    Click(form, kButton);
    QPointer<StepsWindow> steps = OpenSteps();
    QVERIFY(steps);
    QVERIFY(Calculate(screen, screen.other));
    QCOMPARE(OpenSteps(), steps.data());
    if (screen.steps)
        QCOMPARE(steps->PlainText(), Reading(screen.steps()));
    QVERIFY2(steps->PlainText().section(QLatin1Char('\n'), -1).startsWith(QStringLiteral("答 ")),
        qPrintable(steps->PlainText()));

    // Closed, it works out the steps of the newest calculation when it opens
    // again.
    const QString other = steps->PlainText();
    Click(kSteps, QStringLiteral("cmdCloseSteps"));
    QVERIFY(!OpenSteps());
    QVERIFY(Calculate(screen, screen.good));
    Click(form, kButton);
    QVERIFY(OpenSteps());
    QVERIFY(OpenSteps()->PlainText() != other);
    if (screen.steps)
        QCOMPARE(OpenSteps()->PlainText(), Reading(screen.steps()));
}

void TestStepsWindow::closes_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("how");
    for (const Screen& screen : Screens())
        for (const char* how : {"reset", "message", "back"})
            QTest::addRow("%s %s", qPrintable(screen.form), how) << screen.form << QString::fromLatin1(how);
}

void TestStepsWindow::closes()
{
    QFETCH(QString, form);
    QFETCH(QString, how);
    const Screen& screen = ScreenOf(form);
    OpenCalculator(form);
    QVERIFY(Calculate(screen, screen.good));
    Click(form, kButton);
    QVERIFY(OpenSteps());
    if (how == QLatin1String("reset"))
        Click(form, CalculatorOf(form).reset);
    else if (how == QLatin1String("message"))
        QVERIFY(!Calculate(screen, screen.refused));
    else
        Click(form, CalculatorOf(form).back);
    Settle();
    QVERIFY2(!OpenSteps(), qPrintable(how + QStringLiteral(" left the steps window open")));
    if (how == QLatin1String("back"))
        QVERIFY(Window(kMenu));
}

void TestStepsWindow::closesWithItsScreen()
{
    const Screen& screen = ScreenOf(QStringLiteral("frmKouyaku"));
    OpenCalculator(screen.form);
    QVERIFY(Calculate(screen, screen.good));
    Click(screen.form, kButton);
    QPointer<StepsWindow> steps = OpenSteps();
    QVERIFY(steps);
    delete Window(screen.form);
    Settle();
    QVERIFY(!steps);
}

void TestStepsWindow::lastInKeyboardOrder()
{
    QFETCH(QString, form);
    const Screen& screen = ScreenOf(form);
    OpenCalculator(form);
    QVERIFY(Calculate(screen, screen.good));
    QCOMPARE(TabOrder(form, screen.before, 2), QStringList({screen.before, kButton}));
    // Nothing after it: Tab from it leaves the window's chain.
    QCOMPARE(TabOrder(form, kButton, 60), QStringList({kButton}));
}

// The button lies over room no control uses: showing or hiding it moves and
// resizes nothing, it overlaps no control, and nothing of it is cut off.
void TestStepsWindow::movesNothing()
{
    QFETCH(QString, form);
    const Screen& screen = ScreenOf(form);
    OpenCalculator(form);
    QVERIFY(Calculate(screen, screen.good));
    QWidget* window = Window(form);
    QPushButton* button = StepsButton(form);
    const auto geometries = [&] {
        window->layout()->invalidate();
        window->layout()->activate();
        QList<QPair<QString, QRect>> all{{form, window->rect()}};
        for (QWidget* control : window->findChildren<QWidget*>())
            if (control != button && !control->objectName().isEmpty())
                all.append({control->objectName(), control->geometry()});
        return all;
    };
    const auto with = geometries();
    button->hide();
    const auto without = geometries();
    button->show();
    QCOMPARE(with, without);

    // Where a control stands in the window, though it be inside a figure.
    const auto inWindow
        = [window](const QWidget* control) { return QRect(control->mapTo(window, QPoint(0, 0)), control->size()); };
    const QRect at = inWindow(button);
    QVERIFY(window->rect().contains(at));
    QVERIFY(button->parentWidget()->rect().contains(button->geometry()));
    QVERIFY(at.width() >= button->minimumSizeHint().width() && at.height() >= button->minimumSizeHint().height());
    for (QWidget* control : window->findChildren<QWidget*>()) {
        // The window's own controls, and those beside the button in the
        // figure that holds it.
        const bool beside = control->parentWidget() == window || control->parentWidget() == button->parentWidget();
        if (control == button || control->isAncestorOf(button) || !beside || !control->isVisible())
            continue;
        // A label takes only the room of its text, wherever its cell ends.
        QRect taken = inWindow(control);
        if (auto* label = qobject_cast<QLabel*>(control); label && !label->text().isEmpty())
            taken = QStyle::alignedRect(label->layoutDirection(), label->alignment(),
                label->fontMetrics().size(0, label->text()).boundedTo(taken.size()), taken);
        QVERIFY2(!taken.intersects(at), qPrintable(control->objectName()));
    }
}

void TestStepsWindow::copies_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("latex");
    QTest::newRow("コピー") << "cmdCopySteps" << false;
    QTest::newRow("Ctrl+C") << "" << false;
    QTest::newRow("LaTeX でコピー") << "cmdCopyLatex" << true;
}

void TestStepsWindow::copies()
{
    QFETCH(QString, how);
    QFETCH(bool, latex);
    const WorkedSteps sample = Samples::Quadratic();
    const auto window = SampleWindow(sample);
    QApplication::clipboard()->setText(QStringLiteral("before"));
    if (how.isEmpty()) {
        window->findChild<QWidget*>(QStringLiteral("cmdCopyLatex"))->setFocus();
        QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier);
    } else {
        QTest::mouseClick(window->findChild<QPushButton*>(how), Qt::LeftButton);
    }
    QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(latex ? LatexText(sample) : PlainText(sample)));
}

// A screen reader reads the view's text interface; tests and tools may read
// its property.
void TestStepsWindow::readsAsPlainText()
{
    for (const WorkedSteps& sample : {Samples::Gcd(), Samples::Sigma(), WorkedSteps{}}) {
        const auto window = SampleWindow(sample);
        QWidget* view = window->findChild<QWidget*>(QStringLiteral("txtSteps"));
        QVERIFY(view);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(view);
        QVERIFY(accessible && accessible->textInterface());
        QAccessibleTextInterface* text = accessible->textInterface();
        const QString expected = Reading(sample);
        QCOMPARE(text->text(0, text->characterCount()), expected);
        QCOMPARE(accessible->text(QAccessible::Value), expected);
        QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("途中式"));
        QVERIFY(accessible->state().readOnly);
        QCOMPARE(view->property("plainText").toString(), expected);
    }
}

// Through the dialog, as a user saves it: A4 pages, the Japanese text as
// text, each step on one page.
void TestStepsWindow::savesPdf()
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    QVERIFY2(!pdftotext.isEmpty() && !pdfinfo.isEmpty(), "poppler-utils is not installed");
    WorkedSteps sample = Samples::Quadratic();
    // Enough steps for a second page.
    for (int i = 1; i <= 40; ++i)
        sample.steps.push_back(Samples::MakeStep(QStringLiteral("手順%1").arg(i).toStdString(),
            Samples::Row({Samples::Name("x"), Samples::Op("="), Samples::Num(std::to_string(i))})));
    // Last, a matrix far wider than the page, which cannot break: printed
    // smaller, down to its last column.
    std::vector<MathNode> wide;
    for (int j = 1; j <= 10; ++j)
        wide.push_back(Samples::Num(std::string(40, char('0' + j % 10)) + (j == 10 ? "123" : "")));
    MathNode matrix = Samples::Matrix(10, 0, {});
    matrix.children = std::move(wide);
    sample.steps.push_back(Samples::MakeStep("広い行列", matrix));
    const auto window = SampleWindow(sample);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("途中式.pdf"));

    QTimer::singleShot(0, [&] {
        auto* dialog = window->findChild<QFileDialog*>(QStringLiteral("dlgSaveSteps"));
        QVERIFY(dialog);
        QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
        dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("cmdSaveSteps")), Qt::LeftButton);
    QTRY_VERIFY(QFile::exists(path));
    QTRY_VERIFY(QFileInfo(path).size() > 0);

    const QString info = Run(pdfinfo, {path});
    QVERIFY2(info.contains(QStringLiteral("A4")), qPrintable(info));
    const int pages = info.section(QStringLiteral("Pages:"), 1).trimmed().section(QLatin1Char('\n'), 0, 0).toInt();
    QVERIFY2(pages >= 2, qPrintable(info));
    const QString text = Run(pdftotext, {QStringLiteral("-layout"), path, QStringLiteral("-")});
    for (const QString& words : {QStringLiteral("途中式（２次方程式）"), QStringLiteral("判別式"),
             QStringLiteral("より、異なる2つの実数解をもつ"), QStringLiteral("答"), QStringLiteral("手順40"),
             QString(40, QLatin1Char('1')), QString(40, QLatin1Char('0')) + QStringLiteral("123")})
        QVERIFY2(text.contains(words), qPrintable(words + QStringLiteral(" is not in:\n") + text));
    // Each step whole on one page: its caption and its number together.
    for (int page = 1; page <= pages; ++page) {
        const QString one = Run(pdftotext,
            {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page), path,
                QStringLiteral("-")});
        for (int i = 1; i <= 40; ++i) {
            const bool caption = one.contains(QRegularExpression(QStringLiteral("手順%1\\b").arg(i)));
            if (caption)
                QVERIFY2(one.contains(QRegularExpression(QStringLiteral("手順%1\\s+x\\s*=\\s*%1\\b").arg(i))),
                    qPrintable(QStringLiteral("step %1 split on page %2").arg(i).arg(page)));
        }
    }
}

namespace {

void AddSamples()
{
    QTest::addColumn<int>("sample");
    QTest::newRow("GCD") << 0;
    QTest::newRow("quadratic") << 1;
    QTest::newRow("sigma") << 2;
    QTest::newRow("matrix, table, substeps") << 3;
    QTest::newRow("long chain") << 4;
    QTest::newRow("no steps") << 5;
}

WorkedSteps SampleOf(int sample)
{
    switch (sample) {
    case 0: return Samples::Gcd();
    case 1: return Samples::Quadratic();
    case 2: return Samples::Sigma();
    case 3: return Samples::Shapes();
    case 4: return Samples::LongChain(5, 4);
    default: return {};
    }
}

} // namespace

// At whatever scale the test runs (CTest runs it at 1 and 2): the body of
// every formula at least the screens' body text, exponents and limits at
// least the smallest type.
void TestStepsWindow::typeNeverSmallerThanBody_data()
{
    AddSamples();
}

void TestStepsWindow::typeNeverSmallerThanBody()
{
    QFETCH(int, sample);
    const auto window = SampleWindow(SampleOf(sample));
    auto* view = window->findChild<StepsView*>();
    QVERIFY(view->StepsFont().pointSizeF() >= BodyFont().pointSizeF());
    QVERIFY(view->Layout().SmallestPointSize() >= kSmallestPointSize);
    QVERIFY(MathText::SmallFont(view->StepsFont()).pointSizeF() >= kSmallestPointSize);
    QVERIFY(StepsWindow::PdfFont().pointSizeF() >= BodyFont().pointSizeF());
    // The hand-built steps hold exponents or limits only where they are
    // expected to be smaller.
    if (sample == 0)
        QCOMPARE(view->Layout().SmallestPointSize(), QFontInfo(view->StepsFont()).pointSizeF());
}

// Every stroke and glyph falls inside the size the layout gives: nothing
// drawn outside it is cut off by the view.
void TestStepsWindow::drawsInsideItsSize_data()
{
    AddSamples();
}

void TestStepsWindow::drawsInsideItsSize()
{
    QFETCH(int, sample);
    const QFont font = StepsView().StepsFont();
    const StepsLayout layout(SampleOf(sample), font, 500);
    QVERIFY(!layout.Lines().empty());
    const QStringList faults = LayoutFaults(layout);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
}

void TestStepsWindow::longChainBreaksAtEquals_data()
{
    QTest::addColumn<int>("members");
    QTest::addColumn<int>("terms");
    QTest::addColumn<int>("width");
    QTest::newRow("members fit a line") << 6 << 2 << 420;
    QTest::newRow("a member wider than a line") << 2 << 12 << 420;
    QTest::newRow("wide") << 9 << 3 << 900;
}

// Too wide for one line, a chain breaks before "=" with the "=" under the
// first one; a member too wide by itself breaks before a "+" or "-".
void TestStepsWindow::longChainBreaksAtEquals()
{
    QFETCH(int, members);
    QFETCH(int, terms);
    QFETCH(int, width);
    const QFont font = StepsView().StepsFont();
    const StepsLayout layout(Samples::LongChain(members, terms), font, width);
    const StepsLayout unbroken(Samples::LongChain(members, terms), font, 0);
    QVERIFY(unbroken.Size().width() > width);
    QCOMPARE(unbroken.Lines().size(), std::size_t(1));
    const auto& lines = layout.Lines();
    QVERIFY(lines.size() > 1);
    for (const auto& line : lines)
        QVERIFY2(line.right <= width + 0.5, qPrintable(QString::number(line.right)));
    QCOMPARE(lines.front().left, 0.0);
    // Continuation lines start at one of three places: under the first "=",
    // after it, or (for what would not fit there) a little indented.
    QList<double> starts;
    for (std::size_t i = 1; i < lines.size(); ++i)
        if (!starts.contains(lines[i].left))
            starts.append(lines[i].left);
    QVERIFY2(starts.size() <= 3, qPrintable(QString::number(starts.size())));
    for (double start : starts)
        QVERIFY(start > 0);
    QVERIFY(layout.Size().width() <= width + 0.5);
}

// The divisions of the Euclidean algorithm stand one under the other with
// their "=" in one column, though their left sides differ in width.
void TestStepsWindow::repeatedRuleAlignsAtEquals()
{
    const QFont font = StepsView().StepsFont();
    const StepsLayout layout(Samples::Gcd(), font, 600);
    const auto& lines = layout.Lines();
    QCOMPARE(lines.size(), std::size_t(6));
    // 1071 is wider than 462 and 147: the two lines below it start further
    // right, by the same amount, so their "=" line up.
    QCOMPARE(lines[1].left, 0.0);
    QVERIFY(lines[2].left > 0);
    QCOMPARE(lines[2].left, lines[3].left);
    QCOMPARE(lines[0].left, 0.0);
    QCOMPARE(lines[4].left, 0.0);
}

// A narrow window: the view follows the window's width, breaks the long
// lines, and grows in height; where a part cannot break the window scrolls
// sideways rather than cut it.
void TestStepsWindow::narrowWindowClipsNothing()
{
    const auto window = SampleWindow(Samples::LongChain(6, 3));
    auto* scroll = window->findChild<QScrollArea*>();
    auto* view = window->findChild<StepsView*>();
    window->resize(460, 400);
    QTest::qWait(20);
    QVERIFY(view->width() <= scroll->viewport()->width());
    QVERIFY(view->Layout().Size().width() + 2 * StepsView::kMargin <= view->width());
    QVERIFY(view->Layout().Size().height() + 2 * StepsView::kMargin <= view->height());

    window->SetSteps(Samples::LongChain(1, 30));
    // One member of thirty terms breaks before its signs; at a width
    // narrower than one fraction nothing can break.
    window->resize(160, 400);
    QTest::qWait(20);
    QVERIFY(view->Layout().Size().width() + 2 * StepsView::kMargin <= view->width());
    QVERIFY(view->Layout().Size().height() + 2 * StepsView::kMargin <= view->height());
    QVERIFY(view->width() > scroll->viewport()->width() ? scroll->horizontalScrollBar()->maximum() > 0 : true);
}

QTEST_MAIN(TestStepsWindow)
#include "tst_steps_window.moc"
