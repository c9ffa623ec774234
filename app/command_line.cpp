// SPDX-License-Identifier: MIT
#include "command_line.h"

#include "version.h"

#include <QList>
#include <QMessageLogContext>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

constexpr const char* kUsage = "Usage: kalvora [--help | --version]\n";

constexpr const char* kHelp = "A calculator for school mathematics with a Japanese interface: greatest\n"
                              "common divisor, the sum of a cubic polynomial, triangle area, quadratic,\n"
                              "cubic and quartic equations, systems of linear equations, determinant and\n"
                              "inverse matrix. Started without arguments, it opens its menu.\n"
                              "\n"
                              "  -h, --help     show this help and exit\n"
                              "  -v, --version  show the version and exit\n";

// How a Qt option takes its value.
enum class Value {
    None, // a switch: "-reverse"
    Next, // the next argument: "-platform offscreen"
    NextOrJoined, // the next argument or after "=": "-style Fusion", "-style=Fusion"
};

struct QtOption {
    std::string_view name; // with one dash; Qt takes every one with two as well
    Value value;
};

// The options Qt's application objects and its X11 plugin take out of the
// command line, and those of earlier Qt versions that scripts and desktop
// files still pass (Qt 6 leaves them alone, and so does the program).
constexpr QtOption kQtOptions[] = {
    // QCoreApplication
    {.name = "-qmljsdebugger", .value = Value::NextOrJoined},
    // QGuiApplication
    {.name = "-platform", .value = Value::Next},
    {.name = "-platformpluginpath", .value = Value::Next},
    {.name = "-platformtheme", .value = Value::Next},
    {.name = "-plugin", .value = Value::Next},
    {.name = "-qwindowgeometry", .value = Value::Next},
    {.name = "-qwindowicon", .value = Value::Next},
    {.name = "-qwindowtitle", .value = Value::Next},
    {.name = "-reverse", .value = Value::None},
    {.name = "-session", .value = Value::Next},
    {.name = "-style", .value = Value::NextOrJoined},
    {.name = "-testability", .value = Value::None},
    // QApplication
    {.name = "-stylesheet", .value = Value::NextOrJoined},
    {.name = "-widgetcount", .value = Value::None},
    {.name = "-qdebug", .value = Value::None},
    {.name = "-qdevel", .value = Value::None},
    // The X11 platform
    {.name = "-display", .value = Value::Next},
    {.name = "-dograb", .value = Value::None},
    {.name = "-geometry", .value = Value::Next},
    {.name = "-icon", .value = Value::Next},
    {.name = "-name", .value = Value::Next},
    {.name = "-nograb", .value = Value::None},
    {.name = "-title", .value = Value::Next},
    {.name = "-visual", .value = Value::Next},
    // Earlier Qt versions
    {.name = "-background", .value = Value::Next},
    {.name = "-bg", .value = Value::Next},
    {.name = "-btn", .value = Value::Next},
    {.name = "-button", .value = Value::Next},
    {.name = "-cmap", .value = Value::None},
    {.name = "-fg", .value = Value::Next},
    {.name = "-fn", .value = Value::Next},
    {.name = "-font", .value = Value::Next},
    {.name = "-foreground", .value = Value::Next},
    {.name = "-graphicssystem", .value = Value::Next},
    {.name = "-im", .value = Value::Next},
    {.name = "-inputstyle", .value = Value::Next},
    {.name = "-ncols", .value = Value::Next},
    {.name = "-sync", .value = Value::None},
};

// A Qt option as it stands on the command line.
struct QtArgument {
    const QtOption* option = nullptr;
    bool joined = false; // its value came after "="
};

QtArgument FindQtOption(std::string_view argument)
{
    if (argument.starts_with("--"))
        argument.remove_prefix(1);
    if (!argument.starts_with('-'))
        return {};
    for (const QtOption& option : kQtOptions) {
        if (argument == option.name)
            return {.option = &option};
        if (option.value == Value::NextOrJoined && argument.starts_with(option.name)
            && argument.substr(option.name.size()).starts_with('='))
            return {.option = &option, .joined = true};
    }
    return {};
}

bool Is(const char* argument, const char* shortName, const char* longName)
{
    return std::strcmp(argument, shortName) == 0 || std::strcmp(argument, longName) == 0;
}

int Refuse(const char* problem, const char* argument)
{
    std::fprintf(stderr, "kalvora: %s '%s'\n%sTry 'kalvora --help' for more information.\n", problem, argument, kUsage);
    return 2;
}

QByteArray Variable(const char* name)
{
    return qEnvironmentVariable(name).toLocal8Bit();
}

const char* OrNotSet(const QByteArray& value)
{
    return value.isEmpty() ? "not set" : value.constData();
}

// Qt's messages while the application object starts, passed on once it has.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
QtMessageHandler previousHandler = nullptr;
QList<HeldMessage>* heldMessages = nullptr;
QByteArray displayOption; // -display, for the message when no display answers

// The platform plugins Qt says it tried, from the messages it gave first:
// those it could not find at all and those it found but could not start.
// Messages worded otherwise count as neither, and the line falls back to the
// display that does not answer.
struct TriedPlugins {
    QStringList missing;
    QStringList failed;
};

TriedPlugins PluginsTried()
{
    TriedPlugins tried;
    for (const HeldMessage& message : *heldMessages) {
        if (message.category != "qt.qpa.plugin")
            continue;
        const QString name = QLatin1Char('"') + message.text.section(QLatin1Char('"'), 1, 1) + QLatin1Char('"');
        if (message.text.startsWith(QLatin1String("Could not find the Qt platform plugin")))
            tried.missing.append(name);
        else if (message.text.startsWith(QLatin1String("Could not load the Qt platform plugin")))
            tried.failed.append(name);
    }
    return tried;
}

// The line that says why no window can be opened, in place of Qt's abort.
QByteArray WhyNoWindow(const QString& fatalText)
{
    const TriedPlugins tried = PluginsTried();
    // Only plugins that are not installed: name them, and those that are.
    if (tried.failed.isEmpty() && !tried.missing.isEmpty()) {
        QString line = QStringLiteral("the Qt platform plugin%1 %2 could not be loaded")
                           .arg(tried.missing.size() > 1 ? QStringLiteral("s") : QString(), tried.missing.join(", "));
        const QString available = QStringLiteral("Available platform plugins are: ");
        if (const qsizetype at = fatalText.indexOf(available); at >= 0) {
            QString installed = fatalText.mid(at + available.size()).trimmed();
            if (installed.endsWith(QLatin1Char('.')))
                installed.chop(1);
            line += QStringLiteral(" (installed: %1)").arg(installed);
        }
        return line.toLocal8Bit();
    }
    // A plugin that was found but could not start is a window system that
    // does not answer: say what the environment named.
    const QByteArray wayland = Variable("WAYLAND_DISPLAY");
    const QByteArray display = displayOption.isEmpty() ? "DISPLAY=" + QByteArray(OrNotSet(Variable("DISPLAY")))
                                                       : "-display " + displayOption;
    return "no display answers (" + display + ", WAYLAND_DISPLAY=" + OrNotSet(wayland) + ")";
}

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtFatalMsg) {
        heldMessages->append({type, QByteArray(context.category), text});
        return;
    }
    // The platform could not be started: Qt would abort with advice that does
    // not apply here. Say what went wrong instead.
    std::fprintf(stderr, "kalvora: cannot open a window: %s\n", WhyNoWindow(text).constData());
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

CommandLine ReadCommandLine(int argc, char* argv[])
{
    CommandLine line;
    bool help = false;
    bool version = false;
    for (int i = 1; i < argc; ++i) {
        if (Is(argv[i], "-h", "--help")) {
            help = true;
            continue;
        }
        if (Is(argv[i], "-v", "--version")) {
            version = true;
            continue;
        }
        const QtArgument qt = FindQtOption(argv[i]);
        if (!qt.option) {
            line.answered = Refuse("unknown argument", argv[i]);
            return line;
        }
        if (qt.option->value == Value::None || qt.joined)
            continue;
        // Like Qt, the next argument is the value whatever it looks like.
        if (i + 1 == argc) {
            line.answered = Refuse("missing value after", argv[i]);
            return line;
        }
        const char* value = argv[++i];
        if (qt.option->name == "-platform")
            line.platform = value;
        else if (qt.option->name == "-display")
            line.display = value;
    }
    if (help)
        std::printf("%s%s", kUsage, kHelp);
    else if (version)
        std::printf("kalvora %s\n", KALVORA_VERSION);
    if (help || version)
        line.answered = 0;
    return line;
}

std::optional<int> CheckDisplay(const CommandLine& line)
{
    // "-platform" wins over QT_QPA_PLATFORM, "-display" over DISPLAY, as in Qt.
    const QByteArray platform = line.platform.isEmpty() ? Variable("QT_QPA_PLATFORM") : line.platform;
    const bool display = !line.display.isEmpty() || !Variable("DISPLAY").isEmpty();
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

void BeginOpeningDisplay(const CommandLine& line)
{
    displayOption = line.display;
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
