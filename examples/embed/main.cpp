// A Qt program with Liquidus's ternary diagram in its window: a read-out of
// the composition and temperature under the mouse, and a button that opens
// a diagram file. docs/embedding.md walks through it.
//
//   embed [diagram.json] [--grab picture.png]
//
// --grab writes the window as a picture and exits instead of staying open.

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <exception>

#include "files/diagramfile.h"
#include "model/units.h"
#include "qt/diagramwidget.h"

namespace {

// "MgO 32.0  SiO2 24.0  Al2O3 44.0 (mass %)   T: 1543C"
QString ReadOut(liquidus::TTernagram& diagram, const liquidus::TFullDataPoint& point) {
    const int decimals = diagram.UnitsTotal() == 100 ? 1 : 3;
    const auto share = [decimals](const liquidus::TSubstance& substance, double value) {
        return QString::fromStdString(substance.BaseName) + ' ' +
               QString::number(value, 'f', decimals);
    };
    return share(diagram.SubstanceA(), point.A) + "  " + share(diagram.SubstanceB(), point.B) +
           "  " + share(diagram.SubstanceC(), point.C) + "  (" +
           QString::fromStdString(diagram.UnitsCaption()) + ")   T: " +
           QString::fromStdString(liquidus::FormatTemperature(point.T, diagram.TUnits()));
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString grabFile;
    if (const qsizetype at = args.indexOf("--grab"); at >= 0 && at + 1 < args.size()) {
        grabFile = args.takeAt(at + 1);
        args.removeAt(at);
    }

    QWidget window;
    window.setWindowTitle("Liquidus embedded");
    auto* view = new liquidus::TernaryDiagramWidget;
    auto* readOut = new QLabel("Move the mouse over the triangle.");
    auto* open = new QPushButton("Open diagram...");
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(view, 1);
    layout->addWidget(readOut);
    layout->addWidget(open);

    // The component has read the composition under the mouse: show it.
    QObject::connect(view, &liquidus::DiagramWidget::cursorMoved, readOut,
                     [view, readOut](const liquidus::TFullDataPoint& point) {
                         readOut->setText(ReadOut(view->diagram(), point));
                     });
    QObject::connect(view, &liquidus::DiagramWidget::cursorLeft, readOut,
                     [readOut] { readOut->clear(); });

    // A bad file leaves the diagram as it was; the error names the place.
    const auto load = [&window, view](const QString& fileName) -> QString {
        try {
            liquidus::LoadDiagramFile(fileName, view->diagram());
            window.setWindowTitle(QString::fromStdString(view->diagram().Title()));
            return {};
        } catch (const std::exception& error) {
            return fileName + ": " + QString::fromUtf8(error.what());
        }
    };
    QObject::connect(open, &QPushButton::clicked, &window, [&window, load] {
        const QString fileName = QFileDialog::getOpenFileName(&window, "Open diagram", QString(),
                                                              "Diagram files (*.json)");
        if (fileName.isEmpty()) return;
        if (const QString error = load(fileName); !error.isEmpty()) {
            QMessageBox::warning(&window, "Open diagram", error);
        }
    });

    if (!args.isEmpty()) {
        if (const QString error = load(args.first()); !error.isEmpty()) {
            qCritical("%s", qUtf8Printable(error));
            return 1;
        }
    }
    window.resize(800, 600);
    window.show();
    if (!grabFile.isEmpty()) return window.grab().save(grabFile) ? 0 : 1;
    return app.exec();
}
