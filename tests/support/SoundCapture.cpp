#include "SoundCapture.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>

namespace {

constexpr std::size_t MatchLength = 256;

} // namespace

std::vector<std::int16_t> readCapture(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    std::vector<std::int16_t> capture(std::size_t(bytes.size() / 2));
    qFromLittleEndian<qint16>(bytes.constData(), qsizetype(capture.size()), capture.data());
    return capture;
}

std::optional<std::size_t> onsetOf(std::span<const std::int16_t> capture, std::size_t from,
                                   std::span<const std::int16_t> sample)
{
    const auto pattern = sample.subspan(RampFrames, MatchLength);
    for (std::size_t at = from; at + RampFrames + MatchLength <= capture.size(); ++at) {
        if (std::ranges::equal(capture.subspan(at + RampFrames, MatchLength), pattern))
            return at;
    }
    return std::nullopt;
}
