// The one QApplication of the form tests; settings and data go to temporary directories, never
// to the user's own.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>

namespace tess::test {

inline QTemporaryDir& SettingsDirectory() {
    static QTemporaryDir dir;
    return dir;
}

// The per-user data location of the tests (autosaved pairs go there), never the user's own.
inline QTemporaryDir& DataDirectory() {
    static QTemporaryDir dir;
    return dir;
}

inline QApplication& TestApp() {
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("XDG_DATA_HOME", DataDirectory().path().toUtf8());
        static int argc = 1;
        static char name[] = "forms_tests";
        static char* argv[] = {name, nullptr};
        auto* created = new QApplication(argc, argv);
        // Before any QSettings exists: every scope and format lives in the temporary directory.
        for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
            for (QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope})
                QSettings::setPath(format, scope, SettingsDirectory().path());
        return created;
    }();
    return *app;
}

// Acts on the modal dialogs that code under test opens, one step per dialog, in order: each
// step gets the active modal widget and must close it. Steps left over when the guard ends
// mean a dialog that never came.
class ModalScript {
  public:
    using Step = std::function<void(QWidget*)>;

    explicit ModalScript(std::deque<Step> steps) : steps_(std::move(steps)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start(5);
    }
    size_t Remaining() const { return steps_.size(); }

  private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || steps_.empty() || (modal == last_ && modal->isVisible())) return;
        last_ = modal;
        Step step = std::move(steps_.front());
        steps_.pop_front();
        step(modal);
    }

    std::deque<Step> steps_;
    QTimer timer_;
    QPointer<QWidget> last_;
};

}  // namespace tess::test
