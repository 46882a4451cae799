#include "app/mainwindow.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QSettings>
#include <algorithm>
#include <iostream>
#include <memory>

#include "app/aboutbox.h"
#include "app/displaycheck.h"
#include "app/glyphs.h"
#include "app/infoform.h"
#include "app/mainform.h"
#include "app/splashform.h"

namespace liquidus {

namespace {
// A display is needed unless Qt was told to use another platform.
bool DisplayAvailable() {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY") ||
           qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
#else
    return true;
#endif
}
}  // namespace

std::optional<std::string> WindowDiagramFile(const std::vector<std::string>& args) {
    constexpr std::string_view kOption = "--diagram";
    std::string file;
    if (args.size() == 2 && args[0] == kOption) {
        file = args[1];
    } else if (args.size() == 1 && args[0].starts_with(std::string(kOption) + "=")) {
        file = args[0].substr(kOption.size() + 1);
    }
    // What the command line would take for another option is left to it.
    if (file.empty() || file.starts_with("--")) return std::nullopt;
    return file;
}

bool TakeNoSettings(std::vector<std::string>& args) {
    std::vector<std::string> rest = args;
    std::erase(rest, std::string("--no-settings"));
    if (rest.size() == args.size()) return false;
    if (!rest.empty() && !WindowDiagramFile(rest)) return false;
    args = std::move(rest);
    return true;
}

int RunWindow(int argc, char** argv, const std::optional<std::string>& diagramFile,
              bool useSettings) {
    if (!DisplayAvailable()) {
        std::cerr << "liquidus: no display available; use --export FILE to render the diagram "
                     "to a file (see --help)\n";
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Liquidus"));
    QApplication::setWindowIcon(ProgramIcon());

    auto splash = std::make_unique<TSplashForm>();
    splash->ShowNow();
    // The help pages are built into the program: there is no help file to
    // name, ShowHelpContents finds them.

    TMainForm mainForm;
    TAboutBox aboutBox(&mainForm);
    TInfoForm infoForm(&mainForm);
    QString error;
    if (!infoForm.LoadFile(LocateInfoFile(InstalledDataDirs()), &error)) {
        // The splash stays on top of everything: it would cover the box.
        splash->hide();
        QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), error,
                        QMessageBox::Ok);
        box.exec();
    }
    mainForm.SetAboutBox(&aboutBox);
    mainForm.SetInfoForm(&infoForm);

    splash->hide();
    splash.reset();

    if (RunDisplayChecks()) {
        return 0;
    }
    if (useSettings && qEnvironmentVariable(kNoSettingsVariable).isEmpty()) {
        mainForm.UseSettings(std::make_unique<QSettings>(QStringLiteral("liquidus"),
                                                         QStringLiteral("liquidus")));
    }
    if (mainForm.GeometryRestored()) {
        mainForm.show();
    } else {
        mainForm.showMaximized();
    }
    if (diagramFile) {
        // A file that cannot be opened is reported; the sample stays.
        mainForm.OpenDiagramFile(QFile::decodeName(QByteArray::fromStdString(*diagramFile)));
    }
    return QApplication::exec();
}

}  // namespace liquidus
