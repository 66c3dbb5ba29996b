#include "gui/transforms/AmbivuePolarDialog.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "gui/dialogs/FormControls.h"

namespace {


// The height the aspect lock gives a width: the same for a polar output, 3/10 of it for an
// Ambivue one, in wide enough arithmetic that three times any width fits.
unsigned LockedHeight(unsigned width, bool outputIsPolar) {
    if (outputIsPolar) return width;
    return static_cast<unsigned>(static_cast<unsigned long long>(width) * 3 / 10);
}

}  // namespace

AmbivuePolarDialog::AmbivuePolarDialog(XformSettings& settings, QWidget* parent)
    : RecordDialog(settings, QStringLiteral("Ambivue/Polar"), parent) {
    BuildForm();
    Bind();
    exchange.Show();
    lockAspect->setText(record.outputIsPolar ? QStringLiteral("==") : QStringLiteral("10:3"));
    LockClicked();
    // Connected once the controls hold the record, so that filling them triggers nothing.
    connect(lockAspect, &QAbstractButton::clicked, this, &AmbivuePolarDialog::LockClicked);
    connect(width, &QLineEdit::textChanged, this, &AmbivuePolarDialog::ApplyLock);
}

void AmbivuePolarDialog::BuildForm() {
    auto* layout = new QVBoxLayout(this);

    auto* limits = new QGroupBox(QStringLiteral("Ambivue limits (degrees)"), this);
    auto* grid = new QGridLayout(limits);
    auto addLimits = [limits, grid](const QString& label, const QString& name, QLineEdit*& from,
                                    QLineEdit*& to) {
        const int row = grid->rowCount();
        from = NamedEdit(name + "From", limits);
        to = NamedEdit(name + "To", limits);
        grid->addWidget(new QLabel(label, limits), row, 0);
        grid->addWidget(from, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("to"), limits), row, 2);
        grid->addWidget(to, row, 3);
    };
    addLimits("Azimuth:", "azimuth", azimuthFrom, azimuthTo);
    addLimits("Elevation:", "elevation", elevationFrom, elevationTo);
    layout->addWidget(limits);

    auto* resolution = new QGroupBox(QStringLiteral("Output Resolution (pixels)"), this);
    auto* size = new QFormLayout(resolution);
    width = NamedEdit("width", resolution);
    lockAspect = NamedCheck(QString(), "lockAspect", resolution);
    height = NamedEdit("height", resolution);
    size->addRow(QStringLiteral("width:"), width);
    size->addRow(lockAspect);
    size->addRow(QStringLiteral("height:"), height);
    layout->addWidget(resolution);

    std::vector<QLineEdit*> circle;
    layout->addWidget(EditGroup("Polar circle (degrees)",
                                {{"span:", "polarSpan"}, {"CW+ :", "clockwiseRotation"}}, circle,
                                this));
    polarSpan = circle[0];
    clockwiseRotation = circle[1];
    layout->addWidget(OkCancelButtons(this));
}

// The order of reading decides which bad entry is reported first.
void AmbivuePolarDialog::Bind() {
    exchange.Check(lockAspect, record.lockAspect);
    exchange.Number(azimuthTo, record.azimuthTo);
    exchange.Number(elevationTo, record.elevationTo);
    exchange.Number(azimuthFrom, record.azimuthFrom);
    exchange.Number(elevationFrom, record.elevationFrom);
    exchange.Unsigned(height, record.outputHeight);
    exchange.Unsigned(width, record.outputWidth);
    // The record keeps the span unsigned; it is read through its int, which means the same
    // for every span in range, since the exchange has ranges for signed integers only.
    exchange.Int(polarSpan, reinterpret_cast<int&>(record.polarSpan), kMinPolarSpan, kMaxPolarSpan);
    exchange.Int(clockwiseRotation, record.clockwiseRotation);
}

// Ticking the lock applies it at once rather than at the next width typed, so that what the
// box promises is what OK takes.
void AmbivuePolarDialog::LockClicked() {
    height->setEnabled(!lockAspect->isChecked());
    ApplyLock();
}

// While the user types, a width that is not (yet) a number leaves the height alone without
// a message; OK reports it.
void AmbivuePolarDialog::ApplyLock() {
    const std::optional<unsigned> value = UnsignedOfText(width->text());
    if (!value || !lockAspect->isChecked()) return;
    height->setText(TextOfInt(LockedHeight(*value, record.outputIsPolar != 0)));
}
