#include "files/rtf.h"
#include "support/rtfroundtrip.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace liquidus {
namespace {

// One stretch of equally formatted text, as a reader of the document sees it.
struct TRun {
    int block = 0;
    QString text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    double points = 0;
    QString colour;  // "#rrggbb", empty for the automatic colour
    QString family;

    bool operator==(const TRun&) const = default;
};

void PrintTo(const TRun& r, std::ostream* os) {
    *os << "{block " << r.block << " \"" << r.text.toStdString() << "\" b" << r.bold << " i"
        << r.italic << " u" << r.underline << " " << r.points << "pt " << r.colour.toStdString()
        << " " << r.family.toStdString() << "}";
}

std::vector<TRun> Runs(const QTextDocument& doc) {
    std::vector<TRun> runs;
    int index = 0;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next(), ++index) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            TRun run;
            run.block = index;
            run.text = it.fragment().text();
            run.bold = f.fontWeight() >= QFont::DemiBold;
            run.italic = f.fontItalic();
            run.underline = f.fontUnderline();
            run.points = f.fontPointSize();
            run.colour =
                f.foreground().style() == Qt::NoBrush ? QString() : f.foreground().color().name();
            const QStringList families = f.fontFamilies().toStringList();
            run.family = families.isEmpty() ? QString() : families.front();
            if (!runs.empty()) {
                TRun& last = runs.back();
                TRun probe = run;
                probe.text = last.text;
                if (probe == last) {
                    last.text += run.text;
                    continue;
                }
            }
            runs.push_back(run);
        }
    }
    return runs;
}

/// The text exactly as read (no-break spaces kept), paragraphs ending in "\n".
QString Read(const QByteArray& rtf) {
    QTextDocument doc;
    EXPECT_TRUE(ReadRtf(rtf, doc, nullptr));
    return doc.toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

TEST(Rtf, ReadsCommonFormattingAndRoundTrips) {
    const QByteArray source =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0"
        "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fmodern Courier New;}}"
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\n"
        "\\pard\\fs20 Plain \\b bold\\b0  \\i italic\\i0  \\ul under\\ulnone  "
        "\\fs32 big\\fs20  \\cf1 red\\cf0  \\cf2\\b blue bold\\b0\\cf0\\par\n"
        "\\pard\\qc\\li720\\fi-360\\sa120\\tx720\\tx1440 caf\\'e9 \\u8364? \\f1 mono\\f0\\par\n"
        "\\pard{\\b grouped} after}";
    QTextDocument doc;
    QString error;
    ASSERT_TRUE(ReadRtf(source, doc, &error)) << error.toStdString();

    EXPECT_EQ(doc.blockCount(), 3);
    EXPECT_EQ(doc.toPlainText(), QString::fromUtf8("Plain bold italic under big red blue bold\n"
                                                   "caf\xC3\xA9 \xE2\x82\xAC mono\ngrouped after"));
    const std::vector<TRun> runs = Runs(doc);
    const std::vector<TRun> expected = {
        {0, "Plain ", false, false, false, 10, "", "Arial"},
        {0, "bold", true, false, false, 10, "", "Arial"},
        {0, " ", false, false, false, 10, "", "Arial"},
        {0, "italic", false, true, false, 10, "", "Arial"},
        {0, " ", false, false, false, 10, "", "Arial"},
        {0, "under", false, false, true, 10, "", "Arial"},
        {0, " ", false, false, false, 10, "", "Arial"},
        {0, "big", false, false, false, 16, "", "Arial"},
        {0, " ", false, false, false, 10, "", "Arial"},
        {0, "red", false, false, false, 10, "#ff0000", "Arial"},
        {0, " ", false, false, false, 10, "", "Arial"},
        {0, "blue bold", true, false, false, 10, "#0000ff", "Arial"},
        {1, QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC "), false, false, false, 10, "", "Arial"},
        {1, "mono", false, false, false, 10, "", "Courier New"},
        {2, "grouped", true, false, false, 10, "", "Arial"},
        {2, " after", false, false, false, 10, "", "Arial"},
    };
    EXPECT_EQ(runs, expected);
    EXPECT_EQ(doc.findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_EQ(doc.findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignLeft);
    // Indents, spacing and tab stops in twips become pixels at 96 dpi; tab
    // stops count from the page margin in RTF but from the first line's start
    // (here 720 - 360 twips) in Qt.
    const auto paragraph = [](const QTextDocument& d) {
        const QTextBlockFormat f = d.findBlockByNumber(1).blockFormat();
        QList<qreal> tabs;
        for (const QTextOption::Tab& tab : f.tabPositions()) {
            tabs.append(tab.position);
        }
        return std::make_tuple(f.leftMargin(), f.textIndent(), f.bottomMargin(), tabs);
    };
    EXPECT_EQ(paragraph(doc), std::make_tuple(48.0, -24.0, 8.0, QList<qreal>{24.0, 72.0}));
    // They belong to the paragraph state, which \pard resets.
    EXPECT_EQ(doc.findBlockByNumber(2).blockFormat().leftMargin(), 0.0);

    // What is written reads back as the same document, and again unchanged.
    const QByteArray written = WriteRtf(doc);
    QTextDocument again;
    ASSERT_TRUE(ReadRtf(written, again, nullptr));
    EXPECT_EQ(Runs(again), expected);
    EXPECT_EQ(again.findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_EQ(paragraph(again), paragraph(doc));
    EXPECT_EQ(WriteRtf(again), written);
}

TEST(Rtf, WritesEscapesAndKeepsEveryCharacter) {
    QTextDocument doc;
    QTextCursor cursor(&doc);
    QTextCharFormat format;
    format.setFontPointSize(11);
    // Code-page characters, characters beyond it (one outside the BMP), the
    // RTF specials, a tab and a line break inside a paragraph.
    const QString first = QString::fromUtf8(
        "\xC3\xA9\xE2\x82\xAC \xCE\xA9 \xE4\xB8\xAD \xF0\x9D\x84\x9E {braces} back\\slash\ttab");
    cursor.insertText(first, format);
    cursor.insertText(QString(QChar::LineSeparator) + "next line", format);
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    cursor.insertBlock(right);
    cursor.insertBlock(QTextBlockFormat());  // an empty paragraph
    cursor.insertText("last", format);

    const QByteArray rtf = WriteRtf(doc);
    EXPECT_TRUE(LooksLikeRtf(rtf));
    EXPECT_TRUE(rtf.contains("\\'e9\\'80"));           // é and € are in the code page
    EXPECT_TRUE(rtf.contains("\\u937?"));              // Ω is not
    EXPECT_TRUE(rtf.contains("\\u20013?"));            // 中
    EXPECT_TRUE(rtf.contains("\\u-10188?\\u-8930?"));  // U+1D11E as a surrogate pair
    EXPECT_TRUE(rtf.contains("\\{braces\\} back\\\\slash\\tab tab"));
    for (const char c : rtf) {
        EXPECT_LT(static_cast<unsigned char>(c), 0x80) << "RTF is 7-bit text";
    }

    QTextDocument back;
    ASSERT_TRUE(ReadRtf(rtf, back, nullptr));
    EXPECT_EQ(back.blockCount(), 3);
    EXPECT_EQ(back.findBlockByNumber(0).text(), first + QChar::LineSeparator + "next line");
    EXPECT_EQ(back.findBlockByNumber(1).text(), QString());
    EXPECT_EQ(back.findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
    EXPECT_EQ(back.findBlockByNumber(2).text(), "last");
}

TEST(Rtf, UnicodeEscapesSkipTheirFallback) {
    EXPECT_EQ(Read("{\\rtf1 a\\u8364?b}"), QString::fromUtf8("a\xE2\x82\xAC"
                                                             "b"));
    // The fallback may be a hex escape, and \ucN sets how many to skip.
    EXPECT_EQ(Read("{\\rtf1 a\\u8364\\'80b}"), QString::fromUtf8("a\xE2\x82\xAC"
                                                                 "b"));
    EXPECT_EQ(Read("{\\rtf1\\uc2 a\\u8364 EUc}"), QString::fromUtf8("a\xE2\x82\xAC"
                                                                    "c"));
    EXPECT_EQ(Read("{\\rtf1\\uc0 a\\u233 x}"), QString::fromUtf8("a\xC3\xA9x"));
    // \ucN is scoped to its group.
    EXPECT_EQ(Read("{\\rtf1 {\\uc0 \\u233}\\u233?x}"), QString::fromUtf8("\xC3\xA9\xC3\xA9x"));
    // Negative parameters are the upper half of the 16-bit range.
    EXPECT_EQ(Read("{\\rtf1 \\u-28672?}"), QString(QChar(0x9000)));
    // A closing brace ends the fallback early.
    EXPECT_EQ(Read("{\\rtf1\\uc3 {\\u233 }x}"), QString::fromUtf8("\xC3\xA9x"));
    // A lone surrogate half is not kept as such.
    EXPECT_EQ(Read("{\\rtf1 \\u-10187?x}"), QString(QChar::ReplacementCharacter) + "x");
    // Symbols and named characters.
    EXPECT_EQ(Read("{\\rtf1 \\{\\}\\\\ a\\~b\\_c\\-d\\emdash\\endash\\bullet}"),
              QString::fromUtf8("{}\\ a\xC2\xA0"
                                "b\xE2\x80\x91"
                                "cd\xE2\x80\x94\xE2\x80\x93"
                                "\xE2\x80\xA2"));
    EXPECT_EQ(Read("{\\rtf1 \\'80\\'9f\\'41\\'e9}"), QString::fromUtf8("\xE2\x82\xAC\xC5\xB8"
                                                                       "A\xC3\xA9"));
}

TEST(Rtf, SkipsDestinationsAndUnknownControls) {
    const QByteArray source =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1{\\*\\panose 0203}Courier New;}}"
        "{\\stylesheet{\\s0 Normal;}}{\\info{\\title Hidden title}{\\author Nobody}}"
        "{\\*\\generator Hidden generator;}{\\*\\foo hidden {nested {deeper} text}}"
        "{\\header hidden header}{\\pict\\bin4 }}{{ hidden pict}"
        "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}"
        "\\unknownword\\anotherone-12 Visible \\f1 mono\\par"
        "{\\*\\bkmkstart b}end}";
    QTextDocument doc;
    ASSERT_TRUE(ReadRtf(source, doc, nullptr));
    EXPECT_EQ(doc.toPlainText(), "linkVisible mono\nend");
    const std::vector<TRun> runs = Runs(doc);
    ASSERT_GE(runs.size(), 2u);
    EXPECT_EQ(runs[1].text, "mono");
    EXPECT_EQ(runs[1].family, "Courier New");  // the \panose group inside the name is skipped
}

TEST(Rtf, ColourTableEntriesAndAutomaticColour) {
    QTextDocument doc;
    ASSERT_TRUE(
        ReadRtf("{\\rtf1{\\colortbl;\\red1\\green2\\blue3;;\\red999\\blue-4;}"
                "\\cf1 a\\cf2 b\\cf3 c\\cf4 d\\cf0 e\\cf1{\\cf3 f}g}",
                doc, nullptr));
    std::vector<QString> colours;
    for (const TRun& run : Runs(doc)) {
        for (const QChar c : run.text) {
            (void)c;
            colours.push_back(run.colour);
        }
    }
    // Entry 2 is empty (automatic), entry 3 clamps, entry 4 does not exist.
    const std::vector<QString> expected = {"#010203", "", "#ff0000", "", "", "#ff0000", "#010203"};
    EXPECT_EQ(colours, expected);
}

TEST(Rtf, DamagedInputIsReadAsFarAsItGoes) {
    // Unclosed groups: the text so far is kept with its formatting.
    QTextDocument doc;
    ASSERT_TRUE(ReadRtf("{\\rtf1 abc{\\b def", doc, nullptr));
    EXPECT_EQ(doc.toPlainText(), "abcdef");
    EXPECT_TRUE(Runs(doc).back().bold);

    // Text after the document group is not part of it.
    EXPECT_EQ(Read("{\\rtf1 abc}}}} more {\\b x}"), "abc");

    // Truncated escapes and control words.
    for (const char* truncated : {"{\\rtf1 a\\'", "{\\rtf1 a\\'4", "{\\rtf1 a\\'zz", "{\\rtf1 a\\",
                                  "{\\rtf1 a\\u", "{\\rtf1 a\\u-", "{\\rtf1 a\\fs",
                                  "{\\rtf1 a\\bin", "{\\rtf1 a{\\*", "{\\rtf1 a{\\*\\foo"}) {
        EXPECT_TRUE(Read(truncated).startsWith("a")) << truncated;
    }
    EXPECT_EQ(Read("{\\rtf1 a\\'zz}"), "azz");

    // Absurd numbers are clamped, never overflowed.
    ASSERT_TRUE(
        ReadRtf("{\\rtf1\\fs99999999999999999999 x\\fs-5 y\\fs0 z"
                "\\cf2147483647 c\\cf-2147483648 d\\uc999999999 e\\u99999999999 f"
                "\\li-99999999999\\sa99999999999 g}",
                doc, nullptr));
    const std::vector<TRun> runs = Runs(doc);
    ASSERT_FALSE(runs.empty());
    EXPECT_EQ(runs.front().text, "x");
    EXPECT_EQ(runs.front().points, 1638);
    EXPECT_EQ(runs[1].points, 12);  // a size of zero or less is the default

    // \bin with a length beyond the data stops at its end.
    EXPECT_EQ(Read("{\\rtf1 a{\\pict\\bin99999999999 }}}}}"), "a");
    EXPECT_EQ(Read("{\\rtf1 a\\bin3 {{{b}"), "ab");

    // NUL bytes and control characters are dropped, CR/LF ignored.
    EXPECT_EQ(Read(QByteArray("{\\rtf1 a\0b\x01\r\nc}", 15)), "abc");
}

TEST(Rtf, DeepNestingIsBounded) {
    // Groups up to the depth limit (the document group included) keep their
    // text; deeper ones are skipped whole.
    const auto nested = [](int depth, const char* text) {
        return QByteArray("{\\rtf1 A") + QByteArray(depth, '{') + text + QByteArray(depth, '}') +
               "C}";
    };
    EXPECT_EQ(Read(nested(kRtfMaxGroupDepth - 1, "\\b B")), "ABC");
    EXPECT_EQ(Read(nested(kRtfMaxGroupDepth, "\\b B")), "AC");
    EXPECT_EQ(Read(nested(200000, "B")), "AC");

    // Formatting set inside a skipped group does not leak out of it.
    QTextDocument doc;
    ASSERT_TRUE(ReadRtf(nested(kRtfMaxGroupDepth + 5, "\\b B"), doc, nullptr));
    EXPECT_FALSE(Runs(doc).back().bold);

    // Unbalanced the other way: a flood of unclosed groups.
    EXPECT_EQ(Read(QByteArray("{\\rtf1 A") + QByteArray(100000, '{') + "B"), "A");
}

TEST(Rtf, BinaryJunkNeverBreaksTheReader) {
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> byte(0, 255);
    // RTF's own syntax characters, often, to reach every state of the reader.
    const char syntax[] = "{}\\'*u0123456789-; abfsclr\n";
    for (int round = 0; round < 200; ++round) {
        QByteArray data = "{\\rtf1 ";
        const int length = 1 + round * 37;
        for (int i = 0; i < length; ++i) {
            const int b = byte(random);
            data += (b & 1) ? syntax[static_cast<std::size_t>(b >> 1) % (sizeof(syntax) - 1)]
                            : static_cast<char>(byte(random));
        }
        QTextDocument doc;
        EXPECT_TRUE(ReadRtf(data, doc, nullptr));
        const QByteArray written = WriteRtf(doc);
        QTextDocument again;
        ASSERT_TRUE(ReadRtf(written, again, nullptr));
        EXPECT_EQ(again.toPlainText(), doc.toPlainText()) << "round " << round;
    }
}

TEST(Rtf, RefusesWhatIsNotRtf) {
    QTextDocument doc;
    doc.setPlainText("old");
    QString error;
    EXPECT_FALSE(ReadRtf("Just some text", doc, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(doc.isEmpty());
    EXPECT_FALSE(ReadRtf(QByteArray(), doc, nullptr));
    EXPECT_FALSE(ReadRtf("{\\rt", doc, nullptr));
    EXPECT_TRUE(LooksLikeRtf("\xEF\xBB\xBF \r\n{\\rtf1}"));
    EXPECT_FALSE(LooksLikeRtf("x{\\rtf1}"));
}

TEST(Rtf, ShippedInfoFileReadsCleanly) {
    QFile file(QStringLiteral(LIQUIDUS_SOURCE_DIR "/liquidus.inf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QTextDocument doc;
    ASSERT_TRUE(ReadRtf(file.readAll(), doc, nullptr));
    const QString text = doc.toPlainText();
    EXPECT_TRUE(text.startsWith("Liquidus\n"));
    EXPECT_TRUE(text.contains("MgO"));
    EXPECT_TRUE(
        text.contains(QString::fromUtf8("\xC2\xB0"
                                        "C")));
    // No control word or table entry shows through as text.
    EXPECT_FALSE(text.contains('\\'));
    EXPECT_FALSE(text.contains('{'));
    EXPECT_FALSE(text.contains("Arial"));
    EXPECT_FALSE(text.contains("generator"));
    const std::vector<TRun> runs = Runs(doc);
    ASSERT_FALSE(runs.empty());
    EXPECT_TRUE(runs.front().bold);
    EXPECT_EQ(runs.front().points, 18);
    EXPECT_EQ(runs.front().colour, "#000080");
}

TEST(Rtf, SeedsKeepTheirDocumentThroughWriteAndReadAgain) {
    QStringList seeds = {QStringLiteral(LIQUIDUS_SOURCE_DIR "/liquidus.inf")};
    const QDir corpus(QStringLiteral(LIQUIDUS_SOURCE_DIR "/tests/files/rtf-corpus"));
    for (const QString& name : corpus.entryList(QDir::Files)) seeds << corpus.filePath(name);
    ASSERT_GE(seeds.size(), 4);
    for (const QString& seed : seeds) {
        QFile file(seed);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << seed.toStdString();
        EXPECT_EQ(test::RtfRoundTripFailure(file.readAll()), "") << seed.toStdString();
    }
    // Font names beyond Windows-1252 and with a no-break space survive.
    QTextDocument doc;
    QFile fonts(corpus.filePath(QStringLiteral("font-names.rtf")));
    ASSERT_TRUE(fonts.open(QIODevice::ReadOnly));
    ASSERT_TRUE(ReadRtf(fonts.readAll(), doc, nullptr));
    const QByteArray written = WriteRtf(doc);
    EXPECT_TRUE(written.contains("\\u20223?\\u20307?;")) << written.toStdString();
    EXPECT_TRUE(written.contains("No\\~Break;")) << written.toStdString();
}

}  // namespace
}  // namespace liquidus
