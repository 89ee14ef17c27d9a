#include "harness.h"

#include <QFileInfo>
#include <QtTest>

#include <memory>

using E2e::Harness;

// The keyboard's NumLock follows the stored policy from the moment the
// program starts, on a real X server.
class TestE2eNumLock : public QObject
{
    Q_OBJECT

private slots:
    void policyAtStartUp_data()
    {
        QTest::addColumn<int>("policy");
        QTest::addColumn<bool>("lockBefore");
        QTest::addColumn<bool>("lockAfter");
        QTest::newRow("keep off turns it off") << 2 << true << false;
        QTest::newRow("keep on turns it on") << 1 << false << true;
        QTest::newRow("normal leaves it on") << 0 << true << true;
        QTest::newRow("normal leaves it off") << 0 << false << false;
    }
    void policyAtStartUp()
    {
        QFETCH(int, policy);
        QFETCH(bool, lockBefore);
        QFETCH(bool, lockAfter);

        const QFileInfo binary(QStringLiteral(VANTRELL_BINARY));
        QVERIFY2(binary.isExecutable(), qPrintable(binary.filePath() + " is not built"));
        Harness harness(binary.filePath());
        QVERIFY2(harness.startDisplay(), qPrintable(harness.lastError()));
        QVERIFY2(harness.setNumLock(lockBefore), qPrintable(harness.lastError()));
        QVERIFY(harness.writeSettingsFile(
            QStringLiteral("[KeySettings]\nNumLockForce=%1\n").arg(policy).toLatin1()));

        QVERIFY2(harness.startApp(), qPrintable(harness.lastError()));
        const E2e::WindowId splash = harness.waitForWindow(Harness::splashTitle(), 15000);
        QVERIFY2(splash != 0, qPrintable(harness.lastError() + "\n" + harness.appLog()));
        // The policy is imposed while the splash reads the settings, before
        // the board exists.
        bool ok = false;
        QCOMPARE(harness.numLockOn(&ok), lockAfter);
        QVERIFY(ok);
    }
};

QTEST_GUILESS_MAIN(TestE2eNumLock)
#include "tst_e2e_numlock.moc"
