#include "shell/program_start.h"

#include <memory>

#include "framework/gui/application.h"
#include "framework/gui/qt_run.h"
#include "model/model_hooks.h"
#include "model/model_state.h"
#include "shell/about_box.h"
#include "shell/browser_window.h"
#include "shell/convert_dialog.h"
#include "shell/file_loader.h"
#include "shell/file_type_dialog.h"
#include "shell/join_dialogs.h"
#include "shell/main_window.h"
#include "shell/notes_window.h"
#include "shell/palette_list_window.h"
#include "shell/settings_dialog.h"
#include "shell/window_factory.h"

TTWProgramLibraries::TTWProgramLibraries(const std::filesystem::path& programFolder)
{
    InitialiseModel(programFolder);
    // Long work in the model shows the hourglass for as long as it lasts.
    model_hooks::SetBusyHandler(
        [](bool busy) { fw::GetScreen().SetCursor(busy ? fw::crHourGlass : fw::crDefault); });
}

TTWProgramLibraries::~TTWProgramLibraries()
{
    model_hooks::SetBusyHandler({});
    FinaliseModel();
}

TfrmTWMain& CreateProgramWindows(fw::Component* owner)
{
    fw::App().SetTitle("Tavelin");
    // Until the window is built and loaded nobody else owns it.
    std::unique_ptr<TfrmTWMain> building(new TfrmTWMain(nullptr));
    building->FinishLoading();
    TfrmTWMain& main = *building.release();
    if (owner != nullptr) {
        owner->InsertComponent(&main);
    }
    TTWShellFactories& factories = ShellFactories();
    if (factories.CreateDataModule) {
        main.SetDataModule(factories.CreateDataModule(main));
    }
    if (factories.CreateNotesWindow) {
        main.SetNotesWindow(factories.CreateNotesWindow(main));
    }
    return main;
}

void RegisterShellModules()
{
    RegisterFileLoading();
    RegisterPaletteWindows();
    RegisterNotesWindow();
    RegisterBrowser();
    RegisterJoinDialogs();
    RegisterConversionDialog();
    RegisterFileTypeRegistration();
    RegisterSettingsDialog();
    RegisterAboutWindows();
}

int RunTavelin(int argc, char** argv, const std::function<void()>& registerModules)
{
    fw::App().SetCommandLine(argc, argv);
    const TTWProgramLibraries libraries(fw::App().ExeFolder());
    RegisterShellModules();
    if (registerModules) {
        registerModules();
    }
    return fw::RunQtApplication(argc, argv, []() -> fw::Form& { return CreateProgramWindows(&fw::App()); });
}
