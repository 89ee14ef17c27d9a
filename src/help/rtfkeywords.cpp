// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/rtfkeywords.h"

#include "help/rtfcharformat.h"
#include "help/rtfgroups.h"
#include "help/rtfparagraph.h"
#include "help/rtfpicturecontrol.h"
#include "help/rtftablecontrol.h"
#include "help/rtftext.h"

#include <unordered_map>

namespace RtfReader {
namespace {

using KeywordMap = std::unordered_map<std::string_view, Keyword>;

KeywordMap makeKeywordMap()
{
    KeywordMap map;
    for (const Keywords part : {characterKeywords(), paragraphKeywords(), tableKeywords(),
                                pictureKeywords(), textKeywords(), destinationKeywords()}) {
        for (const Keyword &keyword : part)
            map.emplace(keyword.name, keyword);
    }
    return map;
}

const KeywordMap &keywordMap()
{
    static const KeywordMap map = makeKeywordMap();
    return map;
}

} // namespace

void dispatch(Context &context, std::string_view name, Param param)
{
    const KeywordMap &map = keywordMap();
    const auto found = map.find(name);
    if (found == map.end())
        return;
    const Keyword &keyword = found->second;
    const bool afterStar = context.starred && (keyword.scope & AfterStar);
    if ((keyword.scope & currentScope(context)) == 0 && !afterStar)
        return;
    flushBytes(context);
    keyword.handler(context, keyword.arg, param);
}

} // namespace RtfReader
