#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// What SDL's disk driver wrote: 16-bit mono frames.
std::vector<std::int16_t> readCapture(const QString &path);

// A cut-off note fades out within this many frames (2 ms).
inline constexpr std::size_t RampFrames = 44;

// Where sample starts in capture at or after frame `from`, judged by its frames
// past the ramp, which no fading note disturbs.
std::optional<std::size_t> onsetOf(std::span<const std::int16_t> capture, std::size_t from,
                                   std::span<const std::int16_t> sample);
