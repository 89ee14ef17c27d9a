// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/boardkeyrelay.h"
#include "board/frmscoreboard.h"
#include "fakes.h"
#include "help/frmhelp.h"
#include "input/modgrabkeys.h"
#include "settings/settingsio.h"
#include "settings/settingsrecord.h"
#include "settings/settingsstore.h"
#include "timing/modcount.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <functional>
#include <tuple>

namespace {

// A keyboard whose lock the test sets; a refusing one ignores strokes. Each
// stroke's release reaches the board later, through the event loop.
class FakeKeyboard : public modGrabKeys::Keyboard
{
public:
    bool on = false;
    bool refuses = false;
    int strokes = 0;
    std::function<void()> releaseReachesBoard;

    bool numLockOn() const override { return on; }
    void strokeNumLock() override
    {
        ++strokes;
        on = refuses ? on : !on;
        if (releaseReachesBoard)
            QMetaObject::invokeMethod(qApp, releaseReachesBoard, Qt::QueuedConnection);
    }
};

} // namespace

class TestNumLock : public QObject
{
    Q_OBJECT

private:
    FakeKeyboard m_keyboard;
    QTemporaryDir m_dir;
    const QString m_store = m_dir.filePath(QStringLiteral("Vantrell/Vantrell.conf"));

private slots:
    void init()
    {
        m_keyboard = FakeKeyboard{};
        modGrabKeys::reset(&m_keyboard);
        resetSettingsRecord();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
        QFile::remove(m_store);
    }
    void cleanup() { modGrabKeys::reset(); }

    // How the policy comes ("read": from the store at start; 0, 1, 2: the
    // option ticked at OK; "none": OK with none ticked), policy before, lock
    // before > policy kept, lock after. A policy read or ticked is imposed at
    // once: 0 leaves the lock alone, 1 keeps it on, 2 off; any other number
    // is kept and acts as 0. With none ticked the old one is written back
    // and not imposed.
    void policyReadAndWritten_data()
    {
        QTest::addColumn<QString>("row");
        for (const char *row :
             {"read 2 on > 2 off", "read 1 off > 1 on", "read 0 on > 0 on", "read 5 on > 5 on",
              "read x off > 0 off", "0 2 on > 0 on", "1 0 off > 1 on", "2 1 on > 2 off",
              "none 1 off > 1 off", "none 7 on > 7 on"})
            QTest::newRow(row) << QString(row);
    }
    void policyReadAndWritten()
    {
        QFETCH(QString, row);
        const QStringList words = row.split(u' ');
        const QString &ticked = words[0];
        m_keyboard.on = words[2] == QLatin1String("on");
        // The store writes its file as it goes.
        SettingsStore store;
        if (ticked == QLatin1String("read")) {
            QSettings(m_store, QSettings::IniFormat).setValue("KeySettings/NumLockForce", words[1]);
            ReadSettings(store, QStringLiteral("/opt/vantrell"), modGrabKeys::applyPolicy);
        } else {
            settingsRecord().NumLockForce = words[1].toInt();
            PendingSettings pending;
            pending.values = settingsRecord();
            std::tie(pending.optNormal, pending.optKeepOn, pending.optKeepOff) =
                std::tuple(ticked == "0", ticked == "1", ticked == "2");
            WriteSettings(store, pending, modGrabKeys::applyPolicy);
            QCOMPARE(QSettings(m_store, QSettings::IniFormat)
                         .value("KeySettings/NumLockForce")
                         .toString(),
                     words[4]);
        }
        QCOMPARE(settingsRecord().NumLockForce, words[4].toInt());
        QCOMPARE(m_keyboard.on, words[5] == QLatin1String("on"));
        QCOMPARE(m_keyboard.strokes, int(words[2] != words[5]));
    }

    // At load and at each NumLock release over the selected field, which
    // holds the focus; other releases leave the lock alone. (Releases over
    // the window itself are below.)
    void boardImposesThePolicy()
    {
        settingsRecord().NumLockForce = 1;
        frmScoreBoard board(nullptr, FakePlayers::unheard());
        QVERIFY(m_keyboard.on && board.focusWidget());
        m_keyboard.on = false;
        QTest::keyRelease(board.focusWidget(), Qt::Key_S);
        QVERIFY(!m_keyboard.on);
        QTest::keyRelease(board.focusWidget(), Qt::Key_NumLock);
        QVERIFY(m_keyboard.on);
    }

    // A keyboard that will not toggle gets one stroke per real release and
    // none for the stroke's own release, so there is never a loop; once it
    // takes strokes again, the next release corrects it. The same over the
    // help window, whose releases reach the board once each.
    void refusingKeyboardNeverLoops_data()
    {
        QTest::addColumn<bool>("overHelp");
        QTest::newRow("over the board") << false;
        QTest::newRow("over the help window") << true;
    }
    void refusingKeyboardNeverLoops()
    {
        QFETCH(bool, overHelp);
        m_keyboard.refuses = true;
        settingsRecord().NumLockForce = 1;
        frmScoreBoard board(nullptr, FakePlayers::unheard());
        frmHelp help{QString()};
        BoardKeyRelay::install(&help, &board);
        QWidget *target = &board;
        if (overHelp) {
            help.show();
            QApplication::setActiveWindow(&help);
            QVERIFY(QTest::qWaitForWindowActive(&help));
            target = help.rtbHelp();
        }
        m_keyboard.releaseReachesBoard = [target] {
            QTest::keyRelease(target, Qt::Key_NumLock);
        };
        // The stroke at load went out before the board had the focus, so the
        // first release is taken for its own.
        for (const int strokes : {1, 2, 3}) {
            QTest::keyRelease(target, Qt::Key_NumLock);
            for (int round = 0; round < 20; ++round)
                QCoreApplication::processEvents();
            QCOMPARE(m_keyboard.strokes, strokes);
        }
        m_keyboard.refuses = false;
        QTest::keyRelease(target, Qt::Key_NumLock);
        QCoreApplication::processEvents();
        QVERIFY(m_keyboard.on);
    }
};

QTEST_MAIN(TestNumLock)
#include "tst_numlock.moc"
