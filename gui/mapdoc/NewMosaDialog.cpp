#include "gui/mapdoc/NewMosaDialog.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>

#include "gui/dialogs/FormControls.h"

NewMosaDialog::NewMosaDialog(PanSettings& settings, QWidget* parent)
    : RecordDialog(settings, QStringLiteral("New mosa parameters"), parent) {
    std::vector<QLineEdit*> edits;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(EditGroup("Azimuth limits (degrees)",
                                {{"left:", "azimuthLeft"}, {"right:", "azimuthRight"}}, edits,
                                this));
    layout->addWidget(EditGroup("Elevation limits (degrees)",
                                {{"bottom:", "altitudeBottom"}, {"top:", "altitudeTop"}}, edits,
                                this));
    layout->addWidget(EditGroup("Image dimension (pixels)",
                                {{"height:", "height"}, {"width:", "width"}}, edits, this));
    layout->addWidget(EditGroup("Eyepoint (fraction of dome radius)",
                                {{"x:", "eyeX"}, {"y:", "eyeY"}, {"z:", "eyeZ"}}, edits, this));
    auto* antiAliasing = new QGroupBox(QStringLiteral("Anti-aliasing"), this);
    auto* choices = new QHBoxLayout(antiAliasing);
    QButtonGroup* antiAliasingGroup =
        RadioGroup({{"none", "aaNone"}, {"4x", "aa4x"}, {"7x", "aa7x"}}, choices, antiAliasing);
    layout->addWidget(antiAliasing);
    layout->addWidget(OkCancelButtons(this));

    exchange.Number(edits[0], record.azimuthLeft, kPanAzimuths.low, kPanAzimuths.high);
    exchange.Number(edits[1], record.azimuthRight, kPanAzimuths.low, kPanAzimuths.high);
    exchange.Number(edits[2], record.altitudeBottom, kPanAltitudes.low, kPanAltitudes.high);
    exchange.Number(edits[3], record.altitudeTop, kPanAltitudes.low, kPanAltitudes.high);
    exchange.Int(edits[4], record.height, 1, 4096);
    exchange.Int(edits[5], record.width, 1, 4096);
    exchange.Number(edits[6], record.eyeX, kPanEyeCoordinates.low, kPanEyeCoordinates.high);
    exchange.Number(edits[7], record.eyeY, kPanEyeCoordinates.low, kPanEyeCoordinates.high);
    exchange.Number(edits[8], record.eyeZ, kPanEyeCoordinates.low, kPanEyeCoordinates.high);
    exchange.Radio(antiAliasingGroup, record.antiAliasing);
    exchange.Show();
}
