#pragma once
// A captioned group of radio items laid out in columns, with one selected
// item and one click notification, as the control panel uses them.

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QGridLayout;

namespace liquidus {

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    /// Items fill the columns top to bottom, then left to right.
    TRadioGroup(const QString& caption, const QStringList& items, int columns = 1,
                QWidget* parent = nullptr);

    int Columns() const { return m_columns; }
    int Count() const { return static_cast<int>(m_buttons.size()); }
    QString ItemText(int index) const;
    void SetItemText(int index, const QString& text);
    /// The selected item, -1 when none is.
    int ItemIndex() const;
    /// Selects an item (-1: none); a change notifies Click like a user's click.
    void SetItemIndex(int index);
    QAbstractButton* Button(int index) const;

signals:
    /// The selection changed, by the user or by SetItemIndex.
    void Click();

private:
    QButtonGroup* m_group;
    QGridLayout* m_grid;
    std::vector<QAbstractButton*> m_buttons;
    int m_columns;
};

}  // namespace liquidus
