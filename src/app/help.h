#pragma once
// The program's help: HTML pages built into the program, shown in a help
// window with links between the pages and Contents/Back/Forward buttons.

#include <QUrl>

class QDialog;
class QWidget;

namespace liquidus {

/// Shows the help window at its contents page, creating it on first use and
/// reusing it afterwards (raised and brought back to the contents page).
void ShowHelpContents(QWidget* parent);

/// The help window, or nullptr while none exists.
QDialog* HelpWindow();

/// Address of the contents page in the program's resources.
QUrl HelpContentsUrl();

}  // namespace liquidus
