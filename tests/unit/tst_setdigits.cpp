// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes.h"
#include "input/modshowdigits.h"

#include <QTest>

class TestSetDigits : public QObject
{
    Q_OBJECT

private slots:
    // Shown, typed > shown after ("_" blank; "clear" the clear code, "none"
    // no text). A score takes -1 (blank) to 99, a penalty only the clear
    // code; "+" and "-" count on from what shows; anything else is refused.
    void setDigits_data()
    {
        QTest::addColumn<QString>("row");
        for (const char *row :
             {"_0 42 > 42", "_7 123 > _7", "_7 +3 > 10", "10 -3 > _7", "_5 -9 > _5", "_0 -1 > __",
              "__ +1 > _1", "99 +1 > 99", "42 clear > __", "130 clear > ___", "42 none > 42",
              "42 x5 > 42", "_4 5-3 > _5", "_4 07 > _7", "_4 99999999999999999999999999 > _4"})
            QTest::newRow(row) << QString(row);
    }
    void setDigits()
    {
        QFETCH(QString, row);
        const QStringList words = row.split(u' ');
        const QString before = words[0];
        FakeDigits digits(QStringLiteral("pledHome"), int(before.size()));
        for (int i = 0; i < before.size(); ++i)
            digits.setCaption(i, before.at(before.size() - 1 - i).digitValue());
        const QHash<QString, QString> special = {{"clear", QString(QChar(0))}, {"none", QString()}};
        modShowDigits::SetDigits(digits, special.value(words[1], words[1]), -1,
                                 before.size() == 3 ? -1 : 99);
        QCOMPARE(digits.text(), words[3]);
    }
};

QTEST_GUILESS_MAIN(TestSetDigits)
#include "tst_setdigits.moc"
