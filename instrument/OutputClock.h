#pragma once

#include <array>
#include <cstdint>

// Where the program's clock meets the output's frames, so that every note sounds
// the same fixed delay after the moment it is due, to the frame.
//
// SDL tells no time: the output's callback reports when it ran and the first
// frame it is about to render. On a line of the nominal rate, each report gives
// the callback's lead: how far ahead of the moment it ran its frame lies. The
// clock places frames on the line of the earliest callbacks of the last second,
// those furthest ahead, so that a frame it gives has not been rendered yet when
// its note is due. The line moves at once when a callback comes earlier still
// (the device took frames sooner: later notes sound later), and creeps back no
// faster than a device's clock drifts once every callback of a second has run
// more than a little later than it; when they all ran a period or more later (the
// device lost time in an underrun, and sounds every frame that much later), the
// line takes that up at once. On a device paced by the program's own clock it
// stays where it is, and the notes keep their rhythm to the frame.
//
// It allocates nothing and takes no lock: the audio callback owns it.
class OutputClock
{
public:
    using Nanoseconds = std::int64_t; // on the steady clock, since its epoch

    // Reports over this long set the line before it holds still.
    static constexpr Nanoseconds SettlingTime = 250'000'000;
    // How much later than the line a whole second of callbacks may run before the
    // line creeps towards them.
    static constexpr Nanoseconds Slack = 500'000;
    // The fastest creep: a device's clock is off by far less.
    static constexpr Nanoseconds CreepPerSecond = 200'000;

    OutputClock(int sampleRate, int framesPerPeriod, Nanoseconds delay);

    // A callback ran at `now` and is about to render the frames from `firstFrame` on.
    void periodBegins(Nanoseconds now, std::uint64_t firstFrame);

    // The frame at which a sound due at `due` starts: the one nearest to where the
    // line puts `delay` after it. Valid once a period has begun.
    std::int64_t frameAt(Nanoseconds due) const;

    Nanoseconds delay() const { return m_delay; }

private:
    static constexpr int MaxWindow = 2048;

    Nanoseconds framesToNanoseconds(std::uint64_t frames) const;
    Nanoseconds windowEarliest() const;

    const int m_sampleRate;
    const Nanoseconds m_delay;
    const int m_window; // reports in a second
    const Nanoseconds m_periodLength;
    // Each report's moment less its first frame's time on a line through frame 0 at 0.
    std::array<Nanoseconds, MaxWindow> m_offsets{};
    int m_reports = 0;
    Nanoseconds m_firstReport = 0;
    Nanoseconds m_line = 0; // the moment the line puts frame 0 at
};
