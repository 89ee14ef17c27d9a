// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/displaysettings.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

// The live feed's part of the Displays window: on or off, the address and
// port it serves on, and the addresses to paste into OBS or a browser.
class FeedBox : public QGroupBox
{
    Q_OBJECT

public:
    // `status` says how the feed stands now ("Serving", or why it is off).
    FeedBox(const FeedSettings &settings, const QString &status, QWidget *parent = nullptr);

    FeedSettings settings() const;

    QCheckBox *onBox() const { return m_on; }
    QComboBox *addressList() const { return m_address; }
    QLabel *urls() const { return m_urls; }

private:
    void showUrls();

    QCheckBox *m_on;
    QComboBox *m_address;
    QSpinBox *m_port;
    QLabel *m_urls;
};
