#include "app/splashform.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QScreen>

#include "app/version.h"

namespace liquidus {

namespace {
constexpr int kClientWidth = 296;
constexpr int kClientHeight = 185;
constexpr const char* kCopyrightCaption = "Copyright";

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}

/// A label whose text casts a grey shadow to the right and below.
class TShadowLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRect box = contentsRect();
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.drawText(box.translated(kShadowOffset, kShadowOffset), alignment(), text());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(box, alignment(), text());
    }

private:
    static constexpr int kShadowOffset = 2;
};

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text,
                  Qt::Alignment alignment, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(alignment);
    label->setGeometry(geometry);
    return label;
}
}  // namespace

TSplashCaptions SplashCaptions() {
    const TVersionInfo& info = ProgramVersion();
    return {
        FromStd(info.ProductName), FromStd(VersionCaption(info.ProductVersion)),
        FromStd(info.FileDescription), FromStd(VersionCaption(info.FileVersion)),
        QString::fromLatin1(kCopyrightCaption) + QLatin1Char(' ') + FromStd(info.LegalCopyright)};
}

TSplashForm::TSplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("SplashForm"));
    setFixedSize(kClientWidth, kClientHeight);
    QPalette silver = palette();
    silver.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    silver.setColor(QPalette::WindowText, Qt::black);
    setPalette(silver);
    setAutoFillBackground(true);
    setFont(QFont(QStringLiteral("Arial"), 8));

    // Raised outer and lowered inner bevel.
    auto* outer = new QFrame(this);
    outer->setFrameStyle(QFrame::Panel | QFrame::Raised);
    outer->setLineWidth(1);
    outer->setGeometry(4, 4, kClientWidth - 8, kClientHeight - 8);
    auto* panel = new QFrame(outer);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setGeometry(2, 2, outer->width() - 4, outer->height() - 4);
    const int w = panel->width();

    const TSplashCaptions captions = SplashCaptions();
    m_programIcon = new QLabel(panel);
    m_programIcon->setObjectName(QStringLiteral("ProgramIcon"));
    m_programIcon->setGeometry(10, 8, 32, 32);
    m_programIcon->setPixmap(QApplication::windowIcon().pixmap(32, 32));

    m_productName = MakeLabel(panel, QStringLiteral("ProductName"), captions.ProductName,
                              Qt::AlignLeft | Qt::AlignVCenter, QRect(52, 8, w - 60, 16));
    QFont bold = font();
    bold.setBold(true);
    m_productName->setFont(bold);
    m_productVersion = MakeLabel(panel, QStringLiteral("ProductVersion"), captions.ProductVersion,
                                 Qt::AlignLeft | Qt::AlignVCenter, QRect(52, 24, w - 60, 16));

    m_projectName = new TShadowLabel(captions.ProjectName, panel);
    m_projectName->setObjectName(QStringLiteral("ProjectName"));
    m_projectName->setAlignment(Qt::AlignCenter);
    m_projectName->setGeometry(4, 44, w - 8, 40);
    QFont large(QStringLiteral("Arial"), 22);
    large.setBold(true);
    m_projectName->setFont(large);

    m_projectVersion = MakeLabel(panel, QStringLiteral("ProjectVersion"), captions.ProjectVersion,
                                 Qt::AlignCenter, QRect(4, 86, w - 8, 16));
    m_projectVersion->setFont(bold);
    m_copyright = MakeLabel(panel, QStringLiteral("Copyright"), captions.Copyright, Qt::AlignCenter,
                            QRect(4, 104, w - 8, 16));

    auto* line = new QFrame(panel);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    line->setGeometry(8, 126, w - 16, 4);

    QLabel* loading = MakeLabel(panel, QStringLiteral("LoadingLabel"), QStringLiteral("Loading..."),
                                Qt::AlignCenter, QRect(4, 136, w - 8, 20));
    loading->setFont(bold);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void TSplashForm::ShowNow() {
    show();
    raise();
    repaint();
    // The window system gets to map and draw the window before the slow
    // start-up work blocks the thread.
    QApplication::processEvents();
}

QString TSplashForm::ProductNameCaption() const {
    return m_productName->text();
}
QString TSplashForm::ProductVersionCaption() const {
    return m_productVersion->text();
}
QString TSplashForm::ProjectNameCaption() const {
    return m_projectName->text();
}
QString TSplashForm::ProjectVersionCaption() const {
    return m_projectVersion->text();
}
QString TSplashForm::CopyrightCaption() const {
    return m_copyright->text();
}

}  // namespace liquidus
