// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/displaysettings.h"

#include "settings/settingsstore.h"

namespace {

const QString Section = QStringLiteral("DisplaySettings");
const QString AudienceScreenKey = QStringLiteral("AudienceScreen");
const QString FeedOnKey = QStringLiteral("FeedOn");
const QString FeedPortKey = QStringLiteral("FeedPort");
const QString FeedAddressKey = QStringLiteral("FeedAddress");
const QString Yes = QStringLiteral("Yes");
const QString No = QStringLiteral("No");

FeedSettings readFeed(SettingsStore &store)
{
    FeedSettings feed;
    const QString on = store.read(Section, FeedOnKey, No).trimmed().toLower();
    feed.on = on == QLatin1String("yes") || on == QLatin1String("true") || on == QLatin1String("1");
    bool ok = false;
    const uint port = store.read(Section, FeedPortKey, QString()).trimmed().toUInt(&ok);
    if (ok && port >= 1 && port <= 65535)
        feed.port = quint16(port);
    // An address that is none is told to the operator when the feed starts.
    const QString address = store.read(Section, FeedAddressKey, QString()).trimmed();
    if (!address.isEmpty())
        feed.address = address;
    return feed;
}

} // namespace

// A name edited by hand with spaces about it still names its monitor, and
// one of spaces alone names none.
DisplaySettings readDisplaySettings(SettingsStore &store)
{
    DisplaySettings settings;
    settings.AudienceScreen = store.read(Section, AudienceScreenKey, QString()).trimmed();
    settings.feed = readFeed(store);
    return settings;
}

bool writeAudienceScreen(SettingsStore &store, const QString &monitorName)
{
    store.write(Section, AudienceScreenKey, monitorName);
    return store.sync();
}

bool writeFeedSettings(SettingsStore &store, const FeedSettings &feed)
{
    store.write(Section, FeedOnKey, feed.on ? Yes : No);
    store.write(Section, FeedPortKey, QString::number(feed.port));
    store.write(Section, FeedAddressKey, feed.address);
    return store.sync();
}

QString feedPageUrl(const QString &address, quint16 port, const QString &page)
{
    const QString host = address.contains(u':') ? QStringLiteral("[%1]").arg(address) : address;
    return QStringLiteral("http://%1:%2/%3").arg(host).arg(port).arg(page);
}
