#include "gui/fiveview/FiveViewDialog.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/dialogs/FormControls.h"

namespace {

constexpr double kHemiSweep = 180;
constexpr double kBrcSweep = 212.58;
enum { kSingleFrame = 0, kSequence = 1 };
enum { kAllFrames = 0, kIncludeOnly = 1 };

QString DesktopFolderChooser(QWidget* parent, const QString& title, const QString& start) {
    return QFileDialog::getExistingDirectory(parent, title, start, QFileDialog::ShowDirsOnly);
}

QGroupBox* RadioBox(std::initializer_list<RadioChoice> choices, QButtonGroup*& group,
                    QWidget* parent) {
    auto* box = new QGroupBox(parent);
    group = RadioGroup(choices, new QVBoxLayout(box), box);
    return box;
}

}  // namespace

FiveViewDialog::FiveViewDialog(FiveViewSettings& settings, QWidget* parent)
    : RecordDialog(settings, QStringLiteral("5 View Polar"), parent),
      folderChooser(DesktopFolderChooser) {
    BuildForm();
    Bind();
    exchange.Show();
    samplingMode->setCurrentIndex(kNoAA);
    ApplyEnabling();
    Connect();
}

void FiveViewDialog::BuildForm() {
    auto* layout = new QVBoxLayout(this);
    samplingMode = new QComboBox(this);
    samplingMode->setObjectName(QStringLiteral("samplingMode"));
    samplingMode->addItems({"No AA", "5x sub-sample", "EWA"});
    layout->addWidget(samplingMode);

    auto* views = new QGridLayout;
    layout->addLayout(views);
    auto addView = [this, views](const QString& label, const QString& name) {
        const int row = views->rowCount();
        QLineEdit* edit = PathEdit(name, this);
        views->addWidget(new QLabel(label, this), row, 0);
        views->addWidget(edit, row, 1);
        auto asSequence = [this] { return inputKind->checkedId() == kSequence; };
        views->addWidget(ViewFileButton(edit, asSequence, this), row, 2);
        return edit;
    };
    back = addView("Back:", "back");
    front = addView("Front:", "front");
    left = addView("Left:", "left");
    right = addView("Right:", "right");
    top = addView("Top:", "top");

    auto* size = new QHBoxLayout;
    layout->addLayout(size);
    square = NamedCheck("square", "square", this);
    height = NamedEdit("height", this);
    width = NamedEdit("width", this);
    size->addWidget(square);
    size->addWidget(new QLabel(QStringLiteral("Height:"), this));
    size->addWidget(height);
    size->addWidget(new QLabel(QStringLiteral("Width:"), this));
    size->addWidget(width);

    auto* output = new QHBoxLayout;
    layout->addLayout(output);
    output->addWidget(
        RadioBox({{"JPEG", "jpeg"}, {"BMP", "bmp"}, {"TGA", "tga"}}, outputFormat, this));
    output->addWidget(RadioBox(
        {{"All-sky format", "allSky"}, {"'Dome Master' format", "domeMaster"}}, polarFormat, this));
    auto* names = new QFormLayout;
    output->addLayout(names);
    baseName = NamedEdit("baseName", this);
    names->addRow(QStringLiteral("base name:"), baseName);
    directoryButton = NamedButton("directory:", "directoryButton", this);
    directory = new QLabel(this);
    directory->setObjectName(QStringLiteral("directory"));
    names->addRow(directoryButton, directory);

    sameSize = NamedCheck("each view's frames are all same size", "sameSize", this);
    layout->addWidget(sameSize);

    auto* sweep = new QHBoxLayout;
    layout->addLayout(sweep);
    polarSweep = NamedEdit("polarSweep", this);
    hemi = NamedButton("hemi", "hemi", this);
    brc = NamedButton("BRC", "brc", this);
    sweep->addWidget(new QLabel(QStringLiteral("polar sweep:"), this));
    sweep->addWidget(polarSweep);
    sweep->addWidget(new QLabel(QStringLiteral("degrees"), this));
    sweep->addWidget(hemi);
    sweep->addWidget(brc);

    auto* frames = new QHBoxLayout;
    layout->addLayout(frames);
    frames->addWidget(
        RadioBox({{"single frame", "singleFrame"}, {"sequence", "sequence"}}, inputKind, this));
    frames->addWidget(
        RadioBox({{"all frames", "allFrames"}, {"include only", "includeOnly"}}, frameRange, this));
    firstFrame = NamedEdit("firstFrame", this);
    frameTo = new QLabel(QStringLiteral("to"), this);
    lastFrame = NamedEdit("lastFrame", this);
    frames->addWidget(firstFrame);
    frames->addWidget(frameTo);
    frames->addWidget(lastFrame);

    auto* faces = new QHBoxLayout;
    layout->addLayout(faces);
    halfPans = NamedCheck("half pans", "halfPans", this);
    crop = NamedEdit("crop", this);
    faces->addWidget(halfPans);
    faces->addWidget(new QLabel(QStringLiteral("crop:"), this));
    faces->addWidget(crop);

    layout->addWidget(OkCancelButtons(this));
}

void FiveViewDialog::Bind() {
    exchange.ComboIndex(samplingMode, record.samplingMode);
    exchange.Text(back, record.backFile);
    exchange.Text(front, record.frontFile);
    exchange.Text(left, record.leftFile);
    exchange.Text(right, record.rightFile);
    exchange.Text(top, record.topFile);
    exchange.Check(square, record.square);
    exchange.Int(height, record.height);
    exchange.Int(width, record.width);
    exchange.Radio(outputFormat, record.outputFormat);
    exchange.Text(baseName, record.baseName);
    exchange.Radio(polarFormat, record.polarFormat);
    exchange.Check(sameSize, record.sameSize);
    exchange.Text(directory, record.directory);
    exchange.Number(polarSweep, record.polarSweep, 0, 360);
    exchange.Radio(frameRange, record.frameRange);
    exchange.Radio(inputKind, record.inputKind);
    exchange.Int(lastFrame, record.lastFrame);
    exchange.Int(firstFrame, record.firstFrame);
    exchange.Check(halfPans, record.halfPans);
    exchange.Int(crop, record.crop);
}

// Connected once the controls hold the record, so that filling them triggers nothing.
void FiveViewDialog::Connect() {
    connect(square, &QAbstractButton::clicked, this, &FiveViewDialog::SquareClicked);
    connect(width, &QLineEdit::textChanged, this, &FiveViewDialog::WidthEdited);
    connect(inputKind, &QButtonGroup::idClicked, this, &FiveViewDialog::ApplyEnabling);
    connect(frameRange, &QButtonGroup::idClicked, this, &FiveViewDialog::ApplyEnabling);
    connect(hemi, &QAbstractButton::clicked, this, [this] { PresetSweep(kHemiSweep); });
    connect(brc, &QAbstractButton::clicked, this, [this] { PresetSweep(kBrcSweep); });
    connect(directoryButton, &QAbstractButton::clicked, this, &FiveViewDialog::ChooseDirectory);
}

void FiveViewDialog::ApplyEnabling() {
    height->setEnabled(!square->isChecked());
    const bool sequence = inputKind->checkedId() == kSequence;
    const bool someFrames = sequence && frameRange->checkedId() == kIncludeOnly;
    for (QAbstractButton* button : frameRange->buttons()) button->setEnabled(sequence);
    for (QWidget* frameNumber : std::initializer_list<QWidget*>{firstFrame, lastFrame, frameTo}) {
        frameNumber->setEnabled(someFrames);
    }
}

// While the user types, a width that is not (yet) a number is left alone without a message.
void FiveViewDialog::WidthEdited() {
    const std::optional<int> value = IntOfText(width->text());
    if (value && square->isChecked()) height->setText(TextOfInt(*value));
}

// Turning "square" on makes the picture square at once, not only at the next width typed.
void FiveViewDialog::SquareClicked() {
    ApplyEnabling();
    WidthEdited();
}

// The preset replaces the sweep, so only the other controls have to read back first.
void FiveViewDialog::PresetSweep(double sweep) {
    if (!exchange.Read(polarSweep)) return;
    record.polarSweep = sweep;
    polarSweep->setText(TextOfNumber(sweep));
}

void FiveViewDialog::ChooseDirectory() {
    if (!exchange.Read()) return;
    QString chosen =
        folderChooser(this, QStringLiteral("Select output directory:"), directory->text());
    activateWindow();
    if (chosen.isEmpty()) return;
    if (!chosen.endsWith('/')) chosen += '/';
    record.directory = chosen.toStdString();
    directory->setText(chosen);
}
