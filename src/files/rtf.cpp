#include "files/rtf.h"

#include <QColor>
#include <QFont>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "canvas/rounding.h"

namespace liquidus {

namespace {

// ---------------------------------------------------------------------------
// Windows-1252, the code page of RTF's `\'hh` escapes and of the text we write.

// 0x80..0x9F; the five unassigned codes map to the C1 controls, as Windows does.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QChar FromCp1252(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) {
        return QChar(kCp1252High[byte - 0x80]);
    }
    return QChar(byte);  // ASCII and Latin-1 agree with the code page elsewhere
}

/// The code-page byte for a character, or nothing when it has none.
std::optional<unsigned char> ToCp1252(char16_t ch) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) {  // 0x7F too: written as `\'7f`
        return static_cast<unsigned char>(ch);
    }
    for (std::size_t i = 0; i < kCp1252High.size(); ++i) {
        // The C1 controls are placeholders, not characters worth keeping.
        if (kCp1252High[i] == ch && ch >= 0x100) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

// ---------------------------------------------------------------------------
// Reader

constexpr int kDefaultHalfPoints = 24;  // RTF's default 12 pt
constexpr int kMaxHalfPoints = 3276;    // 1638 pt, the largest size word processors accept
constexpr int kMaxUnicodeSkip = 16;     // `\ucN`: more fallback bytes than this is nonsense
constexpr int kMaxWordLength = 32;      // control words are at most 32 letters
constexpr std::int64_t kParameterLimit = 0x7FFFFFFF;
constexpr double kTwipsPerPixel = 15.0;  // 1440 twips per inch at 96 pixels per inch
constexpr int kMaxTabs = 64;
constexpr int kMaxTwips = 31680;  // 22 inches, the widest page word processors allow

enum class TDestination { Text, FontTable, ColourTable };

struct TCharState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int vertical = 0;  // 1 superscript, -1 subscript
    int halfPoints = kDefaultHalfPoints;
    int colour = 0;      // colour-table index; an empty entry means automatic
    int background = 0;  // likewise
    int font = -1;       // font-table number, -1 for none
};

struct TParaState {
    Qt::Alignment align = Qt::AlignLeft;
    int left = 0;  // the indents and spacings in twips
    int right = 0;
    int first = 0;
    int before = 0;
    int after = 0;
    std::vector<int> tabs;  // tab stops in twips, in the order given
};

struct TGroupState {
    TCharState ch;
    TParaState para;
    TDestination dest = TDestination::Text;
    int unicodeSkip = 1;
};

// Destinations whose content is never shown. Groups starting with `\*` are
// skipped too, whatever follows.
bool IsSkippedDestination(const QByteArray& word) {
    static const QByteArray kWords =
        " annotation atnauthor atnid author bkmkend bkmkstart buptim colorschememapping comment"
        " company creatim datastore doccomm falt filetbl fldinst footer footerf footerl footerr"
        " footnote generator header headerf headerl headerr info keywords latentstyles"
        " listoverridetable listtable nonshppict objdata object operator panose pgdsctbl pict"
        " printim private revtbl revtim rsidtbl stylesheet subject tc template themedata title"
        " txe xe xmlnstbl ";
    return kWords.contains(' ' + word + ' ');
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class TRtfReader {
public:
    TRtfReader(const QByteArray& data, QTextDocument& doc) : m_data(data), m_cursor(&doc) {}

    void Run() {
        m_stack.reserve(kRtfMaxGroupDepth);
        while (m_pos < m_data.size() && !m_done) {
            const char c = m_data[m_pos++];
            if (m_skipNesting > 0) {
                Skip(c);
            } else if (c == '{') {
                OpenGroup();
            } else if (c == '}') {
                CloseGroup();
            } else if (c == '\\') {
                ControlWord();
            } else if (c != '\r' && c != '\n') {
                Byte(static_cast<unsigned char>(c));
            }
        }
        FinishParagraph(false);
    }

private:
    // --- groups -----------------------------------------------------------

    TGroupState& State() { return m_stack.back(); }

    void OpenGroup() {
        m_pendingSkip = 0;
        if (m_stack.empty()) {
            m_stack.emplace_back();  // the document group
            return;
        }
        if (static_cast<int>(m_stack.size()) >= kRtfMaxGroupDepth) {
            m_skipNesting = 1;
            return;
        }
        m_stack.push_back(m_stack.back());
        m_formatDirty = true;
    }

    void CloseGroup() {
        m_pendingSkip = 0;
        if (m_stack.empty()) {
            return;
        }
        if (State().dest == TDestination::FontTable) {
            StoreFontName();
        }
        if (m_stack.size() == 1) {
            m_lastPara = State().para;  // the last paragraph ends with the document
        }
        m_stack.pop_back();
        m_formatDirty = true;
        if (m_stack.empty()) {
            m_done = true;  // whatever follows the document group is not part of it
        }
    }

    /// Turns the group just opened into one that is skipped to its end.
    void SkipCurrentGroup() {
        if (m_stack.size() <= 1) {
            return;  // a stray destination in the document group: ignoring it keeps the text
        }
        m_stack.pop_back();
        m_formatDirty = true;
        m_skipNesting = 1;
    }

    /// Inside a skipped group only braces count, and escapes and binary data
    /// must be stepped over so that their bytes are not taken for braces.
    void Skip(char c) {
        if (c == '{') {
            ++m_skipNesting;
        } else if (c == '}') {
            if (--m_skipNesting == 0 && m_stack.empty()) {
                m_done = true;
            }
        } else if (c == '\\') {
            const TWord word = ReadWord();
            if (word.name == "bin" && word.hasParameter) {
                SkipBinary(word.parameter);
            }
        }
    }

    // --- control words ----------------------------------------------------

    struct TWord {
        QByteArray name;  // empty for a control symbol
        char symbol = 0;
        bool hasParameter = false;
        int parameter = 0;
    };

    /// Reads what follows a backslash: a control word with its optional
    /// parameter and delimiting space, or a control symbol. `\'hh` is left
    /// to the caller (symbol '\'').
    TWord ReadWord() {
        TWord word;
        if (m_pos >= m_data.size()) {
            return word;
        }
        if (!IsLetter(m_data[m_pos])) {
            word.symbol = m_data[m_pos++];
            return word;
        }
        while (m_pos < m_data.size() && IsLetter(m_data[m_pos])) {
            if (word.name.size() < kMaxWordLength) {
                word.name.append(m_data[m_pos]);
            }
            ++m_pos;
        }
        bool negative = false;
        if (m_pos + 1 < m_data.size() && m_data[m_pos] == '-' && IsDigit(m_data[m_pos + 1])) {
            negative = true;
            ++m_pos;
        }
        if (m_pos < m_data.size() && IsDigit(m_data[m_pos])) {
            std::int64_t value = 0;
            while (m_pos < m_data.size() && IsDigit(m_data[m_pos])) {
                value = std::min(value * 10 + (m_data[m_pos] - '0'), kParameterLimit);
                ++m_pos;
            }
            word.hasParameter = true;
            word.parameter = static_cast<int>(negative ? -value : value);
        }
        if (m_pos < m_data.size() && m_data[m_pos] == ' ') {
            ++m_pos;
        }
        return word;
    }

    /// Up to two hex digits after `\'`; a truncated escape yields what it has.
    std::optional<unsigned char> ReadHexByte() {
        int value = 0;
        int digits = 0;
        while (digits < 2 && m_pos < m_data.size()) {
            const int h = HexValue(m_data[m_pos]);
            if (h < 0) {
                break;
            }
            value = value * 16 + h;
            ++digits;
            ++m_pos;
        }
        if (digits == 0) {
            return std::nullopt;
        }
        return static_cast<unsigned char>(value);
    }

    void SkipBinary(int count) {
        const qsizetype left = m_data.size() - m_pos;
        m_pos += std::clamp<qsizetype>(count, 0, left);
    }

    void ControlWord() {
        const TWord word = ReadWord();
        if (word.name.isEmpty()) {
            ControlSymbol(word.symbol);
            return;
        }
        // A control word stands for one character of `\uN`'s fallback text.
        if (m_pendingSkip > 0) {
            --m_pendingSkip;
            if (word.name == "bin" && word.hasParameter) {
                SkipBinary(word.parameter);
            }
            return;
        }
        if (m_stack.empty()) {
            return;  // junk before the document group
        }
        const QByteArray& w = word.name;
        const int n = word.parameter;
        const bool on = !word.hasParameter || n != 0;
        TCharState& ch = State().ch;
        TParaState& para = State().para;

        if (w == "u") {
            if (word.hasParameter) {
                Character(QChar(static_cast<char16_t>(static_cast<std::uint16_t>(n))));
                m_pendingSkip = State().unicodeSkip;
            }
        } else if (w == "uc") {
            State().unicodeSkip = std::clamp(n, 0, kMaxUnicodeSkip);
        } else if (w == "par" || w == "sect" || w == "page" || w == "row") {
            Paragraph();
        } else if (w == "line") {
            Character(QChar::LineSeparator);
        } else if (w == "tab" || w == "cell") {
            Character(u'\t');
        } else if (w == "emdash") {
            Character(QChar(0x2014));
        } else if (w == "endash") {
            Character(QChar(0x2013));
        } else if (w == "bullet") {
            Character(QChar(0x2022));
        } else if (w == "lquote") {
            Character(QChar(0x2018));
        } else if (w == "rquote") {
            Character(QChar(0x2019));
        } else if (w == "ldblquote") {
            Character(QChar(0x201C));
        } else if (w == "rdblquote") {
            Character(QChar(0x201D));
        } else if (w == "bin") {
            SkipBinary(word.hasParameter ? n : 0);
        } else if (w == "fonttbl") {
            State().dest = TDestination::FontTable;
        } else if (w == "colortbl") {
            State().dest = TDestination::ColourTable;
            m_colourPending = false;
        } else if (IsSkippedDestination(w)) {
            SkipCurrentGroup();
        } else if (State().dest == TDestination::FontTable) {
            if (w == "f") {
                StoreFontName();
                m_fontNumber = n;
            }
        } else if (State().dest == TDestination::ColourTable) {
            ColourComponent(w, n);
        } else if (w == "deff") {
            m_defaultFont = n;
            if (ch.font < 0) {
                ch.font = n;
            }
        } else {
            Formatting(w, word.hasParameter, n, on, ch, para);
        }
    }

    void Formatting(const QByteArray& w, bool hasParameter, int n, bool on, TCharState& ch,
                    TParaState& para) {
        bool known = true;
        if (w == "plain") {
            ch = TCharState{};
            ch.font = m_defaultFont;
        } else if (w == "b") {
            ch.bold = on;
        } else if (w == "i") {
            ch.italic = on;
        } else if (w == "ul") {
            ch.underline = on;
        } else if (w == "ulnone") {
            ch.underline = false;
        } else if (w == "strike") {
            ch.strike = on;
        } else if (w == "super") {
            ch.vertical = 1;
        } else if (w == "sub") {
            ch.vertical = -1;
        } else if (w == "nosupersub") {
            ch.vertical = 0;
        } else if (w == "fs") {
            ch.halfPoints = (!hasParameter || n <= 0) ? kDefaultHalfPoints
                                                      : std::min(std::max(n, 2), kMaxHalfPoints);
        } else if (w == "f") {
            ch.font = n;
        } else if (w == "cf") {
            ch.colour = n;
        } else if (w == "cb" || w == "highlight") {
            ch.background = n;
        } else if (w == "pard") {
            para = TParaState{};
        } else if (w == "ql") {
            para.align = Qt::AlignLeft;
        } else if (w == "qc") {
            para.align = Qt::AlignHCenter;
        } else if (w == "qr") {
            para.align = Qt::AlignRight;
        } else if (w == "qj") {
            para.align = Qt::AlignJustify;
        } else if (w == "li") {
            para.left = std::clamp(n, -kMaxTwips, kMaxTwips);
        } else if (w == "ri") {
            para.right = std::clamp(n, -kMaxTwips, kMaxTwips);
        } else if (w == "fi") {
            para.first = std::clamp(n, -kMaxTwips, kMaxTwips);
        } else if (w == "sb") {
            para.before = std::clamp(n, 0, kMaxTwips);
        } else if (w == "sa") {
            para.after = std::clamp(n, 0, kMaxTwips);
        } else if (w == "tx") {
            if (static_cast<int>(para.tabs.size()) < kMaxTabs) {
                para.tabs.push_back(std::clamp(n, 0, kMaxTwips));
            }
        } else {
            known = false;  // a control word we do not know changes nothing
        }
        if (known) {
            m_formatDirty = true;
        }
    }

    void ControlSymbol(char symbol) {
        if (symbol == '\'') {
            const std::optional<unsigned char> byte = ReadHexByte();
            if (byte) {
                Byte(*byte);
            }
            return;
        }
        if (symbol == '{' || symbol == '}' || symbol == '\\') {
            Byte(static_cast<unsigned char>(symbol));
            return;
        }
        if (m_pendingSkip > 0) {
            --m_pendingSkip;
            return;
        }
        if (m_stack.empty()) {
            return;
        }
        switch (symbol) {
            case '*':
                SkipCurrentGroup();
                break;
            case '~':
                Character(QChar(0x00A0));
                break;
            case '_':
                Character(QChar(0x2011));
                break;
            case '\n':
            case '\r':
                Paragraph();
                break;
            default:
                break;  // `\-`, `\|`, `\:` and the unknown: nothing to show
        }
    }

    // --- text ---------------------------------------------------------------

    /// One byte of text in the document's code page.
    void Byte(unsigned char byte) {
        if (m_pendingSkip > 0) {
            --m_pendingSkip;
            return;
        }
        if (m_stack.empty()) {
            return;
        }
        switch (State().dest) {
            case TDestination::FontTable:
                if (byte == ';') {
                    StoreFontName();
                } else if (byte >= 0x20) {
                    m_fontName.append(FromCp1252(byte));
                }
                return;
            case TDestination::ColourTable:
                if (byte == ';') {
                    m_colours.push_back(m_colourPending ? std::optional<QColor>(m_colour)
                                                        : std::nullopt);
                    m_colour = QColor(0, 0, 0);
                    m_colourPending = false;
                }
                return;
            case TDestination::Text:
                break;
        }
        if (byte == '\t') {
            Character(u'\t');
        } else if (byte >= 0x20) {
            Character(FromCp1252(byte));
        }
    }

    void Character(QChar c) {
        if (m_stack.empty()) {
            return;
        }
        if (State().dest == TDestination::FontTable) {
            // A name beyond Windows-1252 arrives as `\uN`, a blank in it as
            // `\~`: both belong to the name.
            if (c.unicode() >= 0x20) m_fontName.append(c);
            return;
        }
        if (State().dest != TDestination::Text) {
            return;
        }
        if (c.unicode() < 0x20 && c != u'\t') {
            return;  // a `\uN` naming a control character: nothing to show
        }
        if (m_formatDirty) {
            const QTextCharFormat format = CharFormat();
            if (format != m_runFormat) {
                Flush();
                m_runFormat = format;
            }
            m_formatDirty = false;
        }
        m_run.append(c);
    }

    void Flush() {
        if (m_run.isEmpty()) {
            return;
        }
        // `\uN` can name half a surrogate pair; a lone half is not text.
        for (qsizetype i = 0; i < m_run.size(); ++i) {
            const QChar c = m_run[i];
            if (c.isHighSurrogate() && i + 1 < m_run.size() && m_run[i + 1].isLowSurrogate()) {
                ++i;
            } else if (c.isSurrogate()) {
                m_run[i] = QChar::ReplacementCharacter;
            }
        }
        m_cursor.insertText(m_run, m_runFormat);
        m_run.clear();
    }

    void Paragraph() {
        if (m_stack.empty() || State().dest != TDestination::Text) {
            return;
        }
        FinishParagraph(true);
    }

    /// Paragraph formatting applies as it stands at the paragraph's end.
    void FinishParagraph(bool startNext) {
        Flush();
        if (!m_stack.empty()) {
            m_lastPara = State().para;
        }
        m_cursor.setBlockFormat(BlockFormat(m_lastPara));
        if (startNext) {
            m_cursor.insertBlock(BlockFormat(m_lastPara),
                                 m_stack.empty() ? m_runFormat : CharFormat());
        }
    }

    QTextCharFormat CharFormat() const {
        const TCharState& ch = m_stack.back().ch;
        QTextCharFormat format;
        format.setFontWeight(ch.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(ch.italic);
        format.setFontUnderline(ch.underline);
        format.setFontStrikeOut(ch.strike);
        format.setFontPointSize(ch.halfPoints / 2.0);
        if (ch.vertical != 0) {
            format.setVerticalAlignment(ch.vertical > 0 ? QTextCharFormat::AlignSuperScript
                                                        : QTextCharFormat::AlignSubScript);
        }
        const auto font = m_fonts.find(ch.font);
        if (font != m_fonts.end() && !font->second.isEmpty()) {
            format.setFontFamilies(QStringList{font->second});
        }
        if (const std::optional<QColor> colour = Colour(ch.colour)) {
            format.setForeground(*colour);
        }
        if (const std::optional<QColor> colour = Colour(ch.background)) {
            format.setBackground(*colour);
        }
        return format;
    }

    static QTextBlockFormat BlockFormat(const TParaState& para) {
        QTextBlockFormat format;
        format.setAlignment(para.align);
        format.setLeftMargin(Twips(para.left));
        format.setRightMargin(Twips(para.right));
        format.setTextIndent(Twips(para.first));
        format.setTopMargin(Twips(para.before));
        format.setBottomMargin(Twips(para.after));
        // RTF measures tab stops from the page margin, Qt from where the
        // paragraph's first line starts; stops before that start never apply.
        const int lineStart = para.left + para.first;
        QList<QTextOption::Tab> tabs;
        for (const int tab : para.tabs) {
            if (tab > lineStart) {
                tabs.append(QTextOption::Tab(Twips(tab - lineStart), QTextOption::LeftTab));
            }
        }
        format.setTabPositions(tabs);
        return format;
    }

    static double Twips(int twips) { return twips / kTwipsPerPixel; }

    std::optional<QColor> Colour(int index) const {
        if (index < 0 || index >= static_cast<int>(m_colours.size())) {
            return std::nullopt;
        }
        return m_colours[static_cast<std::size_t>(index)];
    }

    void ColourComponent(const QByteArray& w, int n) {
        const int value = std::clamp(n, 0, 255);
        if (w == "red") {
            m_colour.setRed(value);
        } else if (w == "green") {
            m_colour.setGreen(value);
        } else if (w == "blue") {
            m_colour.setBlue(value);
        } else {
            return;
        }
        m_colourPending = true;
    }

    void StoreFontName() {
        const QString name = m_fontName.trimmed();
        if (m_fontNumber >= 0 && !name.isEmpty() && m_fonts.find(m_fontNumber) == m_fonts.end()) {
            m_fonts.emplace(m_fontNumber, name);
        }
        m_fontName.clear();
        m_fontNumber = -1;
    }

    const QByteArray m_data;  // const: reading must never detach or copy it
    qsizetype m_pos = 0;
    bool m_done = false;
    QTextCursor m_cursor;
    std::vector<TGroupState> m_stack;
    int m_skipNesting = 0;  // >0: inside a skipped group, this many braces deep
    int m_pendingSkip = 0;  // fallback characters of the last `\uN` still to drop
    std::map<int, QString> m_fonts;
    int m_defaultFont = -1;
    int m_fontNumber = -1;
    QString m_fontName;
    std::vector<std::optional<QColor>> m_colours;
    QColor m_colour{0, 0, 0};
    bool m_colourPending = false;
    QString m_run;
    QTextCharFormat m_runFormat;
    bool m_formatDirty = true;
    TParaState m_lastPara;
};

// ---------------------------------------------------------------------------
// Writer

struct TWriteState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int vertical = 0;
    int halfPoints = kDefaultHalfPoints;
    int colour = 0;
    int background = 0;
    int font = 0;
    bool operator==(const TWriteState&) const = default;
};

QString FamilyOf(const QTextCharFormat& format, const QString& fallback) {
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.front().isEmpty()) {
        return families.front();
    }
    return fallback;
}

class TRtfWriter {
public:
    explicit TRtfWriter(const QTextDocument& doc) : m_doc(doc) {
        m_defaultFamily = doc.defaultFont().family();
        if (m_defaultFamily.isEmpty()) {
            m_defaultFamily = QStringLiteral("Arial");
        }
        m_defaultPoints = doc.defaultFont().pointSizeF();
        if (m_defaultPoints <= 0) {
            m_defaultPoints = kDefaultHalfPoints / 2.0;
        }
        m_fonts.push_back(m_defaultFamily);
    }

    QByteArray Run() {
        QByteArray body;
        bool first = true;
        for (QTextBlock block = m_doc.begin(); block.isValid(); block = block.next()) {
            if (!first) {
                body += "\\par\n";
            }
            first = false;
            Paragraph(block.blockFormat(), body);
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                if (fragment.isValid()) {
                    Run(fragment.charFormat(), fragment.text(), body);
                }
            }
        }
        QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
        for (std::size_t i = 0; i < m_fonts.size(); ++i) {
            out += "{\\f" + QByteArray::number(static_cast<qulonglong>(i)) + "\\fnil ";
            Text(QString(m_fonts[i]).remove(u';'), out);
            out += ";}";
        }
        out += "}\n{\\colortbl ;";
        for (const QColor& c : m_colours) {
            out += "\\red" + QByteArray::number(c.red()) + "\\green" +
                   QByteArray::number(c.green()) + "\\blue" + QByteArray::number(c.blue()) + ';';
        }
        out += "}\n\\viewkind4\\pard ";
        out += body;
        out += "}\n";
        return out;
    }

private:
    void Paragraph(const QTextBlockFormat& format, QByteArray& out) {
        out += "\\pard";
        const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
        if (align & Qt::AlignHCenter) {
            out += "\\qc";
        } else if (align & Qt::AlignRight) {
            out += "\\qr";
        } else if (align & Qt::AlignJustify) {
            out += "\\qj";
        }
        Twips("\\li", format.leftMargin(), out);
        Twips("\\ri", format.rightMargin(), out);
        Twips("\\fi", format.textIndent(), out);
        Twips("\\sb", format.topMargin(), out);
        Twips("\\sa", format.bottomMargin(), out);
        const double lineStart = format.leftMargin() + format.textIndent();
        for (const QTextOption::Tab& tab : format.tabPositions()) {
            const int twips = Round((tab.position + lineStart) * kTwipsPerPixel);
            if (twips > 0) {
                out += "\\tx" + QByteArray::number(twips);
            }
        }
        out += ' ';
    }

    static void Twips(const char* word, double pixels, QByteArray& out) {
        const int twips = Round(pixels * kTwipsPerPixel);
        if (twips != 0) {
            out += word + QByteArray::number(twips);
        }
    }

    void Run(const QTextCharFormat& format, const QString& text, QByteArray& out) {
        TWriteState next;
        next.bold = format.fontWeight() >= QFont::DemiBold;
        next.italic = format.fontItalic();
        next.underline = format.fontUnderline();
        next.strike = format.fontStrikeOut();
        const QTextCharFormat::VerticalAlignment vertical = format.verticalAlignment();
        next.vertical = vertical == QTextCharFormat::AlignSuperScript ? 1
                        : vertical == QTextCharFormat::AlignSubScript ? -1
                                                                      : 0;
        const double points = format.fontPointSize() > 0 ? format.fontPointSize() : m_defaultPoints;
        next.halfPoints = std::clamp(Round(points * 2), 2, kMaxHalfPoints);
        next.font = FontIndex(FamilyOf(format, m_defaultFamily));
        next.colour = format.foreground().style() == Qt::NoBrush
                          ? 0
                          : ColourIndex(format.foreground().color());
        next.background = format.background().style() == Qt::NoBrush
                              ? 0
                              : ColourIndex(format.background().color());

        QByteArray words;
        const TWriteState& cur = m_state;
        if (next.bold != cur.bold) words += next.bold ? "\\b" : "\\b0";
        if (next.italic != cur.italic) words += next.italic ? "\\i" : "\\i0";
        if (next.underline != cur.underline) words += next.underline ? "\\ul" : "\\ulnone";
        if (next.strike != cur.strike) words += next.strike ? "\\strike" : "\\strike0";
        if (next.vertical != cur.vertical) {
            words += next.vertical > 0 ? "\\super" : next.vertical < 0 ? "\\sub" : "\\nosupersub";
        }
        if (next.halfPoints != cur.halfPoints)
            words += "\\fs" + QByteArray::number(next.halfPoints);
        if (next.font != cur.font) words += "\\f" + QByteArray::number(next.font);
        if (next.colour != cur.colour) words += "\\cf" + QByteArray::number(next.colour);
        if (next.background != cur.background)
            words += "\\cb" + QByteArray::number(next.background);
        if (!words.isEmpty()) {
            out += words + ' ';
        }
        m_state = next;
        Text(text, out);
    }

    static void Text(const QString& text, QByteArray& out) {
        for (const QChar qc : text) {
            const char16_t c = qc.unicode();
            if (c == '\\' || c == '{' || c == '}') {
                out += '\\';
                out += static_cast<char>(c);
            } else if (c == '\t') {
                out += "\\tab ";
            } else if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator || c == '\n') {
                out += "\\line ";
            } else if (c == 0x00A0) {
                out += "\\~";
            } else if (c >= 0x20 && c < 0x7F) {
                out += static_cast<char>(c);
            } else if (c < 0x20) {
                // control characters have no place in the text
            } else if (const std::optional<unsigned char> byte = ToCp1252(c)) {
                static const char kHex[] = "0123456789abcdef";
                out += "\\'";
                out += kHex[*byte >> 4];
                out += kHex[*byte & 0x0F];
            } else {
                // RTF's parameters are signed 16-bit numbers.
                out += "\\u" + QByteArray::number(static_cast<std::int16_t>(c)) + '?';
            }
        }
    }

    int FontIndex(const QString& family) {
        const auto it = std::find(m_fonts.begin(), m_fonts.end(), family);
        if (it != m_fonts.end()) {
            return static_cast<int>(it - m_fonts.begin());
        }
        m_fonts.push_back(family);
        return static_cast<int>(m_fonts.size()) - 1;
    }

    int ColourIndex(const QColor& colour) {
        const QColor rgb = colour.toRgb();
        const auto it = std::find_if(m_colours.begin(), m_colours.end(),
                                     [&rgb](const QColor& c) { return c.rgb() == rgb.rgb(); });
        if (it != m_colours.end()) {
            return static_cast<int>(it - m_colours.begin()) + 1;
        }
        m_colours.push_back(rgb);
        return static_cast<int>(m_colours.size());  // index 0 is the automatic colour
    }

    const QTextDocument& m_doc;
    QString m_defaultFamily;
    double m_defaultPoints = 12;
    std::vector<QString> m_fonts;
    std::vector<QColor> m_colours;
    TWriteState m_state;
};

}  // namespace

bool LooksLikeRtf(const QByteArray& data) {
    qsizetype pos = 0;
    if (data.startsWith("\xEF\xBB\xBF")) {
        pos = 3;
    }
    while (pos < data.size() &&
           (data[pos] == ' ' || data[pos] == '\t' || data[pos] == '\r' || data[pos] == '\n')) {
        ++pos;
    }
    return data.mid(pos, 5) == "{\\rtf";
}

bool ReadRtf(const QByteArray& rtf, QTextDocument& into, QString* error) {
    into.clear();
    if (!LooksLikeRtf(rtf)) {
        if (error) {
            *error = QStringLiteral("not a rich-text (RTF) document");
        }
        return false;
    }
    const qsizetype start = rtf.indexOf('{');
    TRtfReader reader(rtf.mid(start), into);
    reader.Run();
    return true;
}

QByteArray WriteRtf(const QTextDocument& doc) {
    return TRtfWriter(doc).Run();
}

}  // namespace liquidus
