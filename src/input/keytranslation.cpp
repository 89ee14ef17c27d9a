#include "input/keytranslation.h"

#include "input/keysyms.h"

#include <QHash>
#include <QKeyEvent>

namespace KeyTranslation {

namespace {

struct KeyRow
{
    quint32 from;
    qint16 code;
};

// Keys that are not letters, digits or function keys, by unshifted keysym.
const KeyRow KeysymTable[] = {
    {Keysym::BackSpace, 8},         {Keysym::Tab, 9},               {Keysym::ISO_Left_Tab, 9},
    {Keysym::Clear, 12},            {Keysym::Return, 13},           {Keysym::KP_Enter, 13},
    {Keysym::Shift_L, 16},          {Keysym::Shift_R, 16},          {Keysym::Control_L, 17},
    {Keysym::Control_R, 17},        {Keysym::Alt_L, 18},            {Keysym::Alt_R, 18},
    {Keysym::Meta_L, 18},           {Keysym::Meta_R, 18},           {Keysym::ISO_Level3_Shift, 18},
    {Keysym::Pause, 19},            {Keysym::Caps_Lock, 20},        {Keysym::Escape, 27},
    {Keysym::space, 32},            {Keysym::Prior, 33},            {Keysym::Next, 34},
    {Keysym::End, 35},              {Keysym::Home, 36},             {Keysym::Left, 37},
    {Keysym::Up, 38},               {Keysym::Right, 39},            {Keysym::Down, 40},
    {Keysym::Print, 44},            {Keysym::Insert, 45},           {Keysym::Delete, 46},
    {Keysym::Super_L, 91},          {Keysym::Super_R, 92},          {Keysym::Menu, 93},
    {Keysym::Num_Lock, 144},        {Keysym::Scroll_Lock, 145},     {Keysym::semicolon, 186},
    {Keysym::equal, 187},           {Keysym::comma, 188},           {Keysym::minus, 189},
    {Keysym::period, 190},          {Keysym::slash, 191},           {Keysym::grave, 192},
    {Keysym::bracketleft, 219},     {Keysym::backslash, 220},       {Keysym::bracketright, 221},
    {Keysym::apostrophe, 222},
    // "+" on a key of its own (German, Nordic): the code of the key that types
    // "+", as on Windows.
    {Keysym::plus, 187},
};

const KeyRow QtKeyTable[] = {
    {Qt::Key_Backspace, 8},    {Qt::Key_Tab, 9},          {Qt::Key_Backtab, 9},
    {Qt::Key_Clear, 12},       {Qt::Key_Return, 13},      {Qt::Key_Enter, 13},
    {Qt::Key_Shift, 16},       {Qt::Key_Control, 17},     {Qt::Key_Alt, 18},
    {Qt::Key_AltGr, 18},       {Qt::Key_Pause, 19},       {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, 27},      {Qt::Key_Space, 32},       {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},    {Qt::Key_End, 35},         {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},        {Qt::Key_Up, 38},          {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},        {Qt::Key_Print, 44},       {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},      {Qt::Key_Meta, 91},        {Qt::Key_Menu, 93},
    {Qt::Key_NumLock, 144},    {Qt::Key_ScrollLock, 145},
    {Qt::Key_Semicolon, 186},  {Qt::Key_Colon, 186},      {Qt::Key_Equal, 187},
    {Qt::Key_Plus, 187},       {Qt::Key_Comma, 188},      {Qt::Key_Less, 188},
    {Qt::Key_Minus, 189},      {Qt::Key_Underscore, 189}, {Qt::Key_Period, 190},
    {Qt::Key_Greater, 190},    {Qt::Key_Slash, 191},      {Qt::Key_Question, 191},
    {Qt::Key_QuoteLeft, 192},  {Qt::Key_AsciiTilde, 192}, {Qt::Key_BracketLeft, 219},
    {Qt::Key_BraceLeft, 219},  {Qt::Key_Backslash, 220},  {Qt::Key_Bar, 220},
    {Qt::Key_BracketRight, 221}, {Qt::Key_BraceRight, 221}, {Qt::Key_Apostrophe, 222},
    {Qt::Key_QuoteDbl, 222},   {Qt::Key_Exclam, 49},      {Qt::Key_At, 50},
    {Qt::Key_NumberSign, 51},  {Qt::Key_Dollar, 52},      {Qt::Key_Percent, 53},
    {Qt::Key_AsciiCircum, 54}, {Qt::Key_Ampersand, 55},   {Qt::Key_Asterisk, 56},
    {Qt::Key_ParenLeft, 57},   {Qt::Key_ParenRight, 48},
};

// The keypad, with NumLock on or off; NumLock off turns its digits into the
// navigation keys, which keep the codes those keys have everywhere.
const KeyRow KeypadTable[] = {
    {Qt::Key_0, 96},        {Qt::Key_1, 97},        {Qt::Key_2, 98},      {Qt::Key_3, 99},
    {Qt::Key_4, 100},       {Qt::Key_5, 101},       {Qt::Key_6, 102},     {Qt::Key_7, 103},
    {Qt::Key_8, 104},       {Qt::Key_9, 105},       {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107},
    {Qt::Key_Minus, 109},   {Qt::Key_Period, 110},  {Qt::Key_Comma, 110}, {Qt::Key_Slash, 111},
    {Qt::Key_Enter, 13},    {Qt::Key_Return, 13},   {Qt::Key_Insert, 45}, {Qt::Key_Delete, 46},
    {Qt::Key_End, 35},      {Qt::Key_Down, 40},     {Qt::Key_PageDown, 34}, {Qt::Key_Left, 37},
    {Qt::Key_Clear, 12},    {Qt::Key_Right, 39},    {Qt::Key_Home, 36},   {Qt::Key_Up, 38},
    {Qt::Key_PageUp, 33},   {Qt::Key_NumLock, 144}, {Qt::Key_Equal, 187},
};

template<size_t N>
QHash<quint32, qint16> index(const KeyRow (&rows)[N])
{
    QHash<quint32, qint16> table;
    for (const KeyRow &row : rows)
        table.insert(row.from, row.code);
    return table;
}

qint16 lookUp(const QHash<quint32, qint16> &table, quint32 key)
{
    return table.value(key, NoKeyCode);
}

constexpr qint16 PointKey = 190;

KeyLookup *&installedLookup()
{
    static KeyLookup *lookup = nullptr;
    return lookup;
}

} // namespace

void setKeyLookup(KeyLookup *lookup)
{
    installedLookup() = lookup;
}

qint16 fromPhysicalKey(const PhysicalKey &key)
{
    if (key.numberRowDigit >= 0 && key.numberRowDigit <= 9)
        return qint16(48 + key.numberRowDigit);
    // A letter stays its letter, even where a layout puts "." beside it.
    const quint32 lower = key.unshiftedKeysym;
    if ((lower >= Keysym::a && lower <= Keysym::z) || (lower >= Keysym::A && lower <= Keysym::Z))
        return fromKeysym(lower);
    if (key.typesPoint)
        return PointKey;
    return fromKeysym(key.unshiftedKeysym);
}

qint16 fromKeysym(quint32 keysym)
{
    if (keysym >= Keysym::a && keysym <= Keysym::z)
        return qint16(65 + (keysym - Keysym::a));
    if (keysym >= Keysym::A && keysym <= Keysym::Z)
        return qint16(65 + (keysym - Keysym::A));
    if (keysym >= Keysym::Digit0 && keysym <= Keysym::Digit9)
        return qint16(48 + (keysym - Keysym::Digit0));
    if (keysym >= Keysym::F1 && keysym <= Keysym::F24)
        return qint16(112 + (keysym - Keysym::F1));
    static const QHash<quint32, qint16> table = index(KeysymTable);
    return lookUp(table, keysym);
}

qint16 fromQtKey(int key, bool keypad)
{
    if (keypad) {
        static const QHash<quint32, qint16> table = index(KeypadTable);
        return lookUp(table, quint32(key));
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return qint16(65 + (key - Qt::Key_A));
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return qint16(48 + (key - Qt::Key_0));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return qint16(112 + (key - Qt::Key_F1));
    static const QHash<quint32, qint16> table = index(QtKeyTable);
    return lookUp(table, quint32(key));
}

qint16 virtualKeyCode(const QKeyEvent &event)
{
    if (event.modifiers().testFlag(Qt::KeypadModifier))
        return fromQtKey(event.key(), true);
    // Qt's key is the character the layout and Shift made; folding it the US
    // way would turn AZERTY's unshifted & into 7.
    if (KeyLookup *lookup = installedLookup()) {
        if (const auto key = lookup->physicalKey(event.nativeScanCode(), event.nativeModifiers()))
            return fromPhysicalKey(*key);
    }
    return fromQtKey(event.key(), false);
}

qint16 modifierMask(Qt::KeyboardModifiers modifiers)
{
    qint16 mask = 0;
    if (modifiers.testFlag(Qt::ShiftModifier))
        mask |= 1;
    if (modifiers.testFlag(Qt::ControlModifier))
        mask |= 2;
    if (modifiers.testFlag(Qt::AltModifier))
        mask |= 4;
    return mask;
}

} // namespace KeyTranslation
