// The export dialog keeps file name, format, units and text scale in step.

#include "app/exportdialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace liquidus {
namespace {

TEST(ExportDialog, FormatNameUnitsAndTextScaleFollowEachOther) {
    TExportDialog dialog(
        {QStringLiteral("/tmp/plot.png"), TPictureFormat::Png, {960, 480, false}, 1},
        QSize(700, 500));
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("FileNameEdit"));
    auto* format = dialog.findChild<QComboBox*>(QStringLiteral("FormatComboBox"));
    auto* units = dialog.findChild<QComboBox*>(QStringLiteral("UnitsComboBox"));
    auto* scale = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("TextScaleSpinBox"));
    EXPECT_FALSE(units->isEnabled());  // millimetres are for drawings

    // A format picked renames the file; a name typed picks the format.
    format->setCurrentIndex(format->findData(static_cast<int>(TPictureFormat::Svg)));
    EXPECT_TRUE(name->text().endsWith(QStringLiteral("plot.svg")));
    ASSERT_TRUE(units->isEnabled());
    units->setCurrentIndex(1);  // 960 px at 96 per inch: 254 mm
    EXPECT_EQ(dialog.Request().Size.Width, 254.0);
    EXPECT_TRUE(dialog.Request().Size.Millimetres);
    name->clear();
    QTest::keyClicks(name, QStringLiteral("/tmp/figure.BMP"));
    EXPECT_EQ(dialog.Request().Format, TPictureFormat::Bmp);
    EXPECT_FALSE(units->isEnabled());
    EXPECT_FALSE(scale->isEnabled());  // the bitmap keeps the screen's texts
    EXPECT_FALSE(dialog.Request().Size.Millimetres);
    EXPECT_EQ(dialog.Request().Size.Width, 960.0);

    // A name without a picture suffix gets the format's.
    name->setText(QStringLiteral("/tmp/figure.v2"));
    EXPECT_EQ(dialog.Request().FileName, QStringLiteral("/tmp/figure.v2.bmp"));
    dialog.findChild<QPushButton*>(QStringLiteral("DiagramSizeButton"))->click();
    EXPECT_EQ(dialog.Request().Size.Height, 500.0);
}

TEST(ExportDialog, SettingsSpoiltByHandLoseOnlyTheirOwnValue) {
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("x.conf")), QSettings::IniFormat);
    const TExportRequest fallback{
        QStringLiteral("/a/diagram.png"), TPictureFormat::Png, {640, 400, false}, 1};
    StoreExportRequest(settings,
                       {QStringLiteral("/b/fig.pdf"), TPictureFormat::Pdf, {150, 90, true}, 2});
    settings.setValue(QStringLiteral("Export/Width"), -3);
    settings.setValue(QStringLiteral("Export/TextScale"), QStringLiteral("big"));
    // Width and units go together: both fall back.
    EXPECT_TRUE(RestoreExportRequest(settings, fallback) ==
                (TExportRequest{QStringLiteral("/b/fig.pdf"), TPictureFormat::Pdf,
                                {640, 400, false}, 1}));
}

}  // namespace
}  // namespace liquidus
