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
#include <string_view>

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
void Say(const QString& text, QMessageBox::Icon icon) {
    std::fprintf(stderr, "tessarine: %s\n", text.toUtf8().constData());
    QMessageBox(icon, tess::QtUiHost::kBoxTitle, text).exec();
}

int Refuse(const QString& text, int status) {
    Say(text, QMessageBox::Critical);
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

// The editor's command line.
struct CommandLine {
    QCommandLineParser parser;
    const QCommandLineOption gameDir{
        "game-dir",
        "The game directory (default: the current directory when it holds zor.dat, else the demo "
        "game; an installed demo game is copied to your data directory on first use and worked "
        "in there).",
        "DIR"};
    const QCommandLineOption screenshot{
        "screenshot", "Once start-up is done, save a picture of the screen to FILE (PNG) and quit.",
        "FILE"};
    const QCommandLineOption effect{
        "effect-sounds", "Once start-up is done, open the sound dialog of effect ID.", "ID"};
    const QCommandLineOption building{
        "building-sounds", "Once start-up is done, open the sound dialog of building ID.", "ID"};

    CommandLine() {
        parser.setApplicationDescription("Tessarine, the map editor of Velmora.");
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOptions({gameDir, screenshot, effect, building});
    }
};

bool AnswersWithoutWindow(const char* word) {
    const std::string_view w(word);
    return w == "--help" || w == "-h" || w == "-?" || w == "--help-all" || w == "--version" ||
           w == "-v";
}

// A record id given on the command line; 0 when it is not a number above 0.
int IdOption(const QCommandLineParser& parser, const QCommandLineOption& option) {
    bool ok = false;
    const int id = parser.value(option).toInt(&ok);
    return ok && id > 0 ? id : 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication::setOrganizationName(tess::QtSettingsStore::kOrganization);
    QCoreApplication::setApplicationName(tess::QtSettingsStore::kApplication);
    QCoreApplication::setApplicationVersion(TESS_VERSION);
    CommandLine options;
    // --help and --version answer on the terminal, where there may be no display to open.
    for (int i = 1; i < argc; ++i)
        if (AnswersWithoutWindow(argv[i])) {
            QCoreApplication terminal(argc, argv);
            options.parser.process(terminal);  // prints the answer and exits
        }

    QApplication app(argc, argv);
    QApplication::setWindowIcon(tess::TessarineIcon());
    options.parser.process(app);
    const int effectId = IdOption(options.parser, options.effect);
    const int buildingId = IdOption(options.parser, options.building);
    if ((options.parser.isSet(options.effect) && effectId == 0) ||
        (options.parser.isSet(options.building) && buildingId == 0))
        return Refuse("--effect-sounds a --building-sounds chtějí číslo větší než 0.", 2);

    // Numbers in messages follow the user's format.
    const QLocale locale;
    tess::UserNumberFormat().decimal = locale.decimalPoint().toStdString();
    tess::UserNumberFormat().group = locale.groupSeparator().toStdString();

    std::string given = options.parser.value(options.gameDir).toStdString();
    if (!given.empty()) given = std::filesystem::absolute(given).lexically_normal().string();
    std::string problem;
    const std::string gameDir = tess::ChooseGameDirectory(given, &problem);
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

    if (!problem.empty())
        Say(QString("Ukázkovou hru se nepodařilo zkopírovat do vašich dat (%1).\n"
                    "Pracuji v nainstalované ukázkové hře „%2“; mapy v ní nejspíš nepůjde "
                    "uložit.")
                .arg(QString::fromStdString(problem), QString::fromStdString(gameDir)),
            QMessageBox::Warning);

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
    if (options.parser.isSet(options.screenshot))
        SaveScreenshotWhenReady(form, options.parser.value(options.screenshot),
                                effectId != 0 || buildingId != 0);
    return app.exec();
}
