// SPDX-License-Identifier: MIT
#pragma once

// Drives the real program's windows the way a user would: by the objectName
// of each window and control, through clicks and typing.

#include <QLabel>
#include <QList>
#include <QMessageBox>
#include <QPair>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <functional>
#include <optional>

namespace Driver {

// The menu's window, where every walk through the program starts.
inline const QString kMenu = QStringLiteral("frmOpening");

// Texts for boxes: box objectName, text.
using Inputs = QList<QPair<QString, QString>>;

// What a message box showed before the driver pressed its button.
struct Message {
    QString title;
    QString text;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool applicationModal = false;
};

// Closes every window and shows a fresh menu, as at program start.
void StartFresh();

// Starts afresh and opens a screen with the menu's button for it.
void OpenFromMenu(const QString& menuButton);

// Destroys every top-level window at once.
void CloseAll();

// Lets closed windows finish their deferred deletion.
void Settle();

// The visible top-level windows' objectNames, sorted.
QStringList OpenWindows();

// The visible top-level window with this objectName, or null.
QWidget* Window(const QString& formName);

// A control of an open window, or null when the window is not open or has no
// such control of type T. Click, Type and Text, by contrast, stop the test
// program on a missing control.
template<class T = QWidget> T* Control(const QString& formName, const QString& name)
{
    QWidget* window = Window(formName);
    return window ? window->findChild<T*>(name) : nullptr;
}

// Clicks a button with the mouse, then lets deferred deletions run.
void Click(const QString& formName, const QString& button);

// Replaces a box's text by typing, as a user would.
void Type(const QString& formName, const QString& box, const QString& text);

// Types texts into boxes, one for one; boxes beyond the texts are emptied.
void TypeAll(const QString& formName, const QStringList& boxes, const QStringList& texts);

// Types each text into its box, leaving the other boxes as they are.
void Fill(const QString& formName, const Inputs& inputs);

// Texts of results: result label objectName, text.
using Shown = QList<QPair<QString, QString>>;

// "label=text" for each label `shown` names, as the window shows it now, and
// as `shown` expects it: two lists a QCOMPARE prints side by side.
QStringList Read(const QString& formName, const Shown& shown);
QStringList Expected(const Shown& shown);

// Whether a control is one of its window's results, which the program names
// "lbl…".
bool IsResult(const QWidget* control);

// The result labels of an open window, in the order the window made them.
QList<QLabel*> Results(const QString& formName);

// The text of a label, box or button.
QString Text(const QString& formName, const QString& control);

// The texts of several controls, in order.
QStringList Texts(const QString& formName, const QStringList& controls);

// A control's rectangle in its window's coordinates.
QRect InWindow(const QString& formName, const QString& control);

// The objectNames of the first `count` controls that Tab reaches, starting at
// `first` and following the window's focus chain past hidden controls.
QStringList TabOrder(const QString& formName, const QString& first, int count);

// The objectName of the widget that has the keyboard focus, or "" when none.
QString FocusedName();

// Runs the action; if it opens a message box, records it and presses its
// (only) button. Returns what the box showed, or nothing when none opened.
std::optional<Message> CaptureMessage(const std::function<void()>& action);

// Clicks a button and returns the message it caused, if any.
std::optional<Message> ClickForMessage(const QString& formName, const QString& button);

// What is wrong with a captured message, taken as the program's one message
// box showing `text`: titled "Kalvora", a single OK button, no icon,
// application-modal. Empty when nothing is wrong.
QString MessageMismatch(const std::optional<Message>& shown, const QString& text);

// What the tool tip shows when the mouse rests on the control, or "" when no
// tip shows. The tip is gone again when this returns.
QString ToolTipShown(QWidget* control);

} // namespace Driver

// Fails the running test function unless `shown` is the program's message
// box with `text` (see MessageMismatch), saying what differs.
#define KALVORA_EXPECT_MESSAGE(shown, text)                                                                            \
    do {                                                                                                               \
        const QString mismatch_ = Driver::MessageMismatch(shown, text);                                                \
        QVERIFY2(mismatch_.isEmpty(), qPrintable(mismatch_));                                                          \
    } while (false)
