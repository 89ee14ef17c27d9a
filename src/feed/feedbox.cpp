// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/feedbox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkInterface>
#include <QSpinBox>

namespace {

const QString Loopback = QStringLiteral("127.0.0.1");
const QString Everywhere = QStringLiteral("0.0.0.0");

// The addresses other computers reach this one by; loopback and link-local
// ones reach nothing outside.
QStringList networkAddresses()
{
    QStringList addresses;
    for (const QHostAddress &address : QNetworkInterface::allAddresses()) {
        if (!address.isLoopback() && !address.isLinkLocal())
            addresses.append(address.toString());
    }
    return addresses;
}

} // namespace

FeedBox::FeedBox(const FeedSettings &settings, const QString &status, QWidget *parent)
    : QGroupBox(tr("Live feed for stream overlays and remote screens"), parent)
    , m_on(new QCheckBox(tr("&Serve the live feed")))
    , m_address(new QComboBox)
    , m_port(new QSpinBox)
{
    m_on->setChecked(settings.on);
    m_address->addItem(tr("%1, this computer only").arg(Loopback), Loopback);
    for (const QString &address : networkAddresses())
        m_address->addItem(tr("%1, for other computers").arg(address), address);
    m_address->addItem(tr("%1, every network of this computer").arg(Everywhere), Everywhere);
    if (m_address->findData(settings.address) < 0)
        m_address->addItem(settings.address, settings.address);
    m_address->setCurrentIndex(m_address->findData(settings.address));
    m_port->setRange(1, 65535);
    m_port->setValue(settings.port);

    auto *form = new QFormLayout(this);
    form->addRow(m_on);
    form->addRow(tr("&Address:"), m_address);
    form->addRow(tr("&Port:"), m_port);
    auto *state = new QLabel(status);
    state->setWordWrap(true);
    form->addRow(tr("Now:"), state);
    const QString captions[] = {tr("Overlay for OBS:"), tr("Board for a TV:"),
                                tr("Wall of pitches:"), tr("Schedule for phones:"),
                                tr("State for tools:")};
    for (size_t i = 0; i < m_urls.size(); ++i) {
        m_urls[i] = new QLineEdit;
        m_urls[i]->setReadOnly(true);
        form->addRow(captions[i], m_urls[i]);
    }
    connect(m_on, &QCheckBox::toggled, this, &FeedBox::showUrls);
    connect(m_address, &QComboBox::currentIndexChanged, this, &FeedBox::showUrls);
    connect(m_port, &QSpinBox::valueChanged, this, &FeedBox::showUrls);
    showUrls();
}

FeedSettings FeedBox::settings() const
{
    return {m_on->isChecked(), quint16(m_port->value()), m_address->currentData().toString()};
}

// Serving every network, a browser elsewhere uses one of this computer's
// own addresses.
void FeedBox::showUrls()
{
    const FeedSettings chosen = settings();
    const QStringList own = networkAddresses();
    const QString host =
        chosen.address == Everywhere && !own.isEmpty() ? own.front() : chosen.address;
    const auto url = [&](const char *page) {
        return feedPageUrl(host, chosen.port, QString::fromLatin1(page));
    };
    const QString wall = QStringLiteral("%1?feeds=%2:%3,another-pitch:%3")
                             .arg(url("wall"), host.contains(u':') ? "[" + host + "]" : host)
                             .arg(chosen.port);
    const QString shown[] = {url("overlay"), url("board"), wall, url("schedule"),
                             url("state.json")};
    for (size_t i = 0; i < m_urls.size(); ++i) {
        m_urls[i]->setText(chosen.on ? shown[i] : QString());
        m_urls[i]->setEnabled(chosen.on);
        m_urls[i]->setCursorPosition(0);
    }
}
