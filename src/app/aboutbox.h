#pragma once
// The About window: the program's identity and versions, the operating
// system and the machine's memory, an animated icon, a hidden scrolling
// message from the developers and a link to the home page.

#include <QDialog>
#include <QImage>

class QLabel;
class QTimer;

namespace liquidus {

class TSecretPanel;

/// Modal window "About ", created once and reused for every showing.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

    static constexpr int kFrameCount = 5;
    static constexpr int kFrameIntervalMs = 300;

    /// Frame `index` (0..kFrameCount-1) of the 32 x 32 animated icon: the
    /// composition triangle with a highlight that travels round it.
    static QImage AnimationFrame(int index);

    /// The frame the icon shows now.
    int Frame() const { return m_frame; }
    /// Shows the next frame (the animation timer's step).
    void AdvanceFrame();

    /// The scrolling message runs, and its panel is visible, while active.
    bool SecretActive() const;
    void SetSecretActive(bool active);

    // The window's event handlers, public so that they can be driven directly.
    void AnimatedImage1MouseMove();  ///< starts the scrolling message
    void SecretPanel1Click();        ///< stops it
    void OKButtonClick();            ///< stops it and closes with result OK
    void URLPanelClick();            ///< opens the home page in the default browser

    /// Closing by any means stops the message, so that it does not greet the
    /// next showing.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_icon = nullptr;
    QLabel* m_urlPanel = nullptr;
    TSecretPanel* m_secretPanel = nullptr;
    QTimer* m_frameTimer = nullptr;
    int m_frame = 0;
};

}  // namespace liquidus
