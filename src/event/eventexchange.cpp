// SPDX-License-Identifier: GPL-3.0-or-later
#include "event/eventexchange.h"

#include "event/eventday.h"
#include "event/resultsexchange.h"
#include "event/schedulefile.h"
#include "event/scheduleimport.h"
#include "event/standings.h"
#include "event/standingssheet.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>

namespace EventExchange {

namespace {

struct Words
{
    Q_DECLARE_TR_FUNCTIONS(EventExchange)
};

// No day's CSV comes near this.
constexpr qint64 MostCsvBytes = 4 * 1024 * 1024;

void tell(QWidget *parent, const QString &text)
{
    QMessageBox::information(parent, QStringLiteral("Vantrell"), text);
}

bool ask(QWidget *parent, const QString &question)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Vantrell"), question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

struct CsvFile
{
    QString path;
    QByteArray bytes;
};

std::optional<CsvFile> readCsv(QWidget *parent, const QString &caption)
{
    const QString path = QFileDialog::getOpenFileName(
        parent, caption, QDir::homePath(), Words::tr("CSV files (*.csv);;All files (*)"));
    if (path.isEmpty())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MostCsvBytes) {
        tell(parent, Words::tr("%1 cannot be read.").arg(QDir::toNativeSeparators(path)));
        return std::nullopt;
    }
    return CsvFile{path, file.readAll()};
}

// The good lines or none, the bad ones listed with their reasons.
bool takeGoodLines(QWidget *parent, const ScheduleImport::Result &read)
{
    if (read.problems.isEmpty())
        return true;
    QStringList lines;
    for (const ScheduleImport::Problem &problem : read.problems)
        lines << problem.text();
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Vantrell"),
                    Words::tr("%n line(s) cannot be used:", nullptr, int(read.problems.size())) +
                        QStringLiteral("\n\n") + lines.join(u'\n'),
                    QMessageBox::NoButton, parent);
    QPushButton *good = read.matches.isEmpty()
        ? nullptr
        : box.addButton(Words::tr("Import the %n good line(s)", nullptr, int(read.matches.size())),
                        QMessageBox::AcceptRole);
    QPushButton *none = box.addButton(Words::tr("Import none"), QMessageBox::RejectRole);
    box.setDefaultButton(none);
    box.setEscapeButton(none);
    box.exec();
    return good && box.clickedButton() == good;
}

// A new event's file, named after the CSV it came from, never over another.
QString newEventPath(const QString &name)
{
    const QDir folder(ScheduleFile::defaultFolder());
    const QString base = name.isEmpty() ? QStringLiteral("event") : name;
    QString path = folder.filePath(base + QStringLiteral(".json"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder.filePath(QStringLiteral("%1-%2.json").arg(base).arg(n));
    return path;
}

bool hasResults(const Schedule &schedule)
{
    return std::any_of(schedule.matches.cbegin(), schedule.matches.cend(),
                       [](const ScheduledMatch &m) { return m.state != ScheduledState::ToPlay; });
}

void save(QWidget *parent, const QString &caption, const QString &filter, const QByteArray &bytes)
{
    const QString path = QFileDialog::getSaveFileName(parent, caption, QDir::homePath(), filter);
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        tell(parent,
             Words::tr("%1 could not be written: %2")
                 .arg(QDir::toNativeSeparators(path), file.errorString()));
}

QString resultText(const ScheduledMatch &m)
{
    const QString score = QStringLiteral("%1\u2013%2").arg(m.result.home).arg(m.result.visitor);
    if (m.state == ScheduledState::Forfeit)
        return Words::tr("forfeit %1").arg(score);
    if (m.state == ScheduledState::UnderWay)
        return Words::tr("under way");
    return score;
}

// Ours or theirs, one conflict at a time; Escape keeps ours.
bool chooseTheirs(QWidget *parent, const ScheduledMatch &ours, const ScheduledMatch &theirs)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Vantrell"),
                    Words::tr("%1 \u2013 %2 at %3 on %4 has two results.\nHere: %5\nThe other "
                              "field's: %6")
                        .arg(ours.home, ours.visitor, ours.start.toString(QStringLiteral("HH:mm")),
                             ours.field, resultText(ours), resultText(theirs)),
                    QMessageBox::NoButton, parent);
    QPushButton *keep =
        box.addButton(Words::tr("Keep %1").arg(resultText(ours)), QMessageBox::RejectRole);
    QPushButton *take =
        box.addButton(Words::tr("Take %1").arg(resultText(theirs)), QMessageBox::AcceptRole);
    box.setDefaultButton(keep);
    box.setEscapeButton(keep);
    box.exec();
    return box.clickedButton() == take;
}

} // namespace

void importSchedule(QWidget *parent, EventDay &event, const QStringList &formats)
{
    const auto csv = readCsv(parent, Words::tr("Import the day's schedule"));
    if (!csv)
        return;
    const ScheduleImport::Result read = ScheduleImport::read(csv->bytes, formats);
    if (!read.fileProblem.isEmpty()) {
        tell(parent, Words::tr("The schedule cannot be imported: %1.").arg(read.fileProblem));
        return;
    }
    if (!takeGoodLines(parent, read))
        return;
    if (event.isOpen()) {
        if (hasResults(event.schedule()) &&
            !ask(parent,
                 Words::tr("This event has results. Import the new list in place of the "
                           "matches still to play? No match played, forfeit or under "
                           "way is removed.")))
            return;
        event.change(ScheduleImport::merged(event.schedule(), read.matches));
        return;
    }
    const Schedule schedule = ScheduleImport::merged({}, read.matches);
    QString problem;
    if (!event.create(newEventPath(QFileInfo(csv->path).completeBaseName()), schedule, &problem))
        tell(parent, Words::tr("The event could not be kept: %1").arg(problem));
}

void openEvent(QWidget *parent, EventDay &event)
{
    const QString path =
        QFileDialog::getOpenFileName(parent, Words::tr("Open an event"),
                                     ScheduleFile::defaultFolder(), Words::tr("Events (*.json)"));
    if (path.isEmpty())
        return;
    QString problem;
    if (!event.open(path, &problem))
        tell(parent,
             Words::tr("%1 cannot be opened: %2").arg(QDir::toNativeSeparators(path), problem));
}

void exportResults(QWidget *parent, const EventDay &event)
{
    save(parent, Words::tr("Export this field's results"), Words::tr("CSV files (*.csv)"),
         ResultsExchange::csv(event.schedule()));
}

void mergeResults(QWidget *parent, EventDay &event, const QStringList &formats)
{
    const auto csv = readCsv(parent, Words::tr("Merge another field's results"));
    if (!csv)
        return;
    const ScheduleImport::Result read = ScheduleImport::read(csv->bytes, formats);
    if (!read.fileProblem.isEmpty()) {
        tell(parent, Words::tr("The results cannot be merged: %1.").arg(read.fileProblem));
        return;
    }
    if (!takeGoodLines(parent, read))
        return;
    ResultsExchange::Merge merge = ResultsExchange::merge(event.schedule(), read.matches);
    int chosen = 0;
    for (const ResultsExchange::Conflict &conflict : merge.conflicts) {
        if (chooseTheirs(parent, merge.schedule.matches.at(conflict.match), conflict.theirs)) {
            ResultsExchange::takeTheirs(merge.schedule, conflict);
            ++chosen;
        }
    }
    event.change(merge.schedule);
    QString said = Words::tr("%n result(s) taken in.", nullptr, merge.taken + chosen);
    if (!merge.unknown.isEmpty())
        said += u' ' +
            Words::tr("%n result(s) are for matches this event does not hold.", nullptr,
                      int(merge.unknown.size()));
    tell(parent, said);
}

void exportStandings(QWidget *parent, const EventDay &event)
{
    save(parent, Words::tr("Export the standings"), Words::tr("CSV files (*.csv)"),
         Standings::csv(Standings::compute(event.schedule())));
}

void printStandings(QWidget *parent, const EventDay &event)
{
    const QString path = QFileDialog::getSaveFileName(parent, Words::tr("Print the standings"),
                                                      QDir::homePath(), Words::tr("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    const QString title = QFileInfo(event.path()).completeBaseName();
    if (!StandingsSheet::writePdf(Standings::compute(event.schedule()), title, path))
        tell(parent, Words::tr("%1 could not be written.").arg(QDir::toNativeSeparators(path)));
}

} // namespace EventExchange
