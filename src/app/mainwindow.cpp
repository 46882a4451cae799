#include "app/mainwindow.h"

#include <QApplication>
#include <QMessageBox>
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

int RunWindow(int argc, char** argv) {
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
    if (!infoForm.LoadFile(QString::fromLatin1(kInfoFileName), &error)) {
        // Over the splash, which stays on top of everything else.
        QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), error,
                        QMessageBox::Ok, splash.get());
        box.exec();
    }
    mainForm.SetAboutBox(&aboutBox);
    mainForm.SetInfoForm(&infoForm);

    splash->hide();
    splash.reset();

    if (RunDisplayChecks()) {
        return 0;
    }
    mainForm.showMaximized();
    return QApplication::exec();
}

}  // namespace liquidus
