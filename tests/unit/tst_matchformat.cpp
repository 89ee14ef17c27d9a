// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/matchformat.h"
#include "match/formatdescription.h"
#include "match/formatform.h"
#include "match/formatlibrary.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using MatchFormatFile::Problem;

MatchFormat someFormat(const QString &name)
{
    MatchFormat format;
    format.name = name;
    format.shortName = name.left(MatchFormatFile::ShortNameMost);
    format.raceTo = 5;
    format.overtime = ClockValue::fromSeconds(180);
    return format;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

MatchFormat readBack(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const auto read = MatchFormatFile::read(file.readAll());
    return std::holds_alternative<MatchFormat>(read) ? std::get<MatchFormat>(read) : MatchFormat{};
}

} // namespace

class TestMatchFormat : public QObject
{
    Q_OBJECT

private slots:
    void badFile_data();
    void badFile();
    void shippedFormats();
    void library();
    void editedForm_data();
    void editedForm();
};

// Each row spoils one field of a good file, or the whole file.
void TestMatchFormat::badFile_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QJsonValue>("value");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("shown");

    const QJsonValue none(QJsonValue::Undefined);
    QTest::newRow("not JSON") << QByteArray("{\"kind\":") << "" << none << ""
                              << "";
    QTest::newRow("not an object") << QByteArray("[1, 2]") << "" << none << ""
                                   << "";
    QTest::newRow("wrong kind") << QByteArray() << "kind" << QJsonValue("board") << "kind"
                                << "board";
    QTest::newRow("newer version") << QByteArray() << "version" << QJsonValue(2) << "version"
                                   << "2";
    QTest::newRow("unknown field") << QByteArray() << "colour" << QJsonValue("red") << "colour"
                                   << "red";
    QTest::newRow("missing field") << QByteArray() << "mercy" << none << "mercy"
                                   << "";
    QTest::newRow("time out of range") << QByteArray() << "break" << QJsonValue("10:00") << "break"
                                       << "10:00";
    QTest::newRow("count out of range") << QByteArray() << "halves" << QJsonValue(3) << "halves"
                                        << "3";
    QTest::newRow("choice out of range")
        << QByteArray() << "timeoutsPer" << QJsonValue("quarter") << "timeoutsPer"
        << "quarter";
    QTest::newRow("flag as a number") << QByteArray() << "stopTime" << QJsonValue(1) << "stopTime"
                                      << "1";
    QTest::newRow("bad time text")
        << QByteArray() << "gameLength" << QJsonValue("15:7") << "gameLength"
        << "15:7";
    QTest::newRow("empty name") << QByteArray() << "name" << QJsonValue("  ") << "name"
                                << "  ";
}

void TestMatchFormat::badFile()
{
    QFETCH(QByteArray, raw);
    QFETCH(QString, key);
    QFETCH(QJsonValue, value);
    QFETCH(QString, field);
    QFETCH(QString, shown);

    if (raw.isEmpty()) {
        QJsonObject object = MatchFormatFile::toObject(someFormat(QStringLiteral("Good")));
        if (value.isUndefined())
            object.remove(key);
        else
            object.insert(key, value);
        raw = QJsonDocument(object).toJson();
    }
    const auto read = MatchFormatFile::read(raw);
    QVERIFY(std::holds_alternative<Problem>(read));
    const Problem problem = std::get<Problem>(read);
    QCOMPARE(problem.field, field);
    QCOMPARE(problem.value, shown);
    QVERIFY(!problem.reason.isEmpty());
    QVERIFY(problem.text(QStringLiteral("f.json")).startsWith(QStringLiteral("f.json: ") + field));
}

// Every file that comes with the program reads, and says what it plays.
void TestMatchFormat::shippedFormats()
{
    const QString folder = QStringLiteral(VANTRELL_SOURCE_DIR "/formats");
    const QList<FormatEntry> entries = FormatLibrary(folder, {}).entries();
    QCOMPARE(entries.size(), 4);
    for (const FormatEntry &entry : entries) {
        QVERIFY2(entry.format(), qPrintable(entry.problemText()));
        QCOMPARE(entry.source, FormatSource::Shipped);
    }
    QCOMPARE(describe(*entries.at(1).format()),
             QStringLiteral("A race to 7 points in one half of 15:00. The game clock stops at each "
                            "point; a 2:00 break follows on the shot clock and starts the next "
                            "point by itself. Teams switch ends every 4 points. Each team has 1 "
                            "timeout of 1:00 per half. A tie at the end is a draw."));
    QCOMPARE(describe(*entries.at(2).format()),
             QStringLiteral("A timed game in one half of 12:00. The game clock stops at each "
                            "point; a 1:00 break follows on the shot clock and starts the next "
                            "point by itself. A lead of 5 points ends the match. Each team has 1 "
                            "timeout of 1:00 per half. A tie at the end goes to 5:00 of sudden "
                            "death after a break: the first point wins, and a tie after it is a "
                            "draw."));
}

// A bad file is listed with its reason; a copy saved stays in the folder,
// never replaces another own file and reads back as it was.
void TestMatchFormat::library()
{
    QTemporaryDir dir;
    const QString own = dir.filePath(QStringLiteral("own"));
    QVERIFY(QDir().mkpath(own));
    QJsonObject bad = MatchFormatFile::toObject(someFormat(QStringLiteral("Bad")));
    bad.remove(QStringLiteral("mercy"));
    writeFile(own + QStringLiteral("/bad.json"), QJsonDocument(bad).toJson());
    writeFile(own + QStringLiteral("/good.json"), MatchFormatFile::write(someFormat("Good")));
    writeFile(own + QStringLiteral("/notes.txt"), "not a format");
    const FormatLibrary library(dir.filePath(QStringLiteral("shipped")), own);

    const QList<FormatEntry> listed = library.entries();
    QCOMPARE(listed.size(), 2);
    QVERIFY(!listed.at(0).format());
    QCOMPARE(listed.at(0).problemText(), QStringLiteral("bad.json: mercy \"\" is missing"));
    QCOMPARE(*listed.at(1).format(), someFormat("Good"));
    QCOMPARE(listed.at(1).source, FormatSource::Own);

    const MatchFormat escaping = someFormat(QStringLiteral("../x"));
    const SaveResult first = library.save(escaping);
    QVERIFY2(first.saved(), qPrintable(first.error));
    QCOMPARE(first.path, QDir(own).absoluteFilePath(QStringLiteral("x.json")));
    QCOMPARE(readBack(first.path), escaping);
    MatchFormat other = escaping;
    other.mercy = 3;
    QCOMPARE(library.save(other).path, QDir(own).absoluteFilePath(QStringLiteral("x-2.json")));
    QCOMPARE(readBack(first.path), escaping);
    QCOMPARE(library.save(other, first.path).path, first.path);
    QCOMPARE(readBack(first.path), other);

    MatchFormat outOfRange = other;
    outOfRange.halves = 3;
    QVERIFY(!library.save(outOfRange).saved());
    QVERIFY(!FormatLibrary(own, own).save(other).saved());
}

void TestMatchFormat::editedForm_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("refusal");

    QTest::newRow("as edited") << "Mine"
                               << "break"
                               << "1:30"
                               << "";
    QTest::newRow("time out of range") << "Mine"
                                       << "break"
                                       << "10:00"
                                       << "Break after a point: give a time as m:ss from 0:01 "
                                          "to 9:59.";
    QTest::newRow("time not m:ss") << "Mine"
                                   << "gameLength"
                                   << "12"
                                   << "Game clock, each half: ";
    QTest::newRow("count out of range") << "Mine"
                                        << "halves"
                                        << "0"
                                        << "Halves: ";
    QTest::newRow("no name") << " "
                             << "break"
                             << "1:30"
                             << "Name: ";
}

// What the Match window's form refuses names the field, and nothing else
// of the format changes.
void TestMatchFormat::editedForm()
{
    QFETCH(QString, name);
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(QString, refusal);

    const MatchFormat from = someFormat(QStringLiteral("Mine"));
    QStringList texts;
    for (const auto &field : MatchFormatFile::fields())
        texts << (field.key == key ? text : FormatForm::text(field, from));
    const auto built = FormatForm::build(name, from.shortName, texts);
    if (!refusal.isEmpty()) {
        QVERIFY(std::holds_alternative<QString>(built));
        QVERIFY2(std::get<QString>(built).startsWith(refusal),
                 qPrintable(std::get<QString>(built)));
        return;
    }
    MatchFormat expected = from;
    expected.breakLength = ClockValue::fromSeconds(90);
    QCOMPARE(std::get<MatchFormat>(built), expected);
}

QTEST_GUILESS_MAIN(TestMatchFormat)
#include "tst_matchformat.moc"
