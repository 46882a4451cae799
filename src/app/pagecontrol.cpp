#include "app/pagecontrol.h"

#include <QButtonGroup>
#include <QResizeEvent>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace liquidus {

namespace {
constexpr int kTabSpacing = 1;

// Tabs look like tabs: the selected one lighter and open towards the page.
constexpr const char* kTabStyle =
    "QToolButton { border: 1px solid palette(dark);"
    " border-top-left-radius: 3px; border-top-right-radius: 3px;"
    " background: palette(button); padding: 1px 4px; }"
    "QToolButton:checked { background: palette(base); border-bottom: none; }";
}  // namespace

/// Lays the tab buttons out in rows, each row stretched to the full width.
class TPageControl::TTabHeader : public QWidget {
public:
    TTabHeader(TPageControl& owner, QWidget* parent) : QWidget(parent), m_owner(owner) {
        QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        policy.setHeightForWidth(true);
        setSizePolicy(policy);
    }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override {
        return static_cast<int>(Rows(width).size()) * RowHeight();
    }
    QSize sizeHint() const override {
        int widest = 0;
        for (const QAbstractButton* tab : m_owner.m_tabs) {
            widest = std::max(widest, tab->sizeHint().width());
        }
        return {widest, heightForWidth(width() > 0 ? width() : widest)};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        Arrange();
    }

public:
    void Arrange() {
        auto rows = Rows(width());
        // As stacked tabs do: the rows turn round until the selected tab's
        // row is the one next to the page.
        const auto selected = std::find_if(rows.begin(), rows.end(), [](const auto& row) {
            return std::any_of(row.begin(), row.end(),
                               [](const QAbstractButton* tab) { return tab->isChecked(); });
        });
        if (selected != rows.end()) std::rotate(rows.begin(), selected + 1, rows.end());
        const int rowHeight = RowHeight();
        int y = 0;
        for (const auto& row : rows) {
            int natural = 0;
            for (const QAbstractButton* tab : row) natural += tab->sizeHint().width();
            const int n = static_cast<int>(row.size());
            const int spare = std::max(width() - natural - kTabSpacing * (n - 1), 0);
            int x = 0;
            for (int i = 0; i < n; ++i) {
                // The spare width is shared out so the row ends flush right.
                const int extra = spare * (i + 1) / n - spare * i / n;
                QAbstractButton* tab = row[static_cast<std::size_t>(i)];
                const int w = tab->sizeHint().width() + extra;
                tab->setGeometry(x, y, w, rowHeight);
                x += w + kTabSpacing;
            }
            y += rowHeight;
        }
        if (m_owner.m_rows != static_cast<int>(rows.size())) {
            m_owner.m_rows = static_cast<int>(rows.size());
            updateGeometry();
        }
    }

private:
    int RowHeight() const {
        int height = 0;
        for (const QAbstractButton* tab : m_owner.m_tabs) {
            height = std::max(height, tab->sizeHint().height());
        }
        return height;
    }

    // Greedy: a tab goes onto the current row while it fits.
    std::vector<std::vector<QAbstractButton*>> Rows(int width) const {
        std::vector<std::vector<QAbstractButton*>> rows;
        int used = 0;
        for (QAbstractButton* tab : m_owner.m_tabs) {
            const int w = tab->sizeHint().width();
            if (rows.empty() || (used + kTabSpacing + w > width && !rows.back().empty())) {
                rows.emplace_back();
                used = 0;
            } else {
                used += kTabSpacing;
            }
            rows.back().push_back(tab);
            used += w;
        }
        return rows;
    }

    TPageControl& m_owner;
};

TPageControl::TPageControl(QWidget* parent)
    : QWidget(parent),
      m_header(new TTabHeader(*this, this)),
      m_pages(new QStackedWidget(this)),
      m_group(new QButtonGroup(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_header);
    m_pages->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(m_pages, 1);
    m_group->setExclusive(true);
    connect(m_group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (!checked) return;
        m_pages->setCurrentIndex(id);
        m_header->Arrange();
        emit Change();
    });
}

void TPageControl::AddPage(QWidget* page, const QString& caption) {
    auto* tab = new QToolButton(m_header);
    tab->setText(caption);
    tab->setCheckable(true);
    tab->setStyleSheet(kTabStyle);
    tab->setFocusPolicy(Qt::TabFocus);
    const int index = PageCount();
    m_tabs.push_back(tab);
    m_pages->addWidget(page);
    m_group->addButton(tab, index);
    if (index == 0) {
        tab->setChecked(true);
    }
    m_header->updateGeometry();
    m_header->Arrange();
}

QString TPageControl::TabText(int index) const {
    if (index < 0 || index >= PageCount()) return {};
    return m_tabs[static_cast<std::size_t>(index)]->text();
}

QWidget* TPageControl::Page(int index) const {
    return m_pages->widget(index);
}

int TPageControl::ActivePageIndex() const {
    return m_pages->currentIndex();
}

void TPageControl::SetActivePageIndex(int index) {
    if (index < 0 || index >= PageCount()) return;
    m_tabs[static_cast<std::size_t>(index)]->setChecked(true);
}

}  // namespace liquidus
