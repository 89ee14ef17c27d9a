// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <memory>
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
        modCount::reset();
        resetSettingsRecord();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
        QFile::remove(m_store);
    }
    void cleanup() { modGrabKeys::reset(); }

    // Stored policy, lock before > policy read, lock after. 0 leaves the
    // lock alone, 1 keeps it on, 2 off; any other number is kept and acts
    // as 0.
    void storedPolicy_data()
    {
        QTest::addColumn<QString>("row");
        for (const char *row :
             {"2 on > 2 off", "1 off > 1 on", "0 on > 0 on", "5 on > 5 on", "x off > 0 off"})
            QTest::newRow(row) << QString(row);
    }
    void storedPolicy()
    {
        QFETCH(QString, row);
        const QStringList words = row.split(u' ');
        QSettings(m_store, QSettings::IniFormat).setValue("KeySettings/NumLockForce", words[0]);
        m_keyboard.on = words[1] == QLatin1String("on");
        SettingsStore store;
        ReadSettings(store, QStringLiteral("/opt/vantrell"), modGrabKeys::applyPolicy);
        QCOMPARE(settingsRecord().NumLockForce, words[3].toInt());
        QCOMPARE(m_keyboard.on, words[4] == QLatin1String("on"));
        QCOMPARE(m_keyboard.strokes, int(words[1] != words[4]));
    }

    // Option chosen (-1 none), old policy, lock before > lock after. The
    // chosen policy is imposed at once; with none chosen the old one is
    // written back as it was and not imposed.
    void writtenPolicy_data()
    {
        QTest::addColumn<QString>("row");
        for (const char *row :
             {"0 2 on > on", "1 0 off > on", "2 1 on > off", "-1 1 off > off", "-1 7 on > on"})
            QTest::newRow(row) << QString(row);
    }
    void writtenPolicy()
    {
        QFETCH(QString, row);
        const QStringList words = row.split(u' ');
        const int chosen = words[0].toInt();
        settingsRecord().NumLockForce = words[1].toInt();
        m_keyboard.on = words[2] == QLatin1String("on");
        PendingSettings pending;
        pending.values = settingsRecord();
        std::tie(pending.optNormal, pending.optKeepOn, pending.optKeepOff) =
            std::tuple(chosen == 0, chosen == 1, chosen == 2);
        // The store writes its file as it goes, before the check below.
        WriteSettings(*std::make_unique<SettingsStore>(), pending, modGrabKeys::applyPolicy);
        QCOMPARE(m_keyboard.on, words[4] == QLatin1String("on"));
        const int policy = chosen < 0 ? words[1].toInt() : chosen;
        QCOMPARE(settingsRecord().NumLockForce, policy);
        QCOMPARE(QSettings(m_store, QSettings::IniFormat).value("KeySettings/NumLockForce").toInt(),
                 policy);
    }

    // At load and at each NumLock release, over the selected field (which
    // holds the focus) or the window; other releases leave it alone.
    void boardImposesThePolicy()
    {
        settingsRecord().NumLockForce = 1;
        frmScoreBoard board;
        QVERIFY(m_keyboard.on && board.focusWidget());
        for (QWidget *target : {board.focusWidget(), static_cast<QWidget *>(&board)}) {
            m_keyboard.on = false;
            QTest::keyRelease(target, Qt::Key_NumLock);
            QVERIFY(m_keyboard.on);
        }
        m_keyboard.on = false;
        QTest::keyRelease(board.focusWidget(), Qt::Key_S);
        QVERIFY(!m_keyboard.on);
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
        frmScoreBoard board;
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
