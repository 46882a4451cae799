#pragma once
// The window shown while the program starts: who made it and which version.

#include <QWidget>

class QLabel;

namespace liquidus {

/// The identity texts of the program as the splash shows them; the main
/// window's caption is built from the same project name and version.
struct TSplashCaptions {
    QString ProductName;     // the component family
    QString ProductVersion;  // "version " + product version
    QString ProjectName;     // the program's own name
    QString ProjectVersion;  // "version " + file version
    QString Copyright;       // "Copyright" + blank + legal-rights string
};

TSplashCaptions SplashCaptions();

/// Frameless, on top of other windows, centred; 296 × 185 client pixels.
class TSplashForm : public QWidget {
    Q_OBJECT
public:
    explicit TSplashForm(QWidget* parent = nullptr);

    /// Shows the window and paints it at once, before any event loop runs.
    void ShowNow();

    QString ProductNameCaption() const;
    QString ProductVersionCaption() const;
    QString ProjectNameCaption() const;
    QString ProjectVersionCaption() const;
    QString CopyrightCaption() const;

private:
    QLabel* m_programIcon;
    QLabel* m_productName;
    QLabel* m_productVersion;
    QLabel* m_projectName;
    QLabel* m_projectVersion;
    QLabel* m_copyright;
};

}  // namespace liquidus
