// SPDX-License-Identifier: MIT
// The steps' LaTeX compiles: every calculator's working for textbook and
// hard inputs goes into one document with amsmath, which upLaTeX (the
// Japanese LaTeX of TeX Live) must typeset without an error.
#include "steps_reading.h"
#include "worked_steps.h"

#include <QTest>

class TestStepsLatex : public QObject {
    Q_OBJECT

private slots:
    void compiles()
    {
        std::vector<WorkedSteps> all;
        all.push_back(GcdSteps({"1071", "462"}));
        all.push_back(GcdSteps({"2147483647", "2147483646"}));
        all.push_back(RootSteps({{"2", ""}, {"-3", ""}, {"-1", ""}}, {{1.781, 0}, {-0.281, 0}}));
        all.push_back(RootSteps({{"1", ""}, {"4", ""}, {"13", ""}}, {{-2, 3}, {-2, -3}}));
        all.push_back(RootSteps({{"1", "1"}, {"0.5", "-2"}, {"3", "1e-3"}}, {{-0.5, 1.5}, {0, -0.5}}));
        all.push_back(RootSteps({{"2", ""}, {"-3", ""}, {"", ""}, {"1", ""}}, {{1, 0}, {1, 0}, {-0.5, 0}}));
        all.push_back(
            RootSteps({{"0.5", ""}, {"", ""}, {"", ""}, {"-1", ""}}, {{1.26, 0}, {-0.63, 1.091}, {-0.63, -1.091}}));
        all.push_back(RootSteps({{"1", ""}, {"-1", "-2"}, {"1", ""}, {"-1", "-2"}}, {{1, 2}, {0, -1}, {0, 1}}));
        all.push_back(RootSteps({{"1", ""}, {"", ""}, {"-6", ""}, {"", ""}, {"1", ""}},
            {{2.414, 0}, {-2.414, 0}, {0.414, 0}, {-0.414, 0}}));
        all.push_back(
            RootSteps({{"2", ""}, {"-5", ""}, {"4", ""}, {"-5", ""}, {"2", ""}}, {{2, 0}, {0.5, 0}, {0, 1}, {0, -1}}));
        all.push_back(RootSteps({{"1", ""}, {"", ""}, {"", ""}, {"1", ""}, {"1", ""}},
            {{0.727, 0.934}, {0.727, -0.934}, {-0.727, 0.43}, {-0.727, -0.43}}));
        all.push_back(SigmaSteps(3, 10, {"2", "0.5", "-1", "1/3"}));
        all.push_back(SigmaSteps(0, 214, {"1.23456789012345", "-1e-300", "7", "100%"}));
        const std::optional<QString> failure = TypesetFailure(all);
        if (!failure)
            QSKIP("uplatex is not installed (scripts/install-deps.sh installs it)");
        QVERIFY2(failure->isEmpty(), qPrintable(*failure));
    }
};

QTEST_GUILESS_MAIN(TestStepsLatex)
#include "tst_steps_latex.moc"
