#include "app/mainform.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QProgressBar>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/glyphs.h"
#include "app/help.h"
#include "app/pagecontrol.h"
#include "app/radiogroup.h"
#include "app/sectionsform.h"
#include "sample/sample.h"
#include "app/splashform.h"
#include "canvas/rounding.h"
#include "qt/controlwidget.h"
#include "qt/printer.h"
#include "ternary/properties.h"

namespace liquidus {

namespace {
constexpr int kControlPanelWidth = 200;
constexpr int kButtonBarHeight = 30;
constexpr int kProgressBoxHeight = 46;
constexpr const char* kBitmapSuffix = ".bmp";
// Groups carry their caption in the frame line, which keeps the tall
// temperature page within the window's design height. The isotherm
// calculation groups have the background $00FFF0F0 (BGR).
constexpr const char* kPanelStyle =
    "QGroupBox { border: 1px solid palette(mid); border-radius: 2px;"
    " margin-top: 6px; padding-top: 3px; }"
    "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
    " left: 6px; padding: 0px 2px; }"
    "QGroupBox#GroupBox3, QGroupBox#GroupBox4 { background-color: #F0F0FF; }";

// Each panel control sets one published property through the registry that
// serves --set, so the panel reaches a setter exactly as the command line does.
// A radio group's items stand for the listed value texts in order; with none
// listed, the number an item shows is its value.
struct TRadioBinding {
    const char* group;
    const char* property;
    std::vector<const char*> values;
};
const std::array kRadioBindings = {
    TRadioBinding{"RadioGroup5",
                  "DataOrientation",
                  {"doDirect", "doACB", "doBAC", "doBCA", "doCAB", "doCBA"}},
    TRadioBinding{
        "RadioGroup1", "CUnits", {"cuMolPercents", "cuMolParts", "cuMassPercents", "cuMassParts"}},
    TRadioBinding{"RadioGroup3", "GridType", {"gtInnerParallel", "gtOutsideScale", "gtAllScales"}},
    TRadioBinding{"RadioGroup2", "GridSteps", {}},
    TRadioBinding{"RadioGroup7", "TCalcMethod", {"tcAltitude", "tcPolynomial", "tcMeanValue"}},
    // The list reads C, F, K; the enumeration is ordered C, K, F.
    TRadioBinding{"RadioGroup6", "TUnits", {"tuC", "tuF", "tuK"}},
    // Shown in the locale's notation, written at creation.
    TRadioBinding{"IMS", "Isotherms.MethodStep", {"0.25", "0.5", "1"}},
    TRadioBinding{"RadioGroup10", "Isotherms.Error", {}},
    TRadioBinding{"RadioGroup8", "Isotherms.Step", {}},
    TRadioBinding{"RadioGroup9", "Isotherms.GraphType", {"itPoints", "itPolyline", "itSpline"}},
};

struct TCheckBinding {
    const char* box;
    const char* property;
};
constexpr std::array kCheckBindings = {
    TCheckBinding{"CheckBox1", "Legend"},
    TCheckBinding{"CheckBox2", "ValuesTable"},
    TCheckBinding{"CheckBox3", "MouseGrid"},
    TCheckBinding{"CheckBox4", "CoPhasesTable"},
    TCheckBinding{"CheckBox8", "MarkMode"},
    TCheckBinding{"CheckBox6", "Isotherms.Smoothed"},
    TCheckBinding{"CheckBox7", "Isotherms.Simplified"},
    TCheckBinding{"CheckBox5", "Isotherms.Signed"},
    TCheckBinding{"DICheckBox", "DrawIsotherms"},
    TCheckBinding{"FieldNamesCheckBox", "FieldNames"},
    TCheckBinding{"InvariantPointsCheckBox", "InvariantPoints"},
    TCheckBinding{"BoundaryArrowsCheckBox", "BoundaryArrows"},
};

/// A count beside a switch acts only while the diagram has the switch on;
/// smoothing and simplification also take their count whenever their box is
/// toggled, signing keeps the step it had.
struct TSpinBinding {
    const char* edit;
    const char* property;
    const char* onlyWhile;        // a Boolean property; nullptr: always
    const char* takenOnToggleOf;  // a check box; nullptr: none
};
constexpr std::array kSpinBindings = {
    TSpinBinding{"RxSpinEdit1", "Isotherms.SmoothedTimes", "Isotherms.Smoothed", "CheckBox6"},
    TSpinBinding{"RxSpinEdit2", "Isotherms.SimplifiedTimes", "Isotherms.Simplified", "CheckBox7"},
    TSpinBinding{"RxSpinEdit3", "Isotherms.SignStep", "Isotherms.Signed", nullptr},
    TSpinBinding{"HorIsothermEdit", "HotIsotherm", nullptr, nullptr},
};

const TRadioBinding& Binding(const TRadioGroup* group) {
    for (const TRadioBinding& row : kRadioBindings) {
        if (group->objectName() == QLatin1String(row.group)) return row;
    }
    throw std::logic_error("radio group without a property");
}

QVBoxLayout* CompactColumn(QWidget* parent, int spacing = 2) {
    auto* layout = new QVBoxLayout(parent);
    layout->setContentsMargins(4, 2, 4, 3);
    layout->setSpacing(spacing);
    return layout;
}

TRadioGroup* MakeRadioGroup(const char* name, const QString& caption, const QStringList& items,
                            int columns, int itemIndex) {
    auto* group = new TRadioGroup(caption, items, columns);
    group->setObjectName(QString::fromLatin1(name));
    group->SetItemIndex(itemIndex);
    return group;
}

QGroupBox* MakeGroupBox(const char* name, const QString& caption) {
    auto* group = new QGroupBox(caption);
    group->setObjectName(QString::fromLatin1(name));
    return group;
}

QCheckBox* MakeCheckBox(const char* name, const QString& caption, bool checked) {
    auto* box = new QCheckBox(caption);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    return box;
}

QSpinBox* MakeSpinEdit(const char* name, int minimum, int maximum, int increment, int value) {
    auto* edit = new QSpinBox;
    edit->setObjectName(QString::fromLatin1(name));
    edit->setRange(minimum, maximum);
    edit->setSingleStep(increment);
    edit->setValue(value);
    return edit;
}

// The panel's controls were laid out for this face; where it is missing a
// metric-alike takes its place.
QFont PanelFont() {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPointSize(9);
    return font;
}

QFont SmallFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Small Fonts"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial")});
    font.setPointSize(7);
    return font;
}

/// A page that scrolls rather than crushing its controls when the panel is
/// shorter than they need.
QWidget* Scrolling(QWidget* content) {
    auto* area = new QScrollArea;
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setWidgetResizable(true);
    area->setWidget(content);
    return area;
}

/// The hourglass for the time a job blocks the window.
class TWaitCursor {
public:
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};
}  // namespace

QString BitmapFileName(const QString& chosen) {
    const QString suffix = QString::fromLatin1(kBitmapSuffix);
    if (chosen.endsWith(suffix, Qt::CaseInsensitive)) {
        return chosen;
    }
    return chosen + suffix;
}

TMainForm::TMainForm(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MainForm"));
    setFont(QFont(QStringLiteral("Arial"), 8));
    resize(kDesignWidth, kDesignHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }

    // Small enough for a half screen, large enough that the panel stays.
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* layout = new QHBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    outer->addLayout(layout, 1);

    BuildActions();
    outer->setMenuBar(BuildMenuBar());
    BuildControlPanel();
    layout->addWidget(m_controlPanel);

    m_panel3 = new QFrame;
    m_panel3->setObjectName(QStringLiteral("Panel3"));
    m_panel3->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* diagramLayout = new QVBoxLayout(m_panel3);
    diagramLayout->setContentsMargins(3, 3, 3, 3);
    m_ternagramView = std::make_unique<TControlWidget>(m_ternagram1, m_panel3);
    m_ternagramView->setObjectName(QStringLiteral("Ternagram1"));
    diagramLayout->addWidget(m_ternagramView.get());
    layout->addWidget(m_panel3, 1);
    outer->addWidget(BuildStatusBar());

    m_ternagram1.OnIsothermCalcStep = [this](TComponent&) { Ternagram1IsothermCalcStep(); };
    m_ternagram1.OnChange = [this](TComponent&) { Ternagram1Change(); };
    m_ternagram1.OnZoomIn = [this](TComponent&) { Ternagram1ZoomIn(); };
    m_ternagram1.OnZoomOut = [this](TComponent&) { Ternagram1ZoomOut(); };
    ConnectHandlers();
    FormCreate();
    UpdateStatusBar();
}

TMainForm::~TMainForm() {
    // The Sections window hands the diagram's OnChange back as it goes, so
    // it goes while the diagram is still here.
    delete m_sectionsForm;
    m_sectionsForm = nullptr;
    m_ternagram1.OnChange = nullptr;
    m_ternagram1.OnIsothermCalcStep = nullptr;
    m_ternagram1.OnZoomIn = nullptr;
    m_ternagram1.OnZoomOut = nullptr;
}

void TMainForm::FormCreate() {
    const TSplashCaptions captions = SplashCaptions();
    const QString title = captions.ProjectName + QLatin1Char(' ') + captions.ProjectVersion;
    setWindowTitle(title);
    QGuiApplication::setApplicationDisplayName(title);
    m_pageControl->SetActivePageIndex(0);
    m_calcStepCount = 0;
    const QLocale locale;
    const std::vector<const char*>& scanSteps = Binding(m_ims).values;
    for (std::size_t i = 0; i < scanSteps.size(); ++i) {
        m_ims->SetItemText(static_cast<int>(i),
                           locale.toString(QString::fromLatin1(scanSteps[i]).toDouble(), 'f', 2));
    }
    m_initialWidth = width();
    m_initialHeight = height();
    LoadSampleDiagram(m_ternagram1);
}

void TMainForm::BuildControlPanel() {
    m_controlPanel = new QFrame;
    m_controlPanel->setObjectName(QStringLiteral("ControlPanel"));
    m_controlPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_controlPanel->setFixedWidth(kControlPanelWidth);
    m_controlPanel->setFont(PanelFont());
    m_controlPanel->setStyleSheet(QString::fromLatin1(kPanelStyle));
    auto* layout = new QVBoxLayout(m_controlPanel);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->setSpacing(0);

    m_pageControl = new TPageControl;
    m_pageControl->setObjectName(QStringLiteral("PageControl"));
    m_pageControl->AddPage(Scrolling(BuildDiagramPage()), QStringLiteral("Diagram"));
    m_pageControl->AddPage(Scrolling(BuildPresentationPage()), QStringLiteral("Presentation"));
    m_pageControl->AddPage(Scrolling(BuildTemperaturePage()), QStringLiteral("Temperature"));
    m_pageControl->AddPage(Scrolling(BuildMaterialsPage()),
                           QStringLiteral("Properties of Matherials"));
    m_pageControl->SetActivePageIndex(2);
    layout->addWidget(m_pageControl, 1);
    layout->addWidget(BuildButtonBar());
}

QWidget* TMainForm::BuildDiagramPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Diagram"));
    QVBoxLayout* layout = CompactColumn(page, 4);
    m_radioGroup4 = MakeRadioGroup("RadioGroup4", QStringLiteral("Diagram Type"),
                                   {QStringLiteral("Melting"), QStringLiteral("Phase")}, 2, 0);
    m_radioGroup4->setEnabled(false);
    m_radioGroup5 =
        MakeRadioGroup("RadioGroup5", QStringLiteral("Data Orientation"),
                       {QStringLiteral("Direct (ABC)"), QStringLiteral("Inversed B<->C (ACB)"),
                        QStringLiteral("Inversed A<->B (BAC)"), QStringLiteral("Rotated bwh (BCA)"),
                        QStringLiteral("Rotated wh (CAB)"), QStringLiteral("Inversed A<->C (CBA)")},
                       1, 0);
    m_radioGroup1 = MakeRadioGroup("RadioGroup1", QStringLiteral("Concentration Units"),
                                   {QStringLiteral("Mole %"), QStringLiteral("Mole "),
                                    QStringLiteral("Mass %"), QStringLiteral("Mass")},
                                   2, 2);
    layout->addWidget(m_radioGroup4);
    layout->addWidget(m_radioGroup5);
    layout->addWidget(m_radioGroup1);
    layout->addWidget(BuildGoToBox());
    layout->addStretch(1);
    return page;
}

QGroupBox* TMainForm::BuildGoToBox() {
    QGroupBox* box = MakeGroupBox("GoToGroupBox", QStringLiteral("Go to Composition"));
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(6, 2, 4, 3);
    const QString positions[3] = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    for (int i = 0; i < 3; ++i) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QStringLiteral("GoToEdit") + positions[i]);
        edit->setPlaceholderText(positions[i]);
        grid->addWidget(edit, 0, i);
        m_goToEdits[static_cast<std::size_t>(i)] = edit;
    }
    auto* button = new QPushButton(QStringLiteral("Go"));
    button->setObjectName(QStringLiteral("GoToButton"));
    connect(button, &QPushButton::clicked, this, &TMainForm::GoToButtonClick);
    m_goToLabel = new QLabel;
    m_goToLabel->setObjectName(QStringLiteral("GoToLabel"));
    m_goToLabel->setWordWrap(true);
    grid->addWidget(button, 1, 0);
    grid->addWidget(m_goToLabel, 1, 1, 1, 2);
    return box;
}

void TMainForm::GoToButtonClick() {
    const double total = m_ternagram1.UnitsTotal();
    std::array<double, 3> shares{};
    for (std::size_t i = 0; i < shares.size(); ++i) {
        bool ok = false;
        const QString text = m_goToEdits[i]->text().trimmed();
        shares[i] = QLocale().toDouble(text, &ok);
        if (!ok) shares[i] = text.toDouble(&ok);
        if (!ok) {
            ShowMessage(QStringLiteral("Enter three numbers: the shares of A, B and C."));
            return;
        }
    }
    const QString totalText = QString::number(total);
    if (std::abs(shares[0] + shares[1] + shares[2] - total) > total * 1e-6) {
        ShowMessage(QStringLiteral("The three shares must add up to %1.").arg(totalText));
        return;
    }
    switch (m_ternagram1.GoToComposition(shares[0], shares[1])) {
        case TGoToResult::OutsideTriangle:
            ShowMessage(QStringLiteral("The composition lies outside the triangle: each share "
                                       "must lie between 0 and %1.")
                            .arg(totalText));
            return;
        case TGoToResult::OutsideZoom:
            ShowMessage(QStringLiteral("The composition lies outside the zoom window; click "
                                       "the diagram to zoom out first."));
            return;
        case TGoToResult::NoField:
            ShowMessage(QStringLiteral("No phase field is drawn at that composition."));
            return;
        case TGoToResult::Marked:
        case TGoToResult::Read: break;
    }
    const int area = m_ternagram1.CursorArea();
    QString reading = QString::fromStdString(m_ternagram1.DivisionPointText());
    if (!m_ternagram1.IsDivisionPoint() && area >= 0) {
        reading = QString::fromStdString(m_ternagram1.AreaList()[area].Name.str()) +
                  QStringLiteral(", ") +
                  QString::fromStdString(
                      FormatTemperature(m_ternagram1.CursorPoint().T, m_ternagram1.TUnits()));
    }
    m_goToLabel->setText(reading);
}

QWidget* TMainForm::BuildPresentationPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Presentation"));
    QVBoxLayout* layout = CompactColumn(page, 4);

    QGroupBox* controls = MakeGroupBox("GroupBox1", QStringLiteral("Controls"));
    QVBoxLayout* column = CompactColumn(controls, 1);
    auto* checkBox1 = MakeCheckBox("CheckBox1", QStringLiteral("Legend"), true);
    auto* checkBox2 = MakeCheckBox("CheckBox2", QStringLiteral("Values Table"), true);
    auto* checkBox4 = MakeCheckBox("CheckBox4", QStringLiteral("Co-existing Phases"), false);
    auto* bevel1 = new QFrame;
    bevel1->setObjectName(QStringLiteral("Bevel1"));
    bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    auto* checkBox3 = MakeCheckBox("CheckBox3", QStringLiteral("Mouse Grid"), false);
    auto* checkBox8 = MakeCheckBox("CheckBox8", QStringLiteral("Mark Points"), true);
    for (QWidget* w : {static_cast<QWidget*>(checkBox1), static_cast<QWidget*>(checkBox2),
                       static_cast<QWidget*>(checkBox4), static_cast<QWidget*>(bevel1),
                       static_cast<QWidget*>(checkBox3), static_cast<QWidget*>(checkBox8)}) {
        column->addWidget(w);
    }
    // What a printed liquidus projection shows besides the fields.
    QGroupBox* atlas = MakeGroupBox("AtlasGroupBox", QStringLiteral("Atlas"));
    QVBoxLayout* atlasColumn = CompactColumn(atlas, 1);
    atlasColumn->addWidget(MakeCheckBox("FieldNamesCheckBox", QStringLiteral("Field Names"), false));
    atlasColumn->addWidget(
        MakeCheckBox("InvariantPointsCheckBox", QStringLiteral("Invariant Points"), false));
    atlasColumn->addWidget(
        MakeCheckBox("BoundaryArrowsCheckBox", QStringLiteral("Boundary Arrows"), false));

    auto* radioGroup3 =
        MakeRadioGroup("RadioGroup3", QStringLiteral("Grid Type"),
                       {QStringLiteral("Overall Scale"), QStringLiteral("Numeric Scale"),
                        QStringLiteral("Both Scales")},
                       1, 2);
    auto* radioGroup2 = MakeRadioGroup("RadioGroup2", QStringLiteral("Grid Steps"),
                                       {QStringLiteral("5"), QStringLiteral("10")}, 2, 0);
    layout->addWidget(controls);
    layout->addWidget(atlas);
    layout->addWidget(radioGroup3);
    layout->addWidget(radioGroup2);
    layout->addStretch(1);
    return page;
}

QWidget* TMainForm::BuildTemperaturePage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Temperature"));
    QVBoxLayout* layout = CompactColumn(page, 2);

    auto* radioGroup7 =
        MakeRadioGroup("RadioGroup7", QStringLiteral("Temperature Method"),
                       {QStringLiteral("Altutude (Auto)"), QStringLiteral("Polynomial (Auto)"),
                        QStringLiteral("Mean Value (Smooth)")},
                       1, 0);
    auto* radioGroup6 =
        MakeRadioGroup("RadioGroup6", QStringLiteral("Temperature Units"),
                       {QStringLiteral("C"), QStringLiteral("F"), QStringLiteral("K")}, 3, 0);
    // Small items, but the title in the font of every other group.
    for (int i = 0; i < 3; ++i) radioGroup6->Button(i)->setFont(SmallFont());

    QGroupBox* calculation = MakeGroupBox("GroupBox4", QStringLiteral("Isotherms Calculation"));
    QVBoxLayout* calcColumn = CompactColumn(calculation, 1);
    // The item texts depend on the locale and are written at creation.
    m_ims = MakeRadioGroup("IMS", QStringLiteral("Isotherm Scan Step"),
                           {QString(), QString(), QString()}, 3, 2);
    auto* radioGroup10 =
        MakeRadioGroup("RadioGroup10", QStringLiteral("Isotherm Error"),
                       {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}, 3, 2);
    calcColumn->addWidget(m_ims);
    calcColumn->addWidget(radioGroup10);

    QGroupBox* optimization = MakeGroupBox("GroupBox3", QStringLiteral("Isotherms Optimization"));
    auto* optGrid = new QGridLayout(optimization);
    optGrid->setContentsMargins(6, 2, 4, 3);
    optGrid->setVerticalSpacing(1);
    auto* checkBox6 = MakeCheckBox("CheckBox6", QStringLiteral("Smoothed"), true);
    auto* rxSpinEdit1 = MakeSpinEdit("RxSpinEdit1", 1, 5, 1, 3);
    auto* checkBox7 = MakeCheckBox("CheckBox7", QStringLiteral("Simplified"), false);
    auto* rxSpinEdit2 = MakeSpinEdit("RxSpinEdit2", 1, 3, 1, 1);
    optGrid->addWidget(checkBox6, 0, 0);
    optGrid->addWidget(rxSpinEdit1, 0, 1);
    optGrid->addWidget(checkBox7, 1, 0);
    optGrid->addWidget(rxSpinEdit2, 1, 1);
    optGrid->setColumnStretch(0, 1);

    QGroupBox* presentation = MakeGroupBox("GroupBox2", QStringLiteral("Isotherms Presentation"));
    QVBoxLayout* presColumn = CompactColumn(presentation, 1);
    // Room for the raised Hot Isotherm panel inside the group's frame.
    presColumn->setContentsMargins(7, 3, 7, 4);
    auto* radioGroup8 =
        MakeRadioGroup("RadioGroup8", QStringLiteral("Isotherms Step"),
                       {QStringLiteral("50"), QStringLiteral("100"), QStringLiteral("200")}, 3, 1);
    auto* radioGroup9 =
        MakeRadioGroup("RadioGroup9", QStringLiteral("Isotherm Type"),
                       {QStringLiteral("Points"), QStringLiteral("Polyline"),
                        QStringLiteral("Contour")},
                       3, 0);
    auto* panel1 = new QFrame;
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* hotRow = new QHBoxLayout(panel1);
    hotRow->setContentsMargins(3, 2, 3, 2);
    auto* horIsothermEdit = MakeSpinEdit("HorIsothermEdit", 1300, 2800, 10, 1800);
    auto* hotLabel = new QLabel(QStringLiteral("Hot Isotherm"));
    hotLabel->setObjectName(QStringLiteral("Label1"));
    hotRow->addWidget(horIsothermEdit);
    hotRow->addWidget(hotLabel, 1);
    auto* signRow = new QHBoxLayout;
    auto* checkBox5 = MakeCheckBox("CheckBox5", QStringLiteral("Sign Isotherms"), true);
    auto* rxSpinEdit3 = MakeSpinEdit("RxSpinEdit3", 5, 50, 5, 10);
    signRow->addWidget(checkBox5, 1);
    signRow->addWidget(rxSpinEdit3);
    auto* diCheckBox = MakeCheckBox("DICheckBox", QStringLiteral("Show Isotherms"), false);
    presColumn->addWidget(radioGroup8);
    presColumn->addWidget(radioGroup9);
    presColumn->addWidget(panel1);
    presColumn->addLayout(signRow);
    presColumn->addWidget(diCheckBox);

    m_progressGroupBox = MakeGroupBox("ProgressGroupBox", QStringLiteral("Isotherms Calculation"));
    m_progressGroupBox->setFixedHeight(kProgressBoxHeight);
    auto* progressGrid = new QGridLayout(m_progressGroupBox);
    progressGrid->setContentsMargins(6, 1, 6, 3);
    progressGrid->setVerticalSpacing(1);
    auto* percentsLabel = new QLabel(QStringLiteral("Percents Done:"));
    m_label2 = new QLabel(QStringLiteral("0"));
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_progressBar1 = new QProgressBar;
    m_progressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar1->setRange(0, 100);
    m_progressBar1->setValue(0);
    m_progressBar1->setTextVisible(false);
    m_progressBar1->setMaximumHeight(10);
    progressGrid->addWidget(percentsLabel, 0, 0);
    progressGrid->addWidget(m_label2, 0, 1);
    progressGrid->addWidget(m_progressBar1, 1, 0, 1, 2);
    m_progressGroupBox->hide();

    layout->addWidget(radioGroup7);
    layout->addWidget(radioGroup6);
    layout->addWidget(calculation);
    layout->addWidget(optimization);
    layout->addWidget(presentation);
    layout->addStretch(1);
    layout->addWidget(m_progressGroupBox);
    return page;
}

QWidget* TMainForm::BuildMaterialsPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    QVBoxLayout* layout = CompactColumn(page, 4);
    QGroupBox* properties = MakeGroupBox("GroupBox5", QStringLiteral("Properties"));
    QVBoxLayout* column = CompactColumn(properties, 1);
    // Reserved for material properties the program does not compute yet.
    for (const char* caption : {"Thermal Conduction", "Thermal Capacity", "K of Thermal Expansion",
                                "Creep", "Elasticity Module", "Viscosity"}) {
        auto* box = new QCheckBox(QString::fromLatin1(caption));
        box->setEnabled(false);
        column->addWidget(box);
    }
    layout->addWidget(properties);
    layout->addWidget(MakeRadioGroup("RadioGroup11", QStringLiteral("Screen Map"),
                                     {QStringLiteral("Diagram"), QStringLiteral("Windowed")}, 1,
                                     0));
    layout->addWidget(MakeRadioGroup("RadioGroup12", QStringLiteral("Map Type"),
                                     {QStringLiteral("Digital"), QStringLiteral("Graph")}, 1, 0));
    layout->addStretch(1);
    return page;
}

QWidget* TMainForm::BuildButtonBar() {
    auto* bar = new QFrame;
    bar->setObjectName(QStringLiteral("Panel2"));
    bar->setFixedHeight(kButtonBarHeight);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(1);
    auto button = [&](const char* name, QAction* action) {
        auto* b = new QToolButton;
        b->setObjectName(QString::fromLatin1(name));
        b->setDefaultAction(action);
        b->setAutoRaise(true);
        b->setIconSize(QSize(16, 16));
        b->setFixedSize(25, 25);
        row->addWidget(b);
        return b;
    };
    m_printSpeedButton = button("PrintSpeedButton", m_printAction);
    m_saveSpeedButton = button("SaveSpeedButton", m_savePictureAction);
    m_exportSpeedButton = button("ExportSpeedButton", m_exportPictureAction);
    m_helpSpeedButton = button("HelpSpeedButton", m_helpAction);
    m_infoSpeedButton = button("InfoSpeedButton", m_infoAction);
    m_aboutSpeedButton = button("AboutSpeedButton", m_aboutAction);
    m_openDiagramButton = button("OpenDiagramButton", m_openDiagramAction);
    m_saveDiagramButton = button("SaveDiagramButton", m_saveDiagramAction);
    m_sectionsButton = button("SectionsButton", m_sectionsAction);
    row->addStretch(1);
    return bar;
}

void TMainForm::ConnectHandlers() {
    const auto set = [this](const char* property, const QString& value) {
        // The panel offers only values its property takes; should one be
        // refused all the same, the diagram stays as it is.
        SetPropertyByName(m_ternagram1, property, value.toStdString());
    };
    for (const TRadioBinding& row : kRadioBindings) {
        auto* group = m_controlPanel->findChild<TRadioGroup*>(QLatin1String(row.group));
        connect(group, &TRadioGroup::Click, this, [this, set, &row, group] {
            // No selection (-1) is no item: no value from the list, and an
            // empty text the registry refuses.
            const auto index = static_cast<std::size_t>(group->ItemIndex());
            if (row.values.empty()) {
                set(row.property, group->ItemText(group->ItemIndex()));
            } else if (index < row.values.size()) {
                set(row.property, QString::fromLatin1(row.values[index]));
            }
            RereadMouse();
        });
    }
    // A check box notifies every change of state, by the user or by code.
    for (const TCheckBinding& row : kCheckBindings) {
        connect(m_controlPanel->findChild<QCheckBox*>(QLatin1String(row.box)), &QCheckBox::toggled,
                this, [set, &row](bool on) { set(row.property, on ? "True" : "False"); });
    }
    for (const TSpinBinding& row : kSpinBindings) {
        auto* edit = m_controlPanel->findChild<QSpinBox*>(QLatin1String(row.edit));
        const auto apply = [set, &row, edit] { set(row.property, QString::number(edit->value())); };
        connect(edit, &QSpinBox::valueChanged, this, [this, &row, apply] {
            if (row.onlyWhile == nullptr ||
                GetPropertyByName(m_ternagram1, row.onlyWhile) == "True") {
                apply();
            }
        });
        // After the box's own handler: the switch is set before its count.
        if (row.takenOnToggleOf != nullptr) {
            connect(m_controlPanel->findChild<QCheckBox*>(QLatin1String(row.takenOnToggleOf)),
                    &QCheckBox::toggled, this, apply);
        }
    }

    setAcceptDrops(true);
}

void TMainForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        FormActivate();
    }
}

void TMainForm::FormActivate() {
    m_ternagram1.Invalidate();
}

void TMainForm::FollowDiagram() {
    for (TRadioGroup* group : {m_radioGroup5, m_radioGroup1}) {
        const TRadioBinding& row = Binding(group);
        const std::optional<std::string> value = GetPropertyByName(m_ternagram1, row.property);
        for (std::size_t i = 0; i < row.values.size(); ++i) {
            if (value == row.values[i]) group->SetItemIndex(static_cast<int>(i));
        }
    }
}

void TMainForm::PrintSpeedButtonClick() {
    std::unique_ptr<QPrinter> printer = OpenPrinter();
    if (!printer) {
        if (!OfferPdfInstead(QString::fromLatin1(kNoPrinterMessage))) return;
        const QString fileName = AskPdfFileName();
        if (fileName.isEmpty()) return;
        printer = PdfPrinter(fileName);
    }
    try {
        const TWaitCursor wait;
        TQtPrinterTarget target(*printer);
        m_ternagram1.PrintDiagram(target);
    } catch (const std::exception& e) {
        ShowMessage(QString::fromStdString(e.what()));
    }
}

void TMainForm::SaveSpeedButtonClick() {
    const QString chosen = AskSaveFileName();
    if (chosen.isEmpty()) {
        return;
    }
    const QString fileName = BitmapFileName(chosen);
    if (QFileInfo::exists(fileName) && !ConfirmOverwrite(fileName)) {
        return;
    }
    try {
        m_ternagram1.SaveToBitmap(QFile::encodeName(fileName).toStdString(), false);
    } catch (const std::runtime_error& e) {
        ShowMessage(QString::fromStdString(e.what()));
        return;
    }
    m_pictureFolder = QFileInfo(fileName).absolutePath();
    SaveSettings();
}

void TMainForm::ExportPictureClick() {
    const std::optional<TExportRequest> request = AskExport(ProposedExport());
    if (!request || request->FileName.isEmpty()) return;
    // Kept even if the writing fails: the next try starts from it.
    m_lastExport = *request;
    SaveSettings();
    if (QFileInfo::exists(request->FileName) && !ConfirmOverwrite(request->FileName)) return;
    const TWaitCursor wait;
    if (const QString failure = WriteExport(m_ternagram1, *request); !failure.isEmpty()) {
        ShowMessage(failure);
    }
}

TExportRequest TMainForm::ProposedExport() const {
    if (m_lastExport) return *m_lastExport;
    TExportRequest proposed;
    const QSize shown = ShownSize(m_ternagram1);
    proposed.Size = {double(shown.width()), double(shown.height()), false};
    const QString name = m_diagramFileName.isEmpty()
                             ? QStringLiteral("diagram")
                             : QFileInfo(m_diagramFileName).completeBaseName();
    const QString folder = m_pictureFolder.isEmpty() ? QDir::currentPath() : m_pictureFolder;
    proposed.FileName = QDir(folder).filePath(name + QStringLiteral(".png"));
    return proposed;
}

void TMainForm::SectionsButtonClick() {
    if (m_sectionsForm == nullptr) m_sectionsForm = new TSectionsForm(m_ternagram1, this);
    m_sectionsForm->show();
    m_sectionsForm->raise();
}

void TMainForm::HelpSpeedButtonClick() {
    ShowHelpContents(this);
}

void TMainForm::InfoSpeedButtonClick() {
    if (m_infoForm != nullptr) m_infoForm->exec();
}

void TMainForm::AboutSpeedButtonClick() {
    if (m_aboutBox != nullptr) m_aboutBox->exec();
}

void TMainForm::Ternagram1ZoomIn() {
    m_radioGroup1->setEnabled(false);
    m_radioGroup5->setEnabled(false);
    m_goToLabel->clear();
    RereadMouse();
}

void TMainForm::Ternagram1ZoomOut() {
    m_radioGroup1->setEnabled(true);
    m_radioGroup5->setEnabled(true);
    m_goToLabel->clear();
    RereadMouse();
}

void TMainForm::Ternagram1IsothermCalcStep() {
    if (m_calcStepCount == 0) {
        m_progressGroupBox->show();
        // A picture printed or saved now would carry half-collected isotherms.
        m_printAction->setEnabled(false);
        m_savePictureAction->setEnabled(false);
        m_exportPictureAction->setEnabled(false);
    }
    const int k = ++m_calcStepCount;
    // Rows of the triangular scan; row k ends after about k²/2 of N²/2 points.
    // The running scan keeps its own step when a new one is picked meanwhile.
    const int running = m_ternagram1.IsothermScanRows();
    const int n =
        running > 0 ? running : Round(100.0 / m_ternagram1.Isotherms().MethodStep()) - 1;
    const double done = static_cast<double>(k) * k / 2.0;
    const double all = static_cast<double>(n) * n / 2.0;
    const int percent = Round(done * 100.0 / all);
    m_label2->setText(QString::number(percent));
    m_progressBar1->setValue(m_label2->text().toInt());
    m_scanStatus->setText(QStringLiteral("Isotherm scan: %1 %").arg(percent));
    m_scanStatus->show();
    // Also past the last row, should the step have changed mid-calculation.
    if (k >= n) {
        m_progressGroupBox->hide();
        m_printAction->setEnabled(true);
        m_savePictureAction->setEnabled(true);
        m_exportPictureAction->setEnabled(true);
        m_scanStatus->hide();
        m_calcStepCount = 0;
        m_progressBar1->setValue(0);
        m_label2->setText(QStringLiteral("0"));
    }
}

QString TMainForm::AskSaveFileName() {
    // The name is checked for overwriting once ".bmp" is on it, and the
    // filter reads as it should, without the pattern repeated after it.
    return QFileDialog::getSaveFileName(
        this, QString(), m_pictureFolder, QString::fromLatin1(kBitmapFilter), nullptr,
        QFileDialog::DontConfirmOverwrite | QFileDialog::HideNameFilterDetails);
}

bool TMainForm::ConfirmOverwrite(const QString& fileName) {
    return ConfirmReplace(this, fileName);
}

std::unique_ptr<QPrinter> TMainForm::OpenPrinter() {
    return DefaultPrinter();
}

bool TMainForm::OfferPdfInstead(const QString& message) {
    return OfferPrintToPdf(this, message);
}

QString TMainForm::AskPdfFileName() {
    return AskPrintPdfName(this, m_pictureFolder);
}

std::optional<TExportRequest> TMainForm::AskExport(const TExportRequest& proposed) {
    TExportDialog dialog(proposed, ShownSize(m_ternagram1), this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Request();
}

void TMainForm::ShowMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, this);
    box.exec();
}

}  // namespace liquidus
