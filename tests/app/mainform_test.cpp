#include "app/mainform.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPrinter>
#include <QProgressBar>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QSvgRenderer>
#include <QSignalSpy>
#include <QTest>
#include <QSpinBox>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QAction>
#include <QMenuBar>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files/diagramfile.h"
#include "app/help.h"
#include "app/mainwindow.h"
#include "app/pagecontrol.h"
#include "app/radiogroup.h"
#include "app/version.h"

namespace liquidus {
namespace {

// Stands in for the user at the dialogs and records the messages.
class TProbeForm : public TMainForm {
public:
    QString saveName;
    bool hasPrinter = false;
    QString printFile;
    std::vector<QString> messages;

protected:
    QString AskSaveFileName() override { return saveName; }
    bool ConfirmOverwrite(const QString& fileName) override {
        askedToReplace.push_back(fileName);
        return replace;
    }

public:
    bool replace = false;
    std::vector<QString> askedToReplace;

protected:
    std::unique_ptr<QPrinter> OpenPrinter() override {
        if (!hasPrinter) return nullptr;
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(printFile);
        return printer;
    }
    void ShowMessage(const QString& text) override { messages.push_back(text); }
    QString AskOpenDiagramName() override { return {}; }
    QString AskSaveDiagramName() override { return {}; }
    bool OfferPdfInstead(const QString& text) override {
        offers.push_back(text);
        return !pdfName.isEmpty();
    }
    QString AskPdfFileName() override { return pdfName; }
    std::optional<TExportRequest> AskExport(const TExportRequest& proposed) override {
        proposedExports.push_back(proposed);
        return exportRequest;
    }

public:
    std::vector<QString> offers;
    // Empty: Print to PDF declined.
    QString pdfName;
    // Nullopt: the export dialog cancelled.
    std::optional<TExportRequest> exportRequest;
    std::vector<TExportRequest> proposedExports;
};

class MainForm : public ::testing::Test {
protected:
    TProbeForm form;
    TTernagram& diagram = form.Ternagram1();

    template <typename T>
    T* Find(const char* name) {
        T* widget = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    TRadioGroup* Group(const char* name) { return Find<TRadioGroup>(name); }
    QCheckBox* Check(const char* name) { return Find<QCheckBox>(name); }
    QSpinBox* Spin(const char* name) { return Find<QSpinBox>(name); }
    // A user's click on item `index` of a radio group.
    void Pick(const char* group, int index) { Group(group)->Button(index)->click(); }
    void Step(int times) {
        for (int i = 0; i < times; ++i) diagram.OnIsothermCalcStep(diagram);
    }
    QString Percent() { return Find<QLabel>("Label2")->text(); }
    bool ProgressShown() { return !Find<QGroupBox>("ProgressGroupBox")->isHidden(); }
};

struct TGroupLayout {
    const char* name;
    const char* caption;
    std::vector<QString> items;
    int columns;
    int selected;
};

TEST_F(MainForm, PanelHasEveryGroupWithItsCaptionItemsColumnsAndSelection) {
    auto* pages = Find<TPageControl>("PageControl");
    ASSERT_EQ(pages->PageCount(), 4);
    EXPECT_EQ(pages->TabText(0), "Diagram");
    EXPECT_EQ(pages->TabText(1), "Presentation");
    EXPECT_EQ(pages->TabText(2), "Temperature");
    EXPECT_EQ(pages->TabText(3), "Properties of Matherials");
    EXPECT_EQ(pages->ActivePageIndex(), 0);
    EXPECT_EQ(Find<QWidget>("ControlPanel")->width(), 200);

    const QLocale locale;
    const std::vector<TGroupLayout> groups = {
        {"RadioGroup4", "Diagram Type", {"Melting", "Phase"}, 2, 0},
        {"RadioGroup5",
         "Data Orientation",
         {"Direct (ABC)", "Inversed B<->C (ACB)", "Inversed A<->B (BAC)", "Rotated bwh (BCA)",
          "Rotated wh (CAB)", "Inversed A<->C (CBA)"},
         1,
         0},
        {"RadioGroup1", "Concentration Units", {"Mole %", "Mole ", "Mass %", "Mass"}, 2, 2},
        {"RadioGroup3", "Grid Type", {"Overall Scale", "Numeric Scale", "Both Scales"}, 1, 2},
        {"RadioGroup2", "Grid Steps", {"5", "10"}, 2, 0},
        {"RadioGroup7", "Temperature Method",
         {"Altutude (Auto)", "Polynomial (Auto)", "Mean Value (Smooth)"}, 1, 0},
        {"RadioGroup6", "Temperature Units", {"C", "F", "K"}, 3, 0},
        {"IMS",
         "Isotherm Scan Step",
         {locale.toString(0.25, 'f', 2), locale.toString(0.5, 'f', 2),
          locale.toString(1.0, 'f', 2)},
         3,
         2},
        {"RadioGroup10", "Isotherm Error", {"1", "2", "3"}, 3, 2},
        {"RadioGroup8", "Isotherms Step", {"50", "100", "200"}, 3, 1},
        {"RadioGroup9", "Isotherm Type", {"Points", "Polyline", "Contour"}, 3, 0},
    };
    for (const TGroupLayout& g : groups) {
        TRadioGroup* group = Group(g.name);
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(group->title(), g.caption) << g.name;
        EXPECT_EQ(group->Columns(), g.columns) << g.name;
        EXPECT_EQ(group->ItemIndex(), g.selected) << g.name;
        ASSERT_EQ(group->Count(), static_cast<int>(g.items.size())) << g.name;
        for (int i = 0; i < group->Count(); ++i) {
            EXPECT_EQ(group->ItemText(i), g.items[static_cast<std::size_t>(i)]) << g.name;
        }
        EXPECT_EQ(group->isEnabled(), std::string(g.name) != "RadioGroup4") << g.name;
    }

    struct TCheck {
        const char* name;
        const char* caption;
        bool checked;
    };
    for (const TCheck& c : std::vector<TCheck>{{"CheckBox1", "Legend", true},
                                               {"CheckBox2", "Values Table", true},
                                               {"CheckBox4", "Co-existing Phases", false},
                                               {"CheckBox3", "Mouse Grid", false},
                                               {"CheckBox8", "Mark Points", true},
                                               {"CheckBox6", "Smoothed", true},
                                               {"CheckBox7", "Simplified", false},
                                               {"CheckBox5", "Sign Isotherms", true},
                                               {"DICheckBox", "Show Isotherms", false}}) {
        QCheckBox* box = Check(c.name);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), c.caption);
        EXPECT_EQ(box->isChecked(), c.checked) << c.name;
    }

    struct TSpin {
        const char* name;
        int minimum, maximum, increment, value;
    };
    for (const TSpin& s : std::vector<TSpin>{{"RxSpinEdit1", 1, 5, 1, 3},
                                             {"RxSpinEdit2", 1, 3, 1, 1},
                                             {"RxSpinEdit3", 5, 50, 5, 10},
                                             {"HorIsothermEdit", 1300, 2800, 10, 1800}}) {
        QSpinBox* spin = Spin(s.name);
        ASSERT_NE(spin, nullptr);
        EXPECT_EQ(spin->minimum(), s.minimum) << s.name;
        EXPECT_EQ(spin->maximum(), s.maximum) << s.name;
        EXPECT_EQ(spin->singleStep(), s.increment) << s.name;
        EXPECT_EQ(spin->value(), s.value) << s.name;
    }

    auto* progress = Find<QGroupBox>("ProgressGroupBox");
    EXPECT_TRUE(progress->isHidden());
    EXPECT_EQ(progress->title(), "Isotherms Calculation");
    EXPECT_EQ(progress->height(), 46);
    EXPECT_EQ(Find<QLabel>("Label2")->text(), "0");
    EXPECT_EQ(Find<QProgressBar>("ProgressBar1")->maximum(), 100);

    // The flat buttons, left to right.
    std::vector<QToolButton*> buttons;
    for (const char* name : {"PrintSpeedButton", "SaveSpeedButton", "HelpSpeedButton",
                             "InfoSpeedButton", "AboutSpeedButton"}) {
        buttons.push_back(Find<QToolButton>(name));
        ASSERT_NE(buttons.back(), nullptr);
        EXPECT_TRUE(buttons.back()->autoRaise());
    }
    EXPECT_EQ(buttons[0]->toolTip(), "Print the diagram");
    EXPECT_EQ(buttons[1]->toolTip(), "Save picture as bitmap…");
    EXPECT_EQ(buttons[2]->toolTip(), "Help contents");
    EXPECT_EQ(buttons[3]->toolTip(), "Info");
    EXPECT_EQ(buttons[4]->toolTip(), "About Liquidus");
    form.resize(900, 700);
    form.show();
    QApplication::processEvents();
    // The four tabs wrap onto rows within the panel instead of scrolling.
    EXPECT_GE(pages->TabRows(), 2);
    EXPECT_LE(pages->TabRows(), 4);
    // Whichever tab is chosen, its row moves next to the page.
    const QList<QToolButton*> tabs = pages->findChildren<QToolButton*>();
    for (int page = 0; page < pages->PageCount(); ++page) {
        pages->SetActivePageIndex(page);
        QApplication::processEvents();
        int lowest = 0;
        const QToolButton* chosen = nullptr;
        for (const QToolButton* tab : tabs) {
            lowest = std::max(lowest, tab->geometry().top());
            if (tab->isChecked()) chosen = tab;
        }
        ASSERT_NE(chosen, nullptr);
        EXPECT_EQ(chosen->geometry().top(), lowest) << page;
    }
    for (std::size_t i = 1; i < buttons.size(); ++i) {
        EXPECT_LT(buttons[i - 1]->mapTo(&form, QPoint()).x(),
                  buttons[i]->mapTo(&form, QPoint()).x());
    }
}

TEST_F(MainForm, CreationSetsCaptionSizeAndFillsTheDiagram) {
    const TVersionInfo& version = ProgramVersion();
    const QString title =
        QString::fromStdString(version.FileDescription + " " + VersionCaption(version.FileVersion));
    EXPECT_EQ(form.windowTitle(), title);
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), title);
    EXPECT_EQ(form.InitialWidth(), 798);
    EXPECT_EQ(form.InitialHeight(), 567);
    EXPECT_EQ(form.CalcStepCount(), 0);
    EXPECT_EQ(form.font().family(), "Arial");
    EXPECT_EQ(form.font().pointSize(), 8);
    EXPECT_EQ(diagram.Areas(), 11);
    EXPECT_EQ(diagram.AreaList()[0].Name, "Spinel");
    EXPECT_EQ(diagram.CUnits(), TCUnits::cuMassPercents);
    EXPECT_EQ(diagram.SubstanceB().Name(), "SiO2");
    EXPECT_TRUE(diagram.MarkMode());
    EXPECT_FALSE(diagram.CoPhasesTable());
}

TEST_F(MainForm, RadioGroupsSetTheirProperties) {
    const TDataOrientation orientations[] = {TDataOrientation::doACB, TDataOrientation::doBAC,
                                             TDataOrientation::doBCA, TDataOrientation::doCAB,
                                             TDataOrientation::doCBA, TDataOrientation::doDirect};
    for (int i = 0; i < 6; ++i) {
        const int index = (i + 1) % 6;
        Pick("RadioGroup5", index);
        EXPECT_EQ(diagram.DataOrientation(), orientations[i]) << index;
    }
    const TCUnits units[] = {TCUnits::cuMolPercents, TCUnits::cuMolParts, TCUnits::cuMassPercents,
                             TCUnits::cuMassParts};
    for (int index : {0, 1, 3, 2}) {
        Pick("RadioGroup1", index);
        EXPECT_EQ(diagram.CUnits(), units[index]) << index;
    }
    const TGridType grids[] = {TGridType::gtInnerParallel, TGridType::gtOutsideScale,
                               TGridType::gtAllScales};
    for (int index : {0, 1, 2}) {
        Pick("RadioGroup3", index);
        EXPECT_EQ(diagram.GridType(), grids[index]);
    }
    Pick("RadioGroup2", 1);
    EXPECT_EQ(diagram.GridSteps(), 10);
    Pick("RadioGroup2", 0);
    EXPECT_EQ(diagram.GridSteps(), 5);
    Pick("RadioGroup7", 1);
    EXPECT_EQ(diagram.TCalcMethod(), TTCalcMethod::tcPolynomial);
    Pick("RadioGroup7", 2);
    EXPECT_EQ(diagram.TCalcMethod(), TTCalcMethod::tcMeanValue);
    Pick("RadioGroup7", 0);
    EXPECT_EQ(diagram.TCalcMethod(), TTCalcMethod::tcAltitude);

    // The list reads C, F, K while the enumeration is C, K, F.
    Pick("RadioGroup6", 1);
    EXPECT_EQ(diagram.TUnits(), TTUnits::tuF);
    Pick("RadioGroup6", 2);
    EXPECT_EQ(diagram.TUnits(), TTUnits::tuK);
    Pick("RadioGroup6", 0);
    EXPECT_EQ(diagram.TUnits(), TTUnits::tuC);

    Pick("IMS", 0);
    EXPECT_FLOAT_EQ(diagram.Isotherms().MethodStep(), 0.25f);
    Pick("IMS", 1);
    EXPECT_FLOAT_EQ(diagram.Isotherms().MethodStep(), 0.5f);
    Pick("IMS", 2);
    EXPECT_FLOAT_EQ(diagram.Isotherms().MethodStep(), 1.0f);
    Pick("RadioGroup10", 0);
    EXPECT_EQ(diagram.Isotherms().Error(), 1);
    Pick("RadioGroup10", 1);
    EXPECT_EQ(diagram.Isotherms().Error(), 2);
    Pick("RadioGroup8", 0);
    EXPECT_EQ(diagram.Isotherms().Step(), 50);
    Pick("RadioGroup8", 2);
    EXPECT_EQ(diagram.Isotherms().Step(), 200);
    Pick("RadioGroup9", 1);
    EXPECT_EQ(diagram.Isotherms().GraphType(), TIsothermType::itPolyline);
    Pick("RadioGroup9", 0);
    EXPECT_EQ(diagram.Isotherms().GraphType(), TIsothermType::itPoints);
}

TEST(MainFormLocale, ScanStepTextsAndTheirReadingFollowTheLocale) {
    const QLocale saved;
    struct TCase {
        QLocale locale;
        QStringList texts;
    };
    for (const TCase& c :
         {TCase{QLocale::c(), {"0.25", "0.50", "1.00"}},
          TCase{QLocale(QLocale::German, QLocale::Germany), {"0,25", "0,50", "1,00"}}}) {
        QLocale::setDefault(c.locale);
        TProbeForm form;
        auto* ims = form.findChild<TRadioGroup*>(QStringLiteral("IMS"));
        ASSERT_NE(ims, nullptr);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(ims->ItemText(i), c.texts[i]);
        ims->Button(1)->click();
        EXPECT_FLOAT_EQ(form.Ternagram1().Isotherms().MethodStep(), 0.5f);
        ims->Button(0)->click();
        EXPECT_FLOAT_EQ(form.Ternagram1().Isotherms().MethodStep(), 0.25f);
    }
    QLocale::setDefault(saved);
}

TEST_F(MainForm, CheckBoxesSetTheirProperties) {
    struct TCase {
        const char* name;
        bool (*read)(const TTernagram&);
    };
    const std::vector<TCase> cases = {
        {"CheckBox1", [](const TTernagram& d) { return d.Legend(); }},
        {"CheckBox2", [](const TTernagram& d) { return d.ValuesTable(); }},
        {"CheckBox3", [](const TTernagram& d) { return d.MouseGrid(); }},
        {"CheckBox4", [](const TTernagram& d) { return d.CoPhasesTable(); }},
        {"CheckBox8", [](const TTernagram& d) { return d.MarkMode(); }},
        {"CheckBox5", [](const TTernagram& d) { return d.Isotherms().Signed(); }},
        {"DICheckBox", [](const TTernagram& d) { return d.DrawIsotherms(); }},
    };
    for (const TCase& c : cases) {
        QCheckBox* box = Check(c.name);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(c.read(diagram), box->isChecked()) << c.name << " at start";
        box->click();
        EXPECT_EQ(c.read(diagram), box->isChecked()) << c.name;
        box->click();
        EXPECT_EQ(c.read(diagram), box->isChecked()) << c.name;
    }
}

TEST_F(MainForm, SpinEditsActOnlyWhileTheirSwitchIsOn) {
    TIsotherm& isotherms = diagram.Isotherms();
    // Smoothing: on at start, the spin edit applies at once.
    Spin("RxSpinEdit1")->setValue(5);
    EXPECT_EQ(isotherms.SmoothedTimes(), 5);
    Check("CheckBox6")->click();
    EXPECT_FALSE(isotherms.Smoothed());
    Spin("RxSpinEdit1")->setValue(2);
    EXPECT_EQ(isotherms.SmoothedTimes(), 5);
    Check("CheckBox6")->click();  // switching on takes the edit's value
    EXPECT_TRUE(isotherms.Smoothed());
    EXPECT_EQ(isotherms.SmoothedTimes(), 2);

    // Simplification: off at start.
    Spin("RxSpinEdit2")->setValue(3);
    EXPECT_EQ(isotherms.SimplifiedTimes(), 1);
    Check("CheckBox7")->click();
    EXPECT_TRUE(isotherms.Simplified());
    EXPECT_EQ(isotherms.SimplifiedTimes(), 3);
    Spin("RxSpinEdit2")->setValue(2);
    EXPECT_EQ(isotherms.SimplifiedTimes(), 2);

    // Sign step: only while signing; switching signing on does not take it.
    Spin("RxSpinEdit3")->setValue(20);
    EXPECT_EQ(isotherms.SignStep(), 20);
    Check("CheckBox5")->click();
    EXPECT_FALSE(isotherms.Signed());
    Spin("RxSpinEdit3")->setValue(35);
    EXPECT_EQ(isotherms.SignStep(), 20);
    Check("CheckBox5")->click();
    EXPECT_TRUE(isotherms.Signed());
    EXPECT_EQ(isotherms.SignStep(), 20);

    Spin("HorIsothermEdit")->setValue(2150);
    EXPECT_EQ(diagram.HotIsotherm(), 2150);
    Spin("HorIsothermEdit")->stepDown();
    EXPECT_EQ(diagram.HotIsotherm(), 2140);
}

TEST_F(MainForm, IsothermProgressFollowsTheSquaredRowCount) {
    // Scan step 1.0: 99 rows.
    Step(1);
    EXPECT_TRUE(ProgressShown());
    EXPECT_EQ(Percent(), "0");
    Step(9);
    EXPECT_EQ(Percent(), "1");
    EXPECT_EQ(Find<QProgressBar>("ProgressBar1")->value(), 1);
    Step(40);
    EXPECT_EQ(Percent(), "26");  // 2500 / 9801 = 25.5 %
    Step(20);
    EXPECT_EQ(Percent(), "50");  // 4900 / 9801 = 49.99 %
    EXPECT_EQ(Find<QProgressBar>("ProgressBar1")->value(), 50);
    Step(28);
    EXPECT_EQ(form.CalcStepCount(), 98);
    EXPECT_EQ(Percent(), "98");
    EXPECT_TRUE(ProgressShown());
    Step(1);  // the 99th row ends the calculation
    EXPECT_FALSE(ProgressShown());
    EXPECT_EQ(Percent(), "0");
    EXPECT_EQ(Find<QProgressBar>("ProgressBar1")->value(), 0);
    EXPECT_EQ(form.CalcStepCount(), 0);

    // The next calculation, at scan step 0.50: 199 rows.
    Pick("IMS", 1);
    Step(99);
    EXPECT_TRUE(ProgressShown());
    EXPECT_EQ(Percent(), "25");  // 9801 / 39601 = 24.75 %
    Step(99);
    EXPECT_TRUE(ProgressShown());
    Step(1);
    EXPECT_FALSE(ProgressShown());
    EXPECT_EQ(form.CalcStepCount(), 0);
}

TEST_F(MainForm, PanelStaysAtTheSmallestWindow) {
    auto* panel = Find<QWidget>("ControlPanel");
    form.show();
    form.resize(300, 200);
    QApplication::processEvents();
    EXPECT_EQ(form.size(), QSize(TMainForm::kMinimumWidth, TMainForm::kMinimumHeight));
    EXPECT_TRUE(panel->isVisible());
    EXPECT_GE(Find<QWidget>("Ternagram1")->width(), 300);
}

TEST_F(MainForm, ZoomGreysOutUnitsAndOrientation) {
    auto* units = Group("RadioGroup1");
    auto* orientation = Group("RadioGroup5");
    diagram.OnZoomIn(diagram);
    EXPECT_FALSE(units->isEnabled());
    EXPECT_FALSE(orientation->isEnabled());
    EXPECT_TRUE(Group("RadioGroup3")->isEnabled());
    EXPECT_TRUE(Group("RadioGroup6")->isEnabled());
    diagram.OnZoomOut(diagram);
    EXPECT_TRUE(units->isEnabled());
    EXPECT_TRUE(orientation->isEnabled());
}

// Opening lays the data out directly in the file's units; groups still
// showing the old choice would mislead the next click.
TEST_F(MainForm, OpeningAFileSelectsTheDiagramsOrientationAndUnits) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sample.json"));
    WriteDiagramFile(diagram, file);  // mass basis
    Pick("RadioGroup5", 4);
    Pick("RadioGroup1", 1);
    ASSERT_TRUE(form.OpenDiagramFile(file));
    EXPECT_EQ(Group("RadioGroup5")->ItemIndex(), 0);  // laid out directly
    EXPECT_EQ(Group("RadioGroup1")->ItemIndex(), 2);  // mass %
}

TEST(BitmapFileName, AppendsTheSuffixOnlyWhenMissing) {
    EXPECT_EQ(BitmapFileName("plot"), "plot.bmp");
    EXPECT_EQ(BitmapFileName("plot.bmp"), "plot.bmp");
    EXPECT_EQ(BitmapFileName("PLOT.BMP"), "PLOT.BMP");
    EXPECT_EQ(BitmapFileName("plot.Bmp"), "plot.Bmp");
    EXPECT_EQ(BitmapFileName("plot.png"), "plot.png.bmp");
    EXPECT_EQ(BitmapFileName("plot.bmp.old"), "plot.bmp.old.bmp");
    EXPECT_EQ(BitmapFileName("plotbmp"), "plotbmp.bmp");
    EXPECT_EQ(BitmapFileName("/data/run.bmp/plot"), "/data/run.bmp/plot.bmp");
}

TEST_F(MainForm, SaveWritesTheChosenBitmapAndReportsFailures) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto* save = Find<QToolButton>("SaveSpeedButton");

    form.saveName = dir.filePath(QStringLiteral("plot"));
    save->click();
    const QString plotBmp = dir.filePath(QStringLiteral("plot.bmp"));
    ASSERT_TRUE(QFileInfo::exists(plotBmp));
    EXPECT_FALSE(QFileInfo::exists(form.saveName));
    TBitmap saved;
    TBitmap::LoadFromFile(saved, plotBmp.toStdString());
    EXPECT_EQ(saved.Width(), 600);
    EXPECT_EQ(saved.Height(), 386);

    // Typed without ".bmp", the question is about the file really written.
    const QDateTime written = QFileInfo(plotBmp).lastModified();
    save->click();
    ASSERT_EQ(form.askedToReplace, std::vector<QString>{plotBmp});
    EXPECT_EQ(QFileInfo(plotBmp).lastModified(), written);  // answered no
    EXPECT_FALSE(QFileInfo::exists(form.saveName));

    QFile::remove(plotBmp);
    form.saveName = plotBmp;
    save->click();
    EXPECT_TRUE(QFileInfo::exists(plotBmp));
    EXPECT_FALSE(QFileInfo::exists(plotBmp + ".bmp"));
    EXPECT_TRUE(form.messages.empty());

    // Cancelled: nothing written, nothing said.
    const QStringList before = QDir(dir.path()).entryList(QDir::Files);
    form.saveName.clear();
    save->click();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), before);
    EXPECT_TRUE(form.messages.empty());

    form.saveName = dir.filePath(QStringLiteral("no/such/dir/plot"));
    save->click();
    ASSERT_EQ(form.messages.size(), 1u);
    EXPECT_TRUE(form.messages[0].contains(QStringLiteral("plot.bmp")))
        << form.messages[0].toStdString();
}

TEST_F(MainForm, PrintSaysSoWithoutPrinterAndPrintsWithOne) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto* print = Find<QToolButton>("PrintSpeedButton");
    print->click();
    ASSERT_EQ(form.offers.size(), 1u);
    EXPECT_TRUE(form.offers[0].contains(QStringLiteral("printer")));
    EXPECT_TRUE(form.messages.empty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    // Printed to PDF instead: the page a printer would get.
    form.pdfName = dir.filePath(QStringLiteral("instead.pdf"));
    print->click();
    EXPECT_TRUE(form.messages.empty());
    QFile pdf(form.pdfName);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_GT(bytes.size(), 4000);
    EXPECT_FALSE(bytes.contains("/Subtype /Image"));

    form.messages.clear();
    form.hasPrinter = true;
    form.printFile = dir.filePath(QStringLiteral("page.pdf"));
    print->click();
    EXPECT_TRUE(form.messages.empty());
    EXPECT_GT(QFileInfo(form.printFile).size(), 4000);

    form.printFile = dir.filePath(QStringLiteral("no/such/dir/page.pdf"));
    print->click();
    EXPECT_EQ(form.messages.size(), 1u);
}

// Each format by its own reader, at the size asked for; the choice comes back
// as the next one's start, also after a restart.
TEST_F(MainForm, ExportWritesEachFormatAndRemembersTheChoice) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString settingsFile = dir.filePath(QStringLiteral("liquidus.conf"));
    form.UseSettings(std::make_unique<QSettings>(settingsFile, QSettings::IniFormat));
    const struct {
        const char* name;
        TPictureFormat format;
        TFigureSize size;
    } rows[] = {
        {"plot.png", TPictureFormat::Png, {500, 300, false}},
        {"plot.bmp", TPictureFormat::Bmp, {420, 280, false}},
        {"plot.svg", TPictureFormat::Svg, {300, 200, false}},
        {"plot.pdf", TPictureFormat::Pdf, {150, 100, true}},
    };
    // On a screen of two pixels per pixel the window is half its picture.
    form.Ternagram1().SetDevicePixelRatio(2);
    const TFigureSize shown{std::round(form.Ternagram1().Width() / 2.0),
                            std::round(form.Ternagram1().Height() / 2.0), false};
    for (const auto& row : rows) {
        const QString file = dir.filePath(QString::fromLatin1(row.name));
        form.exportRequest = TExportRequest{file, row.format, row.size, 1.5};
        Find<QAction>("ExportPictureAction")->trigger();
        EXPECT_TRUE(form.messages.empty()) << row.name;
        if (row.format == TPictureFormat::Png || row.format == TPictureFormat::Bmp) {
            const QImage image(file);
            EXPECT_EQ(image.size(), QSize(int(row.size.Width), int(row.size.Height)));
            // Far more than a white ground and black lines: the fields are in it.
            const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
            const auto* pixels = reinterpret_cast<const QRgb*>(rgb.constBits());
            const QSet<QRgb> colours(pixels, pixels + rgb.width() * rgb.height());
            EXPECT_GT(colours.size(), 8) << row.name;
        } else if (row.format == TPictureFormat::Svg) {
            const QSvgRenderer svg(file);
            ASSERT_TRUE(svg.isValid());
            EXPECT_NEAR(svg.viewBoxF().width() / svg.viewBoxF().height(), 1.5, 0.01);
        } else {
            QFile pdf(file);
            ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
            const QRegularExpressionMatch page =
                QRegularExpression(QStringLiteral(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])"))
                    .match(QString::fromLatin1(pdf.readAll()));
            EXPECT_NEAR(page.captured(1).toDouble(), 150 / 25.4 * 72, 0.5);  // points
            EXPECT_NEAR(page.captured(2).toDouble(), 100 / 25.4 * 72, 0.5);
        }
    }
    EXPECT_EQ(form.proposedExports.back().FileName, dir.filePath(QStringLiteral("plot.svg")));
    EXPECT_TRUE(form.proposedExports[0].Size == shown);

    // Cancelled, refused over an existing file, or into a missing folder:
    // nothing new on disk, the last only said so.
    const QStringList before = QDir(dir.path()).entryList(QDir::Files);
    form.exportRequest.reset();
    Find<QAction>("ExportPictureAction")->trigger();
    form.exportRequest = TExportRequest{dir.filePath(QStringLiteral("plot.png")),
                                        TPictureFormat::Png, {10, 10, false}, 1};
    Find<QAction>("ExportPictureAction")->trigger();
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("plot.png"))).width(), 500);
    form.exportRequest->FileName = dir.filePath(QStringLiteral("none/plot.png"));
    Find<QAction>("ExportPictureAction")->trigger();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), before);
    EXPECT_EQ(form.messages.size(), 1u);

    form.exportRequest = TExportRequest{dir.filePath(QStringLiteral("kept.pdf")),
                                        TPictureFormat::Pdf, {150, 100, true}, 2};
    Find<QAction>("ExportPictureAction")->trigger();
    TProbeForm again;
    again.UseSettings(std::make_unique<QSettings>(settingsFile, QSettings::IniFormat));
    again.findChild<QAction*>(QStringLiteral("ExportPictureAction"))->trigger();
    ASSERT_EQ(again.proposedExports.size(), 1u);
    EXPECT_TRUE(again.proposedExports[0] == *form.exportRequest);
}

TEST_F(MainForm, InfoAndAboutButtonsShowTheirWindowsModally) {
    for (const char* name : {"InfoSpeedButton", "AboutSpeedButton"}) {
        QDialog dialog(&form);
        if (std::string(name) == "InfoSpeedButton") {
            form.SetInfoForm(&dialog);
        } else {
            form.SetAboutBox(&dialog);
        }
        bool wasModal = false;
        QTimer::singleShot(0, &dialog, [&] {
            wasModal = QApplication::activeModalWidget() == &dialog;
            dialog.accept();
        });
        Find<QToolButton>(name)->click();
        EXPECT_TRUE(wasModal) << name;
        form.SetInfoForm(nullptr);
        form.SetAboutBox(nullptr);
    }
}

TEST_F(MainForm, HelpButtonOpensTheHelpWindow) {
    Find<QToolButton>("HelpSpeedButton")->click();
    ASSERT_NE(HelpWindow(), nullptr);
    EXPECT_TRUE(HelpWindow()->isVisible());
    HelpWindow()->close();
}

// --- menus, settings, read-outs ---------------------------------------------

// Each key a desktop user tries first, on the command they expect, and the
// button beside it doing the same through one action.
TEST_F(MainForm, StandardKeysAndButtonsTriggerTheirMenuActions) {
    const struct {
        QKeySequence keys;
        const char* action;
        const char* button;  // nullptr: none
    } rows[] = {
        {QKeySequence(QStringLiteral("Ctrl+O")), "OpenDiagramAction", "OpenDiagramButton"},
        {QKeySequence(QStringLiteral("Ctrl+S")), "SaveDiagramAction", "SaveDiagramButton"},
        {QKeySequence(QStringLiteral("Ctrl+P")), "PrintAction", "PrintSpeedButton"},
        {QKeySequence(QStringLiteral("Ctrl+E")), "ExportPictureAction", "ExportSpeedButton"},
        {QKeySequence(QStringLiteral("Ctrl+Q")), "QuitAction", nullptr},
        {QKeySequence(QStringLiteral("F1")), "HelpAction", "HelpSpeedButton"},
    };
    const QList<QAction*> inMenus = Find<QMenuBar>("MenuBar")->findChildren<QAction*>();
    for (const auto& row : rows) {
        auto* action = Find<QAction>(row.action);
        ASSERT_NE(action, nullptr);
        bool listed = false;
        for (const QMenu* menu : Find<QMenuBar>("MenuBar")->findChildren<QMenu*>()) {
            listed = listed || menu->actions().contains(action);
        }
        EXPECT_TRUE(listed) << row.action;
        if (row.button != nullptr) {
            EXPECT_EQ(Find<QToolButton>(row.button)->defaultAction(), action) << row.button;
        }
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        QSignalSpy triggered(action, &QAction::triggered);
        QTest::keySequence(&form, row.keys);
        EXPECT_EQ(triggered.count(), 1) << row.action;
        if (action->objectName() == "QuitAction") {
            EXPECT_FALSE(form.isVisible());
        }
    }
    if (HelpWindow() != nullptr) HelpWindow()->close();
    // The two saves read differently.
    EXPECT_NE(Find<QToolButton>("SaveSpeedButton")->toolTip(),
              Find<QToolButton>("SaveDiagramButton")->toolTip());
}

TEST(TakeNoSettings, OnlyFromTheWindowsArguments) {
    using Args = std::vector<std::string>;
    const struct {
        Args in;
        bool taken;
        Args out;
    } rows[] = {
        {{"--no-settings"}, true, {}},
        {{"--no-settings", "--diagram", "a.json"}, true, {"--diagram", "a.json"}},
        {{"--diagram", "a.json", "--no-settings"}, true, {"--diagram", "a.json"}},
        {{"--export", "a.png", "--no-settings"}, false, {"--export", "a.png", "--no-settings"}},
        {{"--diagram", "a.json"}, false, {"--diagram", "a.json"}},
    };
    for (const auto& row : rows) {
        Args args = row.in;
        EXPECT_EQ(TakeNoSettings(args), row.taken) << row.in.front();
        EXPECT_EQ(args, row.out) << row.in.front();
    }
}

// What the user left is there at the next start; a window given no
// settings starts as built.
TEST(MainFormSettings, ComeBackAfterARestartFromTheirOwnFile) {
    QTemporaryDir dir;
    const QString settingsFile = dir.filePath(QStringLiteral("liquidus.conf"));
    const QString diagramFile = dir.filePath(QStringLiteral("mine.json"));
    const auto settings = [&] {
        return std::make_unique<QSettings>(settingsFile, QSettings::IniFormat);
    };
    const struct {
        const char* group;
        int index;
    } picks[] = {{"RadioGroup5", 2}, {"RadioGroup1", 3}, {"RadioGroup7", 2},
                 {"RadioGroup6", 2}, {"RadioGroup3", 0}, {"RadioGroup8", 2}};
    {
        TProbeForm form;
        form.UseSettings(settings());
        EXPECT_FALSE(form.GeometryRestored());
        WriteDiagramFile(form.Ternagram1(), diagramFile);
        ASSERT_TRUE(form.OpenDiagramFile(diagramFile));
        for (const auto& pick : picks) {
            form.findChild<TRadioGroup*>(pick.group)->Button(pick.index)->click();
        }
        form.findChild<QCheckBox*>("CheckBox1")->setChecked(false);
        form.findChild<QSpinBox*>("RxSpinEdit3")->setValue(25);
        form.show();
        form.resize(901, 702);
        QApplication::processEvents();
        form.close();
    }
    TProbeForm again;
    again.UseSettings(settings());
    for (const auto& pick : picks) {
        EXPECT_EQ(again.findChild<TRadioGroup*>(pick.group)->ItemIndex(), pick.index) << pick.group;
    }
    EXPECT_EQ(again.Ternagram1().CUnits(), TCUnits::cuMassParts);
    EXPECT_EQ(again.Ternagram1().TUnits(), TTUnits::tuK);
    EXPECT_FALSE(again.Ternagram1().Legend());
    EXPECT_EQ(again.Ternagram1().Isotherms().SignStep(), 25);
    EXPECT_EQ(again.RecentDiagrams(), QStringList{QFileInfo(diagramFile).absoluteFilePath()});
    EXPECT_TRUE(again.GeometryRestored());
    EXPECT_EQ(again.size(), QSize(901, 702));

    TProbeForm clean;
    EXPECT_EQ(clean.findChild<TRadioGroup*>("RadioGroup1")->ItemIndex(), 2);
    EXPECT_TRUE(clean.RecentDiagrams().isEmpty());
}

// The values table, the Go to result and the status bar describe the
// picture shown, not the one before a change made away from the mouse.
TEST_F(MainForm, ReadOutsFollowUnitsZoomMarkAndDiagramWithoutAMouseMove) {
    form.resize(1000, 800);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QApplication::processEvents();
    auto* view = Find<QWidget>("Ternagram1");
    int x = 0;
    int y = 0;
    diagram.CompositionToPixel(30, 30, x, y);
    const QPoint at(x, y);
    const auto sum = [&] {
        const TFullDataPoint& p = diagram.CursorPoint();
        return p.A + p.B + p.C;
    };
    QTest::mouseMove(view, at);
    ASSERT_TRUE(diagram.CursorOnArea());
    EXPECT_NEAR(sum(), 100, 1e-6);
    Pick("RadioGroup1", 3);  // mass fractions
    QApplication::processEvents();
    EXPECT_NEAR(sum(), 1, 1e-6);
    EXPECT_NEAR(diagram.CursorPoint().A, 0.30, 0.01);
    Pick("RadioGroup1", 2);
    QApplication::processEvents();

    // Zoomed in by a drag, out by a click of the user's where the mouse then rests.
    diagram.MouseDown(TMouseButton::mbLeft, ssLeft, at.x(), at.y());
    diagram.MouseMove(ssLeft, at.x() + 100, at.y());
    diagram.MouseUp(TMouseButton::mbLeft, 0, at.x() + 100, at.y());
    QApplication::processEvents();
    ASSERT_TRUE(diagram.Zoom());
    QTest::mouseMove(view, at);
    const TFullDataPoint zoomed = diagram.CursorPoint();
    QTest::mouseClick(view, Qt::LeftButton, {}, at);
    QApplication::processEvents();
    ASSERT_FALSE(diagram.Zoom());
    const TFullDataPoint afterClick = diagram.CursorPoint();
    EXPECT_GT(std::abs(afterClick.A - zoomed.A), 1);
    QTest::mouseMove(view, at + QPoint(1, 0));
    QTest::mouseMove(view, at);
    EXPECT_DOUBLE_EQ(afterClick.A, diagram.CursorPoint().A);
    EXPECT_DOUBLE_EQ(afterClick.B, diagram.CursorPoint().B);

    // A marked point is named in the status bar until a left click clears it.
    QTest::mouseClick(view, Qt::RightButton, {}, at);
    QApplication::processEvents();
    EXPECT_TRUE(form.MarkStatusText().startsWith(QStringLiteral("Marked point ")))
        << form.MarkStatusText().toStdString();
    EXPECT_EQ(Find<QLabel>("MarkStatus")->text(), form.MarkStatusText());
    QTest::mouseClick(view, Qt::LeftButton, {}, at);
    EXPECT_EQ(Find<QLabel>("MarkStatus")->text(), QString());

    // The Go to result goes with the diagram it was read from.
    Find<QLineEdit>("GoToEditA")->setText(QStringLiteral("32"));
    Find<QLineEdit>("GoToEditB")->setText(QStringLiteral("24"));
    Find<QLineEdit>("GoToEditC")->setText(QStringLiteral("44"));
    form.GoToButtonClick();
    EXPECT_FALSE(Find<QLabel>("GoToLabel")->text().isEmpty());
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("other.json"));
    WriteDiagramFile(diagram, file);
    ASSERT_TRUE(form.OpenDiagramFile(file));
    EXPECT_EQ(Find<QLabel>("GoToLabel")->text(), QString());
    EXPECT_FALSE(Find<QLabel>("FileStatus")->text().contains(QStringLiteral("disagree")));

    // A file whose fields meet with different vertex temperatures says so.
    TDiagramFile data = DiagramFromTernagram(diagram);
    data.Fields[0].Vertices[0].T += 10;
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(SerializeDiagram(data));
    out.close();
    ASSERT_TRUE(form.OpenDiagramFile(file));
    EXPECT_TRUE(Find<QLabel>("FileStatus")->text().contains(QStringLiteral("disagree")));
    EXPECT_FALSE(Find<QLabel>("FileStatus")->toolTip().isEmpty());
}

}  // namespace
}  // namespace liquidus
