#include "app/sectionsform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <stdexcept>

#include "app/mainform.h"
#include "qt/controlwidget.h"
#include "qt/printer.h"
#include "sections/section.h"
#include "ternary/ternagram.h"

namespace liquidus {

namespace {

/// The sides by their two triangle positions, in the order the list shows.
constexpr std::array<std::array<int, 2>, 3> kSides = {{{1, 2}, {2, 3}, {1, 3}}};

const TSubstance& AtPosition(const TTernagram& diagram, int position) {
    return position == 1   ? diagram.SubstanceA()
           : position == 2 ? diagram.SubstanceB()
                           : diagram.SubstanceC();
}

/// The line through the marked point parallel to the side between positions
/// `from` and `to`: the third component keeps the mark's share.
std::array<TSectionPoint, 2> ThroughMark(const TTernagram& diagram, int from, int to) {
    const TFullDataPoint& mark = diagram.MarkedPoint();
    const double shares[3] = {mark.A, mark.B, mark.C};  // percent
    const int third = 6 - from - to;
    const double kept = shares[third - 1];
    const double scale = diagram.UnitsTotal() / 100;
    std::array<TSectionPoint, 2> ends{};
    for (int end = 0; end < 2; ++end) {
        double at[3] = {0, 0, 0};
        at[third - 1] = kept;
        at[(end == 0 ? from : to) - 1] = 100 - kept;
        ends[end] = {at[0] * scale, at[1] * scale};
    }
    return ends;
}

}  // namespace

TSectionsForm::TSectionsForm(TTernagram& main, QWidget* parent) : QDialog(parent), m_main(main) {
    setObjectName(QStringLiteral("SectionsForm"));
    setWindowTitle(QStringLiteral("Liquidus sections"));
    setModal(false);
    resize(720, 560);

    m_side = new QComboBox;
    m_side->setObjectName(QStringLiteral("SideComboBox"));
    m_throughMark = new QCheckBox(QStringLiteral("Through the marked point"));
    m_throughMark->setObjectName(QStringLiteral("ThroughMarkCheckBox"));
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Section")));
    top->addWidget(m_side, 1);
    top->addWidget(m_throughMark);

    m_view = new TControlWidget(m_binagram);
    m_view->setObjectName(QStringLiteral("Binagram1"));
    m_view->setMouseTracking(true);
    m_binagram.SetFitValuesTable(true);
    m_problem = new QLabel;
    m_problem->setObjectName(QStringLiteral("ProblemLabel"));
    m_problem->hide();

    auto* switches = new QHBoxLayout;
    const auto addSwitch = [&](const char* name, const QString& caption, bool on,
                               void (TBinagram::*set)(bool)) {
        auto* box = new QCheckBox(caption);
        box->setObjectName(QString::fromLatin1(name));
        box->setChecked(on);
        (m_binagram.*set)(on);
        connect(box, &QCheckBox::toggled, this, [this, set](bool value) {
            (m_binagram.*set)(value);
            m_view->update();
        });
        switches->addWidget(box);
    };
    addSwitch("LegendCheckBox", QStringLiteral("Legend"), true, &TBinagram::SetLegend);
    addSwitch("ValuesTableCheckBox", QStringLiteral("Values Table"), true,
              &TBinagram::SetValuesTable);
    addSwitch("MouseGridCheckBox", QStringLiteral("Mouse Grid"), false, &TBinagram::SetMouseGrid);
    addSwitch("MarkModeCheckBox", QStringLiteral("Mark Mode"), true, &TBinagram::SetMarkMode);
    switches->addStretch(1);
    auto* print = new QPushButton(QStringLiteral("Print"));
    print->setObjectName(QStringLiteral("PrintButton"));
    auto* save = new QPushButton(QStringLiteral("Save"));
    save->setObjectName(QStringLiteral("SaveButton"));
    auto* exportButton = new QPushButton(QStringLiteral("Export…"));
    exportButton->setObjectName(QStringLiteral("ExportButton"));
    exportButton->setToolTip(QStringLiteral("Export picture as PNG, SVG, PDF or bitmap…"));
    switches->addWidget(print);
    switches->addWidget(save);
    switches->addWidget(exportButton);
    connect(print, &QPushButton::clicked, this, &TSectionsForm::Print);
    connect(save, &QPushButton::clicked, this, &TSectionsForm::Save);
    connect(exportButton, &QPushButton::clicked, this, &TSectionsForm::Export);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_problem);
    layout->addWidget(m_view, 1);
    layout->addLayout(switches);

    connect(m_side, &QComboBox::currentIndexChanged, this, &TSectionsForm::Refresh);
    connect(m_throughMark, &QCheckBox::toggled, this, &TSectionsForm::Refresh);
    // The section follows every change of the main diagram. A diagram being
    // replaced announces several changes in a row, so they are gathered into
    // one refresh when control returns to the event loop.
    // The main window listens too: this handler runs after the one before it.
    m_previousOnChange = m_main.OnChange;
    m_main.OnChange = [this](TComponent& sender) {
        if (m_previousOnChange) m_previousOnChange(sender);
        if (m_refreshPending) return;
        m_refreshPending = true;
        QMetaObject::invokeMethod(this, &TSectionsForm::Refresh, Qt::QueuedConnection);
    };
    Refresh();
}

TSectionsForm::~TSectionsForm() {
    m_main.OnChange = m_previousOnChange;
    // The view lets go of the diagram as it goes; Qt would delete it as a
    // child only after the diagram member is gone.
    delete m_view;
}

QString TSectionsForm::Problem() const {
    return m_problem->text();
}

void TSectionsForm::Refresh() {
    m_refreshPending = false;
    // The side names follow the orientation.
    const int chosen = std::max(m_side->currentIndex(), 0);
    {
        const QSignalBlocker quiet(m_side);
        m_side->clear();
        for (const auto& side : kSides) {
            m_side->addItem(QString::fromStdString(AtPosition(m_main, side[0]).BaseName) +
                            QStringLiteral(" – ") +
                            QString::fromStdString(AtPosition(m_main, side[1]).BaseName));
        }
        m_side->setCurrentIndex(chosen);
    }
    const bool marked = m_main.MarkMode() && m_main.MarkedPoint().Visible;
    m_throughMark->setEnabled(marked);
    if (m_binagram.Zooming()) {
        // A left press anywhere zooms out, as the user would.
        m_binagram.MouseDown(TMouseButton::mbLeft, 0, 0, 0);
        m_binagram.MouseUp(TMouseButton::mbLeft, 0, 0, 0);
    }
    const auto& side = kSides[static_cast<std::size_t>(chosen)];
    try {
        TSection section;
        if (marked && m_throughMark->isChecked()) {
            const auto ends = ThroughMark(m_main, side[0], side[1]);
            section = MakeSection(m_main, ends[0], ends[1]);
        } else {
            section = MakeSideSection(m_main, side[0], side[1]);
        }
        PresentSection(m_main, section, m_binagram);
        m_problem->clear();
        m_problem->hide();
    } catch (const std::exception& error) {
        m_problem->setText(QString::fromStdString(error.what()));
        m_problem->show();
    }
    // Also without a section: the axis still says its unit.
    m_binagram.SetTAxisTitle(TemperatureAxisTitle(m_main.TUnits()));
    m_binagram.Invalidate();
    m_view->update();
}

QString TSectionsForm::AskSaveFileName() {
    return QFileDialog::getSaveFileName(this, QString(), QString(),
                                        QString::fromLatin1(kBitmapFilter), nullptr,
                                        QFileDialog::HideNameFilterDetails);
}

void TSectionsForm::ShowMessage(const QString& text) {
    QMessageBox::information(this, QGuiApplication::applicationDisplayName(), text);
}

void TSectionsForm::Save() {
    const QString chosen = AskSaveFileName();
    if (chosen.isEmpty()) return;
    const QString name = BitmapFileName(chosen);
    try {
        m_binagram.RenderPicture()->SaveToFile(QFile::encodeName(name).toStdString());
    } catch (const std::exception& error) {
        ShowMessage(QString::fromStdString(error.what()));
    }
}

bool TSectionsForm::ConfirmOverwrite(const QString& fileName) {
    return ConfirmReplace(this, fileName);
}

std::unique_ptr<QPrinter> TSectionsForm::OpenPrinter() {
    return DefaultPrinter();
}

bool TSectionsForm::OfferPdfInstead(const QString& message) {
    return OfferPrintToPdf(this, message);
}

QString TSectionsForm::AskPdfFileName() {
    return AskPrintPdfName(this, QString());
}

std::optional<TExportRequest> TSectionsForm::AskExport(const TExportRequest& proposed) {
    TExportDialog dialog(proposed, ShownSize(m_binagram), this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Request();
}

void TSectionsForm::Print() {
    std::unique_ptr<QPrinter> printer = OpenPrinter();
    if (!printer) {
        if (!OfferPdfInstead(QString::fromLatin1(kNoPrinterMessage))) return;
        const QString fileName = AskPdfFileName();
        if (fileName.isEmpty()) return;
        printer = PdfPrinter(fileName);
    }
    try {
        // The picture in the window's proportions, across the page width.
        const int width = std::max(m_binagram.Width(), 1);
        const int height = std::max(m_binagram.Height(), 1);
        const TDrawing figure = m_binagram.RecordFigure(width, height);
        TQtPrinterTarget target(*printer);
        target.SetTitle(m_binagram.Title());
        target.BeginDoc();
        const int pageWidth = target.PageWidth();
        target.DrawFigure({0, 0, pageWidth, pageWidth * height / width}, figure);
        target.EndDoc();
    } catch (const std::exception& error) {
        ShowMessage(QString::fromStdString(error.what()));
    }
}

void TSectionsForm::Export() {
    TExportRequest proposed;
    if (m_lastExport) {
        proposed = *m_lastExport;
    } else {
        const QSize shown = ShownSize(m_binagram);
        proposed.Size = {double(shown.width()), double(shown.height()), false};
        proposed.FileName = QDir::current().filePath(QStringLiteral("section.png"));
    }
    const std::optional<TExportRequest> request = AskExport(proposed);
    if (!request || request->FileName.isEmpty()) return;
    m_lastExport = *request;
    if (QFileInfo::exists(request->FileName) && !ConfirmOverwrite(request->FileName)) return;
    if (const QString failure = WriteExport(m_binagram, *request); !failure.isEmpty()) {
        ShowMessage(failure);
    }
}

}  // namespace liquidus
