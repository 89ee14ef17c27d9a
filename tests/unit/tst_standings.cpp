// SPDX-License-Identifier: GPL-3.0-or-later
#include "event/standings.h"

#include <QRegularExpression>
#include <QTest>

namespace {

// "G: A 3-1 B" played, "A 5-0! B" forfeit, "A 1-0~ B" under way, "A - B" to
// play; matches apart by ";", the group and its colon optional.
bool parse(const QString &text, Schedule &schedule)
{
    static const QRegularExpression form(
        QStringLiteral(R"(^(?:(\w+): )?(\w+) (?:(\d+)-(\d+)([!~]?)|-) (\w+)$)"));
    static const QHash<QString, ScheduledState> marks = {{QString(), ScheduledState::Played},
                                                         {"!", ScheduledState::Forfeit},
                                                         {"~", ScheduledState::UnderWay}};
    for (const QString &part : text.split(QLatin1Char(';'))) {
        const QRegularExpressionMatch found = form.match(part.trimmed());
        if (!found.hasMatch())
            return false;
        ScheduledMatch match;
        match.group = found.captured(1);
        match.home = found.captured(2);
        match.visitor = found.captured(6);
        match.state =
            found.hasCaptured(3) ? marks.value(found.captured(5)) : ScheduledState::ToPlay;
        match.result = {found.captured(3).toInt(), found.captured(4).toInt(), {}};
        schedule.matches.append(match);
    }
    return true;
}

// "1 A 6, 2 B 3 / G: 1 C 3": place, team and league points; a group's name
// before its rows.
QString shown(const QList<Standings::Group> &groups)
{
    QStringList shownGroups;
    for (const Standings::Group &group : groups) {
        QStringList rows;
        for (const Standings::Row &row : group.rows)
            rows << QStringLiteral("%1 %2 %3").arg(row.place).arg(row.team).arg(row.leaguePoints);
        const QString joined = rows.join(QStringLiteral(", "));
        shownGroups << (group.name.isEmpty() ? joined : group.name + QStringLiteral(": ") + joined);
    }
    return shownGroups.join(QStringLiteral(" / "));
}

} // namespace

class TestStandings : public QObject
{
    Q_OBJECT

private slots:
    void order_data();
    void order();
    void csvQuoting();
};

void TestStandings::order_data()
{
    QTest::addColumn<QString>("matches");
    QTest::addColumn<QList<int>>("points");
    QTest::addColumn<QString>("expected");

    const QList<int> usual;
    QTest::newRow("league points") << "A 1-0 B; B 9-0 C; A 1-0 C" << usual << "1 A 6, 2 B 3, 3 C 0";
    QTest::newRow("head-to-head points before its difference")
        << "A 1-0 B; A 1-0 C; B 5-0 C; B 1-0 D; C 1-0 D; C 1-0 D" << usual
        << "1 A 6, 2 B 6, 3 C 6, 4 D 0";
    QTest::newRow("head-to-head difference before overall")
        << "A 1-0 B; B 3-0 C; C 1-0 A; A 1-0 D; B 1-0 D; C 10-0 D" << usual
        << "1 B 6, 2 A 6, 3 C 6, 4 D 0";
    QTest::newRow("difference before points for")
        << "A 2-0 C; B 5-4 D; C 0-0 D" << usual << "1 A 3, 2 B 3, 3 D 1, 4 C 1";
    QTest::newRow("points for") << "B 3-1 D; A 2-0 C; C 0-0 D" << usual
                                << "1 B 3, 2 A 3, 3 D 1, 4 C 1";
    QTest::newRow("shared places, by name")
        << "A 1-0 C; A 1-0 B; A 1-0 D; C 1-0 D; B 1-0 D" << usual << "1 A 9, 2 B 3, 2 C 3, 4 D 0";
    QTest::newRow("forfeit as recorded") << "A 0-5! B" << usual << "1 B 3, 2 A 0";
    QTest::newRow("draw") << "B 2-2 A" << usual << "1 A 1, 1 B 1";
    QTest::newRow("groups apart, in order named") << "G: C 0-1 D; A 1-0 B; G: C - E; A - F" << usual
                                                  << "G: 1 D 3, 2 E 0, 3 C 0 / 1 A 3, 2 F 0, 3 B 0";
    QTest::newRow("undecided not counted")
        << "A 1-0 B; B 3-0~ A; C - A" << usual << "1 A 3, 2 C 0, 3 B 0";
    QTest::newRow("league points of the event")
        << "A 1-0 B; C 1-1 D" << QList<int>{2, 1, 1} << "1 A 2, 2 C 1, 2 D 1, 4 B 1";
}

void TestStandings::order()
{
    QFETCH(QString, matches);
    QFETCH(QList<int>, points);
    QFETCH(QString, expected);

    Schedule schedule;
    QVERIFY(parse(matches, schedule));
    if (!points.isEmpty())
        schedule.points = {points.at(0), points.at(1), points.at(2)};
    QCOMPARE(shown(Standings::compute(schedule)), expected);
}

// Every column of a row, and a field quoted only when it holds a comma, a
// quote or a line break.
void TestStandings::csvQuoting()
{
    Schedule schedule;
    ScheduledMatch match;
    match.group = QStringLiteral("North, East");
    match.home = QStringLiteral("Red \"Devils\"");
    match.visitor = QStringLiteral("Blue\nJays");
    match.state = ScheduledState::Played;
    match.result = {3, 1, {}};
    schedule.matches << match;
    match.visitor = QStringLiteral("Grün");
    match.state = ScheduledState::ToPlay;
    schedule.matches << match;

    QCOMPARE(
        Standings::csv(Standings::compute(schedule)),
        QByteArray("\xEF\xBB\xBFGroup,Place,Team,Played,Won,Drawn,Lost,Points for,Points against,"
                   "Difference,League points\r\n"
                   "\"North, East\",1,\"Red \"\"Devils\"\"\",1,1,0,0,3,1,2,3\r\n"
                   "\"North, East\",2,Grün,0,0,0,0,0,0,0,0\r\n"
                   "\"North, East\",3,\"Blue\nJays\",1,0,0,1,1,3,-2,0\r\n"));
}

QTEST_GUILESS_MAIN(TestStandings)
#include "tst_standings.moc"
