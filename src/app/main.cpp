#include <QGuiApplication>

#include <iostream>
#include <string>
#include <vector>

#include "app/cli/commandline.h"
#include "app/mainwindow.h"

namespace {
// The command line promises one line on stderr for an error; Qt's own
// start-up chatter (runtime directories, fonts) must not add to it.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::cerr << message.toStdString() << '\n';
    }
}
}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const bool noSettings = liquidus::TakeNoSettings(args);
    if (liquidus::IsCommandLineMode(args)) {
        // Rendering needs fonts but no display.
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        qInstallMessageHandler(QuietMessages);
        // Qt sees only the program name: every option is ours to report.
        int qtArgc = 1;
        QGuiApplication app(qtArgc, argv);
        return liquidus::RunCommandLine(args, std::cin, std::cout, std::cerr);
    }
    // The command line never reads settings; the window may be told not to.
    return liquidus::RunWindow(argc, argv, liquidus::WindowDiagramFile(args), !noSettings);
}
