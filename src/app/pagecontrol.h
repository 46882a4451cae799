#pragma once
// Pages under tabs that wrap onto as many rows as the width needs, so that
// every tab of a narrow panel stays in view.

#include <QWidget>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QStackedWidget;

namespace liquidus {

class TPageControl : public QWidget {
    Q_OBJECT
public:
    explicit TPageControl(QWidget* parent = nullptr);

    /// Adds a page under a new tab at the end; the control owns the page.
    void AddPage(QWidget* page, const QString& caption);
    int PageCount() const { return static_cast<int>(m_tabs.size()); }
    QString TabText(int index) const;
    QWidget* Page(int index) const;
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    /// Rows of tabs at the current width.
    int TabRows() const { return m_rows; }

signals:
    void Change();

private:
    class TTabHeader;

    TTabHeader* m_header;
    QStackedWidget* m_pages;
    QButtonGroup* m_group;
    std::vector<QAbstractButton*> m_tabs;
    int m_rows = 0;
};

}  // namespace liquidus
