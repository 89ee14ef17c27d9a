#include "fakes.h"
#include "input/modshowdigits.h"

#include <QTest>

using modShowDigits::SetDigits;

class TestSetDigits : public QObject
{
    Q_OBJECT

private slots:
    void wholeNumberValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("value");
        QTest::newRow("digits") << "42" << qint64(42);
        QTest::newRow("stops at a second sign") << "5-3" << qint64(5);
        QTest::newRow("sign alone") << "+" << qint64(0);
        QTest::newRow("empty") << "" << qint64(0);
        QTest::newRow("negative") << "-7" << qint64(-7);
        QTest::newRow("fraction truncated") << "-7.9" << qint64(-7);
        QTest::newRow("leading zeros") << "007" << qint64(7);
        QTest::newRow("letters end it") << "12ab3" << qint64(12);
        QTest::newRow("nothing numeric") << "x1" << qint64(0);
        QTest::newRow("absurdly long saturates") << QString(40, QLatin1Char('9')) << qint64(92233720368547758);
    }
    void wholeNumberValue()
    {
        QFETCH(QString, text);
        QFETCH(qint64, value);
        QCOMPARE(modShowDigits::wholeNumberValue(text), value);
    }

    void setDigits_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<QString>("after");

        const QString clear(QChar(0));
        QTest::newRow("a number") << "_0" << "7" << -1 << 99 << "_7";
        QTest::newRow("two figures") << "_0" << "42" << -1 << 99 << "42";
        QTest::newRow("above the limit refused") << "_7" << "123" << -1 << 99 << "_7";
        QTest::newRow("plus adds") << "_7" << "+3" << -1 << 99 << "10";
        QTest::newRow("minus subtracts") << "10" << "-3" << -1 << 99 << "_7";
        QTest::newRow("below -1 refused") << "_5" << "-9" << -1 << 99 << "_5";
        QTest::newRow("zero minus one goes blank") << "_0" << "-1" << -1 << 99 << "__";
        QTest::newRow("blank plus one") << "__" << "+1" << -1 << 99 << "_1";
        QTest::newRow("99 plus one stays") << "99" << "+1" << -1 << 99 << "99";
        QTest::newRow("clear code blanks") << "42" << clear << -1 << 99 << "__";
        QTest::newRow("clear a penalty") << "130" << clear << -1 << -1 << "___";
        QTest::newRow("empty text changes nothing") << "42" << "" << -1 << 99 << "42";
        QTest::newRow("other first character ignored") << "42" << "x5" << -1 << 99 << "42";
        QTest::newRow("plus with nothing after") << "_4" << "+" << -1 << 99 << "_4";
        QTest::newRow("digit then junk") << "_4" << "5-3" << -1 << 99 << "_5";
        QTest::newRow("leading zeros dropped") << "_4" << "07" << -1 << 99 << "_7";
    }
    void setDigits()
    {
        QFETCH(QString, before);
        QFETCH(QString, text);
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(QString, after);

        FakeDigits digits(QStringLiteral("pledHome"), int(before.size()));
        for (int i = 0; i < before.size(); ++i) {
            const QChar c = before.at(before.size() - 1 - i);
            digits.setCaption(i, c == QLatin1Char('_') ? -1 : c.digitValue());
        }
        SetDigits(digits, text, qint16(low), qint16(high));
        QCOMPARE(digits.text(), after);
    }
};

QTEST_GUILESS_MAIN(TestSetDigits)
#include "tst_setdigits.moc"
