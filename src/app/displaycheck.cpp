#include "app/displaycheck.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

namespace liquidus {

namespace {
// Palette displays have at most 256 colours.
constexpr int kPaletteDepth = 8;
// Widths below these fail (799 itself passes, as does 1023).
constexpr int kMinimalWidth = 799;
constexpr int kComfortableWidth = 1023;
}  // namespace

TDisplayVerdict CheckDisplay(int colorDepth, int screenWidth) {
    TDisplayVerdict verdict;
    if (colorDepth <= kPaletteDepth) {
        verdict.Messages.emplace_back(kHighColorMessage);
        verdict.Terminate = true;
    }
    if (screenWidth < kMinimalWidth) {
        verdict.Messages.emplace_back(kScreenAreaMessage);
        verdict.Terminate = true;
    }
    if (screenWidth < kComfortableWidth) {
        verdict.Messages.emplace_back(kLargerScreenHint);
    }
    return verdict;
}

bool RunDisplayChecks(QWidget* parent) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return false;  // nothing to measure; let the window system decide
    }
    const TDisplayVerdict verdict = CheckDisplay(screen->depth(), screen->geometry().width());
    for (const std::string& message : verdict.Messages) {
        QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(),
                        QString::fromStdString(message), QMessageBox::Ok, parent);
        box.exec();
    }
    return verdict.Terminate;
}

}  // namespace liquidus
