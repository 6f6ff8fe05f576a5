// tessarine: the map editor. Finds and enters the game directory, then runs the main window.
#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QLocale>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>

#include "editor/EditorSession.h"
#include "editor/forms/AppIcon.h"
#include "editor/forms/MainForm.h"
#include "editor/forms/QtSettingsStore.h"
#include "editor/forms/QtUiHost.h"
#include "game/forms/SoundEditors.h"
#include "resources/BigFile.h"
#include "resources/GameDirectory.h"
#include "resources/Utils.h"

namespace {

// Said on the terminal too: the editor may have been started by a script.
int Refuse(const QString& text, int status) {
    std::fprintf(stderr, "tessarine: %s\n", text.toUtf8().constData());
    QMessageBox::critical(nullptr, tess::QtUiHost::kBoxTitle, text);
    return status;
}

// True once start-up has finished and no modal dialog waits for an answer.
bool StartedAndIdle(const tess::TForm1& form) {
    return form.Ready() && !QApplication::activeModalWidget();
}

// Opens the sound dialogs asked for on the command line (0: none) once start-up is done.
void OpenSoundDialogsWhenReady(tess::TForm1& form, int effectId, int buildingId) {
    if (effectId == 0 && buildingId == 0) return;
    auto* timer = new QTimer(&form);
    QObject::connect(timer, &QTimer::timeout, &form, [&form, effectId, buildingId, timer] {
        if (!StartedAndIdle(form)) return;
        timer->stop();
        timer->deleteLater();
        if (effectId != 0) form.SoundEditors().EditEffectSounds(effectId);
        if (buildingId != 0) form.SoundEditors().EditBuildingSounds(buildingId);
    });
    timer->start(50);
}

// Waits until start-up has finished, no dialog is open and the windows asked for have been on
// the screen for a moment (an effect's animation has run a few frames), then saves the screen
// (the window alone where the platform cannot grab the screen) and quits: pictures for tests
// and documents.
void SaveScreenshotWhenReady(tess::TForm1& form, const QString& file, bool soundDialogs) {
    auto* timer = new QTimer(&form);
    auto shown = std::make_shared<QElapsedTimer>();
    QObject::connect(timer, &QTimer::timeout, &form, [&form, file, timer, shown, soundDialogs] {
        if (!StartedAndIdle(form)) return;
        if (soundDialogs) {
            if (!form.SoundEditors().EffectDialog() && !form.SoundEditors().BuildingDialog())
                return;
            if (!shown->isValid()) shown->start();
            if (shown->elapsed() < 500) return;
        }
        timer->stop();
        QPixmap picture;
        if (QScreen* screen = QGuiApplication::primaryScreen()) picture = screen->grabWindow(0);
        if (picture.isNull()) picture = form.grab();
        const bool saved = picture.save(file, "PNG");
        if (!saved) std::fprintf(stderr, "tessarine: cannot write %s\n", file.toUtf8().constData());
        QApplication::exit(saved ? 0 : 1);
    });
    timer->start(100);
}

// A record id given on the command line; 0 when it is not a number above 0.
int IdOption(const QCommandLineParser& parser, const QCommandLineOption& option) {
    bool ok = false;
    const int id = parser.value(option).toInt(&ok);
    return ok && id > 0 ? id : 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(tess::QtSettingsStore::kOrganization);
    QApplication::setApplicationName(tess::QtSettingsStore::kApplication);
    QApplication::setWindowIcon(tess::TessarineIcon());

    QCommandLineParser parser;
    parser.setApplicationDescription("Tessarine, the map editor of Velmora.");
    parser.addHelpOption();
    const QCommandLineOption gameDirOption(
        "game-dir",
        "The game directory (default: the current directory when it holds zor.dat, "
        "else the demo game).",
        "DIR");
    parser.addOption(gameDirOption);
    const QCommandLineOption screenshotOption(
        "screenshot", "Once start-up is done, save a picture of the screen to FILE (PNG) and quit.",
        "FILE");
    parser.addOption(screenshotOption);
    const QCommandLineOption effectOption(
        "effect-sounds", "Once start-up is done, open the sound dialog of effect ID.", "ID");
    parser.addOption(effectOption);
    const QCommandLineOption buildingOption(
        "building-sounds", "Once start-up is done, open the sound dialog of building ID.", "ID");
    parser.addOption(buildingOption);
    parser.process(app);
    const int effectId = IdOption(parser, effectOption);
    const int buildingId = IdOption(parser, buildingOption);
    if ((parser.isSet(effectOption) && effectId == 0) ||
        (parser.isSet(buildingOption) && buildingId == 0))
        return Refuse("--effect-sounds a --building-sounds chtějí číslo větší než 0.", 2);

    // Numbers in messages follow the user's format.
    const QLocale locale;
    tess::UserNumberFormat().decimal = locale.decimalPoint().toStdString();
    tess::UserNumberFormat().group = locale.groupSeparator().toStdString();

    std::string given = parser.value(gameDirOption).toStdString();
    if (!given.empty()) given = std::filesystem::absolute(given).lexically_normal().string();
    const std::string gameDir = tess::ChooseGameDirectory(given);
    if (gameDir.empty())
        return Refuse(
            "Nebyl nalezen adresář hry (soubor zor.dat) ani ukázková hra.\n"
            "Zadejte adresář hry: tessarine --game-dir ADRESÁŘ",
            2);
    try {
        tess::EnterGameDirectory(gameDir);
    } catch (const tess::IoError& e) {
        return Refuse(QString("Adresář hry „%1“ nelze použít:\n%2")
                          .arg(QString::fromStdString(gameDir), QString::fromStdString(e.what())),
                      3);
    }

    tess::QtUiHost ui;
    tess::ScopedUi scopedUi(ui);
    tess::QtSettingsStore settings;

    tess::SessionSetup setup;
    setup.GameDirectory = std::filesystem::current_path().string();
    setup.Settings = &settings;
    setup.Seed = std::random_device{}();

    tess::TForm1 form(setup);
    ui.SetWindow(&form);
    // The whole screen even where no window manager maximises windows.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        form.setGeometry(screen->availableGeometry());
    form.showMaximized();
    OpenSoundDialogsWhenReady(form, effectId, buildingId);
    if (parser.isSet(screenshotOption))
        SaveScreenshotWhenReady(form, parser.value(screenshotOption),
                                effectId != 0 || buildingId != 0);
    return app.exec();
}
