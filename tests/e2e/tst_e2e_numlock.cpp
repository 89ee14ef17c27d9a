// SPDX-License-Identifier: GPL-3.0-or-later
#include "harness.h"

#include <QtTest>

using E2e::Harness;

// The keyboard's NumLock follows the stored policy on a real X server, from
// the moment the splash reads the settings.
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
    }
    void policyAtStartUp()
    {
        QFETCH(int, policy);
        QFETCH(bool, lockBefore);
        QFETCH(bool, lockAfter);
        Harness harness(QStringLiteral(VANTRELL_BINARY));
        QVERIFY2(harness.startDisplay() && harness.setNumLock(lockBefore),
                 qPrintable(harness.lastError()));
        QVERIFY(harness.writeSettingsFile(
            QStringLiteral("[KeySettings]\nNumLockForce=%1\n").arg(policy).toLatin1()));
        QVERIFY2(harness.startApp(), qPrintable(harness.lastError()));
        QVERIFY2(harness.waitForWindow(Harness::splashTitle(), 15000) != 0,
                 qPrintable(harness.appLog()));
        bool ok = false;
        QCOMPARE(harness.numLockOn(&ok), lockAfter);
        QVERIFY(ok);
    }
};

QTEST_GUILESS_MAIN(TestE2eNumLock)
#include "tst_e2e_numlock.moc"
