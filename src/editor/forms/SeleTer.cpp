// The terrain palette "Tereny": fifteen terrain buttons with their pictures and the level bar.
#include "editor/forms/SeleTer.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPixmap>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/EditorSession.h"
#include "editor/forms/EditTeren.h"
#include "editor/forms/SurfacePainter.h"
#include "editor/palettes/Palettes.h"
#include "editor/palettes/TerrainBinding.h"
#include "resources/Utils.h"

namespace tess {

namespace {

constexpr int kButtonColumns = 4;

}  // namespace

TseleTer::TseleTer(QWidget* mainWindow, EditorSession& session)
    : QWidget(mainWindow, Qt::Tool),
      session_(session),
      level_(new QSlider(Qt::Vertical, this)),
      up_(new QToolButton(this)),
      down_(new QToolButton(this)),
      bevel_(new QFrame(this)) {
    setObjectName("seleTer");
    setWindowTitle("Tereny");
    RunBindingDialog = [this](TerrainBinding& binding) {
        TEditTeren dialog(this, binding);
        return dialog.exec() == QDialog::Accepted;
    };

    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    for (int32_t t = 0; t < kTerrainButtons; ++t) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString("Teren%1").arg(t + 1));
        button->setCheckable(true);
        button->setFixedSize(kTerrainButtonSide + 6, kTerrainButtonSide + 6);
        button->setIconSize(QSize(kTerrainButtonSide, kTerrainButtonSide));
        button->setProperty("terrain", t);
        button->installEventFilter(this);
        grid->addWidget(button, t / kButtonColumns, t % kButtonColumns);
        connect(button, &QToolButton::clicked, this,
                [this, t] { session_.PaletteRules().Terrain().TerrainClick(t); });
        buttons_[static_cast<size_t>(t)] = button;
    }

    // The level group: the bar runs from the highest level at the top down to level 0.
    level_->setObjectName("TrackBar1");
    level_->setRange(0, kLevelBarMax);
    level_->setInvertedAppearance(true);
    level_->setInvertedControls(true);
    level_->setPageStep(1);
    level_->setTickPosition(QSlider::TicksRight);
    up_->setObjectName("BitBtn4");
    up_->setArrowType(Qt::UpArrow);
    up_->setToolTip("O úroveň výš");
    down_->setObjectName("BitBtn3");
    down_->setArrowType(Qt::DownArrow);
    down_->setToolTip("O úroveň níž");
    bevel_->setObjectName("Bevel2");
    bevel_->setFrameShape(QFrame::Panel);
    bevel_->setLineWidth(2);
    auto* levels = new QVBoxLayout(bevel_);
    levels->addWidget(up_, 0, Qt::AlignHCenter);
    levels->addWidget(level_, 1, Qt::AlignHCenter);
    levels->addWidget(down_, 0, Qt::AlignHCenter);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(bevel_);

    TerrainPalette& rules = session_.PaletteRules().Terrain();
    connect(level_, &QSlider::valueChanged, this,
            [&rules](int position) { rules.LevelBarChange(position); });
    connect(up_, &QToolButton::clicked, this, [&rules] { rules.LevelUpClick(); });
    connect(down_, &QToolButton::clicked, this, [&rules] { rules.LevelDownClick(); });

    session_.Tools().AddListener(this);
    ToolsChanged(session_.Tools().State(), session_.Tools().Marks());
}

TseleTer::~TseleTer() {
    session_.Tools().RemoveListener(this);
}

void TseleTer::ReLoad() {
    for (int32_t t = 0; t < kTerrainButtons; ++t) {
        const std::string& name = session_.Map().Terrains[static_cast<size_t>(t)].Name;
        tSurface picture;
        TerrainButtonPicture(name, picture);
        QToolButton* button = buttons_[static_cast<size_t>(t)];
        button->setIcon(QPixmap::fromImage(SurfaceImage(picture)));
        button->setToolTip(QString::fromStdString(Cp1250ToUtf8(name)));
    }
}

void TseleTer::EditTerrain(int32_t terrain) {
    if (!TerrainPalette::HasBinding(terrain)) return;
    TerrainBinding binding(session_.Map(), terrain);
    if (RunBindingDialog && RunBindingDialog(binding))
        session_.PaletteRules().BindingAccepted(binding);
    else
        session_.MeView();
}

bool TseleTer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        const QVariant terrain = watched->property("terrain");
        if (terrain.isValid()) {
            EditTerrain(terrain.toInt());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TseleTer::ToolsChanged(const ToolState&, const PaletteMarks& marks) {
    for (int32_t t = 0; t < kTerrainButtons; ++t)
        buttons_[static_cast<size_t>(t)]->setChecked(marks.TerrainDown == t);
    const QSignalBlocker block(level_);
    level_->setValue(marks.LevelTrackBar);
    bevel_->setFrameShadow(marks.LevelToolDown ? QFrame::Sunken : QFrame::Raised);
}

}  // namespace tess
