#include "app/aboutbox.h"

#include <QDesktopServices>
#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <array>
#include <functional>

#include "app/splashform.h"
#include "app/systeminfo.h"
#include "app/version.h"

namespace liquidus {

namespace {
constexpr int kClientWidth = 365;
constexpr int kClientHeight = 254;
constexpr int kIconSize = 32;
constexpr int kScrollIntervalMs = 40;

// The developers' message, one line per entry.
constexpr std::array<const char*, 12> kSecretLines = {
    "Liquidus",
    "",
    "was brought to you by",
    "the Liquidus developers",
    "",
    "Every phase diagram",
    "begins with a melt:",
    "we hope yours stays liquid",
    "just long enough.",
    "",
    "Thank you for looking",
    "this far!",
};

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                  Qt::Alignment align, bool bold = false, int pointSize = 0) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAlignment(align | Qt::AlignVCenter);
    if (bold || pointSize > 0) {
        QFont font = label->font();
        font.setBold(bold);
        if (pointSize > 0) {
            font.setPointSize(pointSize);
        }
        label->setFont(font);
    }
    return label;
}
}  // namespace

/// The hidden panel with the developers' message, scrolling upwards in
/// large blue bold italic raised letters while active.
class TSecretPanel : public QFrame {
public:
    explicit TSecretPanel(QWidget* parent) : QFrame(parent), m_timer(new QTimer(this)) {
        setObjectName(QStringLiteral("SecretPanel1"));
        setFrameStyle(QFrame::Panel | QFrame::Raised);
        setLineWidth(2);
        setAutoFillBackground(true);
        QFont font(QStringLiteral("Arial"), 14);
        font.setBold(true);
        font.setItalic(true);
        setFont(font);
        m_timer->setInterval(kScrollIntervalMs);
        QObject::connect(m_timer, &QTimer::timeout, this, [this] { Step(); });
        hide();
    }

    std::function<void()> onClick;

    bool Active() const { return m_timer->isActive(); }

    void SetActive(bool active) {
        if (active == Active()) {
            return;
        }
        if (active) {
            m_offset = 0;
            show();
            raise();
            m_timer->start();
        } else {
            m_timer->stop();
            hide();
        }
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        event->accept();
        if (onClick) {
            onClick();
        }
    }

    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        QPainter painter(this);
        painter.setClipRect(contentsRect());
        const int lineHeight = fontMetrics().height();
        // The message enters at the bottom and leaves at the top.
        int y = height() - m_offset;
        for (const char* line : kSecretLines) {
            const QRect box(0, y, width(), lineHeight);
            const QString text = QString::fromLatin1(line);
            painter.setPen(palette().color(QPalette::Light));
            painter.drawText(box.translated(-1, -1), Qt::AlignCenter, text);
            painter.setPen(palette().color(QPalette::Dark));
            painter.drawText(box.translated(1, 1), Qt::AlignCenter, text);
            painter.setPen(Qt::blue);
            painter.drawText(box, Qt::AlignCenter, text);
            y += lineHeight;
        }
    }

private:
    void Step() {
        const int length = static_cast<int>(kSecretLines.size()) * fontMetrics().height();
        m_offset = (m_offset + 1) % (height() + length);
        update();
    }

    QTimer* m_timer;
    int m_offset = 0;
};

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    // "About " without its trailing blank: the window system adds
    // " — Liquidus" after the caption, and the blank would show doubled.
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(kClientWidth, kClientHeight);
    setFont(QFont(QStringLiteral("Arial"), 10));

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(8, 8, kClientWidth - 16, 206);
    auto* inner = new QFrame(panel);
    inner->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    inner->setGeometry(3, 3, panel->width() - 6, panel->height() - 6);

    m_icon = new QLabel(inner);
    m_icon->setObjectName(QStringLiteral("AnimatedImage1"));
    m_icon->setGeometry(8, 8, kIconSize, kIconSize);
    m_icon->setPixmap(QPixmap::fromImage(AnimationFrame(0)));
    m_icon->setMouseTracking(true);
    m_icon->installEventFilter(this);

    // The identity texts are the splash window's, so that both always agree.
    const TSplashCaptions captions = SplashCaptions();
    const TVersionInfo& version = ProgramVersion();
    const int w = inner->width();
    MakeLabel(inner, "ProductName", captions.ProductName, QRect(48, 6, w - 56, 18), Qt::AlignLeft,
              true);
    MakeLabel(inner, "ProductVersion", captions.ProductVersion, QRect(48, 24, w - 56, 18),
              Qt::AlignLeft, true);
    QLabel* projectName = MakeLabel(inner, "ProjectName", captions.ProjectName,
                                    QRect(8, 44, w - 16, 34), Qt::AlignHCenter, true, 20);
    auto* shadow = new QGraphicsDropShadowEffect(projectName);
    shadow->setOffset(2, 2);
    shadow->setBlurRadius(0);
    shadow->setColor(Qt::gray);
    projectName->setGraphicsEffect(shadow);
    MakeLabel(inner, "ProjectVersion", captions.ProjectVersion, QRect(8, 78, w - 16, 18),
              Qt::AlignHCenter, true);
    MakeLabel(inner, "Copyright", captions.Copyright, QRect(8, 98, w - 16, 18), Qt::AlignHCenter);
    MakeLabel(inner, "ContactLabel", QString::fromStdString(version.Contact),
              QRect(8, 116, w - 16, 18), Qt::AlignHCenter);
    auto* line = new QFrame(inner);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    line->setGeometry(8, 140, w - 16, 2);
    QLabel* winVer =
        MakeLabel(inner, "WinVer", OsVersionText(), QRect(8, 148, w - 16, 18), Qt::AlignLeft);
    winVer->setToolTip(winVer->text());
    MakeLabel(inner, "FreeMem", MemoryText(TotalPhysicalMemory()), QRect(8, 168, w - 16, 18),
              Qt::AlignLeft);

    m_urlPanel = new QLabel(QString::fromStdString(version.HomePage), this);
    m_urlPanel->setObjectName(QStringLiteral("URLPanel"));
    m_urlPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_urlPanel->setAlignment(Qt::AlignCenter);
    m_urlPanel->setGeometry(8, 222, 220, 25);
    m_urlPanel->setCursor(Qt::PointingHandCursor);
    m_urlPanel->setToolTip(QStringLiteral("Our Home Page"));
    QFont urlFont = m_urlPanel->font();
    urlFont.setUnderline(true);
    m_urlPanel->setFont(urlFont);
    QPalette urlPalette = m_urlPanel->palette();
    urlPalette.setColor(QPalette::WindowText, Qt::blue);
    m_urlPanel->setPalette(urlPalette);
    m_urlPanel->installEventFilter(this);
    m_urlPanel->setVisible(!version.HomePage.empty());

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(kClientWidth - 8 - 75, 222, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);

    m_secretPanel = new TSecretPanel(this);
    m_secretPanel->setGeometry((kClientWidth - 352) / 2, 40, 352, 150);
    m_secretPanel->onClick = [this] { SecretPanel1Click(); };

    m_frameTimer = new QTimer(this);
    m_frameTimer->setInterval(kFrameIntervalMs);
    connect(m_frameTimer, &QTimer::timeout, this, &TAboutBox::AdvanceFrame);
    m_frameTimer->start();
}

TAboutBox::~TAboutBox() = default;

QImage TAboutBox::AnimationFrame(int index) {
    QImage image(kIconSize, kIconSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // The composition triangle, its three corners in three field colours.
    const QPointF top(16, 3);
    const QPointF left(2, 28);
    const QPointF right(30, 28);
    const QPointF centre = (top + left + right) / 3;
    const std::array<QColor, 3> colours = {QColor(255, 160, 64), QColor(96, 176, 255),
                                           QColor(128, 208, 96)};
    const std::array<QPointF, 3> corners = {top, right, left};
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const QPointF a = corners[i];
        const QPointF b = corners[(i + 1) % 3];
        const QPointF c = corners[(i + 2) % 3];
        QPainterPath field;
        field.moveTo(a);
        field.lineTo((a + b) / 2);
        field.lineTo(centre);
        field.lineTo((a + c) / 2);
        field.closeSubpath();
        painter.fillPath(field, colours[i]);
    }
    painter.setPen(QPen(Qt::black, 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(std::array<QPointF, 3>{top, right, left}.data(), 3);

    // The highlight travels once round the triangle in kFrameCount steps.
    const int frame = ((index % kFrameCount) + kFrameCount) % kFrameCount;
    const double t = 3.0 * frame / kFrameCount;  // position along the three sides
    const int side = static_cast<int>(t);
    const double along = t - side;
    const QPointF spot = corners[side] + (corners[(side + 1) % 3] - corners[side]) * along;
    QRadialGradient glow(spot, 7);
    glow.setColorAt(0, Qt::white);
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(spot, 7, 7);
    painter.setBrush(QColor(255, 32, 32));
    painter.drawEllipse(spot, 2.5, 2.5);
    return image;
}

void TAboutBox::AdvanceFrame() {
    m_frame = (m_frame + 1) % kFrameCount;
    m_icon->setPixmap(QPixmap::fromImage(AnimationFrame(m_frame)));
}

bool TAboutBox::SecretActive() const {
    return m_secretPanel->Active();
}

void TAboutBox::SetSecretActive(bool active) {
    m_secretPanel->SetActive(active);
}

void TAboutBox::AnimatedImage1MouseMove() {
    SetSecretActive(true);
}

void TAboutBox::SecretPanel1Click() {
    SetSecretActive(false);
}

void TAboutBox::OKButtonClick() {
    if (SecretActive()) {
        SetSecretActive(false);
    }
    accept();
}

void TAboutBox::URLPanelClick() {
    // Whether a browser opens is not checked: there is nothing useful to say
    // when none does.
    QDesktopServices::openUrl(QUrl(m_urlPanel->text()));
}

void TAboutBox::done(int result) {
    SetSecretActive(false);
    QDialog::done(result);
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_icon && event->type() == QEvent::MouseMove) {
        AnimatedImage1MouseMove();
    } else if (watched == m_urlPanel && event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
               m_urlPanel->rect().contains(
                   static_cast<QMouseEvent*>(event)->position().toPoint())) {
        URLPanelClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace liquidus
