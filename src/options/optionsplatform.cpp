// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/optionsplatform.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

OptionsPlatform OptionsPlatform::system()
{
    OptionsPlatform platform;
    platform.chooseColor = [](QWidget *parent, const QColor &initial) -> std::optional<QColor> {
        const QColor color = QColorDialog::getColor(initial, parent);
        if (!color.isValid())
            return std::nullopt;
        return color;
    };
    platform.chooseFile = [](QWidget *parent, const QString &filter, const QString &folder) {
        return QFileDialog::getOpenFileName(parent, QString(), folder, filter);
    };
    platform.askYesNo = [](QWidget *parent, const QString &title, const QString &question) {
        return QMessageBox::question(parent, title, question, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    };
    platform.tell = [](QWidget *parent, const QString &title, const QString &message) {
        QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::Ok, parent);
        // It names a file, which may hold anything.
        box.setTextFormat(Qt::PlainText);
        box.exec();
    };
    platform.beep = [] {
        QApplication::beep();
    };
    return platform;
}
