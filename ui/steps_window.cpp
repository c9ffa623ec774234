// SPDX-License-Identifier: MIT
#include "steps_window.h"

#include "accessibility.h"
#include "message_box.h"
#include "steps_text.h"
#include "widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QBoxLayout>
#include <QClipboard>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStandardPaths>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace {

// The steps as a screen reader meets them: a read-only text named 「途中式」,
// holding the plain text, line for line, through the text interface.
class StepsText : public AccessibleText {
public:
    explicit StepsText(StepsView* view)
        : AccessibleText(view, QAccessible::EditableText)
    {
    }

    // A text to read, line by line, as a read-only text view offers it.
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        return state;
    }

    QString text(QAccessible::Text kind) const override
    {
        switch (kind) {
        case QAccessible::Name: return QStringLiteral("途中式");
        case QAccessible::Description:
        case QAccessible::Value: return Value();
        default: return QAccessibleWidget::text(kind);
        }
    }

protected:
    QString Value() const override { return static_cast<StepsView*>(widget())->PlainText(); }
};

QAccessibleInterface* StepsFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("StepsView"))
        return new StepsText(static_cast<StepsView*>(object));
    return nullptr;
}

// The dots an inch the layout measures type at; the PDF is drawn at the
// same, so that what is measured is what is printed.
int LayoutDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? int(std::lround(screen->logicalDotsPerInchY())) : 96;
}

} // namespace

StepsView::StepsView(QWidget* parent)
    : QWidget(parent)
{
    InstallAccessibility();
    static const bool installed = [] {
        QAccessible::installFactory(&StepsFactory);
        return true;
    }();
    (void)installed;
    setObjectName(QStringLiteral("txtSteps"));
    setFocusPolicy(Qt::StrongFocus);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    SetSteps({});
}

QFont StepsView::StepsFont() const
{
    QFont type = font();
    if (type.pointSizeF() > 0)
        type.setPointSizeF(type.pointSizeF() * 1.25);
    return type;
}

void StepsView::SetSteps(const WorkedSteps& worked)
{
    steps = worked;
    plain = steps.steps.empty() ? StepsLayout::NoStepsText() : QString::fromStdString(::PlainText(steps));
    heights.clear();
    layout.reset();
    // Every break taken: the widest part left cannot break.
    narrowest = int(std::ceil(StepsLayout(steps, StepsFont(), 1).Size().width())) + 2 * kMargin;
    const StepsLayout unbroken(steps, StepsFont(), 0);
    natural = int(std::ceil(unbroken.Size().width())) + 2 * kMargin;
    heights[natural] = int(std::ceil(unbroken.Size().height())) + 2 * kMargin;
    Relayout();
    updateGeometry();
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent changed(this, QAccessible::TextUpdated);
        QAccessible::updateAccessibility(&changed);
        QAccessibleEvent value(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&value);
    }
}

void StepsView::Relayout()
{
    const double room = std::max(1, width() - 2 * kMargin);
    if (!layout || layout->Width() != room)
        layout.emplace(steps, StepsFont(), room);
}

int StepsView::heightForWidth(int width) const
{
    // At least as wide as the steps: as tall as they are unbroken.
    width = std::min(width, natural);
    auto found = heights.find(width);
    if (found == heights.end()) {
        const double height = StepsLayout(steps, StepsFont(), std::max(1, width - 2 * kMargin)).Size().height();
        found = heights.emplace(width, int(std::ceil(height)) + 2 * kMargin).first;
    }
    return found->second;
}

QSize StepsView::sizeHint() const
{
    const int width = std::max(narrowest, std::min(natural, 900));
    return {width, heightForWidth(width)};
}

QSize StepsView::minimumSizeHint() const
{
    // The height follows the width (heightForWidth).
    return {narrowest, 2 * kMargin};
}

void StepsView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    layout->Draw(painter, QPointF(kMargin, kMargin));
}

void StepsView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Relayout();
}

void StepsView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        SetSteps(steps);
    }
}

QString StepsWindow::TitleFor(const QString& caption)
{
    QString name = caption;
    name.remove(QStringLiteral("－Kalvora"));
    return QStringLiteral("途中式（%1）－Kalvora").arg(name);
}

StepsWindow::StepsWindow(const QString& caption)
{
    setObjectName(QStringLiteral("frmSteps"));
    setWindowTitle(TitleFor(caption));
    setAttribute(Qt::WA_DeleteOnClose);

    txtSteps = new StepsView;
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(txtSteps);
    scroll->setWidgetResizable(true);
    scroll->setBackgroundRole(QPalette::Base);
    // What holds the view is announced by the same name as the view.
    scroll->setAccessibleName(QStringLiteral("途中式"));
    scroll->viewport()->setAccessibleName(QStringLiteral("途中式"));

    cmdCopySteps = MakeButton(this, QStringLiteral("cmdCopySteps"), QStringLiteral("コピー"));
    cmdCopyLatex = MakeButton(this, QStringLiteral("cmdCopyLatex"), QStringLiteral("LaTeX でコピー"));
    cmdSaveSteps = MakeButton(this, QStringLiteral("cmdSaveSteps"), QStringLiteral("PDF に保存…"));
    cmdCloseSteps = MakeButton(this, QStringLiteral("cmdCloseSteps"), QStringLiteral("閉じる"));
    connect(cmdCopySteps, &QPushButton::clicked, this, &StepsWindow::CopyPlain);
    connect(cmdCopyLatex, &QPushButton::clicked, this, &StepsWindow::CopyLatex);
    connect(cmdSaveSteps, &QPushButton::clicked, this, &StepsWindow::AskPdf);
    connect(cmdCloseSteps, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    for (QPushButton* button : {cmdCopySteps, cmdCopyLatex, cmdSaveSteps})
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(cmdCloseSteps);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(12, 12, 12, 12);
    root->setSpacing(10);
    root->addWidget(scroll, 1);
    root->addLayout(buttons);

    SetTabOrder({txtSteps, cmdCopySteps, cmdCopyLatex, cmdSaveSteps, cmdCloseSteps});
    txtSteps->setFocus();
}

QSize StepsWindow::sizeHint() const
{
    // As wide as the steps like to be, within reason, and then as tall as
    // they are at that width.
    const int em = fontMetrics().height();
    const QSize buttons = layout()->itemAt(1)->sizeHint();
    const int frame = 2 * 12 + 4 + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int width
        = std::clamp(txtSteps->sizeHint().width() + frame, std::max(buttons.width() + 24, em * 24), em * 52);
    const int steps = txtSteps->heightForWidth(width - frame);
    const int height = std::clamp(steps + 4, em * 8, em * 32) + buttons.height() + 34;
    return {width, height};
}

void StepsWindow::SetSteps(const WorkedSteps& steps)
{
    txtSteps->SetSteps(steps);
}

QString StepsWindow::PlainText() const
{
    return txtSteps->PlainText();
}

void StepsWindow::CopyPlain() const
{
    QGuiApplication::clipboard()->setText(PlainText());
}

void StepsWindow::CopyLatex() const
{
    const WorkedSteps& steps = txtSteps->Steps();
    QGuiApplication::clipboard()->setText(steps.steps.empty() ? QString() : QString::fromStdString(LatexText(steps)));
}

void StepsWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        CopyPlain();
        event->accept();
        return;
    }
    // Like a dialog: Esc puts it away.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void StepsWindow::AskPdf()
{
    // Qt's own dialog, the same on every desktop.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    auto* dialog = new QFileDialog(this, QStringLiteral("PDF に保存"), folder, QStringLiteral("PDF (*.pdf)"));
    dialog->setObjectName(QStringLiteral("dlgSaveSteps"));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("pdf"));
    dialog->selectFile(QStringLiteral("途中式.pdf"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& path) {
        if (!SavePdf(path))
            ShowMessage(this, QStringLiteral("PDF を保存できませんでした"));
    });
    dialog->open();
}

QFont StepsWindow::PdfFont()
{
    QFont type = QGuiApplication::font();
    const QStringList families = QFontDatabase::families(QFontDatabase::Japanese);
    for (const char* family : {"IPAPMincho", "IPAexMincho", "IPAMincho", "IPAPGothic", "IPAexGothic", "IPAGothic"}) {
        if (families.contains(QLatin1String(family))) {
            type.setFamilies({QLatin1String(family)});
            break;
        }
    }
    type.setPointSizeF(11);
    return type;
}

bool StepsWindow::SavePdf(const QString& path) const
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    writer.setResolution(LayoutDpi());
    writer.setTitle(windowTitle());
    writer.setCreator(QStringLiteral("Kalvora"));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    painter.setPen(Qt::black);
    const QRectF page = writer.pageLayout().paintRectPixels(writer.resolution());
    const QFont type = PdfFont();

    // The heading: the calculator the steps are of.
    QFont heading = type;
    heading.setPointSizeF(type.pointSizeF() * 1.2);
    heading.setBold(true);
    QString title = windowTitle();
    title.remove(QStringLiteral("－Kalvora"));
    const QFontMetricsF headingMetrics(heading);
    painter.setFont(heading);
    painter.drawText(QPointF(0, headingMetrics.ascent()), title);
    double top = headingMetrics.height() * 1.8;

    const StepsLayout layout(txtSteps->Steps(), type, page.width());
    const std::vector<StepsLayout::Line>& lines = layout.Lines();
    // A line that cannot break and is wider than the page (a matrix of long
    // fractions) is printed smaller, all of it, rather than cut off; every
    // other line keeps its size.
    const auto scaleOf = [&](std::size_t l) { return std::min(1.0, page.width() / std::max(1.0, lines[l].right)); };
    // How far a line moves the next one down the page, and how far it reaches.
    const auto advance = [&](std::size_t l) {
        const double next = l + 1 < lines.size() ? lines[l + 1].top : lines[l].top + lines[l].height;
        return (next - lines[l].top) * scaleOf(l);
    };
    const auto reach = [&](std::size_t l) { return lines[l].height * scaleOf(l); };
    double y = top; // where the next line stands on the page
    for (std::size_t l = 0; l < lines.size(); ++l) {
        bool breakHere = y + reach(l) > page.height();
        // A step starting here goes to the next page whole if it fits on one.
        if (!breakHere && l > 0 && lines[l].step != lines[l - 1].step) {
            double height = 0;
            std::size_t end = l;
            for (; end + 1 < lines.size() && lines[end + 1].step == lines[l].step; ++end)
                height += advance(end);
            height += reach(end);
            breakHere = y + height > page.height() && height <= page.height();
        }
        if (breakHere && y > 0) {
            writer.newPage();
            y = 0;
        }
        const double scale = scaleOf(l);
        painter.save();
        painter.scale(scale, scale);
        layout.Draw(painter, QPointF(0, y / scale - lines[l].top), int(l), int(l) + 1);
        painter.restore();
        y += advance(l);
    }
    return painter.end();
}
