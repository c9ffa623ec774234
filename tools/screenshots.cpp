// SPDX-License-Identifier: MIT
// Renders every screen in a typical filled-in state to PNG files, the way the
// README shows them. Not part of the installed program.
//   QT_QPA_PLATFORM=offscreen build/tools/screenshots docs/screenshots
//   QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 build/tools/screenshots docs/screenshots
// With --samples the steps windows show hand-built steps instead of the
// exact module's.
// Files are named after the screen, with "@2x" at scale 2.

#include "driver.h"
#include "navigation.h"
#include "steps_samples.h"
#include "steps_window.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QRadioButton>
#include <QTimer>

#include <cstdio>
#include <utility>
#include <vector>

namespace {

struct Shot {
    QString file; // without extension
    QString menuButton; // empty: the menu itself
    QString form;
    QString option; // a size option to choose first, if any
    std::vector<std::pair<QString, QString>> input;
    QString calculate; // the calculate button, empty: none
    bool exact = false; // shown with 「分数・√で表示」 ticked
    bool steps = false; // the steps window of the calculation, not the screen
};

// Set by --samples: the steps windows show hand-built steps, to look at the
// layout apart from the exact module's steps.
bool samples = false;

std::vector<Shot> Shots()
{
    return {
        {"menu", "", "frmOpening", "", {}, ""},
        // The exact view: surd roots, an inverse in fractions, a surd area.
        {"quadratic-exact", "cmd2ji", "frm2ji", "", {{"txtRP_0", "1"}, {"txtRP_1", "-1"}, {"txtRP_2", "-1"}},
            "Command3", true},
        {"inverse-exact", "cmdReverse", "frmGyaku", "optGen_1",
            {{"txtNum_1", "4"}, {"txtNum_2", "7"}, {"txtNum_3", "2"}, {"txtNum_6", "3"}, {"txtNum_7", "6"},
                {"txtNum_8", "1"}, {"txtNum_11", "2"}, {"txtNum_12", "5"}, {"txtNum_13", "3"}},
            "Command3", true},
        // Singular only in exact arithmetic: words instead of numbers.
        {"inverse-singular", "cmdReverse", "frmGyaku", "optGen_1",
            {{"txtNum_1", "0.1"}, {"txtNum_2", "0.2"}, {"txtNum_3", "0.3"}, {"txtNum_6", "0.4"}, {"txtNum_7", "0.5"},
                {"txtNum_8", "0.6"}, {"txtNum_11", "0.7"}, {"txtNum_12", "0.8"}, {"txtNum_13", "0.9"}},
            "Command3", true},
        {"simultaneous-singular", "cmdRenritu", "frmRenritu", "optGen_1",
            {{"txtNum_1", "0.1"}, {"txtNum_2", "0.2"}, {"txtNum_3", "0.3"}, {"txtNumA_1", "1"}, {"txtNum_6", "0.4"},
                {"txtNum_7", "0.5"}, {"txtNum_8", "0.6"}, {"txtNumA_2", "2"}, {"txtNum_11", "0.7"},
                {"txtNum_12", "0.8"}, {"txtNum_13", "0.9"}, {"txtNumA_3", "3"}},
            "Command3", true},
        // Complex roots with roots in both parts, and negative imaginary
        // parts written with their sign apart: x⁴ + x² + 1.
        {"quartic-exact", "cmd4ji", "frm4ji", "", {{"txtRNum_0", "1"}, {"txtRNum_2", "1"}, {"txtRNum_4", "1"}},
            "Command3", true},
        {"triangle-exact", "cmdMenseki", "frmSankaku", "", {{"txtH_0", "2"}, {"txtH_1", "3"}, {"txtH_2", "4"}},
            "cmdKeisan", true},
        {"version", "cmdVersion", "frmVersion", "", {}, ""},
        // The steps windows: the working of the calculations below.
        {"steps-gcd", "cmdKouyakusuu", "frmKouyaku", "", {{"txtNum_0", "1071"}, {"txtNum_1", "462"}}, "Command1", false,
            true},
        {"steps-quadratic", "cmd2ji", "frm2ji", "", {{"txtRP_0", "2"}, {"txtRP_1", "-3"}, {"txtRP_2", "-1"}},
            "Command3", false, true},
        {"steps-cubic", "cmd3ji", "frm3ji", "",
            {{"txtNumR_0", "1"}, {"txtNumR_1", "-3"}, {"txtNumR_2", "-10"}, {"txtNumR_3", "24"}}, "Command3", false,
            true},
        {"steps-quartic", "cmd4ji", "frm4ji", "", {{"txtRNum_0", "1"}, {"txtRNum_2", "-6"}, {"txtRNum_4", "1"}},
            "Command3", false, true},
        {"steps-sigma", "cmdSiguma", "frmSiguma", "",
            {{"txtLast", "10"}, {"txtFirst", "1"}, {"txt3jou", "1"}, {"txt2jou", "2"}, {"txt1jou", "0.5"},
                {"txt0jou", "-3"}},
            "cmdKeisan", false, true},
        {"steps-simultaneous", "cmdRenritu", "frmRenritu", "optGen_1",
            {{"txtNum_1", "1"}, {"txtNum_2", "1"}, {"txtNum_3", "1"}, {"txtNumA_1", "6"}, {"txtNum_6", "2"},
                {"txtNum_7", "-1"}, {"txtNum_8", "3"}, {"txtNumA_2", "9"}, {"txtNum_11", "1"}, {"txtNum_12", "2"},
                {"txtNum_13", "-1"}, {"txtNumA_3", "2"}},
            "Command3", false, true},
        {"steps-determinant", "cmdGyouretusiki", "frmGyouretusiki", "optGen_1",
            {{"txtNum_1", "1"}, {"txtNum_2", "2"}, {"txtNum_3", "3"}, {"txtNum_6", "0"}, {"txtNum_7", "5"},
                {"txtNum_8", "2"}, {"txtNum_11", "7"}, {"txtNum_12", "1"}, {"txtNum_13", "6"}},
            "Command3", false, true},
        {"steps-inverse", "cmdReverse", "frmGyaku", "optGen_1",
            {{"txtNum_1", "2"}, {"txtNum_2", "1"}, {"txtNum_3", "1"}, {"txtNum_6", "1"}, {"txtNum_7", "3"},
                {"txtNum_8", "2"}, {"txtNum_11", "1"}, {"txtNum_12", "0"}, {"txtNum_13", "0"}},
            "Command3", false, true},
        {"steps-triangle", "cmdMenseki", "frmSankaku", "", {{"txtH_0", "3"}, {"txtH_1", "6"}, {"txtH_2", "7"}},
            "cmdKeisan", false, true},
        {"gcd", "cmdKouyakusuu", "frmKouyaku", "", {{"txtNum_0", "1071"}, {"txtNum_1", "462"}}, "Command1"},
        {"sigma", "cmdSiguma", "frmSiguma", "",
            {{"txtLast", "10"}, {"txtFirst", "1"}, {"txt3jou", "1"}, {"txt2jou", "2"}, {"txt1jou", "0.5"},
                {"txt0jou", "-3"}},
            "cmdKeisan"},
        {"triangle", "cmdMenseki", "frmSankaku", "", {{"txtH_0", "5"}, {"txtH_1", "7"}, {"txtK_2", "30"}}, "cmdKeisan"},
        {"quadratic", "cmd2ji", "frm2ji", "", {{"txtRP_0", "1"}, {"txtRP_1", "-2"}, {"txtRP_2", "5"}}, "Command3"},
        {"cubic", "cmd3ji", "frm3ji", "",
            {{"txtNumR_0", "1"}, {"txtNumR_1", "-2"}, {"txtNumR_2", "2"}, {"txtNumR_3", "-4"}}, "Command3"},
        {"quartic", "cmd4ji", "frm4ji", "",
            {{"txtRNum_0", "1"}, {"txtRNum_1", "-10"}, {"txtRNum_2", "35"}, {"txtRNum_3", "-50"}, {"txtRNum_4", "24"},
                {"txtINum_4", "1"}},
            "Command3"},
        {"simultaneous-2", "cmdRenritu", "frmRenritu", "optGen_0",
            {{"txtNum_1", "2"}, {"txtNum_2", "1"}, {"txtNumA_1", "5"}, {"txtNum_6", "1"}, {"txtNum_7", "-1"},
                {"txtNumA_2", "1"}},
            "Command3"},
        {"simultaneous-5", "cmdRenritu", "frmRenritu", "optGen_3",
            {{"txtNum_1", "2"}, {"txtNum_2", "1"}, {"txtNum_3", "-1"}, {"txtNum_4", "3"}, {"txtNum_5", "1"},
                {"txtNumA_1", "12.5"}, {"txtNum_6", "1"}, {"txtNum_7", "-3"}, {"txtNum_8", "2"}, {"txtNum_10", "4"},
                {"txtNumA_2", "-7"}, {"txtNum_11", "4"}, {"txtNum_12", "1"}, {"txtNum_13", "1"}, {"txtNum_14", "-2"},
                {"txtNum_15", "1"}, {"txtNumA_3", "3"}, {"txtNum_16", "-1"}, {"txtNum_18", "5"}, {"txtNum_19", "1"},
                {"txtNum_20", "-1"}, {"txtNumA_4", "0.25"}, {"txtNum_21", "3"}, {"txtNum_22", "2"}, {"txtNum_23", "1"},
                {"txtNum_24", "1"}, {"txtNum_25", "2"}, {"txtNumA_5", "10"}},
            "Command3"},
        {"determinant-2", "cmdGyouretusiki", "frmGyouretusiki", "optGen_0",
            {{"txtNum_1", "1"}, {"txtNum_2", "2"}, {"txtNum_6", "3"}, {"txtNum_7", "4"}}, "Command3"},
        {"determinant-5", "cmdGyouretusiki", "frmGyouretusiki", "optGen_3",
            {{"txtNum_1", "2"}, {"txtNum_2", "1"}, {"txtNum_4", "-3"}, {"txtNum_5", "1.5"}, {"txtNum_6", "4"},
                {"txtNum_7", "1"}, {"txtNum_8", "7"}, {"txtNum_10", "2"}, {"txtNum_11", "-1"}, {"txtNum_13", "3"},
                {"txtNum_14", "5"}, {"txtNum_15", "1"}, {"txtNum_17", "2"}, {"txtNum_18", "1"}, {"txtNum_19", "8"},
                {"txtNum_21", "6"}, {"txtNum_22", "-2"}, {"txtNum_23", "4"}, {"txtNum_24", "1"}, {"txtNum_25", "9"}},
            "Command3"},
        {"inverse-2", "cmdReverse", "frmGyaku", "optGen_0",
            {{"txtNum_1", "4"}, {"txtNum_2", "7"}, {"txtNum_6", "2"}, {"txtNum_7", "6"}}, "Command3"},
        {"inverse-5", "cmdReverse", "frmGyaku", "optGen_3",
            {{"txtNum_1", "2"}, {"txtNum_2", "1"}, {"txtNum_4", "-3"}, {"txtNum_5", "1.5"}, {"txtNum_6", "4"},
                {"txtNum_7", "1"}, {"txtNum_8", "7"}, {"txtNum_10", "2"}, {"txtNum_11", "-1"}, {"txtNum_13", "3"},
                {"txtNum_14", "5"}, {"txtNum_15", "1"}, {"txtNum_17", "2"}, {"txtNum_18", "1"}, {"txtNum_19", "8"},
                {"txtNum_21", "6"}, {"txtNum_22", "-2"}, {"txtNum_23", "4"}, {"txtNum_24", "1"}, {"txtNum_25", "9"}},
            "Command3"},
    };
}

bool Render(const Shot& shot, const QDir& directory)
{
    Driver::StartFresh();
    if (!shot.menuButton.isEmpty()) {
        if (shot.menuButton == QLatin1String("cmdVersion"))
            Navigation::ShowVersion();
        else
            Driver::Click(QStringLiteral("frmOpening"), shot.menuButton);
    }
    if (!shot.option.isEmpty())
        Driver::Click(shot.form, shot.option);
    for (const auto& [box, text] : shot.input)
        Driver::Type(shot.form, box, text);
    if (!shot.calculate.isEmpty())
        Driver::ClickForMessage(shot.form, shot.calculate);
    if (shot.exact) {
        Driver::Click(shot.form, QStringLiteral("chkExact"));
        // The exact forms are worked out on a worker thread: wait for them.
        QElapsedTimer waited;
        waited.start();
        bool working = true;
        while (Driver::Window(shot.form)
            && QMetaObject::invokeMethod(Driver::Window(shot.form), "ExactWorking", Q_RETURN_ARG(bool, working))
            && working && waited.elapsed() < 30000)
            QTest::qWait(10);
    }

    QString form = shot.form;
    if (shot.steps) {
        Driver::Click(shot.form, QStringLiteral("cmdSteps"));
        form = QStringLiteral("frmSteps");
        auto* steps = qobject_cast<StepsWindow*>(Driver::Window(form));
        if (steps && samples) {
            const QString file = shot.file;
            steps->SetSteps(file.endsWith(QLatin1String("gcd")) ? Samples::Gcd()
                    : file.endsWith(QLatin1String("quadratic")) ? Samples::Quadratic()
                                                                : Samples::Sigma());
            steps->resize(steps->sizeHint());
        }
        QTest::qWait(50);
    }
    QWidget* window = Driver::Window(form);
    if (!window) {
        std::fprintf(stderr, "screenshots: %s did not open\n", qPrintable(form));
        return false;
    }
    const QPixmap picture = window->grab();
    const QString suffix = picture.devicePixelRatio() > 1.5 ? QStringLiteral("@2x") : QString();
    const QString path = directory.filePath(shot.file + suffix + QStringLiteral(".png"));
    if (!picture.save(path)) {
        std::fprintf(stderr, "screenshots: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(path), picture.width(), picture.height());
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("KALVORA_EXACT_MODULE"))
        qputenv("KALVORA_EXACT_MODULE", KALVORA_EXACT_MODULE_PATH);
    QApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    samples = arguments.removeAll(QStringLiteral("--samples")) > 0;
    const QDir directory(arguments.isEmpty() ? QStringLiteral("docs/screenshots") : arguments.first());
    QDir().mkpath(directory.path());
    bool ok = true;
    for (const Shot& shot : Shots())
        ok = Render(shot, directory) && ok;
    Driver::CloseAll();
    return ok ? 0 : 1;
}
