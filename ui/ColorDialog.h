#pragma once

#include "ColorValue.h"

#include <QColor>

#include <functional>
#include <optional>

class QWidget;

// Every colour dialog of the program goes through here, so tests can pick the colour.
class ColorDialog
{
public:
    // Answers in place of the user: given the colour the dialog starts at, the
    // colour picked with OK, or nothing for Cancel.
    using Picker = std::function<std::optional<QColor>(const QColor &shown)>;

    // Shows the colour dialog at `start`, a system colour shown as the colour it
    // stands for. Returns the colour picked, a plain value, after OK, and `start`
    // itself after Cancel. The 16 custom colours start as the design's and keep
    // what the user made of them in a dialog closed with OK, for the run only.
    static ColorValue choose(QWidget *parent, ColorValue start);

    // Replaces the modal dialog by picker until reset with an empty function.
    static void setPicker(Picker picker);

private:
    static Picker s_picker;
};
