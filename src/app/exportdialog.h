#pragma once
// Exporting a diagram's picture from a window: the dialog that asks for the
// file, format, size and text scale, the writer that carries a choice out,
// and the questions asked when a print has no printer to go to.

#include <QDialog>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "canvas/figurefile.h"

class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QSettings;

namespace liquidus {

class TDiagram;

/// What the user chose to export.
struct TExportRequest {
    QString FileName;
    TPictureFormat Format = TPictureFormat::Png;
    /// Millimetres only for SVG and PDF.
    TFigureSize Size{600, 386, false};
    /// Ignored for BMP, whose texts keep their screen sizes.
    double TextScale = 1.0;
    friend bool operator==(const TExportRequest&, const TExportRequest&) = default;
};

/// Keeps the last choice (folder, file, format, size, text scale) in
/// `settings` under the group "Export", and reads it back.
void StoreExportRequest(QSettings& settings, const TExportRequest& request);
/// `fallback` where the settings hold nothing usable.
TExportRequest RestoreExportRequest(QSettings& settings, const TExportRequest& fallback);

/// Writes the diagram's picture as asked: PNG, SVG and PDF as a figure for
/// documents, BMP as the picture the screen would show at that size. Returns
/// what went wrong, for the user, or nothing; nothing partial is left.
QString WriteExport(TDiagram& diagram, const TExportRequest& request);

/// The diagram's size as its window shows it, in the screen's logical pixels:
/// what "the window's size" means to the user, also where the picture has
/// more pixels on a screen of denser ones.
QSize ShownSize(const TDiagram& diagram);

/// The dialog; no preview, as the picture is the diagram shown beside it.
class TExportDialog : public QDialog {
    Q_OBJECT
public:
    /// Starts from `proposed`; "Diagram size" puts back `diagramSize`
    /// (the picture's size on screen, in pixels).
    TExportDialog(const TExportRequest& proposed, QSize diagramSize, QWidget* parent = nullptr);

    /// The choice as the dialog's fields hold it now.
    TExportRequest Request() const;

private:
    void FormatChosen();
    void FileNameEdited();
    void UnitsChosen();
    void Browse();
    void SetSize(const TFigureSize& size);
    TPictureFormat Format() const;
    bool Millimetres() const;

    QSize m_diagramSize;
    QLineEdit* m_fileName = nullptr;
    QComboBox* m_format = nullptr;
    QDoubleSpinBox* m_width = nullptr;
    QDoubleSpinBox* m_height = nullptr;
    QComboBox* m_units = nullptr;
    QDoubleSpinBox* m_textScale = nullptr;
    QPushButton* m_save = nullptr;
};

/// Asks whether the existing `fileName` may be replaced.
bool ConfirmReplace(QWidget* parent, const QString& fileName);
/// Asks whether to print to a PDF file instead, the `message` saying why.
bool OfferPrintToPdf(QWidget* parent, const QString& message);
/// The save dialog for the PDF a print goes to; ".pdf" is added to a name
/// typed without it before an existing file is asked about. Empty when
/// cancelled.
QString AskPrintPdfName(QWidget* parent, const QString& folder);

}  // namespace liquidus
