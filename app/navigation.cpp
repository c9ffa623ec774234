// SPDX-License-Identifier: MIT
#include "navigation.h"

#include "calculator_screen.h"
#include "menu_screen.h"
#include "version_screen.h"

#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace {

// The open windows by form name. A window that is registered but no longer
// visible has been closed and is only waiting for its deferred deletion.
QHash<QString, QPointer<QWidget>>& OpenWindows()
{
    static QHash<QString, QPointer<QWidget>> windows;
    return windows;
}

QWidget* Show(const QString& formName, const std::function<QWidget*()>& create)
{
    QPointer<QWidget>& slot = OpenWindows()[formName];
    if (!slot || !slot->isVisible()) {
        QWidget* window = create();
        window->setObjectName(formName);
        window->setAttribute(Qt::WA_DeleteOnClose);
        slot = window;
    }
    slot->show();
    slot->raise();
    slot->activateWindow();
    return slot;
}

} // namespace

namespace Navigation {

QWidget* ShowCalculator(const CalculatorKind& kind)
{
    return Show(QLatin1String(kind.form->className()), [&] {
        CalculatorScreen* screen = kind.create();
        QObject::connect(screen, &CalculatorScreen::BackRequested, screen, [screen] {
            ShowMenu();
            Unload(screen);
        });
        screen->Form_Load();
        return screen;
    });
}

QWidget* ShowMenu()
{
    return Show(QStringLiteral("frmOpening"), [] { return new frmOpening; });
}

QWidget* ShowVersion()
{
    return Show(QStringLiteral("frmVersion"), [] { return new frmVersion; });
}

void Unload(QWidget* window)
{
    window->close();
}

void EndProgram()
{
    // Leaves the event loop without sending close events, so no window's
    // handlers run; the caller of exec() then destroys what is left.
    QCoreApplication::exit(0);
}

} // namespace Navigation
