#pragma once
// The Sections window: the liquidus along a side of the triangle, or along a
// line through the marked point parallel to it, as a binary diagram that
// follows the main diagram's orientation, units and temperature method.

#include <QDialog>
#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "app/exportdialog.h"
#include "binary/binagram.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPrinter;

namespace liquidus {

class TControlWidget;
class TTernagram;

class TSectionsForm : public QDialog {
    Q_OBJECT
public:
    TSectionsForm(TTernagram& main, QWidget* parent = nullptr);
    ~TSectionsForm() override;

    TBinagram& Binagram1() { return m_binagram; }
    /// What the section window shows when it cannot show a section.
    QString Problem() const;

    /// Makes the section again from the main diagram as it is now.
    void Refresh();

protected:
    // What the window asks of the user and the system; tests stand in here.
    /// Asked for the name a saved picture gets.
    virtual QString AskSaveFileName();
    virtual void ShowMessage(const QString& text);
    /// Asked before an existing file is replaced.
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

private:
    void Save();
    void Print();
    void Export();

    TTernagram& m_main;
    TBinagram m_binagram;
    TControlWidget* m_view = nullptr;
    QComboBox* m_side = nullptr;
    QCheckBox* m_throughMark = nullptr;
    QLabel* m_problem = nullptr;
    bool m_refreshPending = false;
    TNotifyEvent m_previousOnChange;
    /// The last export's choice, for the next one while the window lives.
    std::optional<TExportRequest> m_lastExport;
};

}  // namespace liquidus
