#include "app/splashform.h"

#include <gtest/gtest.h>

#include <QLabel>

#include "app/version.h"

namespace liquidus {
namespace {

TEST(SplashForm, ShowsTheVersionRecord) {
    TSplashForm splash;
    const TVersionInfo& version = ProgramVersion();
    EXPECT_EQ(splash.ProductNameCaption().toStdString(), version.ProductName);
    EXPECT_EQ(splash.ProductVersionCaption().toStdString(), "version " + version.ProductVersion);
    EXPECT_EQ(splash.ProjectNameCaption().toStdString(), version.FileDescription);
    EXPECT_EQ(splash.ProjectVersionCaption().toStdString(), "version " + version.FileVersion);
    EXPECT_EQ(splash.CopyrightCaption().toStdString(), "Copyright " + version.LegalCopyright);
    const auto* loading = splash.findChild<QLabel*>(QStringLiteral("LoadingLabel"));
    ASSERT_NE(loading, nullptr);
    EXPECT_EQ(loading->text(), "Loading...");
    EXPECT_TRUE(loading->font().bold());
}

TEST(SplashForm, IsASmallFramelessWindowOnTop) {
    TSplashForm splash;
    EXPECT_EQ(splash.size(), QSize(296, 185));
    EXPECT_TRUE(splash.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    splash.ShowNow();
    EXPECT_TRUE(splash.isVisible());
    // Painted at once: the grabbed picture is the silver face, not blank.
    const QImage face = splash.grab().toImage();
    EXPECT_EQ(face.pixelColor(150, 2), QColor(0xC0, 0xC0, 0xC0));
}

}  // namespace
}  // namespace liquidus
