// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11keylookup.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>

#include <X11/XKBlib.h>
#include <X11/keysym.h>
#include <xcb/xcb.h>

#include <cstring>

namespace {

// The number row by XKB key name, 1 to 9 and then 0: the position decides,
// not what a layout prints on the key.
constexpr const char *NumberRow[] = {"AE01", "AE02", "AE03", "AE04", "AE05",
                                     "AE06", "AE07", "AE08", "AE09", "AE10"};

int numberRowDigit(const char (&name)[XkbKeyNameLength])
{
    for (int i = 0; i < 10; ++i) {
        if (std::strncmp(name, NumberRow[i], XkbKeyNameLength) == 0)
            return (i + 1) % 10;
    }
    return -1;
}

// The group a key acts in when the keyboard's group is beyond the groups
// the key has, by the key's own rule, as the server applies it.
int groupOnKey(int group, int groups, unsigned char groupInfo)
{
    if (group < groups)
        return group;
    switch (XkbOutOfRangeGroupAction(groupInfo)) {
    case XkbClampIntoRange:
        return groups - 1;
    case XkbRedirectIntoRange: {
        const int redirected = XkbOutOfRangeGroupNumber(groupInfo);
        return redirected < groups ? redirected : 0;
    }
    default:
        return group % groups;
    }
}

class X11KeyLookup : public KeyTranslation::KeyLookup, public QAbstractNativeEventFilter
{
public:
    X11KeyLookup(Display *display, int xkbEventBase)
        : m_display(display)
        , m_xkbEventBase(xkbEventBase)
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    ~X11KeyLookup() override
    {
        if (QCoreApplication::instance())
            QCoreApplication::instance()->removeNativeEventFilter(this);
        dropKeymap();
    }

    std::optional<KeyTranslation::PhysicalKey> physicalKey(quint32 nativeScanCode,
                                                           quint32 nativeModifiers) override
    {
        const XkbDescPtr xkb = keymap();
        if (!xkb)
            return std::nullopt;
        KeyTranslation::PhysicalKey key;
        if (nativeScanCode < xkb->min_key_code || nativeScanCode > xkb->max_key_code)
            return key;
        const auto code = KeyCode(nativeScanCode);
        key.numberRowDigit = numberRowDigit(xkb->names->keys[code].name);
        const int groups = XkbKeyNumGroups(xkb, code);
        if (groups == 0)
            return key;
        // The group the server pressed the key in travels with the event;
        // the group now may already be another.
        const int group =
            groupOnKey(XkbGroupForCoreState(nativeModifiers), groups, XkbKeyGroupInfo(xkb, code));
        key.unshiftedKeysym = quint32(XkbKeySymEntry(xkb, code, 0, group));
        for (int level = 0; level < XkbKeyGroupWidth(xkb, code, group); ++level) {
            if (XkbKeySymEntry(xkb, code, level, group) == XK_period)
                key.typesPoint = true;
        }
        return key;
    }

    // Qt's own connection receives the server's keymap notices; each one
    // means the keymap read before is out of date.
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        const int type = event->response_type & 0x7f;
        // An XKB event names its kind in the byte after the type.
        const bool xkbMapChange = type == m_xkbEventBase &&
            (event->pad0 == XkbNewKeyboardNotify || event->pad0 == XkbMapNotify);
        if (xkbMapChange || type == XCB_MAPPING_NOTIFY)
            dropKeymap();
        return false;
    }

private:
    XkbDescPtr keymap()
    {
        if (m_keymap)
            return m_keymap;
        m_keymap = XkbGetMap(m_display, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
        if (m_keymap &&
            (XkbGetNames(m_display, XkbKeyNamesMask, m_keymap) != Success || !m_keymap->names ||
             !m_keymap->names->keys))
            dropKeymap();
        return m_keymap;
    }

    void dropKeymap()
    {
        if (m_keymap)
            XkbFreeKeyboard(m_keymap, XkbAllComponentsMask, True);
        m_keymap = nullptr;
    }

    Display *m_display;
    int m_xkbEventBase;
    XkbDescPtr m_keymap = nullptr;
};

} // namespace

std::unique_ptr<KeyTranslation::KeyLookup> makeX11KeyLookup()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return nullptr;
    int opcode = 0, eventBase = 0, errorBase = 0;
    int major = XkbMajorVersion, minor = XkbMinorVersion;
    if (!XkbQueryExtension(display, &opcode, &eventBase, &errorBase, &major, &minor))
        return nullptr;
    return std::make_unique<X11KeyLookup>(display, eventBase);
}
