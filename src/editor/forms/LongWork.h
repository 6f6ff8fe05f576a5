// Long work in the main window: a progress bar in the status bar, the window kept painted, and
// the fill's abort keys (Esc, and Scroll Lock where the system shows its state).
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

#include "editor/EnginePorts.h"

class QMainWindow;
class QProgressBar;

namespace tess {

class LongWork final : public QObject, public LongWorkPort {
    Q_OBJECT
  public:
    explicit LongWork(QMainWindow* window);
    ~LongWork() override;

    void BeginWork(int32_t total) override;
    void WorkProgress(int32_t done) override;
    bool AbortRequested() override;
    void EndWork() override;

    QProgressBar* Bar() const { return bar_; }

  protected:
    // While work runs, user input is held back (the engine is in the middle of a change); only
    // the abort keys are noted.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Lets the window paint and notes the abort keys, at most every few dozen milliseconds.
    void Poll(bool now);

    QPointer<QMainWindow> window_;
    QProgressBar* bar_;
    QElapsedTimer sincePoll_;
    bool working_ = false;
    bool abortKey_ = false;
};

// Whether a keyboard's Scroll Lock light is on, as the kernel shows it; false where it does not.
bool ScrollLockLightOn();

}  // namespace tess
