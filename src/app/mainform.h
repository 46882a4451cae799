#pragma once
// The main window: the control panel on the left, whose controls each set
// one published property of the diagram, and the diagram filling the rest.

#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>

#include "app/exportdialog.h"
#include "ternary/ternagram.h"

class QAction;
class QCloseEvent;
class QDialog;
class QMenu;
class QMenuBar;
class QSettings;
class QStatusBar;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QProgressBar;
class QToolButton;

namespace liquidus {

class TControlWidget;
class TPageControl;
class TRadioGroup;
class TSectionsForm;

/// The save dialog's filter for pictures and the message for a missing
/// printer, the same in every window that prints and saves.
inline constexpr char kBitmapFilter[] = "Windows Bitmap Files [*.bmp] (*.bmp)";
inline constexpr char kNoPrinterMessage[] =
    "No printer is installed, so the diagram cannot be printed.";

/// The file a bitmap is saved under: the chosen name with ".bmp" appended
/// unless it already ends in ".bmp" (in any case).
QString BitmapFileName(const QString& chosen);

class TMainForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 798;
    static constexpr int kDesignHeight = 567;
    /// The smallest window: the control panel and a usable diagram beside it.
    static constexpr int kMinimumWidth = 560;
    static constexpr int kMinimumHeight = 440;
    /// Recent diagrams kept in the File menu.
    static constexpr int kMaxRecentDiagrams = 8;

    /// Builds the window at its design size and fills the diagram with the
    /// sample data; showing (maximised) is the caller's.
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    TTernagram& Ternagram1() { return m_ternagram1; }
    int InitialWidth() const { return m_initialWidth; }
    int InitialHeight() const { return m_initialHeight; }
    /// Progress events received in the current isotherm calculation.
    int CalcStepCount() const { return m_calcStepCount; }

    /// The windows the Info and About buttons show; not owned (nullptr: none).
    void SetInfoForm(QDialog* form) { m_infoForm = form; }
    void SetAboutBox(QDialog* box) { m_aboutBox = box; }

    /// From now on the window keeps its size, folders, recent diagrams and
    /// the control panel's state in `settings`; what is there already is
    /// applied now. Without a call nothing is read or written.
    void UseSettings(std::unique_ptr<QSettings> settings);
    /// Writes the window's state to its settings (also done on closing).
    void SaveSettings();
    /// UseSettings found a window geometry and applied it.
    bool GeometryRestored() const { return m_geometryRestored; }
    /// Newest first.
    const QStringList& RecentDiagrams() const { return m_recentDiagrams; }
    /// What the status bar says about the marked point; empty: none marked.
    QString MarkStatusText() const;

    // Event handlers.
    void FormActivate();
    void PrintSpeedButtonClick();
    void SaveSpeedButtonClick();
    /// Writes the picture as a PNG, SVG or PDF figure or a bitmap of a chosen size.
    void ExportPictureClick();
    void HelpSpeedButtonClick();
    /// Opens the Sections window (made once, kept while the window lives).
    void SectionsButtonClick();
    /// Closes the window (and with it the program).
    void QuitClick();
    void InfoSpeedButtonClick();
    void AboutSpeedButtonClick();
    void Ternagram1ZoomIn();
    void Ternagram1ZoomOut();
    /// Reads and marks the composition typed into the three share boxes.
    void GoToButtonClick();
    void OpenDiagramButtonClick();
    void SaveDiagramButtonClick();
    /// Loads a diagram file into the diagram; a file that cannot be read or
    /// is not valid leaves the diagram as it was and is reported in a
    /// message. False when nothing was loaded.
    bool OpenDiagramFile(const QString& fileName);
    /// The diagram file shown or last saved; empty for the sample.
    const QString& DiagramFileName() const { return m_diagramFileName; }
    void Ternagram1IsothermCalcStep();

protected:
    // What the window asks of the user and the system; tests stand in here.
    /// Runs the save dialog; an empty name means the user cancelled.
    virtual QString AskSaveFileName();
    /// Asked for the name the picture will really be written to, which may
    /// have gained ".bmp" after the dialog closed.
    virtual bool ConfirmOverwrite(const QString& fileName);
    /// The default printer, nullptr when there is none.
    virtual std::unique_ptr<QPrinter> OpenPrinter();
    /// With no printer: shows `message` and asks whether to print to a PDF
    /// file instead.
    virtual bool OfferPdfInstead(const QString& message);
    /// The PDF file a print goes to; empty when cancelled.
    virtual QString AskPdfFileName();
    /// The export dialog, starting from `proposed`; nullopt when cancelled.
    virtual std::optional<TExportRequest> AskExport(const TExportRequest& proposed);
    /// A modal message with an OK button, titled with the application title.
    virtual void ShowMessage(const QString& text);
    /// The open and save dialogs for diagram files; empty when cancelled.
    virtual QString AskOpenDiagramName();
    virtual QString AskSaveDiagramName();

    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void BuildControlPanel();
    QWidget* BuildDiagramPage();
    QGroupBox* BuildGoToBox();
    QWidget* BuildPresentationPage();
    QWidget* BuildTemperaturePage();
    QWidget* BuildMaterialsPage();
    QWidget* BuildButtonBar();
    void BuildActions();
    QMenuBar* BuildMenuBar();
    QStatusBar* BuildStatusBar();
    void ConnectHandlers();
    /// The main diagram's OnChange: the Go to result is out of date, the
    /// status bar follows the mark.
    void Ternagram1Change();
    /// After a change of units, order, method, zoom or diagram, the values
    /// table is read again where the mouse last was.
    void RereadMouse();
    void UpdateStatusBar();
    void RestoreSettings();
    void AddRecentDiagram(const QString& fileName);
    void RebuildRecentMenu();
    /// The last export's choice, or the diagram's size as a PNG named
    /// after the diagram file.
    TExportRequest ProposedExport() const;

    // Declared before the view so that the view goes first on destruction.
    TTernagram m_ternagram1;
    std::unique_ptr<TControlWidget> m_ternagramView;

    int m_initialWidth = 0;
    int m_initialHeight = 0;
    int m_calcStepCount = 0;
    QDialog* m_infoForm = nullptr;
    QDialog* m_aboutBox = nullptr;

    QFrame* m_controlPanel = nullptr;
    QFrame* m_panel3 = nullptr;
    TPageControl* m_pageControl = nullptr;
    // Diagram
    TRadioGroup* m_radioGroup4 = nullptr;
    TRadioGroup* m_radioGroup5 = nullptr;
    TRadioGroup* m_radioGroup1 = nullptr;
    std::array<QLineEdit*, 3> m_goToEdits{};
    QLabel* m_goToLabel = nullptr;
    // Temperature
    TRadioGroup* m_ims = nullptr;
    QGroupBox* m_progressGroupBox = nullptr;
    QLabel* m_label2 = nullptr;
    QProgressBar* m_progressBar1 = nullptr;
    // Button bar
    QToolButton* m_printSpeedButton = nullptr;
    QToolButton* m_saveSpeedButton = nullptr;
    QToolButton* m_exportSpeedButton = nullptr;
    QToolButton* m_helpSpeedButton = nullptr;
    QToolButton* m_infoSpeedButton = nullptr;
    QToolButton* m_aboutSpeedButton = nullptr;
    QToolButton* m_openDiagramButton = nullptr;
    QToolButton* m_saveDiagramButton = nullptr;
    QToolButton* m_sectionsButton = nullptr;
    // One action each for a button and its menu entry.
    QAction* m_openDiagramAction = nullptr;
    QAction* m_saveDiagramAction = nullptr;
    QAction* m_savePictureAction = nullptr;
    QAction* m_exportPictureAction = nullptr;
    QAction* m_printAction = nullptr;
    QAction* m_quitAction = nullptr;
    QAction* m_sectionsAction = nullptr;
    QAction* m_helpAction = nullptr;
    QAction* m_infoAction = nullptr;
    QAction* m_aboutAction = nullptr;
    QMenu* m_recentMenu = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QLabel* m_markStatus = nullptr;
    QLabel* m_scanStatus = nullptr;
    QLabel* m_fileStatus = nullptr;
    std::unique_ptr<QSettings> m_settings;
    bool m_geometryRestored = false;
    QStringList m_recentDiagrams;
    QString m_diagramFolder;
    QString m_pictureFolder;
    std::optional<TExportRequest> m_lastExport;
    TSectionsForm* m_sectionsForm = nullptr;  // made on first use, owned as a child
    QString m_diagramFileName;
    /// What the opened file's check noted without refusing it.
    QStringList m_diagramNotes;
    /// After a diagram file is opened or saved: the radio groups and the
    /// window title follow the diagram.
    void DiagramFileChanged(const QString& fileName);
    /// The orientation and units groups select the diagram's own values.
    void FollowDiagram();
};

}  // namespace liquidus
