#include "app/infoform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStringDecoder>
#include <QTextEdit>

#include "files/rtf.h"
#include "canvas/savefile.h"

namespace liquidus {

namespace {
constexpr int kClientWidth = 752;
constexpr int kClientHeight = 540;
// An info text is a few pages; anything this large is not one and would only
// stall start-up.
constexpr qint64 kMaxInfoFileSize = 16 * 1024 * 1024;

QString DisplayName(const QString& fileName) {
    return QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath());
}

/// A text file that is not RTF is shown as it is: UTF-8 when it decodes as
/// such, Latin-1 otherwise.
QString PlainText(const QByteArray& data) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(data);
    return utf8.hasError() ? QString::fromLatin1(data) : text;
}
}  // namespace

QStringList InstalledDataDirs() {
    QStringList dirs;
    if (QCoreApplication::instance() != nullptr) {
        dirs << QDir(QCoreApplication::applicationDirPath())
                    .filePath(QStringLiteral("../share/liquidus"));
    }
#ifdef LIQUIDUS_DATADIR
    dirs << QStringLiteral(LIQUIDUS_DATADIR);
#endif
    return dirs;
}

QString LocateInfoFile(const QStringList& dataDirs) {
    const QString name = QString::fromLatin1(kInfoFileName);
    if (QFileInfo(name).isFile()) return name;
    for (const QString& dir : dataDirs) {
        const QString candidate = QDir(dir).filePath(name);
        if (QFileInfo(candidate).isFile()) return QDir::cleanPath(candidate);
    }
    return name;
}

TInfoForm::TInfoForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Info"));
    setFixedSize(kClientWidth, kClientHeight);

    m_richEdit = new QTextEdit(this);
    m_richEdit->setObjectName(QStringLiteral("RichEdit1"));
    m_richEdit->setGeometry(4, 4, 743, 497);
    m_richEdit->setReadOnly(true);
    m_richEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_richEdit->viewport()->setCursor(Qt::PointingHandCursor);
    QPalette palette = m_richEdit->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    m_richEdit->setPalette(palette);

    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("OKButton"));
    QFont bold = m_okButton->font();
    bold.setBold(true);
    m_okButton->setFont(bold);
    m_okButton->setGeometry((kClientWidth - 75) / 2, 508, 75, 25);
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);

    m_saveButton = new QPushButton(QStringLiteral("Save"), this);
    m_saveButton->setObjectName(QStringLiteral("Button1"));
    m_saveButton->setGeometry(kClientWidth - 85, 508, 75, 25);
    m_saveButton->setAutoDefault(false);
    m_saveButton->hide();
    connect(m_saveButton, &QPushButton::clicked, this, &TInfoForm::Button1Click);
}

bool TInfoForm::LoadFile(const QString& fileName, QString* error) {
    m_fileName = fileName;
    m_richEdit->clear();
    // A pipe or a device named like the info file would block the window
    // or never end; only a regular file (or none) is read.
    if (const QFileInfo info(fileName); info.exists() && !info.isFile()) {
        if (error) {
            *error = QStringLiteral("Cannot open file \"%1\". Not a regular file.")
                         .arg(DisplayName(fileName));
        }
        return false;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) {
            *error = QStringLiteral("Cannot open file \"%1\". %2")
                         .arg(DisplayName(fileName), file.errorString());
        }
        return false;
    }
    // Read one byte more than allowed to tell a large file from a full one;
    // the size the file system reports is not trusted (pipes, /proc).
    const QByteArray content = file.read(kMaxInfoFileSize + 1);
    const bool tooLarge = content.size() > kMaxInfoFileSize;
    if (tooLarge || file.error() != QFileDevice::NoError) {
        if (error) {
            *error =
                QStringLiteral("Cannot read file \"%1\". %2")
                    .arg(DisplayName(fileName),
                         tooLarge ? QStringLiteral("The file is too large.") : file.errorString());
        }
        return false;
    }
    QTextDocument* doc = m_richEdit->document();
    if (LooksLikeRtf(content)) {
        ReadRtf(content, *doc, nullptr);
    } else {
        m_richEdit->setPlainText(PlainText(content));
    }
    m_richEdit->moveCursor(QTextCursor::Start);
    return true;
}

bool TInfoForm::SaveFile(const QString& fileName, QString* error) {
    const QByteArray rtf = WriteRtf(*m_richEdit->document());
    try {
        SaveFileAtomically(QFile::encodeName(fileName).toStdString(), [&rtf](QIODevice& device) {
            return device.write(rtf) == rtf.size();
        });
    } catch (const TSaveError& failure) {
        if (error) {
            *error = QStringLiteral("Cannot create file \"%1\". %2")
                         .arg(DisplayName(fileName), QString::fromStdString(failure.Reason));
        }
        return false;
    }
    return true;
}

void TInfoForm::Button1Click() {
    QString error;
    if (!SaveFile(m_fileName, &error)) {
        QMessageBox::critical(this, windowTitle(), error);
    }
}

}  // namespace liquidus
