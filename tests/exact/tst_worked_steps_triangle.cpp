// SPDX-License-Identifier: MIT
#include "steps_check.h"
#include "steps_text.h"
#include "steps_triangle.h"
#include "worked_steps.h"

#include <QTest>
#include <cstdio>

class TestWorkedStepsTriangle : public QObject {
    Q_OBJECT
private slots:
    void dump()
    {
        const char* env = getenv("TRI");
        if (!env)
            return;
        QStringList parts = QString::fromUtf8(env).split('|');
        std::array<std::string, 3> h, k;
        for (int i = 0; i < 3; ++i) {
            h[i] = parts.value(i).toStdString();
            k[i] = parts.value(3 + i).toStdString();
        }
        const WorkedSteps steps = TriangleSteps(h, k);
        std::printf("%s\n", PlainText(steps).c_str());
        std::printf("LATEX %s\n", LatexText(steps).c_str());
        for (const QString& f : CheckSteps(steps))
            std::printf("FAIL %s\n", qPrintable(f));
    }
};

QTEST_GUILESS_MAIN(TestWorkedStepsTriangle)
#include "tst_worked_steps_triangle.moc"
