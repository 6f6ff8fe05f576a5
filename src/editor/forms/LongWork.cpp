// Long work in the main window: a progress bar in the status bar, the window kept painted, and
// the fill's abort keys (Esc, and Scroll Lock where the system shows its state).
#include "editor/forms/LongWork.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QProgressBar>
#include <QStatusBar>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace tess {

namespace {

constexpr qint64 kPollMilliseconds = 40;

bool IsAbortKey(const QKeyEvent* key) {
    return key->key() == Qt::Key_Escape || key->key() == Qt::Key_ScrollLock;
}

bool IsUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::Close:
            return true;
        default:
            return false;
    }
}

}  // namespace

bool ScrollLockLightOn() {
    // The keyboards' lights, found once: "/sys/class/leds/input3::scrolllock".
    static const std::vector<std::filesystem::path> lights = [] {
        std::vector<std::filesystem::path> found;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator("/sys/class/leds", error))
            if (entry.path().filename().string().find("scrolllock") != std::string::npos)
                found.push_back(entry.path() / "brightness");
        return found;
    }();
    for (const auto& light : lights) {
        std::ifstream in(light);
        int brightness = 0;
        if (in >> brightness && brightness > 0) return true;
    }
    return false;
}

LongWork::LongWork(QMainWindow* window) : window_(window), bar_(new QProgressBar(window)) {
    bar_->setObjectName("WorkProgress");
    bar_->setMaximumWidth(240);
    bar_->hide();
    if (window) window->statusBar()->addPermanentWidget(bar_);
}

LongWork::~LongWork() {
    if (working_) qApp->removeEventFilter(this);
}

void LongWork::BeginWork(int32_t total) {
    abortKey_ = false;
    bar_->setRange(0, std::max(total, 1));
    bar_->setValue(0);
    bar_->show();
    if (!working_) qApp->installEventFilter(this);
    working_ = true;
    sincePoll_.invalidate();
}

void LongWork::WorkProgress(int32_t done) {
    bar_->setValue(std::min(done, bar_->maximum()));
    Poll(false);
}

bool LongWork::AbortRequested() {
    // The first question of a piece of work looks at once: a Scroll Lock left on stops it
    // before anything changes.
    Poll(!sincePoll_.isValid());
    return abortKey_;
}

void LongWork::EndWork() {
    if (working_) qApp->removeEventFilter(this);
    working_ = false;
    bar_->hide();
}

void LongWork::Poll(bool now) {
    if (!now && sincePoll_.isValid() && sincePoll_.elapsed() < kPollMilliseconds) return;
    sincePoll_.start();
    if (ScrollLockLightOn()) abortKey_ = true;
    QApplication::processEvents();
}

bool LongWork::eventFilter(QObject* watched, QEvent* event) {
    if (!working_ || !IsUserInput(event->type())) return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress && IsAbortKey(static_cast<QKeyEvent*>(event)))
        abortKey_ = true;
    event->ignore();
    return true;
}

}  // namespace tess
