// The main window's menus, status bar and remembered settings. Every command
// is one QAction, shared by its menu entry and its button.

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QSettings>
#include <QSpinBox>
#include <QStatusBar>
#include <array>

#include "app/glyphs.h"
#include "app/mainform.h"
#include "app/radiogroup.h"
#include "qt/controlwidget.h"

namespace liquidus {

namespace {
// The panel's controls whose state is kept between runs. Showing the
// isotherms is not: it would start a scan before the window is up.
constexpr std::array kKeptRadioGroups = {"RadioGroup5",  "RadioGroup1", "RadioGroup3",
                                         "RadioGroup2",  "RadioGroup7", "RadioGroup6",
                                         "IMS",          "RadioGroup10", "RadioGroup8",
                                         "RadioGroup9"};
constexpr std::array kKeptCheckBoxes = {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4",
                                        "CheckBox8", "CheckBox6", "CheckBox7", "CheckBox5",
                                        "FieldNamesCheckBox", "InvariantPointsCheckBox",
                                        "BoundaryArrowsCheckBox"};
constexpr std::array kKeptSpinEdits = {"RxSpinEdit1", "RxSpinEdit2", "RxSpinEdit3",
                                       "HorIsothermEdit"};
// The Presentation page's switches, also in the View menu.
struct TViewSwitch {
    const char* box;
    const char* action;
    const char* text;
};
constexpr std::array kViewSwitches = {
    TViewSwitch{"CheckBox1", "LegendAction", "&Legend"},
    TViewSwitch{"CheckBox2", "ValuesTableAction", "&Values table"},
    TViewSwitch{"CheckBox4", "CoPhasesAction", "&Co-existing phases"},
    TViewSwitch{"CheckBox3", "MouseGridAction", "Mouse &grid"},
    TViewSwitch{"CheckBox8", "MarkPointsAction", "&Mark points"},
    TViewSwitch{"FieldNamesCheckBox", "FieldNamesAction", "&Field names"},
    TViewSwitch{"InvariantPointsCheckBox", "InvariantPointsAction", "&Invariant points"},
    TViewSwitch{"BoundaryArrowsCheckBox", "BoundaryArrowsAction", "Boundary &arrows"},
};

/// The platform's keys for a standard command, or the usual one where the
/// platform names none.
QList<QKeySequence> StandardKeys(QKeySequence::StandardKey key, const char* fallback) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (keys.isEmpty()) keys.append(QKeySequence(QString::fromLatin1(fallback)));
    return keys;
}

// A page with the diagram's triangle and an arrow leaving it: the picture
// going out to another program, beside the bitmap's disk.
QIcon ExportGlyph() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(1, 1, 10, 13);
    p.setBrush(QColor(0xB0, 0xFF, 0xB0));
    p.drawPolygon(QPolygon({{6, 4}, {3, 10}, {9, 10}}));
    p.setPen(QPen(QColor(0x00, 0x80, 0x00), 2));
    p.drawLine(8, 12, 14, 12);
    p.drawLine(12, 10, 14, 12);
    p.drawLine(12, 14, 14, 12);
    return QIcon(pixmap);
}

QString Share(double percent, double total) {
    return QString::number(percent * total / 100, 'f', total == 100 ? 1 : 3);
}
}  // namespace

void TMainForm::BuildActions() {
    const auto make = [this](const char* name, const QString& text, const QString& tip,
                             void (TMainForm::*slot)()) {
        auto* action = new QAction(text, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setToolTip(tip);
        connect(action, &QAction::triggered, this, slot);
        // Also on the window itself: its keys work wherever the focus is.
        addAction(action);
        return action;
    };
    m_openDiagramAction = make("OpenDiagramAction", QStringLiteral("&Open diagram…"),
                               QStringLiteral("Open diagram file…"),
                               &TMainForm::OpenDiagramButtonClick);
    m_openDiagramAction->setShortcuts(StandardKeys(QKeySequence::Open, "Ctrl+O"));
    m_openDiagramAction->setIcon(ButtonGlyph(TGlyph::OpenDiagram));
    m_saveDiagramAction = make("SaveDiagramAction", QStringLiteral("&Save diagram…"),
                               QStringLiteral("Save diagram file…"),
                               &TMainForm::SaveDiagramButtonClick);
    m_saveDiagramAction->setShortcuts(StandardKeys(QKeySequence::Save, "Ctrl+S"));
    m_saveDiagramAction->setIcon(ButtonGlyph(TGlyph::SaveDiagram));
    m_savePictureAction = make("SavePictureAction", QStringLiteral("Save &picture…"),
                               QStringLiteral("Save picture as bitmap…"),
                               &TMainForm::SaveSpeedButtonClick);
    m_savePictureAction->setIcon(ButtonGlyph(TGlyph::Save));
    m_exportPictureAction =
        make("ExportPictureAction", QStringLiteral("E&xport picture…"),
             QStringLiteral("Export picture as PNG, SVG, PDF or bitmap…"),
             &TMainForm::ExportPictureClick);
    m_exportPictureAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+E")));
    m_exportPictureAction->setIcon(ExportGlyph());
    m_printAction = make("PrintAction", QStringLiteral("&Print…"),
                         QStringLiteral("Print the diagram"), &TMainForm::PrintSpeedButtonClick);
    m_printAction->setShortcuts(StandardKeys(QKeySequence::Print, "Ctrl+P"));
    m_printAction->setIcon(ButtonGlyph(TGlyph::Print));
    m_quitAction = make("QuitAction", QStringLiteral("&Quit"), QStringLiteral("Quit Liquidus"),
                        &TMainForm::QuitClick);
    m_quitAction->setShortcuts(StandardKeys(QKeySequence::Quit, "Ctrl+Q"));
    m_quitAction->setMenuRole(QAction::QuitRole);
    m_sectionsAction = make("SectionsAction", QStringLiteral("Liquidus &sections"),
                            QStringLiteral("Liquidus sections"), &TMainForm::SectionsButtonClick);
    m_sectionsAction->setIcon(ButtonGlyph(TGlyph::Sections));
    m_helpAction = make("HelpAction", QStringLiteral("&Contents"), QStringLiteral("Help contents"),
                        &TMainForm::HelpSpeedButtonClick);
    m_helpAction->setShortcuts(StandardKeys(QKeySequence::HelpContents, "F1"));
    m_helpAction->setIcon(ButtonGlyph(TGlyph::Help));
    m_infoAction = make("InfoAction", QStringLiteral("&Info"), QStringLiteral("Info"),
                        &TMainForm::InfoSpeedButtonClick);
    m_infoAction->setIcon(ButtonGlyph(TGlyph::Info));
    m_aboutAction = make("AboutAction", QStringLiteral("&About Liquidus"),
                         QStringLiteral("About Liquidus"), &TMainForm::AboutSpeedButtonClick);
    m_aboutAction->setIcon(ButtonGlyph(TGlyph::About));
    m_aboutAction->setMenuRole(QAction::AboutRole);
}

QMenuBar* TMainForm::BuildMenuBar() {
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("MenuBar"));
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->addAction(m_openDiagramAction);
    m_recentMenu = file->addMenu(QStringLiteral("&Recent diagrams"));
    m_recentMenu->setObjectName(QStringLiteral("RecentMenu"));
    RebuildRecentMenu();
    file->addAction(m_saveDiagramAction);
    file->addSeparator();
    file->addAction(m_savePictureAction);
    file->addAction(m_exportPictureAction);
    file->addAction(m_printAction);
    file->addSeparator();
    file->addAction(m_quitAction);

    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("ViewMenu"));
    for (const TViewSwitch& row : kViewSwitches) {
        auto* action = view->addAction(QString::fromLatin1(row.text));
        action->setObjectName(QString::fromLatin1(row.action));
        action->setCheckable(true);
    }
    view->addSeparator();
    view->addAction(m_sectionsAction);

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->addAction(m_helpAction);
    help->addAction(m_infoAction);
    help->addAction(m_aboutAction);
    return bar;
}

QStatusBar* TMainForm::BuildStatusBar() {
    m_statusBar = new QStatusBar;
    m_statusBar->setObjectName(QStringLiteral("StatusBar"));
    m_statusBar->setSizeGripEnabled(false);
    m_markStatus = new QLabel;
    m_markStatus->setObjectName(QStringLiteral("MarkStatus"));
    m_scanStatus = new QLabel;
    m_scanStatus->setObjectName(QStringLiteral("ScanStatus"));
    m_scanStatus->hide();
    m_fileStatus = new QLabel;
    m_fileStatus->setObjectName(QStringLiteral("FileStatus"));
    m_statusBar->addWidget(m_markStatus, 1);
    m_statusBar->addPermanentWidget(m_scanStatus);
    m_statusBar->addPermanentWidget(m_fileStatus);
    // The panel's switches exist now: tie them to their View entries.
    for (const TViewSwitch& row : kViewSwitches) {
        auto* box = m_controlPanel->findChild<QCheckBox*>(QLatin1String(row.box));
        auto* action = findChild<QAction*>(QLatin1String(row.action));
        action->setChecked(box->isChecked());
        connect(box, &QCheckBox::toggled, action, &QAction::setChecked);
        connect(action, &QAction::toggled, box, &QCheckBox::setChecked);
    }
    return m_statusBar;
}

void TMainForm::QuitClick() {
    close();
}

void TMainForm::Ternagram1Change() {
    // The result named a composition read before the change.
    if (m_goToLabel != nullptr) m_goToLabel->clear();
    UpdateStatusBar();
}

void TMainForm::RereadMouse() {
    if (m_ternagramView) m_ternagramView->RereadMouse();
}

QString TMainForm::MarkStatusText() const {
    const TFullDataPoint& mark = m_ternagram1.MarkedPoint();
    if (!(m_ternagram1.MarkMode() && mark.Visible)) return {};
    const double total = m_ternagram1.UnitsTotal();
    return QStringLiteral("Marked point %1 / %2 / %3 — left click clears")
        .arg(Share(mark.A, total), Share(mark.B, total), Share(mark.C, total));
}

void TMainForm::UpdateStatusBar() {
    if (m_statusBar == nullptr) return;
    m_markStatus->setText(MarkStatusText());
    QString file = m_diagramFileName.isEmpty() ? QStringLiteral("Sample diagram")
                                               : QDir::toNativeSeparators(m_diagramFileName);
    // Fields that meet with different vertex temperatures: the picture shows
    // the lowest, the reader learns where.
    if (!m_diagramFileName.isEmpty() && !m_diagramNotes.isEmpty()) {
        file += QStringLiteral(" — %1 vertex temperatures disagree").arg(m_diagramNotes.size());
    }
    m_fileStatus->setText(file);
    m_fileStatus->setToolTip(m_diagramFileName.isEmpty() ? QString()
                                                         : m_diagramNotes.join(QLatin1Char('\n')));
}

void TMainForm::AddRecentDiagram(const QString& fileName) {
    m_recentDiagrams.removeAll(fileName);
    m_recentDiagrams.prepend(fileName);
    while (m_recentDiagrams.size() > kMaxRecentDiagrams) m_recentDiagrams.removeLast();
    RebuildRecentMenu();
    SaveSettings();
}

void TMainForm::RebuildRecentMenu() {
    m_recentMenu->clear();
    for (int i = 0; i < m_recentDiagrams.size(); ++i) {
        const QString file = m_recentDiagrams[i];
        QAction* action = m_recentMenu->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(file).fileName()));
        action->setToolTip(QDir::toNativeSeparators(file));
        connect(action, &QAction::triggered, this, [this, file] { OpenDiagramFile(file); });
    }
    m_recentMenu->setEnabled(!m_recentDiagrams.isEmpty());
}

void TMainForm::UseSettings(std::unique_ptr<QSettings> settings) {
    m_settings = std::move(settings);
    RestoreSettings();
}

void TMainForm::RestoreSettings() {
    if (!m_settings) return;
    QSettings& s = *m_settings;
    s.beginGroup(QStringLiteral("Panel"));
    for (const char* name : kKeptRadioGroups) {
        const QVariant value = s.value(QLatin1String(name));
        auto* group = m_controlPanel->findChild<TRadioGroup*>(QLatin1String(name));
        bool ok = false;
        const int index = value.toInt(&ok);
        // A selection that does not fit the group is ignored.
        if (ok && group->Button(index) != nullptr) group->SetItemIndex(index);
    }
    for (const char* name : kKeptSpinEdits) {
        const QVariant value = s.value(QLatin1String(name));
        if (value.isValid()) {
            m_controlPanel->findChild<QSpinBox*>(QLatin1String(name))->setValue(value.toInt());
        }
    }
    for (const char* name : kKeptCheckBoxes) {
        const QVariant value = s.value(QLatin1String(name));
        if (value.isValid()) {
            m_controlPanel->findChild<QCheckBox*>(QLatin1String(name))->setChecked(value.toBool());
        }
    }
    s.endGroup();
    m_diagramFolder = s.value(QStringLiteral("Folders/Diagrams")).toString();
    m_pictureFolder = s.value(QStringLiteral("Folders/Pictures")).toString();
    if (s.childGroups().contains(QStringLiteral("Export"))) {
        m_lastExport = RestoreExportRequest(s, ProposedExport());
    }
    m_recentDiagrams = s.value(QStringLiteral("RecentDiagrams")).toStringList();
    while (m_recentDiagrams.size() > kMaxRecentDiagrams) m_recentDiagrams.removeLast();
    RebuildRecentMenu();
    m_geometryRestored = restoreGeometry(s.value(QStringLiteral("Window/Geometry")).toByteArray());
}

void TMainForm::SaveSettings() {
    if (!m_settings) return;
    QSettings& s = *m_settings;
    s.beginGroup(QStringLiteral("Panel"));
    for (const char* name : kKeptRadioGroups) {
        s.setValue(QLatin1String(name),
                   m_controlPanel->findChild<TRadioGroup*>(QLatin1String(name))->ItemIndex());
    }
    for (const char* name : kKeptSpinEdits) {
        s.setValue(QLatin1String(name),
                   m_controlPanel->findChild<QSpinBox*>(QLatin1String(name))->value());
    }
    for (const char* name : kKeptCheckBoxes) {
        s.setValue(QLatin1String(name),
                   m_controlPanel->findChild<QCheckBox*>(QLatin1String(name))->isChecked());
    }
    s.endGroup();
    s.setValue(QStringLiteral("Folders/Diagrams"), m_diagramFolder);
    s.setValue(QStringLiteral("Folders/Pictures"), m_pictureFolder);
    if (m_lastExport) StoreExportRequest(s, *m_lastExport);
    s.setValue(QStringLiteral("RecentDiagrams"), m_recentDiagrams);
    s.setValue(QStringLiteral("Window/Geometry"), saveGeometry());
    s.sync();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    SaveSettings();
    QWidget::closeEvent(event);
}

}  // namespace liquidus
