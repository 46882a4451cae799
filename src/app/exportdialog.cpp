#include "app/exportdialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "diagram/diagram.h"

namespace liquidus {

namespace {

constexpr double kMillimetresPerPixel = 25.4 / 96.0;

struct TFormatRow {
    TPictureFormat Format;
    const char* Suffix;
    const char* Caption;
    const char* Filter;
};
// In the order the list shows them: figures first, the fixed bitmap last.
constexpr std::array kFormats = {
    TFormatRow{TPictureFormat::Png, ".png", "PNG picture", "PNG pictures (*.png)"},
    TFormatRow{TPictureFormat::Svg, ".svg", "SVG drawing", "SVG drawings (*.svg)"},
    TFormatRow{TPictureFormat::Pdf, ".pdf", "PDF document", "PDF documents (*.pdf)"},
    TFormatRow{TPictureFormat::Bmp, ".bmp", "Windows bitmap", "Windows bitmaps (*.bmp)"},
};

const TFormatRow& RowOf(TPictureFormat format) {
    for (const TFormatRow& row : kFormats) {
        if (row.Format == format) return row;
    }
    return kFormats.front();
}

bool IsVector(TPictureFormat format) {
    return format == TPictureFormat::Svg || format == TPictureFormat::Pdf;
}

std::optional<TPictureFormat> FormatOfName(const QString& fileName) {
    return PictureFormatOf(QFile::encodeName(fileName).toStdString());
}

/// `fileName` ending in the format's suffix: a picture suffix it has is
/// replaced, anything else is kept and the suffix added.
QString WithSuffix(const QString& fileName, TPictureFormat format) {
    QString name = fileName;
    if (FormatOfName(name)) name.chop(4);  // every picture suffix is four characters
    return name + QString::fromLatin1(RowOf(format).Suffix);
}

}  // namespace

void StoreExportRequest(QSettings& settings, const TExportRequest& request) {
    settings.beginGroup(QStringLiteral("Export"));
    settings.setValue(QStringLiteral("File"), request.FileName);
    settings.setValue(QStringLiteral("Format"), QString::fromLatin1(RowOf(request.Format).Suffix));
    settings.setValue(QStringLiteral("Width"), request.Size.Width);
    settings.setValue(QStringLiteral("Height"), request.Size.Height);
    settings.setValue(QStringLiteral("Millimetres"), request.Size.Millimetres);
    settings.setValue(QStringLiteral("TextScale"), request.TextScale);
    settings.endGroup();
}

TExportRequest RestoreExportRequest(QSettings& settings, const TExportRequest& fallback) {
    TExportRequest request = fallback;
    settings.beginGroup(QStringLiteral("Export"));
    const std::optional<TPictureFormat> format =
        FormatOfName(QStringLiteral("x") + settings.value(QStringLiteral("Format")).toString());
    const double width = settings.value(QStringLiteral("Width")).toDouble();
    const double height = settings.value(QStringLiteral("Height")).toDouble();
    const bool millimetres = settings.value(QStringLiteral("Millimetres")).toBool();
    const double scale = settings.value(QStringLiteral("TextScale")).toDouble();
    const QString file = settings.value(QStringLiteral("File")).toString();
    settings.endGroup();
    // Each value stands on its own: a settings file edited by hand loses
    // only what it spoilt.
    if (format) request.Format = *format;
    if (!file.isEmpty()) request.FileName = WithSuffix(file, request.Format);
    const double most = millimetres ? kMaxFigureMillimetres : kMaxPictureSide;
    if (width >= 1 && width <= most && height >= 1 && height <= most &&
        (!millimetres || IsVector(request.Format))) {
        request.Size = {width, height, millimetres};
    }
    if (scale >= kMinTextScale && scale <= kMaxTextScale) request.TextScale = scale;
    return request;
}

QSize ShownSize(const TDiagram& diagram) {
    const double ratio = diagram.PixelScale();
    return {std::max(static_cast<int>(std::lround(diagram.Width() / ratio)), 1),
            std::max(static_cast<int>(std::lround(diagram.Height() / ratio)), 1)};
}

namespace {

void WriteOrThrow(TDiagram& diagram, const TExportRequest& request) {
    const std::string fileName = QFile::encodeName(request.FileName).toStdString();
    if (request.Format != TPictureFormat::Bmp) {
        const TDrawing drawing =
            diagram.RecordFigure(request.Size.Width, request.Size.Height, request.TextScale);
        WriteFigure(drawing, fileName, request.Format, request.Size, diagram.Title());
        return;
    }
    if (request.Size.Millimetres) throw std::invalid_argument("a bitmap is sized in pixels");
    const int width = static_cast<int>(std::lround(request.Size.Width));
    const int height = static_cast<int>(std::lround(request.Size.Height));
    const std::unique_ptr<TBitmap> bitmap = diagram.RenderPicture(width, height);
    if (bitmap->Width() != width || bitmap->Height() != height) {
        throw std::runtime_error("Not enough memory for a " + std::to_string(width) + " × " +
                                 std::to_string(height) + " picture");
    }
    bitmap->SaveToFile(fileName);
}

}  // namespace

QString WriteExport(TDiagram& diagram, const TExportRequest& request) {
    try {
        WriteOrThrow(diagram, request);
    } catch (const std::bad_alloc&) {
        return QStringLiteral("Not enough memory for the picture.");
    } catch (const std::exception& error) {
        return QString::fromStdString(error.what());
    }
    return {};
}

TExportDialog::TExportDialog(const TExportRequest& proposed, QSize diagramSize, QWidget* parent)
    : QDialog(parent), m_diagramSize(diagramSize) {
    setObjectName(QStringLiteral("ExportDialog"));
    setWindowTitle(QStringLiteral("Export picture"));

    m_fileName = new QLineEdit(QDir::toNativeSeparators(proposed.FileName));
    m_fileName->setObjectName(QStringLiteral("FileNameEdit"));
    m_fileName->setMinimumWidth(320);
    auto* browse = new QPushButton(QStringLiteral("&Browse…"));
    browse->setObjectName(QStringLiteral("BrowseButton"));
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_fileName, 1);
    fileRow->addWidget(browse);

    m_format = new QComboBox;
    m_format->setObjectName(QStringLiteral("FormatComboBox"));
    for (const TFormatRow& row : kFormats) {
        m_format->addItem(QStringLiteral("%1 (%2)").arg(QString::fromLatin1(row.Caption),
                                                        QString::fromLatin1(row.Suffix)),
                          static_cast<int>(row.Format));
    }
    m_format->setCurrentIndex(m_format->findData(static_cast<int>(proposed.Format)));

    const auto side = [](const char* name) {
        auto* box = new QDoubleSpinBox;
        box->setObjectName(QString::fromLatin1(name));
        box->setMinimum(1);
        return box;
    };
    m_width = side("WidthSpinBox");
    m_height = side("HeightSpinBox");
    m_units = new QComboBox;
    m_units->setObjectName(QStringLiteral("UnitsComboBox"));
    m_units->addItems({QStringLiteral("pixels"), QStringLiteral("mm")});
    auto* diagramSizeButton = new QPushButton(QStringLiteral("&Diagram size"));
    diagramSizeButton->setObjectName(QStringLiteral("DiagramSizeButton"));
    diagramSizeButton->setToolTip(QStringLiteral("The size the diagram has in the window: %1 × %2")
                                      .arg(diagramSize.width())
                                      .arg(diagramSize.height()));
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(m_width);
    sizeRow->addWidget(new QLabel(QStringLiteral("×")));
    sizeRow->addWidget(m_height);
    sizeRow->addWidget(m_units);
    sizeRow->addWidget(diagramSizeButton);
    sizeRow->addStretch(1);

    m_textScale = new QDoubleSpinBox;
    m_textScale->setObjectName(QStringLiteral("TextScaleSpinBox"));
    m_textScale->setRange(kMinTextScale, kMaxTextScale);
    m_textScale->setSingleStep(0.25);
    m_textScale->setValue(proposed.TextScale);
    m_textScale->setToolTip(
        QStringLiteral("Texts this many times their usual size; a bitmap keeps its own"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
    m_save = buttons->button(QDialogButtonBox::Save);

    auto* scaleRow = new QHBoxLayout;
    scaleRow->addWidget(m_textScale);
    scaleRow->addStretch(1);

    // Rows holding several fields take their label's shortcut to the first.
    const auto label = [](const QString& text, QWidget* buddy) {
        auto* caption = new QLabel(text);
        caption->setBuddy(buddy);
        return caption;
    };
    auto* form = new QFormLayout;
    form->addRow(label(QStringLiteral("&File:"), m_fileName), fileRow);
    form->addRow(label(QStringLiteral("F&ormat:"), m_format), m_format);
    form->addRow(label(QStringLiteral("Si&ze:"), m_width), sizeRow);
    form->addRow(label(QStringLiteral("&Text scale:"), m_textScale), scaleRow);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    // The units first: the size's decimals and limits follow them.
    m_units->setCurrentIndex(proposed.Size.Millimetres && IsVector(proposed.Format) ? 1 : 0);
    UnitsChosen();
    SetSize(proposed.Size);
    FormatChosen();

    connect(m_format, &QComboBox::currentIndexChanged, this, &TExportDialog::FormatChosen);
    connect(m_fileName, &QLineEdit::textEdited, this, &TExportDialog::FileNameEdited);
    connect(m_units, &QComboBox::currentIndexChanged, this, &TExportDialog::UnitsChosen);
    connect(browse, &QPushButton::clicked, this, &TExportDialog::Browse);
    connect(diagramSizeButton, &QPushButton::clicked, this, [this] {
        m_units->setCurrentIndex(0);
        SetSize({double(m_diagramSize.width()), double(m_diagramSize.height()), false});
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TExportRequest TExportDialog::Request() const {
    TExportRequest request;
    request.Format = Format();
    const QString typed = QDir::fromNativeSeparators(m_fileName->text().trimmed());
    request.FileName = typed.isEmpty() || FormatOfName(typed) == request.Format
                           ? typed
                           : WithSuffix(typed, request.Format);
    request.Size = {m_width->value(), m_height->value(), Millimetres()};
    request.TextScale = m_textScale->value();
    return request;
}

TPictureFormat TExportDialog::Format() const {
    return static_cast<TPictureFormat>(m_format->currentData().toInt());
}

bool TExportDialog::Millimetres() const {
    return m_units->currentIndex() == 1;
}

void TExportDialog::SetSize(const TFigureSize& size) {
    // A size in the other unit is converted at the screen's 96 pixels per inch.
    double scale = 1.0;
    if (size.Millimetres && !Millimetres()) scale = 1.0 / kMillimetresPerPixel;
    if (!size.Millimetres && Millimetres()) scale = kMillimetresPerPixel;
    m_width->setValue(size.Width * scale);
    m_height->setValue(size.Height * scale);
}

void TExportDialog::FormatChosen() {
    const TPictureFormat format = Format();
    const QString name = m_fileName->text().trimmed();
    if (!name.isEmpty() && FormatOfName(name) != format) {
        m_fileName->setText(WithSuffix(name, format));
    }
    // Millimetres mean nothing to a raster picture, and the bitmap is the
    // screen's, with the screen's text sizes.
    if (!IsVector(format)) m_units->setCurrentIndex(0);
    m_units->setEnabled(IsVector(format));
    m_textScale->setEnabled(format != TPictureFormat::Bmp);
    m_save->setEnabled(!name.isEmpty());
}

void TExportDialog::FileNameEdited() {
    const std::optional<TPictureFormat> format = FormatOfName(m_fileName->text().trimmed());
    if (format && *format != Format()) {
        m_format->setCurrentIndex(m_format->findData(static_cast<int>(*format)));
    }
    m_save->setEnabled(!m_fileName->text().trimmed().isEmpty());
}

void TExportDialog::UnitsChosen() {
    const TFigureSize before{m_width->value(), m_height->value(), !Millimetres()};
    const bool mm = Millimetres();
    for (QDoubleSpinBox* box : {m_width, m_height}) {
        const QSignalBlocker quiet(box);
        box->setDecimals(mm ? 1 : 0);
        box->setMaximum(mm ? kMaxFigureMillimetres : kMaxPictureSide);
        box->setSuffix(mm ? QStringLiteral(" mm") : QStringLiteral(" px"));
    }
    // The picture keeps its size on paper when only the unit changes.
    SetSize(before);
}

void TExportDialog::Browse() {
    QStringList filters;
    QString selected;
    for (const TFormatRow& row : kFormats) {
        filters << QString::fromLatin1(row.Filter);
        if (row.Format == Format()) selected = filters.back();
    }
    // Overwriting is asked about by the window, once the name is final.
    const QString chosen = QFileDialog::getSaveFileName(
        this, windowTitle(), m_fileName->text().trimmed(), filters.join(QStringLiteral(";;")),
        &selected, QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty()) return;
    TPictureFormat format = Format();
    for (const TFormatRow& row : kFormats) {
        if (selected == QLatin1String(row.Filter)) format = row.Format;
    }
    if (const std::optional<TPictureFormat> named = FormatOfName(chosen)) format = *named;
    m_fileName->setText(QDir::toNativeSeparators(WithSuffix(chosen, format)));
    m_format->setCurrentIndex(m_format->findData(static_cast<int>(format)));
    FormatChosen();
}

bool ConfirmReplace(QWidget* parent, const QString& fileName) {
    return QMessageBox::question(
               parent, QGuiApplication::applicationDisplayName(),
               QStringLiteral("%1 already exists.\nDo you want to replace it?")
                   .arg(QDir::toNativeSeparators(QFileInfo(fileName).fileName()))) ==
           QMessageBox::Yes;
}

bool OfferPrintToPdf(QWidget* parent, const QString& message) {
    QMessageBox box(QMessageBox::Information, QGuiApplication::applicationDisplayName(), message,
                    QMessageBox::Cancel, parent);
    QPushButton* pdf = box.addButton(QStringLiteral("Print to &PDF…"), QMessageBox::AcceptRole);
    box.setDefaultButton(pdf);
    box.exec();
    return box.clickedButton() == pdf;
}

QString AskPrintPdfName(QWidget* parent, const QString& folder) {
    QFileDialog dialog(parent, QStringLiteral("Print to PDF"), folder,
                       QStringLiteral("PDF documents (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

}  // namespace liquidus
