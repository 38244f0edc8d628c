#pragma once

struct OutputTiming;

// What the program sets on the application before it creates its windows: its name,
// icon, style and the fonts that stand in for the design's. Can be run again.
void setUpApplication();

// Before the application is made: on a Wayland desktop Morvil runs through
// XWayland, where it can place its windows itself as it is designed to (centred
// at the start and after every zoom, the About card over the window), which a
// Wayland client cannot. QT_QPA_PLATFORM, when set, chooses instead.
void preferXWayland();

// The sound output's timing: the program's own, with the period (frames at
// 22 050 Hz, 16 to 4096) taken from MORVIL_AUDIO_PERIOD when that holds one, for
// a machine or sound server that cannot keep up with the default period.
OutputTiming audioTiming();
