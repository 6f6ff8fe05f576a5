// The pen palette "Pero": pen, line, fill and delete buttons, the brush width and what the map
// view shows.
#include "editor/forms/SelePero.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/palettes/ToolPalettes.h"

namespace tess {

namespace {

QToolButton* SpeedButton(QWidget* parent, const char* name, const QString& text,
                         const QString& hint) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(hint);
    button->setCheckable(true);
    button->setMinimumSize(56, 28);
    return button;
}

}  // namespace

TselePero::TselePero(QWidget* mainWindow, PenPalette& rules, ToolBox& tools)
    : QWidget(mainWindow, Qt::Tool),
      rules_(rules),
      tools_(tools),
      pen_(SpeedButton(this, "SpeedButton8", "Pero", "Kreslit, kudy jde myš")),
      line_(SpeedButton(this, "SpeedButton9", "Úsečka", "Kreslit úsečku")),
      fill_(SpeedButton(this, "SpeedButton1", "Výplň", "Vyplnit plochu terénem")),
      delete_(SpeedButton(this, "SpeedButton12", "Mazat", "Mazat objekty")),
      width_(new QSlider(Qt::Horizontal, this)) {
    setObjectName("selePero");
    setWindowTitle("Pero");

    // Pen, line and fill are one exclusive group; the delete button is a group of its own.
    auto* modes = new QButtonGroup(this);
    modes->setExclusive(true);
    modes->addButton(pen_);
    modes->addButton(line_);
    modes->addButton(fill_);
    pen_->setChecked(true);

    width_->setObjectName("TrackBar1");
    width_->setRange(0, kMaxPenRadius);
    width_->setPageStep(1);
    width_->setTickPosition(QSlider::TicksBelow);

    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QGridLayout;
    buttons->addWidget(pen_, 0, 0);
    buttons->addWidget(line_, 0, 1);
    buttons->addWidget(fill_, 1, 0);
    buttons->addWidget(delete_, 1, 1);
    layout->addLayout(buttons);
    layout->addWidget(new QLabel("Šířka pera", this));
    layout->addWidget(width_);
    layout->addWidget(new QLabel("Vidět na mapě", this));
    auto* boxes = new QGridLayout;
    for (size_t i = 0; i < layers_.size(); ++i) {
        const auto& box = kLayerBoxes[i];
        QCheckBox* check = new QCheckBox(box.Caption, this);
        check->setObjectName(box.Name);
        check->setChecked(true);
        boxes->addWidget(check, static_cast<int>(i / 2), static_cast<int>(i % 2));
        layers_[i] = check;
        const uint8_t bit = box.Bit;
        connect(check, &QCheckBox::clicked, this,
                [this, bit](bool ticked) { rules_.LayerBoxClick(bit, ticked); });
    }
    layout->addLayout(boxes);

    connect(pen_, &QToolButton::clicked, this, [this] { rules_.PenClick(); });
    connect(line_, &QToolButton::clicked, this, [this] { rules_.LineClick(); });
    connect(fill_, &QToolButton::clicked, this, [this] { rules_.FillClick(); });
    connect(delete_, &QToolButton::clicked, this, [this] { rules_.DeleteClick(); });
    connect(width_, &QSlider::valueChanged, this,
            [this](int position) { rules_.WidthChange(position); });

    tools_.AddListener(this);
    ToolsChanged(tools_.State(), tools_.Marks());
}

TselePero::~TselePero() {
    tools_.RemoveListener(this);
}

void TselePero::ToolsChanged(const ToolState& state, const PaletteMarks& marks) {
    // The bar follows the brush without asking for it again.
    const QSignalBlocker block(width_);
    width_->setValue(marks.PenTrackBar);
    delete_->setChecked(marks.DeleteDown);
    for (size_t i = 0; i < layers_.size(); ++i)
        layers_[i]->setChecked((marks.Layers & kLayerBoxes[i].Bit) != 0);
    QToolButton* mode = state.PenMode == kPenLine   ? line_
                        : state.PenMode == kPenFill ? fill_
                                                    : pen_;
    mode->setChecked(true);
}

}  // namespace tess
