// tessarine: the map editor. Finds and enters the game directory, then runs the main window.
#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <QMessageBox>
#include <cstdio>
#include <filesystem>
#include <random>

#include "editor/EditorSession.h"
#include "editor/forms/AppIcon.h"
#include "editor/forms/MainForm.h"
#include "editor/forms/QtSettingsStore.h"
#include "editor/forms/QtUiHost.h"
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
    parser.process(app);

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
    form.showMaximized();
    return app.exec();
}
