#pragma once
// The Sections window: the liquidus along a side of the triangle, or along a
// line through the marked point parallel to it, as a binary diagram that
// follows the main diagram's orientation, units and temperature method.

#include <QDialog>
#include <QString>
#include <memory>
#include <string>

#include "binary/binagram.h"

class QCheckBox;
class QComboBox;
class QLabel;

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
    /// Asked for the name a saved picture gets (a test seam).
    virtual QString AskSaveFileName();
    virtual void ShowMessage(const QString& text);

private:
    void Save();
    void Print();

    TTernagram& m_main;
    TBinagram m_binagram;
    TControlWidget* m_view = nullptr;
    QComboBox* m_side = nullptr;
    QCheckBox* m_throughMark = nullptr;
    QLabel* m_problem = nullptr;
    bool m_refreshPending = false;
    TNotifyEvent m_previousOnChange;
};

/// The temperature axis's title in a unit ("T, °C").
std::string TemperatureAxisTitle(TTUnits units);

}  // namespace liquidus
