// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes.h"
#include "timing/clockdisplay.h"

#include <QTest>

class TestClockDisplay : public QObject
{
    Q_OBJECT

private slots:
    // Tenths left > what a game, shot or penalty clock shows ("_" a blank
    // figure, "." the lower dot alone), whatever the figures showed before.
    void shows_data()
    {
        QTest::addColumn<QString>("row");
        for (const char *row :
             {"game 12000 > 20:00", "game 3070 > _5:07", "game 59990 > 99:59", "game 601 > _1:01",
              "game 600 > _1:00", "game 599 > 59.9_", "game 453 > 45.3_", "game 7 > _0.7_",
              "shot 103 > __:11", "shot 100 > __:10", "shot 50 > __:_5", "shot 0 > __:_0",
              "penalty 0 > 000", "penalty 1 > 001", "penalty 5990 > 959", "penalty 1191 > 200"})
            QTest::newRow(row) << QString(row);
    }
    void shows()
    {
        QFETCH(QString, row);
        const QStringList words = row.split(u' ');
        const bool penalty = words[0] == QLatin1String("penalty");
        const ClockValue value = ClockValue::fromTenths(words[1].toLongLong());
        for (const int before : {8, -1}) {
            FakeDigits digits(QStringLiteral("figures"), penalty ? 3 : 4, before);
            FakeColon colon;
            if (penalty)
                DisplayTime(digits, value);
            else
                modCount::DisplayClock(value, digits, colon, words[0] == QLatin1String("shot"));
            QCOMPARE(penalty ? digits.text() : FakeBoard::clockText(digits, colon), words[3]);
        }
    }
};

QTEST_GUILESS_MAIN(TestClockDisplay)
#include "tst_clockdisplay.moc"
