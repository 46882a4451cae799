#include "app/help.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

// Resources compiled into a static library are only linked when something
// refers to them; the macro must be used outside any namespace.
static void InitHelpResources() {
    Q_INIT_RESOURCE(resources);
}

namespace liquidus {

namespace {
const QString kHelpTitle = QStringLiteral("Liquidus Help");

class THelpWindow : public QDialog {
public:
    explicit THelpWindow(QWidget* parent) : QDialog(parent) {
        setObjectName(QStringLiteral("HelpWindow"));
        setWindowTitle(kHelpTitle);
        setModal(false);
        resize(660, 560);

        m_browser = new QTextBrowser(this);
        m_browser->setObjectName(QStringLiteral("HelpBrowser"));
        m_browser->setOpenExternalLinks(true);

        auto* home = new QPushButton(QStringLiteral("&Contents"), this);
        home->setObjectName(QStringLiteral("HomeButton"));
        auto* back = new QPushButton(QStringLiteral("&Back"), this);
        back->setObjectName(QStringLiteral("BackButton"));
        auto* forward = new QPushButton(QStringLiteral("&Forward"), this);
        forward->setObjectName(QStringLiteral("ForwardButton"));
        auto* close = new QPushButton(QStringLiteral("Close"), this);
        for (QPushButton* button : {home, back, forward, close}) {
            button->setAutoDefault(false);
        }
        back->setEnabled(false);
        forward->setEnabled(false);

        connect(home, &QPushButton::clicked, m_browser, &QTextBrowser::home);
        connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
        connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
        connect(close, &QPushButton::clicked, this, &QDialog::close);
        connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
        connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
        connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
            const QString page = m_browser->documentTitle();
            setWindowTitle(page.isEmpty() ? kHelpTitle : kHelpTitle + QStringLiteral(" - ") + page);
        });

        auto* buttons = new QHBoxLayout;
        buttons->addWidget(home);
        buttons->addWidget(back);
        buttons->addWidget(forward);
        buttons->addStretch();
        buttons->addWidget(close);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(buttons);
        layout->addWidget(m_browser);

        m_browser->setSource(HelpContentsUrl());
    }

    void ShowContents() {
        // The first page of the history is the contents page; going there
        // this way keeps Back meaningful.
        if (m_browser->source() != HelpContentsUrl()) {
            m_browser->setSource(HelpContentsUrl());
        }
        show();
        raise();
        activateWindow();
    }

private:
    QTextBrowser* m_browser = nullptr;
};

QPointer<THelpWindow>& Window() {
    static QPointer<THelpWindow> window;
    return window;
}
}  // namespace

QUrl HelpContentsUrl() {
    return QUrl(QStringLiteral("qrc:/help/contents.html"));
}

void ShowHelpContents(QWidget* parent) {
    InitHelpResources();
    QPointer<THelpWindow>& window = Window();
    if (!window) {
        window = new THelpWindow(parent);
    }
    window->ShowContents();
}

QDialog* HelpWindow() {
    return Window().data();
}

}  // namespace liquidus
