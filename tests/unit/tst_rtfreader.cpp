#include "help/rtfpicture.h"
#include "help/rtfreader.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

namespace {

// The document's text with each paragraph break as '\n'; line breaks stay
// U+2028 and non-breaking spaces stay U+00A0, so they can be told apart.
QString textOf(const QTextDocument &doc)
{
    QString text = doc.toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

QString readText(const QByteArray &rtf)
{
    QTextDocument doc;
    RtfReader::read(rtf, doc);
    return textOf(doc);
}

QString colourName(const QBrush &brush)
{
    return brush.style() == Qt::NoBrush ? QStringLiteral("default") : brush.color().name();
}

struct CharAspect
{
    const char *name;
    QVariant (*get)(const QTextCharFormat &);
};

// clang-format off
const CharAspect CharAspects[] = {
    {"bold", [](const QTextCharFormat &f) { return QVariant(f.fontWeight() == QFont::Bold); }},
    {"italic", [](const QTextCharFormat &f) { return QVariant(f.fontItalic()); }},
    {"underline", [](const QTextCharFormat &f) { return QVariant(f.fontUnderline()); }},
    {"strike", [](const QTextCharFormat &f) { return QVariant(f.fontStrikeOut()); }},
    {"points", [](const QTextCharFormat &f) { return QVariant(f.fontPointSize()); }},
    {"family",
     [](const QTextCharFormat &f) { return QVariant(f.fontFamilies().toStringList().value(0)); }},
    {"colour", [](const QTextCharFormat &f) { return QVariant(colourName(f.foreground())); }},
    {"background", [](const QTextCharFormat &f) { return QVariant(colourName(f.background())); }},
    {"vertical", [](const QTextCharFormat &f) { return QVariant(int(f.verticalAlignment())); }},
};
// clang-format on

struct BlockAspect
{
    const char *name;
    QVariant (*get)(const QTextBlockFormat &);
};

// clang-format off
const BlockAspect BlockAspects[] = {
    {"alignment", [](const QTextBlockFormat &f) { return QVariant(int(f.alignment())); }},
    {"left", [](const QTextBlockFormat &f) { return QVariant(f.leftMargin()); }},
    {"right", [](const QTextBlockFormat &f) { return QVariant(f.rightMargin()); }},
    {"indent", [](const QTextBlockFormat &f) { return QVariant(f.textIndent()); }},
    {"before", [](const QTextBlockFormat &f) { return QVariant(f.topMargin()); }},
    {"after", [](const QTextBlockFormat &f) { return QVariant(f.bottomMargin()); }},
    {"tabs", [](const QTextBlockFormat &f) {
         QStringList stops;
         for (const QTextOption::Tab &tab : f.tabPositions())
             stops << QString::number(tab.position) + QLatin1Char("lrcd"[tab.type]);
         return QVariant(stops.join(u' '));
     }},
};
// clang-format on

template<typename Aspect, size_t N>
const Aspect *findAspect(const Aspect (&aspects)[N], const QString &name)
{
    for (const Aspect &aspect : aspects) {
        if (name == QLatin1String(aspect.name))
            return &aspect;
    }
    return nullptr;
}

// Where the probe text starts in the document, or -1.
int positionOf(const QTextDocument &doc, const QString &probe)
{
    return int(doc.toRawText().indexOf(probe));
}

// Literal bytes that may hold NULs.
template<size_t N> QByteArray bytes(const char (&literal)[N])
{
    return QByteArray(literal, N - 1);
}

QByteArray repeated(const char *piece, int times)
{
    return QByteArray(piece).repeated(times);
}

QByteArray nested(int depth, const QByteArray &inner)
{
    return QByteArray(depth, '{') + inner + QByteArray(depth, '}');
}

QString cellText(const QTextTableCell &cell)
{
    QStringList paragraphs;
    for (auto it = cell.begin(); !it.atEnd(); ++it)
        paragraphs << it.currentBlock().text();
    return paragraphs.join(u'\n');
}

// {widths:rows} with rows apart by '/', cells by '|', and "*n" after a cell
// that spans n columns; a width is '?' where the column has none.
QString describeTable(const QTextTable &table)
{
    QStringList widths;
    for (const QTextLength &width : table.format().columnWidthConstraints())
        widths << (width.type() == QTextLength::FixedLength
                       ? QString::number(qRound(width.rawValue()))
                       : u"?"_qs);
    QStringList rows;
    for (int r = 0; r < table.rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < table.columns();) {
            const QTextTableCell cell = table.cellAt(r, c);
            cells << cellText(cell) +
                    (cell.columnSpan() > 1 ? u"*"_qs + QString::number(cell.columnSpan())
                                           : QString());
            c += std::max(1, cell.columnSpan());
        }
        rows << cells.join(u'|');
    }
    return u"{"_qs + widths.join(u',') + u":"_qs + rows.join(u'/') + u"}"_qs;
}

// The document's paragraphs apart by '\n', with each table described.
QString describe(const QTextDocument &doc)
{
    QStringList parts;
    for (auto it = doc.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (const auto *table = qobject_cast<const QTextTable *>(it.currentFrame()))
            parts << describeTable(*table);
        else if (it.currentBlock().isValid())
            parts << it.currentBlock().text();
    }
    return parts.join(u'\n');
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray picture(int width, int height, const char *format = "png")
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    return encoded(image, format).toHex();
}

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT

private:
    void addTextRow(const char *name, const QByteArray &rtf, const QString &expected)
    {
        QTest::newRow(name) << rtf << expected;
    }
    void addTextColumns()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("expected");
    }
    void compareText()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, expected);
        QCOMPARE(readText(rtf), expected);
    }

private slots:
    void structure_data()
    {
        addTextColumns();
        addTextRow("plain text", R"({\rtf1 Hello})", u"Hello"_qs);
        addTextRow("par", R"({\rtf1 one\par two})", u"one\ntwo"_qs);
        addTextRow("par at the end leaves an empty paragraph", R"({\rtf1 one\par})", u"one\n"_qs);
        addTextRow("line", R"({\rtf1 one\line two})", u"one\u2028two"_qs);
        addTextRow("tab", R"({\rtf1 a\tab b})", u"a\tb"_qs);
        addTextRow("page becomes a paragraph", R"({\rtf1 a\page b})", u"a\nb"_qs);
        addTextRow("sect becomes a paragraph", R"({\rtf1 a\sect b})", u"a\nb"_qs);
        addTextRow("cells and rows", R"({\rtf1 a\cell b\cell\row c})", u"a\tb\t\nc"_qs);
        addTextRow("backslash before a line end", "{\\rtf1 a\\\nb\\\rc}", u"a\nb\nc"_qs);
        addTextRow("line ends in text are ignored", "{\\rtf1 a\r\nb\nc\rd}", u"abcd"_qs);
        addTextRow("space after a word is its delimiter", R"({\rtf1 a\b  b})", u"a b"_qs);
        addTextRow("letters after a number are text", R"({\rtf1\fs20x})", u"x"_qs);
        addTextRow("minus without digits is text", R"({\rtf1\foo-bar})", u"-bar"_qs);
        addTextRow("groups keep their text", R"({\rtf1 a{b{c}d}e})", u"abcde"_qs);
        addTextRow("escaped braces and backslash", R"({\rtf1 \{a\}\\})", u"{a}\\"_qs);
        addTextRow("non-breaking space", R"({\rtf1 a\~b})", u"a\u00A0b"_qs);
        addTextRow("optional hyphen", R"({\rtf1 a\-b})", u"a\u00ADb"_qs);
        addTextRow("non-breaking hyphen", R"({\rtf1 a\_b})", u"a\u2011b"_qs);
        addTextRow("emdash", R"({\rtf1 a\emdash b})", u"a\u2014b"_qs);
        addTextRow("endash", R"({\rtf1 a\endash b})", u"a\u2013b"_qs);
        addTextRow("bullet", R"({\rtf1 \bullet  a})", u"\u2022 a"_qs);
        addTextRow("single quotes", R"({\rtf1 \lquote a\rquote })", u"\u2018a\u2019"_qs);
        addTextRow("double quotes", R"({\rtf1 \ldblquote a\rdblquote })", u"\u201Ca\u201D"_qs);
        addTextRow("unknown word", R"({\rtf1 a\foobar12 b})", u"ab"_qs);
        addTextRow("unknown symbol", R"({\rtf1 a\|b})", u"ab"_qs);
        addTextRow("hidden group", R"({\rtf1 a{\v hidden}b})", u"ab"_qs);
        addTextRow("hidden switched off", R"({\rtf1 a\v x\v0 b})", u"ab"_qs);
        addTextRow("header words leave no text", R"({\rtf1\ansi\ansicpg1252\deff0\uc1 a})",
                   u"a"_qs);
    }
    void structure() { compareText(); }

    void codePages_data()
    {
        addTextColumns();
        addTextRow("e9 in the default 1252", R"({\rtf1 caf\'e9})", u"caf\u00E9"_qs);
        addTextRow("80 is the euro in 1252", R"({\rtf1\ansi\ansicpg1252 \'80})", u"\u20AC"_qs);
        addTextRow("upper-case hex", R"({\rtf1 caf\'E9})", u"caf\u00E9"_qs);
        addTextRow("e9 in 1251", R"({\rtf1\ansi\ansicpg1251 \'e9})", u"\u0439"_qs);
        addTextRow("raw 8-bit text in 1251", "{\\rtf1\\ansicpg1251 \xe9}", u"\u0439"_qs);
        addTextRow("hex byte inside a word", R"({\rtf1 na\'efve})", u"na\u00EFve"_qs);
        addTextRow("font charset over the document's",
                   R"({\rtf1{\fonttbl{\f1\fcharset204 Cyr;}}{\f1\'e9}\'e9})", u"\u0439\u00E9"_qs);
        addTextRow("font code page", R"({\rtf1{\fonttbl{\f1\cpg1253 Greek;}}\f1\'e1})",
                   u"\u03B1"_qs);
        addTextRow("double-byte Shift-JIS",
                   R"({\rtf1{\fonttbl{\f1\fcharset128 Gothic;}}\f1\'82\'a0})", u"\u3042"_qs);
        addTextRow("mac", R"({\rtf1\mac \'8e})", u"\u00E9"_qs);
        addTextRow("pc", R"({\rtf1\pc \'82})", u"\u00E9"_qs);
        addTextRow("unknown code page is Latin-1", R"({\rtf1\ansicpg99999 \'80})", u"\u0080"_qs);
        addTextRow("symbol font bullet", R"({\rtf1{\fonttbl{\f2\fcharset2 Symbol;}}{\f2\'b7}})",
                   u"\u2022"_qs);
        addTextRow("undeclared font keeps the document's", R"({\rtf1\ansicpg1251\f9\'e9})",
                   u"\u0439"_qs);
        addTextRow("charset 0 is Western whatever the document's code page",
                   R"({\rtf1\ansicpg1251{\fonttbl{\f0\fcharset0 Arial;}}\f0 M\'fcnchen})",
                   u"M\u00FCnchen"_qs);
    }
    void codePages() { compareText(); }

    void unicode_data()
    {
        addTextColumns();
        addTextRow("euro skips its fallback", R"({\rtf1\uc1\u8364?})", u"\u20AC"_qs);
        addTextRow("one fallback character by default", R"({\rtf1\u8364?x})", u"\u20ACx"_qs);
        addTextRow("uc0 skips nothing", R"({\rtf1\uc0\u8364 x})", u"\u20ACx"_qs);
        addTextRow("hex fallback counts as one", R"({\rtf1\u8364\'80x})", u"\u20ACx"_qs);
        addTextRow("uc2 with two hex bytes", R"({\rtf1\uc2\u8364\'80\'80x})", u"\u20ACx"_qs);
        addTextRow("negative is read as unsigned", R"({\rtf1\u-3913?})", u"\uF0B7"_qs);
        addTextRow("surrogate pair", R"({\rtf1\u-10179?\u-8704?})", u"\U0001F600"_qs);
        addTextRow("lone high surrogate", R"({\rtf1\u-10179?x})", u"\uFFFDx"_qs);
        addTextRow("lone low surrogate", R"({\rtf1\u-8704?x})", u"\uFFFDx"_qs);
        addTextRow("beyond 16 bits", R"({\rtf1\u70000?x})", u"\uFFFDx"_qs);
        addTextRow("below -32768", R"({\rtf1\u-99999?x})", u"\uFFFDx"_qs);
        addTextRow("beyond 32 bits", R"({\rtf1\u99999999999999?x})", u"\uFFFDx"_qs);
        addTextRow("negative uc skips nothing", R"({\rtf1\uc-3\u8364 x})", u"\u20ACx"_qs);
        addTextRow("uc ends with its group", R"({\rtf1{\uc0\u8364}\u8364?x})", u"\u20AC\u20ACx"_qs);
        addTextRow("a brace ends the fallback", R"({\rtf1{\uc3\u8364}x})", u"\u20ACx"_qs);
        addTextRow("document markers are refused", R"({\rtf1\u-560?\u-559?\u-4?x})",
                   u"\uFFFD\uFFFD\uFFFDx"_qs);
        addTextRow("controls are dropped", R"({\rtf1 a\u7?\'01 b})", u"a b"_qs);
    }
    void unicode() { compareText(); }

    void skippedDestinations_data()
    {
        addTextColumns();
        const auto row = [this](const char *name, const QByteArray &inner) {
            addTextRow(name, "{\\rtf1 before" + inner + "after}", u"beforeafter"_qs);
        };
        row("font table", R"({\fonttbl{\f0\fswiss Arial;}{\f1 Times;}})");
        row("colour table", R"({\colortbl;\red255\green0\blue0;})");
        row("info", R"({\info{\title Manual}{\author Someone}})");
        row("stylesheet", R"({\stylesheet{\s0 Normal;}{\s1\b Heading;}})");
        row("picture in hex", R"({\pict\pngblip\picw10 89504e47})");
        row("metafile picture", R"({\pict\wmetafile8\picwgoal300\pichgoal300 0100090000})");
        row("picture with binary braces", "{\\pict\\bin4 }{}\\}");
        row("header", R"({\header page header})");
        row("left header", R"({\headerl left})");
        row("right header", R"({\headerr right})");
        row("first header", R"({\headerf first})");
        row("footer", R"({\footer page footer})");
        row("left footer", R"({\footerl left})");
        row("right footer", R"({\footerr right})");
        row("first footer", R"({\footerf first})");
        row("object", R"({\object\objemb{\*\objdata 0102}{\result shown}})");
        row("footnote", R"({\footnote a note})");
        row("starred unknown", R"({\*\somethingnew text\par more})");
        row("starred known", R"({\*\fldinst PAGE})");
        row("words inside do nothing", R"({\*\x \par\tab\u8364 text})");
        row("nested groups inside", R"({\info{\title {nested {deeper}} t}})");
        addTextRow("field keeps its result",
                   R"({\rtf1 a{\field{\*\fldinst HYPERLINK "x"}{\fldrslt link}}b})", u"alinkb"_qs);
        addTextRow("field without star", R"({\rtf1 a{\field{\fldinst PAGE}{\fldrslt 3}}b})",
                   u"a3b"_qs);
    }
    void skippedDestinations() { compareText(); }

    void malformed_data()
    {
        addTextColumns();
        addTextRow("closing braces missing", R"({\rtf1 a{\b b)", u"ab"_qs);
        addTextRow("only opening braces", R"({\rtf1{{{text)", u"text"_qs);
        addTextRow("extra closing brace", R"({\rtf1 a}} b})", u"a b"_qs);
        addTextRow("closing braces first", R"(}}}{\rtf1 a})", u"a"_qs);
        addTextRow("truncated after backslash", R"({\rtf1 a\)", u"a"_qs);
        addTextRow("truncated in a word", R"({\rtf1 a\pa)", u"a"_qs);
        addTextRow("truncated in a number", R"({\rtf1 a\fs2)", u"a"_qs);
        addTextRow("hex escape at the end", R"({\rtf1 a\')", u"a"_qs);
        addTextRow("hex escape with one digit", R"({\rtf1 a\'e)", u"a"_qs);
        addTextRow("hex escape with no digits", R"({\rtf1 a\'zzb})", u"azzb"_qs);
        addTextRow("NUL bytes", bytes("{\\rtf1 a\0b\\'00c}"), u"abc"_qs);
        addTextRow("huge font size", R"({\rtf1\fs99999999999999 big})", u"big"_qs);
        addTextRow("huge binary length", R"({\rtf1 before\bin99999999999 lost})", u"before"_qs);
        addTextRow("negative binary length", R"({\rtf1 a\bin-5 b})", u"ab"_qs);
        addTextRow("colour index beyond the table", R"({\rtf1\cf99 a})", u"a"_qs);
        addTextRow("font never declared", R"({\rtf1\f99 a})", u"a"_qs);
        addTextRow("empty", QByteArray(), QString());
        addTextRow("header alone", R"({\rtf)", QString());
        addTextRow("nesting thousands deep", nested(5000, "x") + "y", u"xy"_qs);
        addTextRow("deep and never closed", QByteArray(100000, '{') + "x", u"x"_qs);
        addTextRow("endless control word", "\\" + QByteArray(10000, 'a') + " x", u"x"_qs);
    }
    void malformed() { compareText(); }

    void characterFormat_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("probe");
        QTest::addColumn<QString>("aspect");
        QTest::addColumn<QVariant>("expected");

        const QByteArray fonts = R"({\fonttbl{\f0 Arial;}{\f1 Courier New;}})";
        const QByteArray colours = R"({\colortbl;\red255\green0\blue0;;\red0\green0\blue255;})";
        const auto row = [](const char *name, const QByteArray &body, const char *aspect,
                            const QVariant &expected) {
            QTest::newRow(name) << "{\\rtf1 " + body + "}" << u"B"_qs << QString(aspect)
                                << expected;
        };
        row("plain is not bold", "a B", "bold", false);
        row("bold", R"(a\b B)", "bold", true);
        row("bold with 1", R"(\b1 B)", "bold", true);
        row("bold with 0", R"(\b a\b0 B)", "bold", false);
        row("bold ends with its group", R"({\b a}B)", "bold", false);
        row("italic", R"(\i B)", "italic", true);
        row("italic with 0", R"(\i a\i0 B)", "italic", false);
        row("underline", R"(\ul B)", "underline", true);
        row("underline with 0", R"(\ul a\ul0 B)", "underline", false);
        row("ulnone", R"(\ul a\ulnone B)", "underline", false);
        row("double underline", R"(\uldb B)", "underline", true);
        row("strike", R"(\strike B)", "strike", true);
        row("strike with 0", R"(\strike a\strike0 B)", "strike", false);
        row("plain clears bold", R"(\b\i\ul a\plain B)", "bold", false);
        row("plain clears size", R"(\fs40 a\plain B)", "points", 12.0);
        row("default size", "B", "points", 12.0);
        row("fs in half points", R"(\fs30 B)", "points", 15.0);
        row("fs without a number", R"(\fs40 a\fs B)", "points", 12.0);
        row("fs clamped high", R"(\fs99999999999999 B)", "points", 1638.0);
        row("fs0 clamped low", R"(\fs0 B)", "points", 1.0);
        row("fs negative", R"(\fs-20 B)", "points", 1.0);
        row("font from the table", fonts + R"(\f1 B)", "family", u"Courier New"_qs);
        row("font table without entry groups", R"({\fonttbl\f0 Arial;\f1 Times;}\f1 B)", "family",
            u"Times"_qs);
        row("deff gives the family", R"(\deff1{\fonttbl{\f0 Arial;}{\f1 Times;}}B)", "family",
            u"Times"_qs);
        row("undeclared font", fonts + R"(\f9 B)", "family", QString());
        row("plain returns to deff", R"(\deff1)" + fonts + R"(\f0 a\plain B)", "family",
            u"Courier New"_qs);
        row("font name in the code page", R"({\fonttbl{\f0 Caf\'e9;}}B)", "family",
            u"Caf\u00E9"_qs);
        row("alternative font name skipped", R"({\fonttbl{\f0 Arial{\*\falt Helvetica};}}B)",
            "family", u"Arial"_qs);
        row("panose skipped", R"({\fonttbl{\f0{\*\panose 020b0604}Arial;}}B)", "family",
            u"Arial"_qs);
        row("colour from the table", colours + R"(\cf1 B)", "colour", u"#ff0000"_qs);
        row("colour after an empty entry", colours + R"(\cf3 B)", "colour", u"#0000ff"_qs);
        row("empty entry is default", colours + R"(\cf2 B)", "colour", u"default"_qs);
        row("cf0 is default", colours + R"(\cf1 a\cf0 B)", "colour", u"default"_qs);
        row("colour beyond the table", colours + R"(\cf9 B)", "colour", u"default"_qs);
        row("negative colour", colours + R"(\cf-1 B)", "colour", u"default"_qs);
        row("colour ends with its group", colours + R"({\cf1 a}B)", "colour", u"default"_qs);
        row("colour components clamped", R"({\colortbl;\red300\green-5\blue128;}\cf1 B)", "colour",
            u"#ff0080"_qs);
        row("highlight", colours + R"(\highlight3 B)", "background", u"#0000ff"_qs);
        row("superscript", R"(\super B)", "vertical", int(QTextCharFormat::AlignSuperScript));
        row("subscript", R"(\sub B)", "vertical", int(QTextCharFormat::AlignSubScript));
        row("nosupersub", R"(\sub a\nosupersub B)", "vertical", int(QTextCharFormat::AlignNormal));
        row("flattened groups past the depth cap",
            nested(RtfReader::MaxGroupDepth + 500, R"(\b x)") + "B", "bold", false);
        // Past the cap a '}' closes nothing, so the bold set in there stays.
        row("groups past the depth cap are read flat",
            QByteArray(RtfReader::MaxGroupDepth + 200, '{') + R"(\b x}B)", "bold", true);

        const QByteArray symbolFonts =
            R"({\rtf1{\fonttbl{\f0 Arial;}{\f1\fcharset2 Symbol;}{\f2\fcharset2 Wingdings;}}\f0 a)";
        const auto symbol = [&symbolFonts](const char *name, const QByteArray &body,
                                           const QString &probe) {
            QTest::newRow(name) << symbolFonts + body + "}" << probe << u"family"_qs
                                << QVariant(u"Arial"_qs);
        };
        symbol("Symbol bullet in the text's font", R"({\f1\'b7})", u"\u2022"_qs);
        symbol("Symbol bullet as Unicode in the text's font", R"({\f1\u-3913 ?})", u"\u2022"_qs);
        symbol("Wingdings square in the text's font", R"({\f2\'a7})", u"\u25AA"_qs);
    }
    void characterFormat()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, probe);
        QFETCH(QString, aspect);
        QFETCH(QVariant, expected);

        QTextDocument doc;
        RtfReader::read(rtf, doc);
        const int position = positionOf(doc, probe);
        QVERIFY2(position >= 0, qPrintable(textOf(doc)));
        const CharAspect *get = findAspect(CharAspects, aspect);
        QVERIFY(get);
        QTextCursor cursor(&doc);
        cursor.setPosition(position + 1);
        QCOMPARE(get->get(cursor.charFormat()), expected);
    }

    void paragraphFormat_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("aspect");
        QTest::addColumn<QVariant>("expected");

        const auto row = [](const char *name, const QByteArray &body, const char *aspect,
                            const QVariant &expected) {
            QTest::newRow(name) << "{\\rtf1 " + body + "}" << QString(aspect) << expected;
        };
        const int left = Qt::AlignLeft;
        row("left by default", R"(B\par)", "alignment", left);
        row("qc", R"(\qc B\par)", "alignment", int(Qt::AlignHCenter));
        row("qr", R"(\qr B\par)", "alignment", int(Qt::AlignRight));
        row("qj", R"(\qj B\par)", "alignment", int(Qt::AlignJustify));
        row("ql after qc", R"(\qc\ql B\par)", "alignment", left);
        row("pard resets alignment", R"(\qc a\par\pard B\par)", "alignment", left);
        row("set just before par", R"(B\qc\par)", "alignment", int(Qt::AlignHCenter));
        row("last paragraph without par", R"(\qc B)", "alignment", int(Qt::AlignHCenter));
        row("alignment ends with its group", R"({\qc a\par}B\par)", "alignment", left);
        row("li in pixels", R"(\li1440 B\par)", "left", 96.0);
        row("ri in pixels", R"(\ri720 B\par)", "right", 48.0);
        row("hanging fi", R"(\li720\fi-360 B\par)", "indent", -24.0);
        row("fi never past the margin", R"(\li150\fi-1440 B\par)", "indent", -10.0);
        row("sb", R"(\sb300 B\par)", "before", 20.0);
        row("sa", R"(\sa150 B\par)", "after", 10.0);
        row("li clamped", R"(\li99999999999 B\par)", "left", RtfReader::MaxTwips / 15.0);
        row("negative li", R"(\li-720 B\par)", "left", 0.0);
        row("pard resets indents", R"(\li720 a\par\pard B\par)", "left", 0.0);
        row("tab stops of each kind", R"(\tx720\tqr\tx2880\tqc\tx4320\tqdec\tx5760 B\par)", "tabs",
            u"48l 192r 288c 384d"_qs);
        row("tab stops from the line's start, and one at the hanging indent",
            R"(\li1440\fi-720\tx2160 B\par)", "tabs", u"48l 96l"_qs);
    }
    void paragraphFormat()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, aspect);
        QFETCH(QVariant, expected);

        QTextDocument doc;
        RtfReader::read(rtf, doc);
        const int position = positionOf(doc, u"B"_qs);
        QVERIFY2(position >= 0, qPrintable(textOf(doc)));
        const BlockAspect *get = findAspect(BlockAspects, aspect);
        QVERIFY(get);
        QCOMPARE(get->get(doc.findBlock(position).blockFormat()), expected);
    }

    void tables_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("expected");

        const auto row = [](const char *name, const QByteArray &body, const QString &expected) {
            QTest::newRow(name) << "{\\rtf1 before\\par " + body + "\\pard after}" << expected;
        };
        const QByteArray twoCells = R"(\trowd\cellx1500\cellx3000)";
        const QByteArray threeCells = R"(\trowd\cellx1000\cellx2000\cellx3000)";
        row("rows of cells with widths from their boundaries",
            twoCells + R"(\intbl a\cell b\cell\row)" + twoCells + R"(\intbl c\cell d\cell\row)",
            u"before\n\n{100,100:a|b/c|d}\nafter"_qs);
        row("a paragraph end stays in its cell", twoCells + R"(\intbl a\par b\cell c\cell\row)",
            u"before\n\n{100,100:a\nb|c}\nafter"_qs);
        row("a list item's own paragraph reset stays in its cell",
            twoCells + R"(\pard\intbl{\listtext\pard\plain -\tab}a\cell b\cell\row)",
            u"before\n\n{100,100:-\ta|b}\nafter"_qs);
        row("a row of fewer cells spans to the edge",
            threeCells + R"(\intbl a\cell b\cell c\cell\row\trowd\cellx1000\intbl d\cell\row)",
            u"before\n\n{67,67,67:a|b|c/d*3}\nafter"_qs);
        row("a row of more cells splits the columns",
            R"(\trowd\cellx3000\intbl a\cell\row)" + threeCells +
                R"(\intbl b\cell c\cell d\cell\row)",
            u"before\n\n{67,67,67:a*3/b|c|d}\nafter"_qs);
        row("rows without boundaries",
            R"(\intbl Key\cell Action\cell\row\intbl F1\cell Help\cell\row)",
            u"before\n\n{?,?:Key|Action/F1|Help}\nafter"_qs);
        row("a row defined after its cells", R"(\intbl a\cell b\cell)" + twoCells + R"(\row)",
            u"before\n\n{100,100:a|b}\nafter"_qs);
        row("a nested table keeps its text in its cell",
            R"(\trowd\cellx3000\intbl a\par\itap2 b\nestcell c\nestcell)"
            R"({\*\nesttableprops\trowd\cellx1000\cellx2000\nestrow}{\nonesttables\par})"
            R"(\pard\intbl\itap1 d\cell\row)",
            u"before\n\n{200:a\nb\tc\t\nd}\nafter"_qs);
    }
    void tables()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, expected);

        QTextDocument doc;
        RtfReader::read(rtf, doc);
        QCOMPARE(describe(doc), expected);
    }

    // Pictures as "width x height" in pixels, in the order they show.
    void pictures_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("expected");

        const auto row = [](const char *name, const QByteArray &body, int window,
                            const QString &expected) {
            QTest::newRow(name) << "{\\rtf1 a" + body + "b}" << window << expected;
        };
        const QByteArray png = picture(4, 2);
        row("PNG at its goal size", R"({\pict\pngblip\picwgoal600\pichgoal450 )" + png + "}", 0,
            u"40x30"_qs);
        row("JPEG scaled",
            R"({\pict\jpegblip\picwgoal600\pichgoal300\picscalex50\picscaley200 )" +
                picture(4, 2, "jpeg") + "}",
            0, u"20x40"_qs);
        row("no goal: its own size", "{\\pict\\pngblip " + picture(30, 10) + "}", 0, u"30x10"_qs);
        const QByteArray raw = QByteArray::fromHex(png);
        row("binary data",
            "{\\pict\\pngblip\\bin" + QByteArray::number(raw.size()) + " " + raw + "}", 0,
            u"4x2"_qs);
        row("shape picture without its fallback",
            R"({\*\shppict{\pict\pngblip )" + png + R"(}}{\nonshppict{\pict\pngblip )" +
                picture(8, 8) + "}}",
            0, u"4x2"_qs);
        row("a drawing's picture without its fill or fallback",
            R"({\shp{\*\shpinst{\sp{\sn fillBlip}{\sv {\pict\pngblip )" + picture(8, 8) +
                R"(}}}{\sp{\sn pib}{\sv {\pict\pngblip )" + png +
                R"(}}}}{\shprslt{\pict\pngblip )" + picture(8, 8) + "}}}",
            0, u"4x2"_qs);
        QImage huge(5000, 5000, QImage::Format_Mono);
        huge.fill(0);
        row("more pixels than the cap", "{\\pict\\pngblip " + encoded(huge, "png").toHex() + "}", 0,
            QString());
        row("narrowed to the window", R"({\pict\pngblip\picwgoal600\pichgoal300 )" + png + "}", 20,
            u"20x10"_qs);
    }
    void pictures()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(int, window);
        QFETCH(QString, expected);

        QTextDocument doc;
        RtfReader::read(rtf, doc);
        if (window > 0)
            RtfPictures::fitToWidth(doc, window);
        QStringList shown;
        for (auto it = doc.begin().begin(); !it.atEnd(); ++it) {
            const QTextImageFormat format = it.fragment().charFormat().toImageFormat();
            if (!format.isValid())
                continue;
            QVERIFY(!doc.resource(QTextDocument::ImageResource, QUrl(format.name())).isNull());
            shown << u"%1x%2"_qs.arg(format.width()).arg(format.height());
        }
        QCOMPARE(shown.join(u' '), expected);
        QCOMPARE(textOf(doc).remove(QChar::ObjectReplacementCharacter), u"ab"_qs);
    }

    // Words that leave the formatting as it was must not split the text into
    // more pieces than the formats require.
    void runs_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<int>("fragments");

        QTest::newRow("one format") << QByteArray(R"({\rtf1 abc})") << 1;
        QTest::newRow("words that change nothing")
            << QByteArray(R"({\rtf1 a\b0 b\i0 c\plain d{e}\ul0 f})") << 1;
        QTest::newRow("hex and unicode") << QByteArray(R"({\rtf1 a\'e9b\u8364?c\~d})") << 1;
        QTest::newRow("two formats") << QByteArray(R"({\rtf1 a\b b\b0 })") << 2;
        QTest::newRow("back and forth") << QByteArray(R"({\rtf1 a{\b b}c})") << 3;
    }
    void runs()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(int, fragments);

        QTextDocument doc;
        RtfReader::read(rtf, doc);
        int count = 0;
        for (auto it = doc.begin().begin(); !it.atEnd(); ++it)
            ++count;
        QCOMPARE(count, fragments);
    }

    void limits_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<int>("characters");

        // 35 characters and a paragraph break, in 57 bytes.
        const QByteArray paragraph = R"({\b Clock.} Press {\i Space} to start\emdash or stop\par)";
        QTest::newRow("100 KB manual")
            << "{\\rtf1\\ansi " + paragraph.repeated(2000) + "}" << 2000 * 36 + 1;
        QTest::newRow("a megabyte of text")
            << "{\\rtf1 " + QByteArray(1 << 20, 'a') + "}" << (1 << 20) + 1;
        QTest::newRow("200,000 groups deep") << nested(200000, "x") << 2;
        QTest::newRow("200,000 unknown words") << repeated("\\zz", 200000) << 1;
        QTest::newRow("100,000 unclosed hidden groups") << repeated("{\\v", 100000) + "x" << 1;
        // Three cells in two rows, each a mark and a letter; the table's end
        // and the document's.
        const QByteArray tableRows = R"(\trowd\cellx1000\cellx2000\intbl a\cell b\cell\row)"
                                     R"(\trowd\cellx2000\intbl c\cell\row)";
        QTest::newRow("2,000 table rows")
            << "{\\rtf1 " + tableRows.repeated(1000) + "}" << 6000 + 2;
    }
    void limits()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(int, characters);

        QTextDocument doc;
        QElapsedTimer timer;
        timer.start();
        RtfReader::read(rtf, doc);
        const qint64 elapsed = timer.elapsed();
        QCOMPARE(doc.characterCount(), characters);
        QVERIFY2(elapsed < 1000, qPrintable(QStringLiteral("%1 ms").arg(elapsed)));
    }

    void load_data()
    {
        addTextColumns();
        addTextRow("RTF header", R"({\rtf1 \b x})", u"x"_qs);
        addTextRow("byte order mark before RTF", "\xEF\xBB\xBF{\\rtf1 x}", u"x"_qs);
        addTextRow("white space before RTF", " \r\n\t{\\rtf1 x}", u"x"_qs);
        addTextRow("UTF-8 without header", "caf\xC3\xA9 {\\b x}", u"caf\u00E9 {\\b x}"_qs);
        addTextRow("Latin-1 without header", "caf\xE9", u"caf\u00E9"_qs);
        addTextRow("byte order mark in plain text", "\xEF\xBB\xBFhello", u"hello"_qs);
        addTextRow("line ends in plain text", "a\r\nb\rc\nd", u"a\nb\nc\nd"_qs);
        addTextRow("controls in plain text",
                   bytes("a\0b\x01"
                         "c\td"),
                   u"abc\td"_qs);
        addTextRow("RTF header not at the start", "x{\\rtf1 y}", u"x{\\rtf1 y}"_qs);
        addTextRow("empty file", QByteArray(), QString());
    }
    void load()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, expected);

        QTextDocument doc;
        doc.setPlainText(u"what was there before"_qs);
        RtfReader::load(rtf, doc);
        QCOMPARE(textOf(doc), expected);
    }

    void looksLikeRtf_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("rtf");

        QTest::newRow("header") << QByteArray("{\\rtf1\\ansi x}") << true;
        QTest::newRow("header alone") << QByteArray("{\\rtf") << true;
        QTest::newRow("after BOM and blanks") << QByteArray("\xEF\xBB\xBF \n{\\rtf1}") << true;
        QTest::newRow("plain text") << QByteArray("Vantrell manual") << false;
        QTest::newRow("other group") << QByteArray("{\\pict}") << false;
        QTest::newRow("upper case") << QByteArray("{\\RTF1}") << false;
        QTest::newRow("cut short") << QByteArray("{\\rt") << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void looksLikeRtf()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, rtf);
        QCOMPARE(RtfReader::looksLikeRtf(bytes), rtf);
    }

    void readReplacesTheDocument()
    {
        QTextDocument doc;
        RtfReader::read(R"({\rtf1\qc\b first\par second})", doc);
        RtfReader::read(R"({\rtf1 third})", doc);
        QCOMPARE(textOf(doc), u"third"_qs);
        QCOMPARE(doc.blockCount(), 1);
        QTextCursor cursor(&doc);
        cursor.setPosition(1);
        QCOMPARE(cursor.charFormat().fontWeight(), int(QFont::Normal));
        QCOMPARE(int(doc.begin().blockFormat().alignment()), int(Qt::AlignLeft));
    }
};

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
