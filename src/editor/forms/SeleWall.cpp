// The wall palette "Lišta pro tvorbu zdí": eight wall kinds with their pictures and
// "Zalamovat".
#include "editor/forms/SeleWall.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPixmap>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/EditorSession.h"
#include "editor/MainMenu.h"
#include "editor/forms/SurfacePainter.h"
#include "editor/palettes/Palettes.h"
#include "view/ViewDat.h"
#include "view/ZoomDat.h"

namespace tess {

namespace {

constexpr int kButtonColumns = 4;

// The kinds' names, as the hidden "Stěny" menu gives them.
QString KindCaption(int32_t kind) {
    for (const MenuItem& top : MainMenuItems())
        if (top.Caption == "Stěny")
            for (const MenuItem& item : top.Items)
                if (item.Arg1 == kind) return QString::fromStdString(item.Caption);
    return QString::number(kind);
}

}  // namespace

TseleWall::TseleWall(QWidget* mainWindow, EditorSession& session)
    : QWidget(mainWindow, Qt::Tool),
      session_(session),
      zalamovat_(new QCheckBox("Zalamovat", this)) {
    setObjectName("seleWall");
    setWindowTitle("Lišta pro tvorbu zdí");
    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    for (int32_t tag = 1; tag <= kWallButtons; ++tag) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString("SpeedButton%1").arg(tag));
        button->setCheckable(true);
        button->setFixedSize(kWallButtonWidth, kWallButtonHeight);
        button->setIconSize(QSize(kWallButtonWidth - 6, kWallButtonHeight - 6));
        grid->addWidget(button, (tag - 1) / kButtonColumns, (tag - 1) % kButtonColumns);
        connect(button, &QToolButton::clicked, this,
                [this, tag] { session_.PaletteRules().Walls().WallClick(tag); });
        buttons_[static_cast<size_t>(tag - 1)] = button;
    }
    zalamovat_->setObjectName("CheckBox1");
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(zalamovat_);
    connect(zalamovat_, &QCheckBox::toggled, this, [this](bool ticked) {
        session_.PaletteRules().Walls().ZalamovatChange(ticked);
        FillList();
    });
    session_.Tools().AddListener(this);
    ToolsChanged(session_.Tools().State(), session_.Tools().Marks());
}

TseleWall::~TseleWall() {
    session_.Tools().RemoveListener(this);
}

void TseleWall::FillList() {
    const WallPalette& rules = session_.PaletteRules().Walls();
    const tView* view = session_.MapView();
    const uint16_t face = SurfacePixel(palette().color(QPalette::Button));
    for (int32_t tag = 1; tag <= kWallButtons; ++tag) {
        const int32_t kind = rules.KindOf(tag);
        QToolButton* button = buttons_[static_cast<size_t>(tag - 1)];
        button->setToolTip(KindCaption(kind));
        // Before start-up has the pictures, the buttons say which kind they are.
        const tWall* wall =
            view && view->Zoom ? view->Zoom->Walls[size_t(kind - 1)].get() : nullptr;
        if (!wall) {
            button->setIcon(QIcon());
            button->setText(QString::number(kind));
            continue;
        }
        tSurface picture;
        WallButtonPicture(*wall, face, picture);
        button->setText(QString());
        button->setIcon(QPixmap::fromImage(SurfaceImage(picture)));
    }
}

void TseleWall::ToolsChanged(const ToolState&, const PaletteMarks& marks) {
    for (int32_t tag = 1; tag <= kWallButtons; ++tag)
        buttons_[static_cast<size_t>(tag - 1)]->setChecked(marks.WallDown == tag);
}

void TseleWall::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FillList();
}

}  // namespace tess
