// The object palette "Výběr objektů": tabs, three previews with their frames, names and tick
// boxes, the bar, the filters, and the "Náhodný" plant mix.
#include "editor/forms/SeleObj.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "editor/EditorSession.h"
#include "editor/forms/SurfacePainter.h"
#include "editor/palettes/Palettes.h"
#include "editor/palettes/PreviewPicture.h"
#include "resources/Utils.h"
#include "view/ViewDat.h"
#include "view/ZoomDat.h"

namespace tess {

namespace {

// Where a fill shows a hidden palette.
constexpr QPoint kFillSpot{20, 40};
constexpr int kMaxSpacing = 999;
constexpr int kWheelNotch = 120;

QString FromData(const std::string& cp1250) {
    return QString::fromStdString(Cp1250ToUtf8(cp1250));
}

void SetTextKeepingCursor(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) edit->setText(text);
}

}  // namespace

// --- TPreview ------------------------------------------------------------------------------------

TPreview::TPreview(QWidget* parent, EditorSession& session, int tag)
    : QWidget(parent), session_(session), tag_(tag) {
    setObjectName(QString("DXDraw%1").arg(tag + 1));
    setFixedSize(TSeleObj::kPreviewWidth, TSeleObj::kPreviewHeight);
}

void TPreview::Show(const tAddPack* entry) {
    const bool blank = entry == nullptr;
    const int32_t type = entry ? entry->IdObject : 0;
    const QString name = entry ? FromData(entry->Name) : QString();
    if (blank == blank_ && type == type_ && name == name_) return;
    blank_ = blank;
    type_ = type;
    name_ = name;
    setToolTip(name_);
    rendered_ = false;
    update();
}

void TPreview::Render() {
    rendered_ = true;
    picture_ = QImage();
    if (blank_ || type_ <= 0) return;
    tView* view = session_.MapView();
    if (!view || !view->Zoom || !view->Zoom->Objects) return;
    tSurface surface(width(), height());
    if (DrawPreview(surface, *view->Zoom->Objects, type_,
                    SurfacePixel(palette().color(QPalette::Button))))
        picture_ = SurfaceImage(surface);
}

void TPreview::paintEvent(QPaintEvent*) {
    if (!rendered_) Render();
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    if (!picture_.isNull()) {
        painter.drawImage(0, 0, picture_);
        return;
    }
    // An entry without a picture is known by its name.
    if (blank_) return;
    painter.setPen(Qt::black);
    painter.drawText(rect().adjusted(2, 2, -2, -2), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     name_);
}

void TPreview::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit Clicked(tag_);
}

void TPreview::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    rendered_ = false;
}

// --- TSeleObj ------------------------------------------------------------------------------------

TSeleObj::TSeleObj(QWidget* mainWindow, EditorSession& session)
    : QWidget(mainWindow, Qt::Tool),
      session_(session),
      rules_(session.PaletteRules().Objects()),
      tabs_(new QTabBar(this)),
      naturePages_(new QTabBar(this)),
      races_(new QComboBox(this)),
      kinds_(new QComboBox(this)),
      nahodne_(new QCheckBox("Náhodně umístit", this)),
      pages_(new QStackedWidget(this)) {
    setObjectName("SeleObj");
    setWindowTitle(ObjectPalette::kCaption);

    tabs_->setObjectName("PageControl1");
    for (int tab = 0; tab < kObjectTabCount; ++tab)
        tabs_->addTab(ObjectTabName(static_cast<ObjectTab>(tab)));
    naturePages_->setObjectName("PageControl2");
    naturePages_->addTab("Výběr");
    naturePages_->addTab("Náhodný");
    races_->setObjectName("ComboBoxRasy");
    for (const char* item : kRaceItems)
        races_->addItem(item);
    kinds_->setObjectName("ComboBoxTyp");
    for (const char* item : kKindItems)
        kinds_->addItem(item);
    nahodne_->setObjectName("nahodne");

    pages_->addWidget(BuildListPage());
    pages_->addWidget(BuildMixPage());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    auto* filters = new QHBoxLayout;
    filters->addWidget(races_);
    filters->addWidget(kinds_);
    filters->addWidget(nahodne_);
    filters->addStretch();
    layout->addLayout(filters);
    layout->addWidget(naturePages_);
    layout->addWidget(pages_);

    connect(tabs_, &QTabBar::currentChanged, this, [this](int tab) {
        if (tab >= 0) rules_.SelectTab(static_cast<ObjectTab>(tab));
    });
    connect(naturePages_, &QTabBar::currentChanged, this, [this](int page) {
        rules_.SelectNaturePage(page == 1 ? NaturePage::Nahodny : NaturePage::Vyber);
    });
    connect(races_, qOverload<int>(&QComboBox::activated), this,
            [this](int item) { rules_.RaceBoxChange(item); });
    connect(kinds_, qOverload<int>(&QComboBox::activated), this,
            [this](int item) { rules_.KindBoxChange(item); });
    connect(nahodne_, &QCheckBox::clicked, this,
            [this](bool ticked) { rules_.NahodneClick(ticked); });

    rules_.SetView(this);
    Refresh();
}

TSeleObj::~TSeleObj() {
    rules_.SetView(nullptr);
}

QWidget* TSeleObj::BuildListPage() {
    auto* page = new QWidget(this);
    auto* previews = new QVBoxLayout;
    for (int i = 0; i < kPreviewCount; ++i) {
        auto* bevel = new QFrame(page);
        bevel->setObjectName(QString("Bevel%1").arg(i + 1));
        bevel->setFrameShape(QFrame::Panel);
        bevel->setLineWidth(2);
        auto* preview = new TPreview(bevel, session_, i);
        auto* inside = new QVBoxLayout(bevel);
        inside->setContentsMargins(2, 2, 2, 2);
        inside->addWidget(preview);
        bevel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        auto* box = new QCheckBox(page);
        box->setObjectName(QString("CBox%1").arg(i + 1));
        previews->addWidget(bevel);
        previews->addWidget(box);
        connect(preview, &TPreview::Clicked, this, [this](int tag) { rules_.PreviewClick(tag); });
        connect(box, &QCheckBox::clicked, this,
                [this, i](bool ticked) { rules_.CheckBoxClick(i, ticked); });
        previews_[static_cast<size_t>(i)] = preview;
        bevels_[static_cast<size_t>(i)] = bevel;
        boxes_[static_cast<size_t>(i)] = box;
    }
    bar_ = new QSlider(Qt::Vertical, page);
    bar_->setObjectName("TrackBar");
    // The first entries at the top; the wheel moves down the list.
    bar_->setInvertedAppearance(true);
    bar_->setInvertedControls(true);
    bar_->setPageStep(kPreviewCount);
    connect(bar_, &QSlider::valueChanged, this,
            [this](int position) { rules_.TrackBarChange(position); });

    name_ = new QLabel(page);
    name_->setObjectName("Name");
    size_ = new QLabel(page);
    size_->setObjectName("Rozmery");
    clear_ = new QPushButton("clear", page);
    clear_->setObjectName("Button1");
    connect(clear_, &QPushButton::clicked, this, [this] { rules_.ClearClick(); });
    spacing1_ = new QLineEdit(page);
    spacing1_->setObjectName("Edit1");
    spacing1_->setValidator(new QIntValidator(0, kMaxSpacing, spacing1_));
    spacing1_->setMaximumWidth(48);
    connect(spacing1_, &QLineEdit::textEdited, this,
            [this](const QString& text) { rules_.SetSpacingText(text.toStdString()); });

    auto* top = new QHBoxLayout;
    top->addLayout(previews);
    top->addWidget(bar_);
    top->addStretch();
    auto* selection = new QHBoxLayout;
    selection->addWidget(clear_);
    selection->addWidget(new QLabel("mezery", page));
    selection->addWidget(spacing1_);
    selection->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(name_);
    layout->addWidget(size_);
    layout->addLayout(selection);
    return page;
}

QWidget* TSeleObj::BuildMixPage() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    for (int row = 0; row < kMixRows; ++row) {
        auto* box = new QComboBox(page);
        box->setObjectName(QString("ComboBox%1").arg(row + 1));
        // Item 0 is the empty row; the kinds follow in their order.
        box->addItem(kNoPlant);
        for (const char* kind : kPlantKinds)
            box->addItem(kind);
        auto* bar = new QSlider(Qt::Horizontal, page);
        bar->setObjectName(QString("TrackBar%1").arg(row + 1));
        bar->setRange(0, kMaxMixWeight);
        auto* label = new QLabel(page);
        label->setObjectName(QString("Label%1").arg(row + 1));
        label->setFont(QFont("Monospace"));
        grid->addWidget(box, row, 0);
        grid->addWidget(bar, row, 1);
        grid->addWidget(label, row, 2);
        connect(box, qOverload<int>(&QComboBox::activated), this,
                [this, row](int item) { rules_.SetMixKind(row, item - 1); });
        connect(bar, &QSlider::valueChanged, this,
                [this, row](int weight) { rules_.SetMixWeight(row, weight); });
        mixBoxes_[static_cast<size_t>(row)] = box;
        mixBars_[static_cast<size_t>(row)] = bar;
        mixLabels_[static_cast<size_t>(row)] = label;
    }
    spacing2_ = new QLineEdit(page);
    spacing2_->setObjectName("Edit2");
    spacing2_->setValidator(new QIntValidator(0, kMaxSpacing, spacing2_));
    spacing2_->setMaximumWidth(48);
    connect(spacing2_, &QLineEdit::textEdited, this,
            [this](const QString& text) { rules_.SetSpacingText(text.toStdString()); });
    grid->addWidget(new QLabel("Mezera mezi stromy", page), kMixRows, 0);
    grid->addWidget(spacing2_, kMixRows, 1, Qt::AlignLeft);
    grid->setRowStretch(kMixRows + 1, 1);
    return page;
}

bool TSeleObj::MixShown() const {
    return rules_.Tab() == ObjectTab::Priroda && rules_.Nature() == NaturePage::Nahodny;
}

void TSeleObj::ShowPalette() {
    if (!isVisible()) move(kFillSpot);
    show();
    raise();
}

void TSeleObj::PaletteChanged() {
    Refresh();
}

void TSeleObj::RefreshTabs() {
    const QSignalBlocker block(tabs_);
    tabs_->setTabVisible(static_cast<int>(ObjectTab::Efekty), rules_.EffectsTabShown());
    tabs_->setCurrentIndex(static_cast<int>(rules_.Tab()));
}

void TSeleObj::Refresh() {
    RefreshTabs();
    races_->setVisible(rules_.RaceBoxVisible());
    kinds_->setVisible(rules_.KindBoxVisible());
    races_->setCurrentIndex(rules_.RaceItem());
    kinds_->setCurrentIndex(rules_.KindItem());
    nahodne_->setChecked(rules_.Nahodne());
    {
        const QSignalBlocker block(naturePages_);
        naturePages_->setVisible(rules_.Tab() == ObjectTab::Priroda);
        naturePages_->setCurrentIndex(rules_.Nature() == NaturePage::Nahodny ? 1 : 0);
    }
    pages_->setCurrentIndex(MixShown() ? 1 : 0);

    const PaletteList& list = rules_.List();
    {
        const QSignalBlocker block(bar_);
        bar_->setRange(0, list.BarMax());
        bar_->setValue(list.BarPosition());
        bar_->setEnabled(list.BarEnabled());
    }
    for (int i = 0; i < kPreviewCount; ++i) {
        const PreviewSlot slot = rules_.Preview(i);
        const tAddPack* entry = list.Shown(i);
        previews_[static_cast<size_t>(i)]->Show(entry);
        bevels_[static_cast<size_t>(i)]->setFrameShadow(slot.Lowered ? QFrame::Sunken
                                                                     : QFrame::Raised);
        QCheckBox* box = boxes_[static_cast<size_t>(i)];
        box->setVisible(rules_.CheckBoxesVisible());
        box->setEnabled(entry != nullptr);
        box->setChecked(slot.Ticked);
    }
    name_->setText(FromData(rules_.NameLabel()));
    size_->setText(QString::fromStdString(rules_.SizeLabel()));

    const auto& rows = rules_.MixRows();
    for (int row = 0; row < kMixRows; ++row) {
        const MixRow& mix = rows[static_cast<size_t>(row)];
        mixBoxes_[static_cast<size_t>(row)]->setCurrentIndex(mix.Kind + 1);
        const QSignalBlocker block(mixBars_[static_cast<size_t>(row)]);
        mixBars_[static_cast<size_t>(row)]->setValue(mix.Weight);
        mixLabels_[static_cast<size_t>(row)]->setText(
            QString::fromStdString(rules_.Mix().Labels[static_cast<size_t>(row)]));
    }
    const QString spacing = QString::number(rules_.Spacing());
    SetTextKeepingCursor(spacing1_, spacing);
    SetTextKeepingCursor(spacing2_, spacing);
}

void TSeleObj::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // "Efekty" comes and goes with the sound designer's mode.
    if (event->type() == QEvent::ActivationChange) RefreshTabs();
}

void TSeleObj::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / kWheelNotch;
    if (notches == 0 || !bar_->isEnabled() || MixShown()) return;
    bar_->setValue(bar_->value() - notches);
    event->accept();
}

}  // namespace tess
