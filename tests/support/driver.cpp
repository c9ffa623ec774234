// SPDX-License-Identifier: MIT
#include "driver.h"

#include "application.h"
#include "navigation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <algorithm>

namespace Driver {

namespace {

// The offscreen platform notes every window it cannot raise or resize by
// hint; those notes say nothing about the program.
QtMessageHandler previousHandler = nullptr;

void QuietenPlatformNotes()
{
    previousHandler
        = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
              if (type == QtWarningMsg && text.startsWith(QLatin1String("This plugin does not support")))
                  return;
              previousHandler(type, context, text);
          });
}

} // namespace

void Settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void CloseAll()
{
    QList<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets())
        windows.append(window);
    for (const QPointer<QWidget>& window : windows)
        delete window.data();
    Settle();
}

void StartFresh()
{
    CloseAll();
    static bool started = false;
    if (!started) {
        QuietenPlatformNotes();
        // The real start-up, once: names, font, the menu.
        StartKalvora(*qobject_cast<QApplication*>(QCoreApplication::instance()));
        started = true;
    } else {
        Navigation::ShowMenu();
    }
}

void OpenFromMenu(const QString& menuButton)
{
    StartFresh();
    Click(kMenu, menuButton);
}

QStringList OpenWindows()
{
    QStringList names;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible())
            names.append(window->objectName());
    std::sort(names.begin(), names.end());
    return names;
}

QWidget* Window(const QString& formName)
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->objectName() == formName)
            return window;
    return nullptr;
}

void Click(const QString& formName, const QString& button)
{
    auto* target = Control<QAbstractButton>(formName, button);
    if (!target)
        qFatal("no button %s on %s", qPrintable(button), qPrintable(formName));
    QTest::mouseClick(target, Qt::LeftButton);
    Settle();
}

void Type(const QString& formName, const QString& box, const QString& text)
{
    auto* target = Control<QLineEdit>(formName, box);
    if (!target)
        qFatal("no box %s on %s", qPrintable(box), qPrintable(formName));
    target->clear();
    // ASCII is typed key by key; anything else arrives as a Japanese input
    // method delivers it, committed as a whole.
    QString ascii;
    QString composed;
    const auto flush = [&] {
        if (!ascii.isEmpty())
            QTest::keyClicks(target, ascii);
        if (!composed.isEmpty()) {
            QInputMethodEvent commit;
            commit.setCommitString(composed);
            QCoreApplication::sendEvent(target, &commit);
        }
        ascii.clear();
        composed.clear();
    };
    for (const QChar c : text) {
        if ((c.unicode() < 0x80) != composed.isEmpty())
            flush();
        (c.unicode() < 0x80 ? ascii : composed) += c;
    }
    flush();
}

void TypeAll(const QString& formName, const QStringList& boxes, const QStringList& texts)
{
    for (int i = 0; i < boxes.size(); ++i)
        Type(formName, boxes[i], texts.value(i));
}

void Fill(const QString& formName, const Inputs& inputs)
{
    for (const auto& [box, text] : inputs)
        Type(formName, box, text);
}

QStringList Read(const QString& formName, const Shown& shown)
{
    QStringList texts;
    for (const auto& [label, text] : shown)
        texts << label + QLatin1Char('=') + Text(formName, label);
    return texts;
}

QStringList Expected(const Shown& shown)
{
    QStringList texts;
    for (const auto& [label, text] : shown)
        texts << label + QLatin1Char('=') + text;
    return texts;
}

bool IsResult(const QWidget* control)
{
    return qobject_cast<const QLabel*>(control) && control->objectName().startsWith(QLatin1String("lbl"));
}

QList<QLabel*> Results(const QString& formName)
{
    QWidget* window = Window(formName);
    if (!window)
        qFatal("no window %s", qPrintable(formName));
    QList<QLabel*> results;
    for (QLabel* label : window->findChildren<QLabel*>())
        if (IsResult(label))
            results.append(label);
    return results;
}

QString Text(const QString& formName, const QString& control)
{
    QWidget* widget = Control(formName, control);
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* box = qobject_cast<QLineEdit*>(widget))
        return box->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    qFatal("no text control %s on %s", qPrintable(control), qPrintable(formName));
}

QStringList Texts(const QString& formName, const QStringList& controls)
{
    QStringList texts;
    for (const QString& control : controls)
        texts.append(Text(formName, control));
    return texts;
}

QRect InWindow(const QString& formName, const QString& control)
{
    QWidget* widget = Control(formName, control);
    if (!widget)
        qFatal("no control %s on %s", qPrintable(control), qPrintable(formName));
    return {widget->mapTo(widget->window(), QPoint(0, 0)), widget->size()};
}

QStringList TabOrder(const QString& formName, const QString& first, int count)
{
    QWidget* window = Window(formName);
    QWidget* widget = Control(formName, first);
    QStringList order;
    while (widget && order.size() < count) {
        order.append(widget->objectName());
        do
            widget = widget->nextInFocusChain();
        while (widget != window && !((widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(window)));
        if (widget == window)
            break;
    }
    return order;
}

QString FocusedName()
{
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
}

std::optional<Message> CaptureMessage(const std::function<void()>& action)
{
    std::optional<Message> seen;
    QTimer watcher;
    watcher.setInterval(2);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || seen)
            return;
        Message message{
            box->windowTitle(), box->text(), {}, box->icon(), box->windowModality() == Qt::ApplicationModal};
        for (QAbstractButton* button : box->buttons())
            message.buttons.append(button->text());
        seen = message;
        box->buttons().constFirst()->click();
    });
    watcher.start();
    action();
    watcher.stop();
    return seen;
}

std::optional<Message> ClickForMessage(const QString& formName, const QString& button)
{
    return CaptureMessage([&] { Click(formName, button); });
}

QString MessageMismatch(const std::optional<Message>& shown, const QString& text)
{
    if (!shown)
        return QStringLiteral("no message box; expected \"%1\"").arg(text);
    QStringList faults;
    const auto check = [&faults](bool good, const QString& what, const QString& seen, const QString& wanted) {
        if (!good)
            faults.append(QStringLiteral("%1 \"%2\", expected \"%3\"").arg(what, seen, wanted));
    };
    check(shown->title == QLatin1String("Kalvora"), QStringLiteral("title"), shown->title, QStringLiteral("Kalvora"));
    check(shown->text == text, QStringLiteral("text"), shown->text, text);
    check(shown->buttons == QStringList{QStringLiteral("OK")}, QStringLiteral("buttons"),
        shown->buttons.join(QLatin1Char(',')), QStringLiteral("OK"));
    check(shown->icon == QMessageBox::NoIcon, QStringLiteral("icon"), QString::number(shown->icon),
        QString::number(QMessageBox::NoIcon));
    check(shown->applicationModal, QStringLiteral("modality"), QStringLiteral("not application-modal"),
        QStringLiteral("application-modal"));
    return faults.join(QStringLiteral("; "));
}

namespace {

// A tip that is told to hide lingers a moment before it goes; wait it out,
// so that what one look saw is not taken for the next one's.
void HideToolTip()
{
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000))
        QTest::qFail("a tool tip does not hide", __FILE__, __LINE__);
}

} // namespace

QString ToolTipShown(QWidget* control)
{
    HideToolTip();
    const QPoint at = control->rect().center();
    QHelpEvent help(QEvent::ToolTip, at, control->mapToGlobal(at));
    QCoreApplication::sendEvent(control, &help);
    const QString shown = QToolTip::isVisible() ? QToolTip::text() : QString();
    HideToolTip();
    return shown;
}

} // namespace Driver
