// SPDX-License-Identifier: MIT
#pragma once

#include "exact_steps.h"
#include "math_text.h"

#include <QWidget>

#include <map>
#include <optional>

class QPushButton;

// The worked steps drawn as a textbook prints them (StepsLayout), as wide as
// the window and as tall as the steps; too narrow for a part that cannot
// break, it keeps that part's width and the window scrolls. What a screen
// reader reads of it is the plain text, line for line what 「コピー」 copies.
class StepsView final : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString plainText READ PlainText)

public:
    explicit StepsView(QWidget* parent = nullptr);

    void SetSteps(const WorkedSteps& steps);
    const WorkedSteps& Steps() const { return steps; }

    // The steps as plain text, or the words shown when there are none.
    QString PlainText() const { return plain; }

    // The type the steps are drawn in: the screens' body text, a little
    // larger, so that exponents stay readable.
    QFont StepsFont() const;

    // The layout as drawn now.
    const StepsLayout& Layout() const { return *layout; }

    // Room around the drawing.
    static constexpr int kMargin = 12;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Relayout();

    WorkedSteps steps;
    QString plain;
    std::optional<StepsLayout> layout;
    int narrowest = 0; // the widest part that cannot break
    int natural = 0; // the width of the steps with no line broken
    // Heights already worked out, by width: a window asks for them again
    // and again while it settles.
    mutable std::map<int, int> heights;
};

// The window of one calculator's steps, titled for it: the steps, and
// buttons to copy them as plain text or LaTeX, save them as a PDF and close.
// Ctrl+C copies the plain text and Esc closes it. It is not modal: the
// calculator stays in use beside it.
class StepsWindow final : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString plainText READ PlainText)

public:
    // `caption` is the calculator's own window title ("２次方程式－Kalvora").
    explicit StepsWindow(const QString& caption);

    static QString TitleFor(const QString& caption);

    void SetSteps(const WorkedSteps& steps);
    QString PlainText() const;

    // Prints the steps on A4 pages, a step never split over two pages unless
    // it is longer than one; false when the file cannot be written.
    bool SavePdf(const QString& path) const;

    // The font the PDF is printed in: a TrueType Japanese font where there
    // is one, since the PDF keeps only those as text that can be searched and
    // copied.
    static QFont PdfFont();

    // Room for the steps as they come, up to a comfortable reading size.
    QSize sizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CopyPlain() const;
    void CopyLatex() const;
    void AskPdf();

    StepsView* txtSteps;
    QPushButton* cmdCopySteps;
    QPushButton* cmdCopyLatex;
    QPushButton* cmdSaveSteps;
    QPushButton* cmdCloseSteps;
};
