#include "app/mainwindow.h"

#include <QApplication>
#include <QMainWindow>

#include <iostream>

#include "app/sample.h"
#include "qt/controlwidget.h"
#include "ternary/ternagram.h"

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
    QApplication::setApplicationName("Liquidus");
    TTernagram diagram;
    LoadSampleDiagram(diagram);
    QMainWindow window;
    auto* view = new TControlWidget(diagram);
    window.setCentralWidget(view);
    window.resize(798, 567);
    window.setWindowTitle("Liquidus");
    window.show();
    const int status = QApplication::exec();
    // The widget detaches from the diagram before the diagram goes away.
    delete window.takeCentralWidget();
    return status;
}

}  // namespace liquidus
