// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/storedvalues.h"

#include <limits>

namespace StoredValues {

namespace {

constexpr qint64 MaxWhole = qint64(1) << 40;

template<typename T>
T clampTo(qint64 value, qint64 low = std::numeric_limits<T>::min(),
          qint64 high = std::numeric_limits<T>::max())
{
    return static_cast<T>(qBound(low, value, high));
}

std::optional<qint64> wholeNumber(const QString &text)
{
    const std::optional<Decimal4> number = parseNumber(text);
    if (!number)
        return std::nullopt;
    return roundHalfEven(*number);
}

} // namespace

std::optional<Decimal4> parseNumber(const QString &text)
{
    const QString trimmed = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < trimmed.size() && (trimmed[i] == QLatin1Char('-') || trimmed[i] == QLatin1Char('+')))
        negative = trimmed[i++] == QLatin1Char('-');

    const auto isDigit = [&](qsizetype at) {
        return at < trimmed.size() && trimmed[at] >= QLatin1Char('0') &&
            trimmed[at] <= QLatin1Char('9');
    };
    qint64 whole = 0;
    int digits = 0;
    for (; isDigit(i); ++i, ++digits)
        whole = qMin(MaxWhole, whole * 10 + (trimmed[i].unicode() - '0'));
    qint64 fraction = 0;
    if (i < trimmed.size() && trimmed[i] == QLatin1Char('.')) {
        ++i;
        qint64 scale = Decimal4::Scale / 10;
        for (; isDigit(i); ++i, ++digits, scale /= 10)
            fraction += scale * (trimmed[i].unicode() - '0');
    }
    if (digits == 0 || i != trimmed.size())
        return std::nullopt;
    const qint64 raw = whole * Decimal4::Scale + fraction;
    return Decimal4::fromRaw(negative ? -raw : raw);
}

qint64 roundHalfEven(Decimal4 value)
{
    return value.roundedSeconds();
}

qint32 color(const QString &text, qint32 fallback)
{
    return clampTo<qint32>(wholeNumber(text).value_or(fallback), 0, Colors::White);
}

qint16 keyCode(const QString &text, qint16 fallback)
{
    return clampTo<qint16>(wholeNumber(text).value_or(fallback));
}

qint16 selectedWidth(const QString &text, qint16 fallback)
{
    return boundSelectedWidth(wholeNumber(text).value_or(fallback));
}

qint16 boundSelectedWidth(qint64 width)
{
    return clampTo<qint16>(width, 0, MaxSelectedWidth);
}

qint32 numLockForce(const QString &text, qint32 fallback)
{
    return clampTo<qint32>(wholeNumber(text).value_or(fallback));
}

qint16 ledType(const QString &text, qint16 fallback)
{
    return ledDots(wholeNumber(text).value_or(fallback)) ? LedDots : 0;
}

Decimal4 teamSize(const QString &text, Decimal4 fallback)
{
    const Decimal4 size = parseNumber(text).value_or(fallback);
    return qBound(Decimal4::fromSeconds(1), size, Decimal4::fromSeconds(MaxTeamSize));
}

QString decimalText(Decimal4 value)
{
    const qint64 raw = value.raw();
    const qint64 magnitude = raw < 0 ? -raw : raw;
    QString text = QString::number(magnitude / Decimal4::Scale);
    qint64 fraction = magnitude % Decimal4::Scale;
    if (fraction != 0) {
        QString places = QString::number(fraction).rightJustified(4, QLatin1Char('0'));
        while (places.endsWith(QLatin1Char('0')))
            places.chop(1);
        text += QLatin1Char('.') + places;
    }
    return raw < 0 ? QLatin1Char('-') + text : text;
}

} // namespace StoredValues
