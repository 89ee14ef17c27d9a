// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/rtfpicture.h"
#include "help/rtfreader.h"

#include <QBuffer>
#include <QImage>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

namespace {

// What the text shows where the probe starts: "bold", "12pt", "Arial",
// "#ff0000", "on #0000ff"; apart by spaces, the defaults left out.
QString charFormat(const QTextCharFormat &f)
{
    QStringList parts;
    const QString family = f.fontFamilies().toStringList().value(0);
    parts << (f.fontWeight() == QFont::Bold ? "bold" : "") << (f.fontItalic() ? "italic" : "")
          << (f.fontUnderline() ? "underline" : "") << (f.fontStrikeOut() ? "strike" : "")
          << (f.fontPointSize() != 12 ? QString::number(f.fontPointSize()) + "pt" : "") << family
          << (f.foreground().style() ? f.foreground().color().name() : "")
          << (f.background().style() ? "on " + f.background().color().name() : "");
    parts.removeAll(QString());
    return parts.join(u' ');
}

// The paragraph's alignment, then its margins, indent and tab stops in
// pixels, those that are set: "center left 96 indent -24 48r".
QString blockFormat(const QTextBlockFormat &f)
{
    QStringList parts{f.alignment() & Qt::AlignHCenter       ? "center"
                          : f.alignment() & Qt::AlignJustify ? "justify"
                                                             : "left"};
    const char *const names[] = {"left", "right", "indent", "before", "after"};
    const qreal margins[] = {f.leftMargin(), f.rightMargin(), f.textIndent(), f.topMargin(),
                             f.bottomMargin()};
    for (int i = 0; i < 5; ++i)
        if (margins[i] != 0)
            parts << names[i] << QString::number(margins[i]);
    for (const QTextOption::Tab &tab : f.tabPositions())
        parts << QString::number(tab.position) + "lrcd"[tab.type];
    return parts.join(u' ');
}

// {widths:rows} with rows apart by '/', cells by '|', and "*n" after a cell
// that spans n columns; a width is '?' where the column has none.
QString tableOf(const QTextTable &table)
{
    QStringList widths;
    for (const QTextLength &width : table.format().columnWidthConstraints())
        widths << (width.type() == QTextLength::FixedLength
                       ? QString::number(qRound(width.rawValue()))
                       : "?");
    QStringList rows;
    for (int r = 0; r < table.rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < table.columns(); c += std::max(1, table.cellAt(r, c).columnSpan())) {
            const QTextTableCell cell = table.cellAt(r, c);
            QStringList paragraphs;
            for (auto it = cell.begin(); !it.atEnd(); ++it)
                paragraphs << it.currentBlock().text();
            cells << paragraphs.join(u'\n') +
                    (cell.columnSpan() > 1 ? "*" + QString::number(cell.columnSpan()) : "");
        }
        rows << cells.join(u'|');
    }
    return "{" + widths.join(u',') + ":" + rows.join(u'/') + "}";
}

QByteArray picture(int width, int height, const char *format = "png")
{
    QImage image(width, height, width > 1000 ? QImage::Format_Mono : QImage::Format_RGB32);
    image.fill(0);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return buffer.data().toHex();
}

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT

private slots:
    // Read or loaded as a file, into a document that held another one.
    void text_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const QByteArray &rtf, const QString &expected) {
            QTest::newRow(name) << rtf << expected;
        };
        row("breaks", R"({\rtf1 a\par b\line c\tab d\page e\cell f\row})",
            u"a\nb\u2028c\td\ne\tf\n"_qs);
        row("line ends in text are ignored, escaped ones break", "{\\rtf1 a\r\nb\\\nc}",
            u"ab\nc"_qs);
        row("word delimiters", R"({\rtf1 a\b  b\fs20x\foo-bar})", u"a bx-bar"_qs);
        row("escapes and special characters", R"({\rtf1 \{\}\\\~\-\_\emdash\bullet\ldblquote})",
            u"{}\\\u00A0\u00AD\u2011\u2014\u2022\u201C"_qs);
        row("hidden text", R"({\rtf1 a{\v hidden}b\v x\v0 c})", u"abc"_qs);
        row("e9 in the default 1252, 80 the euro", R"({\rtf1 caf\'e9\'80})", u"caf\u00E9\u20AC"_qs);
        row("e9 in 1251, hex or raw", "{\\rtf1\\ansicpg1251 \\'e9\xe9}", u"\u0439\u0439"_qs);
        row("font charset over the document's",
            R"({\rtf1{\fonttbl{\f1\fcharset204 Cyr;}}{\f1\'e9}\'e9})", u"\u0439\u00E9"_qs);
        row("double-byte Shift-JIS", R"({\rtf1{\fonttbl{\f1\fcharset128 Gothic;}}\f1\'82\'a0})",
            u"\u3042"_qs);
        row("charset 0 is Western whatever the document's code page",
            R"({\rtf1\ansicpg1251{\fonttbl{\f0\fcharset0 Arial;}}\f0 M\'fcnchen})",
            u"M\u00FCnchen"_qs);
        row("unicode skips its fallback", R"({\rtf1\u8364?{\uc2\u8364\'80\'80}{\uc0\u8364 }x})",
            u"\u20AC\u20AC\u20ACx"_qs);
        row("surrogate pair", R"({\rtf1\u-10179?\u-8704?})", u"\U0001F600"_qs);
        row("destinations skipped, a field's result kept",
            R"({\rtf1 a{\fonttbl{\f0 Arial;}}{\info{\title {t}}}{\*\x \par y})"
            R"({\field{\*\fldinst HYPERLINK "x"}{\fldrslt b}}})",
            u"ab"_qs);
        row("braces missing or extra", R"({\rtf1 a}} b{\b c)", u"a bc"_qs);
        row("RTF after a byte order mark and white space", "\xEF\xBB\xBF \r\n{\\rtf1 x}", "x");
        row("UTF-8 without header", "caf\xC3\xA9 {\\b x}", u"caf\u00E9 {\\b x}"_qs);
        row("Latin-1, line ends and controls", "caf\xE9\r\nb\x01", u"caf\u00E9\nb"_qs);
        row("RTF header not at the start", "x{\\rtf1 y}", "x{\\rtf1 y}");
        // Tables as {widths:rows}, see tableOf.
        const auto table = [&row](const char *name, const QByteArray &body, const QString &table) {
            row(name, "{\\rtf1 before\\par " + body + "\\pard after}",
                "before\n\n" + table + "\nafter");
        };
        const QByteArray two = R"(\trowd\cellx1500\cellx3000)";
        const QByteArray three = R"(\trowd\cellx1000\cellx2000\cellx3000)";
        table("widths from the cell boundaries",
              two + R"(\intbl a\cell b\cell\row)" + two + R"(\intbl c\cell d\cell\row)",
              "{100,100:a|b/c|d}");
        table("a paragraph end stays in its cell", two + R"(\intbl a\par b\cell c\cell\row)",
              "{100,100:a\nb|c}");
        table("a list item's own paragraph reset stays in its cell",
              two + R"(\pard\intbl{\listtext\pard\plain -\tab}a\cell b\cell\row)",
              "{100,100:-\ta|b}");
        table("a row of fewer cells spans to the edge",
              three + R"(\intbl a\cell b\cell c\cell\row\trowd\cellx1000\intbl d\cell\row)",
              "{67,67,67:a|b|c/d*3}");
        table("a row of more cells splits the columns",
              R"(\trowd\cellx3000\intbl a\cell\row)" + three + R"(\intbl b\cell c\cell d\cell\row)",
              "{67,67,67:a*3/b|c|d}");
        table("rows without boundaries",
              R"(\intbl Key\cell Action\cell\row\intbl F1\cell Help\cell\row)",
              "{?,?:Key|Action/F1|Help}");
        table("a row defined after its cells", R"(\intbl a\cell b\cell)" + two + R"(\row)",
              "{100,100:a|b}");
        table(
            "a nested table keeps its text in its cell",
            R"(\trowd\cellx3000\intbl a\par\itap2 b\nestcell c\nestcell)"
            R"({\*\nesttableprops\trowd\cellx1000\cellx2000\nestrow}{\nonesttables\par}\pard\intbl\itap1 d\cell\row)",
            "{200:a\nb\tc\t\nd}");
    }
    void text()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, expected);
        QTextDocument doc;
        RtfReader::read(R"({\rtf1\qc\b first\par second})", doc);
        RtfReader::load(rtf, doc);
        QStringList parts;
        for (auto it = doc.rootFrame()->begin(); !it.atEnd(); ++it) {
            const auto *table = qobject_cast<const QTextTable *>(it.currentFrame());
            parts << (table ? tableOf(*table) : it.currentBlock().text());
        }
        QCOMPARE(parts.join(u'\n'), expected);
    }

    // What the text shows at the probe: its characters' format, or its
    // paragraph's.
    void format_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("probe");
        QTest::addColumn<bool>("paragraph");
        QTest::addColumn<QString>("expected");
        const QByteArray tables =
            R"({\fonttbl{\f0 Arial;}{\f1 Courier New;}{\f2\fcharset2 Symbol;}{\f3\fcharset2 Wingdings;}})"
            R"({\colortbl;\red255\green0\blue0;;\red0\green0\blue255;\red300\green-5\blue128;})";
        const auto chars = [&tables](const char *name, const QByteArray &body,
                                     const QString &expected, const QString &probe = "B") {
            QTest::newRow(name) << "{\\rtf1" + tables + "\\f0 " + body + "}" << probe << false
                                << expected;
        };
        const auto para = [](const char *name, const QByteArray &body, const char *expected) {
            QTest::newRow(name) << "{\\rtf1 " + body + "}" << QStringLiteral("B") << true
                                << QString(expected);
        };
        chars("bold, italic, underline, strike", R"(\b\i\ul\strike B)",
              "bold italic underline strike Arial");
        chars("switched off with 0", R"(\b\i\ul\strike a\b0\i0\ul0\strike0 B)", "Arial");
        chars("ended by their group", R"({\b\cf1\fs30 a}B)", "Arial");
        chars("plain resets to the default font", R"(\f1\b a\plain B)", "Arial");
        chars("fs in half points, clamped", R"(\fs30 a{\fs0 b}\fs99999999999 B)", "1638pt Arial");
        chars("colours from the table", R"(\cf3\highlight1 B)", "Arial #0000ff on #ff0000");
        chars("colour components clamped", R"(\cf4 B)", "Arial #ff0080");
        // Past the cap a '}' closes nothing, so the bold set in there stays.
        chars("groups past the depth cap are read flat", QByteArray(3000, '{') + R"(\b x}B)",
              "bold Arial");
        chars("Symbol bullet in the text's font", R"({\f2\'b7})", "Arial", u"\u2022"_qs);
        chars("Symbol bullet as Unicode in the text's font", R"({\f2\u-3913 ?})", "Arial",
              u"\u2022"_qs);
        chars("Wingdings square in the text's font", R"({\f3\'a7})", "Arial", u"\u25AA"_qs);
        para("qj, set just before par", R"(B\qj\par)", "justify");
        para("pard resets", R"(\qc\li720 a\par\pard B\par)", "left");
        para("indents in pixels", R"(\li1440\ri720\fi-360\sb300\sa150 B\par)",
             "left left 96 right 48 indent -24 before 20 after 10 24l");
        para("indent never past the margin, margin clamped",
             R"(\ri99999999999\li720\fi-1440 B\par)", "left left 48 right 2112 indent -48 48l");
        para("tab stops of each kind", R"(\tx720\tqr\tx2880\tqc\tx4320\tqdec\tx5760 B\par)",
             "left 48l 192r 288c 384d");
        para("tab stops from the line's start, and one at the hanging indent",
             R"(\li1440\fi-720\tx2160 B\par)", "left left 96 indent -48 48l 96l");
    }
    void format()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, probe);
        QFETCH(bool, paragraph);
        QFETCH(QString, expected);
        QTextDocument doc;
        RtfReader::read(rtf, doc);
        QTextCursor cursor(&doc);
        cursor.setPosition(int(doc.toRawText().indexOf(probe)) + 1);
        QCOMPARE(paragraph ? blockFormat(cursor.blockFormat()) : charFormat(cursor.charFormat()),
                 expected);
    }

    // Pictures as "width x height" in pixels, in the order they show.
    void pictures_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const QByteArray &body, const char *expected,
                            int window = 0) {
            QTest::newRow(name) << "{\\rtf1 a" + body + "b}" << window << expected;
        };
        const QByteArray png = picture(4, 2);
        const QByteArray other = picture(8, 8);
        row("PNG at its goal size", R"({\pict\pngblip\picwgoal600\pichgoal450 )" + png + "}",
            "40x30");
        row("JPEG scaled",
            R"({\pict\jpegblip\picwgoal600\pichgoal300\picscalex50\picscaley200 )" +
                picture(4, 2, "jpeg") + "}",
            "20x40");
        const QByteArray raw = QByteArray::fromHex(png);
        row("binary data",
            "{\\pict\\pngblip\\bin" + QByteArray::number(raw.size()) + " " + raw + "}", "4x2");
        row("shape picture without its fallback",
            R"({\*\shppict{\pict\pngblip )" + png + R"(}}{\nonshppict{\pict\pngblip )" + other +
                "}}",
            "4x2");
        row("a drawing's picture without its fill or fallback",
            R"({\shp{\*\shpinst{\sp{\sn fillBlip}{\sv {\pict\pngblip )" + other +
                R"(}}}{\sp{\sn pib}{\sv {\pict\pngblip )" + png +
                R"(}}}}{\shprslt{\pict\pngblip )" + other + "}}}",
            "4x2");
        row("more pixels than the cap", "{\\pict\\pngblip " + picture(5000, 5000) + "}", "");
        row("narrowed to the window", R"({\pict\pngblip\picwgoal600\pichgoal300 )" + png + "}",
            "20x10", 20);
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
            if (format.isValid() &&
                !doc.resource(QTextDocument::ImageResource, QUrl(format.name())).isNull())
                shown << QStringLiteral("%1x%2").arg(format.width()).arg(format.height());
        }
        QCOMPARE(shown.join(u' '), expected);
        QCOMPARE(doc.toPlainText().remove(QChar::ObjectReplacementCharacter), QStringLiteral("ab"));
    }
};

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
