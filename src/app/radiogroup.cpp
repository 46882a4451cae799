#include "app/radiogroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>
#include <algorithm>

namespace liquidus {

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, int columns,
                         QWidget* parent)
    : QGroupBox(caption, parent),
      m_group(new QButtonGroup(this)),
      m_grid(new QGridLayout(this)),
      m_columns(std::max(columns, 1)) {
    m_grid->setContentsMargins(6, 1, 4, 1);
    m_grid->setHorizontalSpacing(4);
    m_grid->setVerticalSpacing(0);
    const int count = static_cast<int>(items.size());
    const int rows = (count + m_columns - 1) / m_columns;
    for (int i = 0; i < count; ++i) {
        auto* button = new QRadioButton(items[i], this);
        m_group->addButton(button, i);
        m_grid->addWidget(button, i % rows, i / rows);
        m_buttons.push_back(button);
    }
    for (int c = 0; c < m_columns; ++c) {
        m_grid->setColumnStretch(c, 1);
    }
    connect(m_group, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) emit Click();
    });
}

QString TRadioGroup::ItemText(int index) const {
    const QAbstractButton* button = Button(index);
    return button != nullptr ? button->text() : QString();
}

void TRadioGroup::SetItemText(int index, const QString& text) {
    if (QAbstractButton* button = Button(index)) {
        button->setText(text);
    }
}

int TRadioGroup::ItemIndex() const {
    return m_group->checkedId();
}

void TRadioGroup::SetItemIndex(int index) {
    if (QAbstractButton* button = Button(index)) {
        button->setChecked(true);
        return;
    }
    // Nothing selected: an exclusive group cannot uncheck its last button.
    if (QAbstractButton* checked = m_group->checkedButton()) {
        m_group->setExclusive(false);
        checked->setChecked(false);
        m_group->setExclusive(true);
    }
}

QAbstractButton* TRadioGroup::Button(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return m_buttons[static_cast<std::size_t>(index)];
}

}  // namespace liquidus
