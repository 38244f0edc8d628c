#include "ColorDialog.h"

#include "Colors.h"

#include <QColorDialog>
#include <QSettings>

#include <array>
#include <memory>

namespace {

constexpr int CustomColorCount = 16;

// The custom colours A to P, 0x00BBGGRR. They show in two rows of eight, A to H
// above I to P; the dialog numbers its wells down each column.
constexpr std::array<ColorValue, CustomColorCount> StartCustomColors = {
    0x00C2D1D1, 0x0074D6F5, 0x00BDC5C6, 0x00A56D3A, 0x0098BFE7, 0x007EB858, 0x00B3B5BD, 0x00BFB3E3,
    0x0016BEC2, 0x008C8C8C, 0x00FFA54A, 0x009D4F00, 0x0077BBFF, 0x00D20000, 0x0097A330, 0x008E8744,
};

int wellOf(int entry)
{
    return entry % 8 * 2 + entry / 8;
}

void setStartCustomColors()
{
    for (int entry = 0; entry < CustomColorCount; ++entry)
        QColorDialog::setCustomColor(wellOf(entry), toQColor(StartCustomColors[entry]));
}

// Qt writes its custom colours into QtProject.conf, the settings every Qt program of
// the user shares, whenever a colour dialog is destroyed after they were set. Morvil's
// are for the run only: the dialog is destroyed here, and what the file held before
// is put back.
void destroyKeepingSharedCustomColors(std::unique_ptr<QColorDialog> dialog)
{
    QSettings shared(QSettings::UserScope, QStringLiteral("QtProject"));
    shared.beginGroup(QStringLiteral("Qt/customColors"));
    QVariantMap before;
    for (const QString &key : shared.childKeys())
        before.insert(key, shared.value(key));
    dialog.reset();
    shared.remove(QString());
    for (auto entry = before.cbegin(); entry != before.cend(); ++entry)
        shared.setValue(entry.key(), entry.value());
}

std::optional<QColor> runDialog(QWidget *parent, const QColor &shown)
{
    static bool customColorsSet = false;
    if (!customColorsSet) {
        setStartCustomColors();
        customColorsSet = true;
    }
    std::array<QColor, CustomColorCount> customColors;
    for (int well = 0; well < CustomColorCount; ++well)
        customColors[well] = QColorDialog::customColor(well);
    // Qt's own dialog everywhere: a platform's native one has no design custom colours.
    auto dialog = std::make_unique<QColorDialog>(shown, parent);
    dialog->setOption(QColorDialog::DontUseNativeDialog);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    const QColor picked = dialog->selectedColor();
    destroyKeepingSharedCustomColors(std::move(dialog));
    if (accepted)
        return picked;
    // Custom colours edited in a cancelled dialog are not kept.
    for (int well = 0; well < CustomColorCount; ++well)
        QColorDialog::setCustomColor(well, customColors[well]);
    return std::nullopt;
}

} // namespace

ColorDialog::Picker ColorDialog::s_picker;

ColorValue ColorDialog::choose(QWidget *parent, ColorValue start)
{
    const QColor shown = toQColor(start);
    const std::optional<QColor> picked = s_picker ? s_picker(shown) : runDialog(parent, shown);
    return picked ? fromQColor(*picked) : start;
}

void ColorDialog::setPicker(Picker picker)
{
    s_picker = std::move(picker);
}
