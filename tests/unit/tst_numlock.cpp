#include "board/boardkeyrelay.h"
#include "board/frmscoreboard.h"
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

namespace {

// A keyboard whose lock the test sets; a refusing one ignores strokes. Like
// a real one, the release of every stroke reaches the board afterwards,
// through the event loop.
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
        if (!refuses)
            on = !on;
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

    void readStoreWithPolicy(int policy)
    {
        QSettings file(m_dir.filePath(QStringLiteral("Vantrell/Vantrell.conf")), QSettings::IniFormat);
        file.setValue(QStringLiteral("KeySettings/NumLockForce"), QString::number(policy));
        file.setValue(QStringLiteral("KeySettings/IsKeyCode"), QStringLiteral("Yes"));
        file.sync();
        SettingsStore store;
        ReadSettings(store, QStringLiteral("/opt/vantrell"), modGrabKeys::applyPolicy);
    }

    // Lets queued releases arrive; a stroke that brought another without end
    // would show as a count that keeps growing.
    static void settle()
    {
        for (int round = 0; round < 20; ++round)
            QCoreApplication::processEvents();
    }

private slots:
    void init()
    {
        m_keyboard = FakeKeyboard{};
        modGrabKeys::reset(&m_keyboard);
        modCount::reset();
        resetSettingsRecord();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
    }
    void cleanup() { modGrabKeys::reset(); }

    void policyAtStartUp_data()
    {
        QTest::addColumn<int>("policy");
        QTest::addColumn<bool>("lockBefore");
        QTest::addColumn<bool>("lockAfter");
        QTest::addColumn<int>("strokes");
        QTest::newRow("keep off, lock on") << 2 << true << false << 1;
        QTest::newRow("keep off, lock off") << 2 << false << false << 0;
        QTest::newRow("keep on, lock off") << 1 << false << true << 1;
        QTest::newRow("keep on, lock on") << 1 << true << true << 0;
        QTest::newRow("normal leaves on") << 0 << true << true << 0;
        QTest::newRow("normal leaves off") << 0 << false << false << 0;
        QTest::newRow("unknown value acts as normal") << 3 << true << true << 0;
        QTest::newRow("negative value acts as normal") << -1 << false << false << 0;
    }
    void policyAtStartUp()
    {
        QFETCH(int, policy);
        QFETCH(bool, lockBefore);
        QFETCH(bool, lockAfter);
        QFETCH(int, strokes);
        m_keyboard.on = lockBefore;
        readStoreWithPolicy(policy);
        QCOMPARE(m_keyboard.on, lockAfter);
        QCOMPARE(m_keyboard.strokes, strokes);
    }

    void boardImposesThePolicyAtLoadAndOnRelease()
    {
        settingsRecord().NumLockForce = 1;
        frmScoreBoard board;
        QCOMPARE(m_keyboard.on, true);
        // The operator presses NumLock: it goes off; the release brings it
        // back on.
        m_keyboard.on = false;
        QTest::keyRelease(&board, Qt::Key_NumLock);
        QCOMPARE(m_keyboard.on, true);
        QCOMPARE(m_keyboard.strokes, 2);
        // Other key releases leave it alone.
        m_keyboard.on = false;
        QTest::keyRelease(&board, Qt::Key_S);
        QCOMPARE(m_keyboard.on, false);
    }

    void confirmingTheOptionsForcesAtOnce_data()
    {
        QTest::addColumn<bool>("normal");
        QTest::addColumn<bool>("keepOn");
        QTest::addColumn<bool>("keepOff");
        QTest::addColumn<bool>("lockAfter");
        QTest::newRow("keep on") << false << true << false << true;
        QTest::newRow("keep off") << false << false << true << false;
        QTest::newRow("normal leaves it") << true << false << false << false;
        QTest::newRow("none chosen keeps the old policy silent") << false << false << false << false;
    }
    void confirmingTheOptionsForcesAtOnce()
    {
        QFETCH(bool, normal);
        QFETCH(bool, keepOn);
        QFETCH(bool, keepOff);
        QFETCH(bool, lockAfter);
        settingsRecord().NumLockForce = 1;
        m_keyboard.on = false;
        PendingSettings pending;
        pending.values = settingsRecord();
        pending.optNormal = normal;
        pending.optKeepOn = keepOn;
        pending.optKeepOff = keepOff;
        SettingsStore store;
        WriteSettings(store, pending, modGrabKeys::applyPolicy);
        QCOMPARE(m_keyboard.on, lockAfter);
    }

    // A keyboard that will not toggle: a real release brings at most one
    // stroke, whose own release brings none, so there is never a loop. The
    // same over the help window, where the board sees each release once.
    void refusingKeyboardGetsOneTryPerRelease_data()
    {
        QTest::addColumn<bool>("overHelp");
        QTest::newRow("over the board") << false;
        QTest::newRow("over the help window") << true;
    }
    void refusingKeyboardGetsOneTryPerRelease()
    {
        QFETCH(bool, overHelp);
        m_keyboard.refuses = true;
        settingsRecord().NumLockForce = 1;
        frmScoreBoard board;
        QCOMPARE(m_keyboard.strokes, 1);
        frmHelp help{QString()};
        BoardKeyRelay::install(&help, &board);
        QWidget *target = &board;
        if (overHelp) {
            help.show();
            QApplication::setActiveWindow(&help);
            QVERIFY(QTest::qWaitForWindowActive(&help));
            target = help.rtbHelp();
        }
        m_keyboard.releaseReachesBoard = [target] { QTest::keyRelease(target, Qt::Key_NumLock); };
        // The stroke at load went out before the board had the focus, so the
        // first release is taken for its own.
        QTest::keyRelease(target, Qt::Key_NumLock);
        settle();
        QCOMPARE(m_keyboard.strokes, 1);
        QTest::keyRelease(target, Qt::Key_NumLock);
        settle();
        QCOMPARE(m_keyboard.strokes, 2);
        QTest::keyRelease(target, Qt::Key_NumLock);
        settle();
        QCOMPARE(m_keyboard.strokes, 3);
        QCOMPARE(m_keyboard.on, false);
    }

    // Once the keyboard takes strokes again, the next release corrects.
    void keyboardThatRecoversIsCorrectedAtTheNextRelease()
    {
        m_keyboard.refuses = true;
        settingsRecord().NumLockForce = 2;
        m_keyboard.on = true;
        frmScoreBoard board;
        m_keyboard.refuses = false;
        m_keyboard.releaseReachesBoard = [&board] { QTest::keyRelease(&board, Qt::Key_NumLock); };
        QTest::keyRelease(&board, Qt::Key_NumLock);
        settle();
        QTest::keyRelease(&board, Qt::Key_NumLock);
        settle();
        QCOMPARE(m_keyboard.on, false);
        QCOMPARE(m_keyboard.strokes, 2);
    }

    void noKeyboardMeansNothingHappens()
    {
        modGrabKeys::reset(nullptr);
        settingsRecord().NumLockForce = 2;
        frmScoreBoard board;
        board.UpdateNumLock();
        modGrabKeys::ForceNumLock(true);
        QCOMPARE(m_keyboard.strokes, 0);
    }
};

QTEST_MAIN(TestNumLock)
#include "tst_numlock.moc"
