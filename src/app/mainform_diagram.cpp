// The main window's diagram files: the open and save buttons, a file
// dropped on the window, and the title that names the file shown.

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <stdexcept>

#include "files/diagramcheck.h"
#include "files/diagramfile.h"
#include "app/mainform.h"

namespace liquidus {

namespace {
constexpr const char* kDiagramFilter = "Liquidus diagrams (*.json)";
constexpr const char* kDiagramSuffix = ".json";
constexpr const char* kBusyMessage =
    "The isotherms are being calculated; open the diagram when they are done.";

QString WithDiagramSuffix(const QString& chosen) {
    const QString suffix = QString::fromLatin1(kDiagramSuffix);
    return chosen.endsWith(suffix, Qt::CaseInsensitive) ? chosen : chosen + suffix;
}

/// The one local .json file a drag carries; empty for anything else.
QString DraggedDiagram(const QMimeData* mime) {
    if (mime == nullptr || !mime->hasUrls()) return {};
    const QList<QUrl> urls = mime->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) return {};
    const QString file = urls.front().toLocalFile();
    return file.endsWith(QString::fromLatin1(kDiagramSuffix), Qt::CaseInsensitive) ? file
                                                                                   : QString();
}

QString Shown(const QString& fileName) {
    return QStringLiteral("\"%1\"").arg(QDir::toNativeSeparators(fileName));
}
}  // namespace

void TMainForm::OpenDiagramButtonClick() {
    const QString fileName = AskOpenDiagramName();
    if (!fileName.isEmpty()) OpenDiagramFile(fileName);
}

bool TMainForm::OpenDiagramFile(const QString& fileName) {
    // The scan in progress reads the fields it started with.
    if (m_ternagram1.IsothermScanRows() > 0) {
        ShowMessage(QString::fromLatin1(kBusyMessage));
        return false;
    }
    TDiagramFile file;
    try {
        file = ReadDiagramFile(fileName);
    } catch (const std::runtime_error& error) {
        ShowMessage(QStringLiteral("Cannot open %1: %2")
                        .arg(Shown(fileName), QString::fromStdString(error.what())));
        return false;
    }
    m_diagramNotes.clear();
    for (const std::string& line : VertexTemperatureDisagreements(file)) {
        m_diagramNotes.append(QString::fromStdString(line));
    }
    ApplyDiagram(file, m_ternagram1);
    DiagramFileChanged(fileName);
    return true;
}

void TMainForm::SaveDiagramButtonClick() {
    const QString chosen = AskSaveDiagramName();
    if (chosen.isEmpty()) return;
    const QString fileName = WithDiagramSuffix(chosen);
    if (QFileInfo::exists(fileName) && !ConfirmOverwrite(fileName)) return;
    try {
        WriteDiagramFile(m_ternagram1, fileName);
    } catch (const TDiagramFormatError& error) {
        ShowMessage(QStringLiteral("Cannot save %1: %2")
                        .arg(Shown(fileName), QString::fromStdString(error.what())));
        return;
    } catch (const std::runtime_error& error) {
        ShowMessage(QString::fromStdString(error.what()));
        return;
    }
    DiagramFileChanged(fileName);
}

void TMainForm::DiagramFileChanged(const QString& fileName) {
    m_diagramFileName = fileName;
    // Ending in the program's name, the title is not extended with it again
    // by the window system.
    setWindowTitle(QFileInfo(fileName).fileName() + QStringLiteral(" - ") +
                   QGuiApplication::applicationDisplayName());
    FollowDiagram();
    m_goToLabel->clear();
    m_diagramFolder = QFileInfo(fileName).absolutePath();
    AddRecentDiagram(QFileInfo(fileName).absoluteFilePath());
    UpdateStatusBar();
    RereadMouse();
}

QString TMainForm::AskOpenDiagramName() {
    return QFileDialog::getOpenFileName(this, QString(),
                                        m_diagramFileName.isEmpty()
                                            ? m_diagramFolder
                                            : QFileInfo(m_diagramFileName).path(),
                                        QString::fromLatin1(kDiagramFilter));
}

QString TMainForm::AskSaveDiagramName() {
    // Overwriting is confirmed once ".json" is on the name.
    return QFileDialog::getSaveFileName(this, QString(),
                                        m_diagramFileName.isEmpty() ? m_diagramFolder
                                                                    : m_diagramFileName,
                                        QString::fromLatin1(kDiagramFilter), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (!DraggedDiagram(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
    const QString fileName = DraggedDiagram(event->mimeData());
    if (fileName.isEmpty()) return;
    event->acceptProposedAction();
    // Not inside the drop: a message box there would hold up the program
    // the file was dragged from.
    QTimer::singleShot(0, this, [this, fileName] { OpenDiagramFile(fileName); });
}

}  // namespace liquidus
