// The Info and About windows and the help window, driven headless.

#include "app/aboutbox.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextEdit>
#include <set>

#include "app/help.h"
#include "app/infoform.h"
#include "files/rtf.h"
#include "app/splashform.h"
#include "app/systeminfo.h"
#include "app/version.h"

namespace liquidus {

/// Stands in for the desktop's browser.
class TUrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void Open(const QUrl& url) { urls.append(url); }
};

namespace {

const QLocale kUs(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);

TEST(SystemInfo, MemoryTextGroupsKilobytesWithUpToTwoDecimals) {
    constexpr quint64 kGiB = 1024ull * 1024 * 1024;
    EXPECT_EQ(MemoryText(16 * kGiB, kUs), "Memory Available to Windows:  16,777,216K");
    EXPECT_EQ(MemoryText(16 * kGiB, kGerman), "Memory Available to Windows:  16.777.216K");
    EXPECT_EQ(MemoryText(0, kUs), "Memory Available to Windows:  0K");
    EXPECT_EQ(MemoryText(999 * 1024, kUs), "Memory Available to Windows:  999K");
    EXPECT_EQ(MemoryText(1000 * 1024, kUs), "Memory Available to Windows:  1,000K");
    EXPECT_EQ(MemoryText(123456 * 1024, kUs), "Memory Available to Windows:  123,456K");
    // Fractions: no trailing zero, at most two decimals, rounded.
    EXPECT_EQ(MemoryText(1536, kUs), "Memory Available to Windows:  1.5K");
    EXPECT_EQ(MemoryText(1536, kGerman), "Memory Available to Windows:  1,5K");
    EXPECT_EQ(MemoryText(1000, kUs), "Memory Available to Windows:  0.98K");
    EXPECT_EQ(MemoryText(1024 + 10, kUs), "Memory Available to Windows:  1.01K");
    EXPECT_EQ(MemoryText(1024 + 5, kUs), "Memory Available to Windows:  1K");  // 0.0049 rounds away
    EXPECT_EQ(MemoryText(1024 + 128, kUs),
              "Memory Available to Windows:  1.12K");  // .125, ties to even
    // Just below a whole kilobyte rounds up into the next one, carry included.
    EXPECT_EQ(MemoryText(1000 * 1024 - 1, kUs), "Memory Available to Windows:  1,000K");
    EXPECT_EQ(MemoryText(~0ull, kUs), "Memory Available to Windows:  18,014,398,509,481,984K");
}

TEST(SystemInfo, MemTotalFromProcMeminfo) {
    EXPECT_EQ(ParseMemTotal("MemFree:  1000 kB\nMemTotal:       16314232 kB\nSwap: 0 kB\n"),
              16314232ull * 1024);
    EXPECT_EQ(ParseMemTotal("MemTotal: 42\n"), 42ull * 1024);
    EXPECT_EQ(ParseMemTotal("MemFree:  1000 kB\n"), 0u);
    EXPECT_EQ(ParseMemTotal("MemTotal: lots kB\n"), 0u);
    EXPECT_EQ(ParseMemTotal("MemTotal: 99999999999999999999 kB\n"), 0u);
    EXPECT_EQ(ParseMemTotal("MemTotal: 1000 MB\n"), 0u);
    EXPECT_EQ(ParseMemTotal(""), 0u);
    EXPECT_GT(TotalPhysicalMemory(), 0u);
}

TEST(SystemInfo, OsVersionFollowsTheWindowsFormat) {
    EXPECT_EQ(FormatOsVersion("Windows", "10.0"), "Windows  10.0   ");
    const QString text = OsVersionText();
    EXPECT_TRUE(text.endsWith("   "));
#if !defined(Q_OS_WIN)
    EXPECT_EQ(text, QSysInfo::prettyProductName() + "  " + QSysInfo::kernelVersion() + "   ");
#else
    EXPECT_TRUE(text.startsWith("Windows  "));
#endif
}

class InfoFormTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    void Write(const QString& name, const QByteArray& data) const {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
    }
    QTemporaryDir m_dir;
};

TEST_F(InfoFormTest, WindowLayout) {
    TInfoForm form;
    EXPECT_EQ(form.windowTitle(), "Info");
    EXPECT_EQ(form.size(), QSize(752, 540));
    EXPECT_TRUE(form.RichEdit1()->isReadOnly());
    auto* ok = form.findChild<QPushButton*>("OKButton");
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->font().bold());
    EXPECT_FALSE(form.SaveButton()->isVisibleTo(&form));
    EXPECT_EQ(form.SaveButton()->text(), "Save");
    EXPECT_EQ(form.FileName(), "liquidus.inf");

    form.show();
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST_F(InfoFormTest, MissingFileGivesOneMessageNamingItAndAnEmptyView) {
    TInfoForm form;
    Write("good.inf", "{\\rtf1 Some text}");
    ASSERT_TRUE(form.LoadFile(Path("good.inf"), nullptr));
    EXPECT_EQ(form.RichEdit1()->toPlainText(), "Some text");

    QString error;
    EXPECT_FALSE(form.LoadFile(Path("liquidus-missing.inf"), &error));
    EXPECT_TRUE(error.contains("liquidus-missing.inf")) << error.toStdString();
    EXPECT_TRUE(error.startsWith("Cannot open file")) << error.toStdString();
    EXPECT_TRUE(form.RichEdit1()->document()->isEmpty());
    // Saving goes to the name it was asked to load.
    EXPECT_EQ(form.FileName(), Path("liquidus-missing.inf"));

    error.clear();
    EXPECT_FALSE(form.LoadFile(m_dir.path(), &error));  // a directory is not a file
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(m_dir.path()))) << error.toStdString();
    EXPECT_FALSE(form.LoadFile(Path("liquidus-missing.inf"), nullptr));  // no message wanted
}

TEST_F(InfoFormTest, LoadsRtfOrPlainTextAndSavesBack) {
    TInfoForm form;
    Write("info.inf", "{\\rtf1{\\colortbl;\\red0\\green0\\blue255;}\\b Title\\b0\\par\\cf1 Body}");
    QString error;
    ASSERT_TRUE(form.LoadFile(Path("info.inf"), &error)) << error.toStdString();
    QTextDocument* doc = form.RichEdit1()->document();
    EXPECT_EQ(doc->toPlainText(), "Title\nBody");
    EXPECT_TRUE(doc->begin().begin().fragment().charFormat().font().bold());

    // The hidden button writes the text back to the file it came from.
    QTextCursor cursor(doc);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QString::fromUtf8(" \xE2\x82\xAC"));
    form.Button1Click();
    QFile saved(Path("info.inf"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray rtf = saved.readAll();
    EXPECT_TRUE(LooksLikeRtf(rtf));
    TInfoForm reloaded;
    ASSERT_TRUE(reloaded.LoadFile(Path("info.inf"), nullptr));
    EXPECT_EQ(reloaded.RichEdit1()->toPlainText(), QString::fromUtf8("Title\nBody \xE2\x82\xAC"));
    EXPECT_TRUE(
        reloaded.RichEdit1()->document()->begin().begin().fragment().charFormat().font().bold());

    // A file that is not RTF is shown as text.
    Write("plain.inf", "Just text\nin two lines");
    ASSERT_TRUE(form.LoadFile(Path("plain.inf"), nullptr));
    EXPECT_EQ(form.RichEdit1()->toPlainText(), "Just text\nin two lines");
    Write("empty.inf", "");
    ASSERT_TRUE(form.LoadFile(Path("empty.inf"), nullptr));
    EXPECT_TRUE(form.RichEdit1()->document()->isEmpty());

    // Saving into a directory that does not exist fails with the name.
    error.clear();
    EXPECT_FALSE(form.SaveFile(Path("no/such/dir/x.inf"), &error));
    EXPECT_TRUE(error.contains("x.inf")) << error.toStdString();
}

TEST(InfoFile, CurrentDirectoryFirstThenTheDataDirectoriesInOrder) {
    QTemporaryDir current, first, second;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(current.path()));
    const QString name = QString::fromLatin1(kInfoFileName);
    const auto touch = [&name](const QString& dir) {
        QFile file(QDir(dir).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    };
    const QStringList dirs = {first.path(), second.path()};
    EXPECT_EQ(LocateInfoFile(dirs), name);  // nowhere: the name the error gives
    touch(second.path());
    EXPECT_EQ(LocateInfoFile(dirs), QDir(second.path()).filePath(name));
    touch(first.path());
    EXPECT_EQ(LocateInfoFile(dirs), QDir(first.path()).filePath(name));
    touch(current.path());
    EXPECT_EQ(LocateInfoFile(dirs), name);
    QDir::setCurrent(before);
}

TEST(AboutBox, ShowsTheProgramAndTheMachine) {
    TAboutBox box;
    EXPECT_EQ(box.windowTitle(), "About");
    EXPECT_EQ(box.size(), QSize(365, 254));
    EXPECT_EQ(box.font().family(), "Arial");
    EXPECT_EQ(box.font().pointSize(), 10);

    const TVersionInfo& version = ProgramVersion();
    const auto text = [&box](const char* name) {
        const auto* label = box.findChild<QLabel*>(name);
        EXPECT_NE(label, nullptr) << name;
        return label ? label->text() : QString();
    };
    // The splash window's identity texts.
    const TSplashCaptions splash = SplashCaptions();
    EXPECT_EQ(text("ProductName"), splash.ProductName);
    EXPECT_EQ(text("ProductVersion"), splash.ProductVersion);
    EXPECT_EQ(text("ProjectName"), splash.ProjectName);
    EXPECT_EQ(text("ProjectVersion"), splash.ProjectVersion);
    EXPECT_EQ(text("Copyright"), splash.Copyright);
    EXPECT_EQ(text("ProjectVersion"), "version " + QString::fromStdString(version.FileVersion));
    EXPECT_EQ(text("ContactLabel"), QString::fromStdString(version.Contact));
    EXPECT_EQ(text("WinVer"), OsVersionText());
    EXPECT_EQ(text("FreeMem"), MemoryText(TotalPhysicalMemory()));
    EXPECT_EQ(text("URLPanel"), QString::fromStdString(version.HomePage));
    EXPECT_EQ(box.findChild<QLabel*>("URLPanel")->toolTip(), "Our Home Page");
}

TEST(AboutBox, IconAnimatesThroughFiveFrames) {
    // Five different pictures of the same size, repeating.
    std::set<QByteArray> distinct;
    for (int i = 0; i < TAboutBox::kFrameCount; ++i) {
        const QImage frame = TAboutBox::AnimationFrame(i);
        EXPECT_EQ(frame.size(), QSize(32, 32));
        distinct.insert(QByteArray(reinterpret_cast<const char*>(frame.constBits()),
                                   static_cast<qsizetype>(frame.sizeInBytes())));
    }
    EXPECT_EQ(distinct.size(), 5u);
    EXPECT_EQ(TAboutBox::AnimationFrame(5), TAboutBox::AnimationFrame(0));
    EXPECT_EQ(TAboutBox::AnimationFrame(-1), TAboutBox::AnimationFrame(4));

    TAboutBox box;
    EXPECT_EQ(box.Frame(), 0);
    for (int i = 1; i <= 5; ++i) {
        box.AdvanceFrame();
        EXPECT_EQ(box.Frame(), i % 5);
    }
    const QImage shown = box.findChild<QLabel*>("AnimatedImage1")->pixmap().toImage();
    EXPECT_EQ(shown.convertToFormat(QImage::Format_ARGB32_Premultiplied),
              TAboutBox::AnimationFrame(0));
    // The animation runs by itself from creation, without being shown.
    EXPECT_TRUE(QTest::qWaitFor([&box] { return box.Frame() != 0; }, 5000));
}

TEST(AboutBox, SecretMessageStartsOnHoverAndStopsOnClickOrOk) {
    TAboutBox box;
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    auto* icon = box.findChild<QLabel*>("AnimatedImage1");
    auto* panel = box.findChild<QWidget*>("SecretPanel1");
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(box.SecretActive());
    EXPECT_FALSE(panel->isVisible());

    // A plain mouse move over the icon, no button held.
    QMouseEvent move(QEvent::MouseMove, QPointF(10, 10), icon->mapToGlobal(QPointF(10, 10)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(icon, &move);
    EXPECT_TRUE(box.SecretActive());
    EXPECT_TRUE(panel->isVisible());

    QTest::mouseClick(panel, Qt::LeftButton);
    EXPECT_FALSE(box.SecretActive());
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(box.isVisible());

    box.AnimatedImage1MouseMove();
    ASSERT_TRUE(box.SecretActive());
    QTest::mouseClick(box.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
    EXPECT_FALSE(box.SecretActive());
    EXPECT_FALSE(panel->isVisibleTo(&box));
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Accepted);

    // Escape closes too, and the next showing starts without the message.
    box.show();
    box.AnimatedImage1MouseMove();
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_FALSE(box.isVisible());
    EXPECT_FALSE(box.SecretActive());
}

// A link the browser cannot open is worse than none.
TEST(AboutBox, ShowsNoLinkWithoutAHomePage) {
    TAboutBox box;
    box.show();
    EXPECT_EQ(ProgramVersion().HomePage.empty(),
              box.findChild<QLabel*>("URLPanel")->isHidden());
    for (const QLabel* label : box.findChildren<QLabel*>()) {
        EXPECT_FALSE(label->isVisible() && label->text().contains(QStringLiteral(".invalid")))
            << label->text().toStdString();
    }
}

// --- help -------------------------------------------------------------------

QString PageText(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QTextDocument doc;
    doc.setHtml(QString::fromUtf8(file.readAll()));
    return doc.toPlainText();
}

TEST(Help, PagesLinkToEachOtherWithoutDeadEnds) {
    ShowHelpContents(nullptr);  // makes sure the pages are registered
    const QStringList pages = QDir(":/help").entryList({"*.html"});
    ASSERT_GE(pages.size(), 6);
    const QRegularExpression href(R"re(href="([^"]*)")re");
    std::set<QString> reached;
    for (const QString& page : pages) {
        QFile file(":/help/" + page);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        EXPECT_TRUE(html.contains("<title>")) << page.toStdString();
        for (const QRegularExpressionMatch& m : href.globalMatch(html)) {
            const QString target = m.captured(1).section('#', 0, 0);
            EXPECT_TRUE(QFile::exists(":/help/" + target))
                << page.toStdString() << " -> " << target.toStdString();
            reached.insert(target);
        }
        if (page != "contents.html") {
            EXPECT_TRUE(html.contains("href=\"contents.html\"")) << page.toStdString();
        }
    }
    for (const QString& page : pages) {
        EXPECT_TRUE(reached.count(page)) << page.toStdString() << " is never linked to";
    }
    delete HelpWindow();
}

TEST(Help, EveryTabPageNamesItsControls) {
    ShowHelpContents(nullptr);
    const std::vector<std::pair<QString, QStringList>> pages = {
        {"diagram.html",
         {"Diagram Type", "Melting", "Phase", "Data Orientation", "Direct (ABC)",
          "Inversed B<->C (ACB)", "Inversed A<->B (BAC)", "Rotated bwh (BCA)", "Rotated wh (CAB)",
          "Inversed A<->C (CBA)", "Concentration Units", "\"Mole %\"", "\"Mole \"", "\"Mass %\"",
          "\"Mass\""}},
        {"presentation.html",
         {"Legend", "Values Table", "Co-existing Phases", "Mouse Grid", "Mark Points", "Grid Type",
          "Overall Scale", "Numeric Scale", "Both Scales", "Grid Steps"}},
        {"temperature.html",
         {"Temperature Method", "Altutude (Auto)", "Polynomial (Auto)", "Temperature Units",
          "Isotherm Scan Step", "Isotherm Error", "Smoothed", "Simplified", "Isotherms Step",
          "Isotherm Type", "Points", "Polyline", "Hot Isotherm", "Sign Isotherms", "Show Isotherms",
          "Isotherms Calculation"}},
        {"properties.html",
         {"Properties of Matherials", "Thermal Conduction", "Thermal Capacity",
          "K of Thermal Expansion", "Creep", "Elasticity Module", "Viscosity", "Screen Map",
          "Windowed", "Map Type", "Digital", "Graph"}},
        {"mouse.html", {"values table", "right", "Division Point", "10 %", "zoom"}},
        {"buttons.html", {"Print Diagram", "Save Diagram", "Help", "Info", "About", ".bmp"}},
    };
    const QString contents = PageText(":/help/contents.html");
    for (const auto& [page, captions] : pages) {
        const QString text = PageText(":/help/" + page);
        for (const QString& caption : captions) {
            EXPECT_TRUE(text.contains(caption))
                << page.toStdString() << ": " << caption.toStdString();
        }
    }
    delete HelpWindow();
}

TEST(Help, OneWindowOpensAtTheContentsPage) {
    QWidget owner;
    EXPECT_EQ(HelpWindow(), nullptr);
    ShowHelpContents(&owner);
    QDialog* window = HelpWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    auto* browser = window->findChild<QTextBrowser*>("HelpBrowser");
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->source(), HelpContentsUrl());
    EXPECT_TRUE(browser->toPlainText().contains("Liquidus Help"));

    // Follow a link, come back with Back, go on with Forward.
    auto* back = window->findChild<QPushButton*>("BackButton");
    auto* forward = window->findChild<QPushButton*>("ForwardButton");
    EXPECT_FALSE(back->isEnabled());
    // Tab moves to the first link of the page, Return follows it.
    window->activateWindow();
    browser->setFocus();
    QTest::keyClick(browser, Qt::Key_Tab);
    QTest::keyClick(browser, Qt::Key_Return);
    EXPECT_EQ(browser->source().toString(), "qrc:/help/window.html");
    EXPECT_TRUE(browser->toPlainText().contains("The main window at a glance"));
    EXPECT_TRUE(window->windowTitle().contains("The main window"));
    ASSERT_TRUE(back->isEnabled());
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(browser->source(), HelpContentsUrl());
    ASSERT_TRUE(forward->isEnabled());
    QTest::mouseClick(forward, Qt::LeftButton);
    EXPECT_EQ(browser->source().toString(), "qrc:/help/window.html");

    // Asking again reuses the window and returns to the contents page.
    window->hide();
    ShowHelpContents(&owner);
    EXPECT_EQ(HelpWindow(), window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(browser->source(), HelpContentsUrl());
    QTest::mouseClick(window->findChild<QPushButton*>("HomeButton"), Qt::LeftButton);
    EXPECT_EQ(browser->source(), HelpContentsUrl());
}

}  // namespace
}  // namespace liquidus

#include "aboutbox_test.moc"
