#pragma once
// The Info window: a read-only view of the rich-text file about the program,
// loaded once at start-up and reused for every showing.

#include <QDialog>
#include <QString>
#include <QStringList>

class QPushButton;
class QTextEdit;

namespace liquidus {

/// The info file's name; it is read from the current directory.
inline constexpr char kInfoFileName[] = "liquidus.inf";

/// Where an installed program keeps its data: beside the executable's
/// share/liquidus (wherever the prefix was moved to), then the prefix it was
/// built for.
QStringList InstalledDataDirs();

/// The info file to load: kInfoFileName in the current directory when it is
/// there, else the first of `dataDirs` that holds one, else kInfoFileName
/// (so that the error names the file the program looked for first).
QString LocateInfoFile(const QStringList& dataDirs);

/// Modal window "Info" with the info text, an OK button and a hidden "Save"
/// button that writes the text back to the file it was loaded from.
class TInfoForm : public QDialog {
    Q_OBJECT
public:
    explicit TInfoForm(QWidget* parent = nullptr);

    /// Loads an RTF file (a file that is not RTF is shown as plain text).
    /// On failure the view is empty and `error`, when given, holds a message
    /// naming the file. The file name is kept for saving either way.
    bool LoadFile(const QString& fileName, QString* error);

    /// Writes the view's text as RTF; on failure `error` names the file.
    bool SaveFile(const QString& fileName, QString* error);

    /// The file LoadFile was last given (kInfoFileName before that).
    QString FileName() const { return m_fileName; }

    QTextEdit* RichEdit1() const { return m_richEdit; }
    QPushButton* SaveButton() const { return m_saveButton; }

    /// The hidden "Save" button's action: writes the text back and reports a
    /// failure in a message box.
    void Button1Click();

private:
    QTextEdit* m_richEdit = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_saveButton = nullptr;
    QString m_fileName = QString::fromLatin1(kInfoFileName);
};

}  // namespace liquidus
