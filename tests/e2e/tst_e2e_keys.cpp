#include "harness.h"

#include <QRegularExpression>
#include <QtTest>

#include <memory>

using BoardGeometry::FigureSet;
using E2e::Harness;

Q_DECLARE_METATYPE(FigureSet)

// An operator's first minutes with the board, keys and clicks only, read
// back off the screen.
class TestE2eKeys : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Harness> m_harness;
    E2e::WindowId m_window = 0;

    QPoint figureCentre(FigureSet set, int index) const
    {
        return BoardGeometry::figureRect(set, index, BoardGeometry::DesignWidthPx,
                                         BoardGeometry::DesignHeightPx)
            .center();
    }
    void clickFigure(FigureSet set, int index)
    {
        QVERIFY2(m_harness->click(m_window, figureCentre(set, index)), qPrintable(m_harness->lastError()));
    }
    void keys(const QString &keysyms)
    {
        QVERIFY2(m_harness->key(m_window, keysyms), qPrintable(m_harness->lastError()));
    }
    void expect(FigureSet set, const QString &text)
    {
        QString seen;
        QVERIFY2(m_harness->waitForText(m_window, set, text, 5000, &seen),
                 qPrintable(QStringLiteral("wanted \"%1\": %2").arg(text, seen)));
    }
    // Waits until the set reads as the pattern says, e.g. while it counts.
    void expectMatch(FigureSet set, const QString &pattern)
    {
        const QRegularExpression wanted(QStringLiteral("^%1$").arg(pattern));
        QString last;
        const bool seen = E2e::waitUntil([&] {
            last = m_harness->readText(m_window, set);
            return wanted.match(last).hasMatch();
        }, 8000);
        QVERIFY2(seen, qPrintable(QStringLiteral("wanted /%1/, read \"%2\"").arg(pattern, last)));
    }

private slots:
    void initTestCase()
    {
        m_harness = std::make_unique<Harness>(QStringLiteral(VANTRELL_BINARY));
        // Numbers written "0,45": the comma key types the point as well.
        m_harness->setNumericLocale(QStringLiteral("de_DE.UTF-8"));
        QVERIFY2(m_harness->startDisplay(), qPrintable(m_harness->lastError()));
        m_window = m_harness->openBoard();
        QVERIFY2(m_window != 0, qPrintable(m_harness->lastError()));
        expect(FigureSet::ShotClock, QStringLiteral(" 2:00"));
    }
    void cleanup()
    {
        if (QTest::currentTestFailed())
            m_harness->saveShot(m_harness->grab(m_window),
                                QStringLiteral("keys-%1-failed").arg(QTest::currentTestFunction()));
    }
    void cleanupTestCase() { m_harness.reset(); }

    void typedGameTime()
    {
        clickFigure(FigureSet::GameClock, 1);
        keys(QStringLiteral("1 2 Return"));
        expect(FigureSet::GameClock, QStringLiteral("12:00"));
    }

    void startedGameClockCountsDown()
    {
        keys(QStringLiteral("s"));
        expectMatch(FigureSet::GameClock, QStringLiteral("11:5[0-9]"));
    }

    void shotClockStartedAndReset()
    {
        keys(QStringLiteral("z"));
        expectMatch(FigureSet::ShotClock, QStringLiteral(" 1:5[0-9]"));
        keys(QStringLiteral("x"));
        expect(FigureSet::ShotClock, QStringLiteral(" 2:00"));
    }

    void scoreWithShiftEquals()
    {
        clickFigure(FigureSet::HomeScore, 0);
        keys(QStringLiteral("shift+equal 3"));
        expect(FigureSet::HomeScore, QStringLiteral(" 3"));
    }

    void penaltyTypedAndStartedAlone()
    {
        clickFigure(FigureSet::HomePenalty1, 2);
        keys(QStringLiteral("1 period 3 0 Return"));
        expect(FigureSet::HomePenalty1, QStringLiteral("1:30"));
        keys(QStringLiteral("i"));
        expectMatch(FigureSet::HomePenalty1, QStringLiteral("1:2[0-9]"));
    }

    void keypadTypesIntoTheShotClock()
    {
        clickFigure(FigureSet::ShotClock, 3);
        // NumLock as the keyboard has it: the NumLock-off keysyms are what a
        // keypad sends then, and they type nothing.
        keys(E2e::keypadKeysym(QLatin1Char('4')) + QStringLiteral(" KP_Enter"));
        expect(FigureSet::ShotClock, QStringLiteral("  : 0"));
    }

    void keypadWithNumLockOnTypesFigures()
    {
        QVERIFY(m_harness->setNumLock(true));
        clickFigure(FigureSet::ShotClock, 3);
        keys(E2e::keypadKeysym(QLatin1Char('.')) + QLatin1Char(' ') + E2e::keypadKeysym(QLatin1Char('4'))
             + QLatin1Char(' ') + E2e::keypadKeysym(QLatin1Char('5')) + QStringLiteral(" KP_Enter"));
        expect(FigureSet::ShotClock, QStringLiteral("  :45"));
        QVERIFY(m_harness->setNumLock(false));
    }

    void homeLampGivesAPoint()
    {
        // The home lamp's click area, over the lamp in the goal box.
        const QPoint lamp((3173 + 60 + 495 / 2) / 15, (2160 + 120 + 255 / 2) / 15);
        QVERIFY2(m_harness->click(m_window, lamp), qPrintable(m_harness->lastError()));
        expect(FigureSet::HomeScore, QStringLiteral(" 4"));
        QVERIFY(m_harness->isAppRunning());
    }

    // Each row switches the layout while the program runs. The number row
    // types its figures whatever the layout prints on it, shifted or not;
    // the key with "." on any level is the point.
    void typedOnEachLayout_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<FigureSet>("set");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("reads"); // a pattern

        QTest::newRow("us time") << "us" << FigureSet::GameClock << "2 period 4 5 Return" << " 2:45";
        QTest::newRow("gb penalty, shifted") << "gb" << FigureSet::VisitorPenalty1
                                             << "shift+1 period shift+3 shift+0 Return" << "1:30";
        QTest::newRow("de time with the comma") << "de" << FigureSet::GameClock << "1 comma 3 0 Return"
                                                << " 1:30";
        QTest::newRow("de score, its own + key") << "de" << FigureSet::HomeScore
                                                << "shift+1 2 Return plus 3" << "15";
        QTest::newRow("fr time, unshifted") << "fr" << FigureSet::GameClock
                                            << "eacute semicolon apostrophe parenleft Return" << " 2:45";
        QTest::newRow("fr penalty, shifted") << "fr" << FigureSet::VisitorPenalty2
                                             << "1 period 4 6 Return" << "1:46";
        QTest::newRow("fr score, the minus key is 6") << "fr" << FigureSet::HomeScore
                                                      << "minus parenleft Return" << "65";
        QTest::newRow("be time") << "be" << FigureSet::GameClock
                                 << "ampersand period agrave ccedilla Return" << " 1:09";
        QTest::newRow("be score") << "be" << FigureSet::VisitorScore << "section egrave Return" << "67";
        // xdotool presses a keysym in the group where it finds it first:
        // z in the French group, on the key the US group calls w.
        QTest::newRow("us,fr French group") << "us,fr" << FigureSet::ShotClock << "x z" << " 1:5[0-9]";
        QTest::newRow("back to us") << "us" << FigureSet::VisitorPenalty3 << "2 period 1 5 Return"
                                    << "2:15";
    }
    void typedOnEachLayout()
    {
        QFETCH(QString, layout);
        QFETCH(FigureSet, set);
        QFETCH(QString, keys);
        QFETCH(QString, reads);
        QVERIFY2(m_harness->setKeyboardLayout({layout}), qPrintable(m_harness->lastError()));
        clickFigure(set, 0);
        this->keys(keys);
        expectMatch(set, reads);
    }
};

QTEST_GUILESS_MAIN(TestE2eKeys)
#include "tst_e2e_keys.moc"
