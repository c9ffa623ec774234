// SPDX-License-Identifier: MIT
#include "command_line.h"

#include "version.h"

#include <QByteArray>
#include <QList>
#include <QMessageLogContext>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kUsage = "Usage: kalvora [--help | --version]\n";

constexpr const char* kHelp = "A calculator for school mathematics with a Japanese interface: greatest\n"
                              "common divisor, the sum of a cubic polynomial, triangle area, quadratic,\n"
                              "cubic and quartic equations, systems of linear equations, determinant and\n"
                              "inverse matrix. Started without arguments, it opens its menu.\n"
                              "\n"
                              "  -h, --help     show this help and exit\n"
                              "  -v, --version  show the version and exit\n";

bool Is(const char* argument, const char* shortName, const char* longName)
{
    return std::strcmp(argument, shortName) == 0 || std::strcmp(argument, longName) == 0;
}

QByteArray Variable(const char* name)
{
    return qEnvironmentVariable(name).toLocal8Bit();
}

// Qt's messages while the application object starts, passed on once it has.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
QtMessageHandler previousHandler = nullptr;
QList<HeldMessage>* heldMessages = nullptr;

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtFatalMsg) {
        heldMessages->append({type, QByteArray(context.category), text});
        return;
    }
    // The platform could not be started: Qt would abort with advice that does
    // not apply here. Say what the environment named instead.
    const QByteArray display = Variable("DISPLAY");
    const QByteArray wayland = Variable("WAYLAND_DISPLAY");
    std::fprintf(stderr, "kalvora: cannot open a window: no display answers (DISPLAY=%s, WAYLAND_DISPLAY=%s)\n",
        display.isEmpty() ? "not set" : display.constData(), wayland.isEmpty() ? "not set" : wayland.constData());
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

std::optional<int> AnswerCommandLine(int argc, char* argv[])
{
    if (argc <= 1)
        return std::nullopt;
    bool help = false;
    for (int i = 1; i < argc; ++i) {
        if (Is(argv[i], "-h", "--help"))
            help = true;
        else if (!Is(argv[i], "-v", "--version")) {
            std::fprintf(stderr, "kalvora: unknown argument '%s'\n%sTry 'kalvora --help' for more information.\n",
                argv[i], kUsage);
            return 2;
        }
    }
    if (help)
        std::printf("%s%s", kUsage, kHelp);
    else
        std::printf("kalvora %s\n", KALVORA_VERSION);
    return 0;
}

std::optional<int> CheckDisplay()
{
    const QByteArray platform = Variable("QT_QPA_PLATFORM");
    const bool display = !Variable("DISPLAY").isEmpty();
    const bool wayland = !Variable("WAYLAND_DISPLAY").isEmpty();
    // Unset, Qt picks X11 or Wayland from the session. Wayland named alone
    // may still find its default socket, so only X11 is checked by name.
    if (platform.isEmpty() && !display && !wayland) {
        std::fprintf(stderr, "kalvora: cannot open a window: neither DISPLAY nor WAYLAND_DISPLAY is set\n");
        return 1;
    }
    if ((platform == "xcb" || platform.startsWith("xcb:")) && !display) {
        std::fprintf(stderr, "kalvora: cannot open a window: DISPLAY is not set\n");
        return 1;
    }
    return std::nullopt;
}

void BeginOpeningDisplay()
{
    heldMessages = new QList<HeldMessage>;
    previousHandler = qInstallMessageHandler(HoldMessage);
}

void EndOpeningDisplay()
{
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& message : *heldMessages) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    delete heldMessages;
    heldMessages = nullptr;
}
