// SPDX-License-Identifier: MIT
#include "steps_reading.h"

#include "conversions.h"
#include "steps_text.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>
#include <fstream>

QString Plain(const WorkedSteps& steps)
{
    return QString::fromStdString(PlainText(steps));
}

QString LastLine(const WorkedSteps& steps)
{
    return steps.steps.empty() ? QString() : QString::fromStdString(PlainLine(steps.steps.back()));
}

QString ShownPart(const ExactText& exact, double decimal)
{
    const double value = std::isfinite(exact.value_as_double) ? exact.value_as_double : decimal;
    return QString::fromStdString(ExactLabelText(exact, FormatFixed(value, "0.000")));
}

QString RootText(QString re, QString im)
{
    if (im == QLatin1String("0"))
        return re;
    const QString approx = QString::fromUtf8(kApproxMark);
    static const QRegularExpression twoTerms(QStringLiteral("^-?[^(]*[0-9√][+-]"));
    if (!im.startsWith(approx) && twoTerms.match(im).hasMatch())
        return (re == QLatin1String("0") ? QString() : re + " + ") + "(" + im + ")i";
    bool minus = false;
    if (im.startsWith('-')) {
        minus = true;
        im.remove(0, 1);
    } else if (im.startsWith(approx + '-')) {
        minus = true;
        im.remove(approx.size(), 1);
    }
    const bool apart = im.contains(QStringLiteral("√")) || im.contains('/');
    const QString imaginary = (im == QLatin1String("1") ? QString() : im + (apart ? " " : "")) + "i";
    if (re == QLatin1String("0"))
        return (minus ? "-" : "") + imaginary;
    return re + (minus ? " - " : " + ") + imaginary;
}

std::optional<QString> TypesetFailure(const std::vector<WorkedSteps>& all)
{
    const QString uplatex = QStandardPaths::findExecutable(QStringLiteral("uplatex"));
    if (uplatex.isEmpty())
        return std::nullopt;
    QTemporaryDir dir;
    if (!dir.isValid())
        return QStringLiteral("no temporary folder");
    {
        std::ofstream tex(dir.filePath(QStringLiteral("steps.tex")).toStdString());
        tex << "\\documentclass{ujarticle}\n\\usepackage{amsmath}\n\\begin{document}\n";
        for (const WorkedSteps& steps : all)
            tex << LatexText(steps) << "\n\n";
        tex << "\\end{document}\n";
    }
    QProcess tex;
    tex.setWorkingDirectory(dir.path());
    tex.start(uplatex,
        {QStringLiteral("-interaction=nonstopmode"), QStringLiteral("-halt-on-error"), QStringLiteral("steps.tex")});
    if (!tex.waitForFinished(60000))
        return QStringLiteral("upLaTeX did not finish");
    if (tex.exitStatus() != QProcess::NormalExit || tex.exitCode() != 0)
        return QString::fromUtf8(tex.readAllStandardOutput().right(2000));
    return QString();
}
