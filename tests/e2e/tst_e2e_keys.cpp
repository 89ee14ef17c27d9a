// SPDX-License-Identifier: GPL-3.0-or-later
#include "harness.h"

#include <QRegularExpression>
#include <QtTest>

#include <memory>

using BoardGeometry::FigureSet;
using E2e::Harness;

Q_DECLARE_METATYPE(FigureSet)

// Keys as the X server makes them, under the layouts operators use, read
// back off the screen.
class TestE2eKeys : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Harness> m_harness;
    E2e::WindowId m_window = 0;

    // Waits until the set reads as the pattern says, e.g. while it counts.
    void expectMatch(FigureSet set, const QString &pattern)
    {
        const QRegularExpression wanted("^" + pattern + "$");
        QString last;
        QVERIFY2(
            E2e::waitUntil(
                [&] { return wanted.match(last = m_harness->readText(m_window, set)).hasMatch(); },
                8000),
            qPrintable("wanted /" + pattern + "/, read \"" + last + "\""));
    }

private slots:
    void initTestCase()
    {
        m_harness = std::make_unique<Harness>(QStringLiteral(VANTRELL_BINARY));
        // Numbers written "0,45": the comma key types the point as well.
        m_harness->setNumericLocale(QStringLiteral("de_DE.UTF-8"));
        QVERIFY2(m_harness->startDisplay(), qPrintable(m_harness->lastError()));
        m_window = m_harness->openBoard();
        QVERIFY2(m_window != 0, qPrintable(m_harness->lastError() + "\n" + m_harness->appLog()));
        QCOMPARE(m_harness->grab(m_window).size(), QSize(632, 453));
        // The first tick of the real timer shows the shot clock.
        QVERIFY(
            m_harness->waitForText(m_window, FigureSet::ShotClock, QStringLiteral(" 2:00"), 10000));
    }
    void cleanup()
    {
        if (QTest::currentTestFailed())
            m_harness->saveShot(m_harness->grab(m_window),
                                QStringLiteral("keys-%1-failed").arg(QTest::currentDataTag()));
    }

    // Each row switches the layout while the program runs. The number row
    // types its figures whatever the layout prints on it, shifted or not;
    // the key with "." on any level is the point. With NumLock off the
    // keypad sends its other keysyms, which type nothing.
    void typedOnEachLayout_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<bool>("numLock");
        QTest::addColumn<FigureSet>("set");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("reads"); // a pattern
        const auto row = [](const char *name, const char *layout, FigureSet set, const char *keys,
                            const char *reads, bool numLock = false) {
            QTest::newRow(name) << layout << numLock << set << keys << reads;
        };
        row("us keypad, NumLock off", "us", FigureSet::ShotClock, "KP_Left KP_Enter", "  : 0");
        row("us keypad, NumLock on", "us", FigureSet::ShotClock,
            "KP_Delete KP_Left KP_Begin KP_Enter", "  :45", true);
        row("de time with the comma", "de", FigureSet::GameClock, "1 comma 3 0 Return", " 1:30");
        row("de score, its own + key", "de", FigureSet::HomeScore, "shift+1 2 Return plus 3", "15");
        row("fr time, unshifted", "fr", FigureSet::GameClock,
            "eacute semicolon apostrophe parenleft Return", " 2:45");
        row("be time, 0 on the number row", "be", FigureSet::GameClock,
            "ampersand agrave period agrave ccedilla Return", "10:09");
        // xdotool presses a keysym in the group where it finds it first:
        // z in the French group, on the key the US group calls w.
        row("us,fr French group", "us,fr", FigureSet::ShotClock, "x z", " 1:5[0-9]");
        row("back to us", "us", FigureSet::VisitorPenalty3, "2 period 1 5 Return", "2:15");
    }
    void typedOnEachLayout()
    {
        QFETCH(QString, layout);
        QFETCH(bool, numLock);
        QFETCH(FigureSet, set);
        QFETCH(QString, keys);
        QFETCH(QString, reads);
        QVERIFY2(m_harness->setKeyboardLayout({layout}), qPrintable(m_harness->lastError()));
        QVERIFY(m_harness->setNumLock(numLock));
        const QRect figure = BoardGeometry::figureRect(set, 0, 632, 453);
        QVERIFY2(m_harness->click(m_window, figure.center()), qPrintable(m_harness->lastError()));
        QVERIFY2(m_harness->key(m_window, keys), qPrintable(m_harness->lastError()));
        expectMatch(set, reads);
    }

    // A key rebound in the real dialog drives the board at once.
    void reboundKeyDrivesTheBoard()
    {
        Harness &harness = *m_harness;
        QVERIFY(harness.setKeyboardLayout({"us"}));
        QVERIFY(harness.key(m_window, "F2"));
        const E2e::WindowId options = harness.waitForWindow("^Options$");
        QVERIFY2(options != 0, qPrintable(harness.lastError()));
        // The "Start / Stop  Clock" row's button on the first tab.
        QVERIFY(harness.click(options, QPoint(94, 85)));
        const E2e::WindowId chooser = harness.waitForWindow("^Choose Key$");
        QVERIFY2(chooser != 0, qPrintable(harness.lastError()));
        QVERIFY(harness.key(chooser, "q"));
        QVERIFY(harness.waitForWindowGone("^Choose Key$"));
        // Enter confirms the dialog; the row's button opens no capture again.
        QVERIFY(harness.key(options, "Return"));
        QVERIFY(harness.waitForWindowGone("^Options$"));
        QVERIFY(harness.click(
            m_window, BoardGeometry::figureRect(FigureSet::GameClock, 0, 632, 453).center()));
        QVERIFY(harness.key(m_window, "1 2 Return q"));
        expectMatch(FigureSet::GameClock, "11:5[0-9]");
    }
};

QTEST_GUILESS_MAIN(TestE2eKeys)
#include "tst_e2e_keys.moc"
