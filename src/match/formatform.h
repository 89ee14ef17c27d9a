// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/matchformat.h"

#include <QString>
#include <QStringList>

#include <variant>

// The editor's side of a format's fields: what the operator reads beside
// each, and the format his edits make.
namespace FormatForm {

QString label(const MatchFormatFile::Field &field);
QString choiceText(const MatchFormatFile::Field &field, int index);
// The values the field takes, as "give a time as m:ss from 0:01 to 9:59".
QString range(const MatchFormatFile::Field &field);

// Each field's value as its editor shows it: a time as m:ss, anything
// else as its whole number.
QString text(const MatchFormatFile::Field &field, const MatchFormat &format);

// The format made of its names and one text a field, in the order of
// fields(), or what is wrong with the first field that does not fit.
std::variant<MatchFormat, QString> build(const QString &name, const QString &shortName,
                                         const QStringList &texts);

} // namespace FormatForm
