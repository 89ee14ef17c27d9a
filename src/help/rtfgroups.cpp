// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/rtfgroups.h"

#include "help/rtfcharformat.h"
#include "help/rtfpicturecontrol.h"
#include "help/rtftext.h"

namespace RtfReader {
namespace {

void ignoreText(Context &, QByteArrayView)
{
}

void ignoreByte(Context &, char)
{
}

void ignoreClose(Context &, Destination)
{
}

void addTextByte(Context &context, char byte)
{
    addTextBytes(context, QByteArrayView(&byte, 1));
}

void addPictureHex(Context &context, QByteArrayView bytes)
{
    context.picture.addHex(bytes);
}

// A font entry ends with its group as with its semicolon.
void closeFontTable(Context &context, Destination)
{
    commitFontName(context);
}

// The last colour may lack its semicolon.
void closeColourTable(Context &context, Destination parent)
{
    if (parent != Destination::ColourTable && context.colourEntrySet)
        commitColour(context);
}

void closePicture(Context &context, Destination parent)
{
    if (parent != Destination::Picture)
        insertPicture(context);
}

struct DestinationRules
{
    quint8 scope;
    void (*text)(Context &, QByteArrayView);
    void (*byte)(Context &, char);
    void (*closed)(Context &, Destination parent);
};

// In the order of Destination.
constexpr DestinationRules Rules[] = {
    {InText, addTextBytes, addTextByte, ignoreClose},
    {0, ignoreText, ignoreByte, ignoreClose},
    {InFontTable, addFontTableText, addFontTableByte, closeFontTable},
    {InColourTable, addColourTableText, ignoreByte, closeColourTable},
    {InPicture, addPictureHex, ignoreByte, closePicture},
    {InShape, ignoreText, ignoreByte, ignoreClose},
    {0, addShapePropertyName, ignoreByte, ignoreClose},
};

const DestinationRules &rulesOf(Destination destination)
{
    return Rules[size_t(destination)];
}

void skipDestination(Context &context, int, Param)
{
    context.state().destination = Destination::Skip;
}

void setDestination(Context &context, int destination, Param)
{
    context.state().destination = Destination(destination);
}

// Destinations whose content is not shown. A field's instruction
// (\fldinst) is skipped while its result (\fldrslt) is read as text.
constexpr Keyword Table[] = {
    {"fonttbl", setDestination, int(Destination::FontTable), InText},
    {"colortbl", setDestination, int(Destination::ColourTable), InText},
    {"info", skipDestination, 0, Anywhere},
    {"stylesheet", skipDestination, 0, Anywhere},
    {"object", skipDestination, 0, Anywhere},
    {"fldinst", skipDestination, 0, Anywhere},
    {"header", skipDestination, 0, Anywhere},
    {"headerl", skipDestination, 0, Anywhere},
    {"headerr", skipDestination, 0, Anywhere},
    {"headerf", skipDestination, 0, Anywhere},
    {"footer", skipDestination, 0, Anywhere},
    {"footerl", skipDestination, 0, Anywhere},
    {"footerr", skipDestination, 0, Anywhere},
    {"footerf", skipDestination, 0, Anywhere},
    {"footnote", skipDestination, 0, Anywhere},
    {"pn", skipDestination, 0, Anywhere},
    {"listtable", skipDestination, 0, Anywhere},
    {"listoverridetable", skipDestination, 0, Anywhere},
    {"revtbl", skipDestination, 0, Anywhere},
    {"rsidtbl", skipDestination, 0, Anywhere},
    {"filetbl", skipDestination, 0, Anywhere},
    {"xmlnstbl", skipDestination, 0, Anywhere},
    {"themedata", skipDestination, 0, Anywhere},
    {"colorschememapping", skipDestination, 0, Anywhere},
    {"latentstyles", skipDestination, 0, Anywhere},
    {"datastore", skipDestination, 0, Anywhere},
    {"generator", skipDestination, 0, Anywhere},
    {"xe", skipDestination, 0, Anywhere},
    {"tc", skipDestination, 0, Anywhere},
};

// What a brace ends: the fall-back of \uN and a pending \*.
void endPending(Context &context)
{
    flushBytes(context);
    context.fallbackLeft = 0;
    context.starred = false;
}

} // namespace

Keywords destinationKeywords()
{
    return Table;
}

void openGroup(Context &context)
{
    endPending(context);
    if (int(context.stack.size()) > MaxGroupDepth) {
        ++context.flattenedGroups;
        return;
    }
    const GroupState inherited = context.stack.back();
    context.stack.push_back(inherited);
}

void closeGroup(Context &context)
{
    endPending(context);
    if (context.flattenedGroups > 0) {
        --context.flattenedGroups;
        return;
    }
    if (context.stack.size() <= 1)
        return;
    const Destination parent = context.stack[context.stack.size() - 2].destination;
    rulesOf(context.destination()).closed(context, parent);
    context.stack.pop_back();
}

quint8 currentScope(const Context &context)
{
    return rulesOf(context.destination()).scope;
}

void addDestinationText(Context &context, QByteArrayView bytes)
{
    rulesOf(context.destination()).text(context, bytes);
}

void addDestinationByte(Context &context, char byte)
{
    rulesOf(context.destination()).byte(context, byte);
}

} // namespace RtfReader
