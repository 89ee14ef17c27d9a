// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

// The platform's own dialogs the options dialog asks: a colour, a file to
// open, a Yes or No, a message to read. Tests answer in their place.
struct OptionsPlatform
{
    // Opens at `initial`; nothing when the operator cancels.
    std::function<std::optional<QColor>(QWidget *parent, const QColor &initial)> chooseColor;
    // Empty when the operator cancels; `filter` as Qt writes filters.
    std::function<QString(QWidget *parent, const QString &filter, const QString &folder)>
        chooseFile;
    std::function<bool(QWidget *parent, const QString &title, const QString &question)> askYesNo;
    // A warning with one OK button, shown as plain text.
    std::function<void(QWidget *parent, const QString &title, const QString &message)> tell;
    std::function<void()> beep;

    static OptionsPlatform system();
};
