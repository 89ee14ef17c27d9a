// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/displaysettings.h"

#include <QGroupBox>

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
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

private:
    void showUrls();

    QCheckBox *m_on;
    QComboBox *m_address;
    QSpinBox *m_port;
    // The overlay's, the board's, the wall's, the schedule's and the state's
    // addresses, to copy; empty while the feed is off.
    std::array<QLineEdit *, 5> m_urls{};
};
