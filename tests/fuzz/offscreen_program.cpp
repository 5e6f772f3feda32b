#include "offscreen_program.h"

#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/tabbed_pages.h"
#include "editors/editors_registration.h"
#include "framework/core/exceptions.h"
#include "framework/core/files.h"
#include "framework/gui/application.h"
#include "framework/gui/control.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/form.h"
#include "framework/gui/input.h"
#include "framework/gui/menu.h"
#include "framework/gui/message.h"
#include "framework/gui/qt_application.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/qt_peer.h"
#include "model/model_state.h"
#include "model/user_settings.h"
#include "shell/main_window.h"
#include "shell/program_start.h"
#include "shell/tool_actions.h"
#include "shell/window_factory.h"

// The system's font configuration keeps what it reads as it first lists the fonts, for the
// process's life, beyond the reach of any pointer the leak checker sees: not ours to free.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

namespace offscreen_program {

namespace {

namespace fs = std::filesystem;

// Everything the running program holds, made in this order and let go in the reverse one.
struct Program {
    fs::path folder;
    // Qt keeps references to these for the application's life.
    int argc = 1;
    char name[24] = "tavelin_fuzz";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> qt;
    std::unique_ptr<fw::QtPaintBackend> backend;
    std::unique_ptr<fw::QtPlatform> platform;
    std::unique_ptr<fw::InputRouter> router;
    std::unique_ptr<fw::QtPeerKeeper> keeper;
    std::unique_ptr<TTWProgramLibraries> libraries;
    TfrmTWMain* main = nullptr;
    // The Qt widgets alive with no editor open, once every kind of editor has been opened
    // and closed (a first opening may make things that stay, a hint window say).
    qsizetype widgetsWithoutEditors = 0;
};

Program* running = nullptr;

void Stop()
{
    Program& program = *running;
    // The forms go while the router, the backend and Qt are still there, as at the
    // program's own end.
    fw::App().FreeComponents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    program.keeper.reset();
    program.router.reset();
    program.platform.reset();
    fw::SetDefaultPaintBackend(nullptr);
    program.backend.reset();
    program.libraries.reset();
    program.qt.reset();
    std::error_code ignored;
    fs::remove_all(program.folder, ignored);
    delete running;
    running = nullptr;
}

// The user: Yes, else OK, to every message box; nothing else is ever accepted.
void PlayTheUser()
{
    fw::SetMessageBoxHandler([](const fw::MessageBoxRequest& request) {
        return fw::ModalResultOf(request.Buttons.Contains(fw::MsgDlgBtn::Yes) ? fw::MsgDlgBtn::Yes
                                                                               : fw::MsgDlgBtn::OK);
    });
    fw::SetInputQueryHandler([](const fw::InputQueryRequest&, std::string&) { return false; });
    fw::FileDialog::SetHandler([](fw::FileDialog&) { return false; });
    fw::ColorDialog::SetHandler([](fw::ColorDialog&) { return false; });
    fw::FontDialog::SetHandler([](fw::FontDialog&) { return false; });
    fw::FolderDialog::SetHandler([](fw::FolderDialog&) { return false; });
    fw::PrinterSetupDialog::SetHandler([](fw::PrinterSetupDialog&) { return false; });
    fw::PopupMenu::SetPopupHandler([](fw::PopupMenu&, fw::Point) {});
    fw::Form::SetModalRunner([](fw::Form& form) { form.SetModalResult(fw::mrCancel); });
}

void Visit(fw::Control& control, const std::function<void(fw::Control&)>& visit)
{
    visit(control);
    if (auto* parent = dynamic_cast<fw::WinControl*>(&control)) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            Visit(*parent->Controls(i), visit);
        }
    }
}

// Every page control of the editor, found before any page changes (a page shown may add
// controls).
std::vector<fw::WeakRef<TILBrushPageControl>> PageControlsOf(fw::Form& editor)
{
    std::vector<fw::WeakRef<TILBrushPageControl>> found;
    Visit(editor, [&](fw::Control& control) {
        if (auto* pages = dynamic_cast<TILBrushPageControl*>(&control)) {
            found.emplace_back(pages);
        }
    });
    return found;
}

// Each page chosen in turn as a click on its tab chooses it (the editor may refuse), and
// the editor drawn with it. Like every entry from the window system, each step hands its
// errors to the application's handler.
void DrawEveryPage(fw::Form& editor)
{
    const fw::WeakRef<fw::Form> alive(&editor);
    for (const fw::WeakRef<TILBrushPageControl>& pages : PageControlsOf(editor)) {
        for (int i = 0; pages && i < pages->PageCount(); ++i) {
            TILBrushPage* page = pages->Page(i);
            const TILBrushPageControl::ChangingPageEvent& changing = pages->OnChangingPage();
            if (page == pages->ActivePage() || (changing && !changing(pages.Get(), page))) {
                continue;
            }
            fw::GuardedCall([&] { pages->SetActivePage(page); });
            Settle();
            if (!alive) {
                Fail("An editor went away while its pages were shown.");
            }
            fw::GuardedCall([&] { fw::RenderToBitmap(editor); });
        }
    }
}

} // namespace

void Start()
{
    if (running != nullptr) {
        return;
    }
    auto program = std::make_unique<Program>();
    program->folder = fs::path(fw::TempFolder()) / ("tavelin_fuzz_" + std::to_string(::getpid()));
    fs::remove_all(program->folder);
    fs::create_directories(program->folder / "config");
    fs::create_directories(program->folder / "data");
    fs::create_directories(program->folder / "inputs");
    // No screen: the offscreen platform, whatever the machine offers. The program's settings
    // and the desktop's data stay in the scratch folder.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((program->folder / "config").string()));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((program->folder / "data").string()));

    program->qt = std::make_unique<QApplication>(program->argc, program->argv);
    QApplication::setQuitOnLastWindowClosed(false);
    program->backend = std::make_unique<fw::QtPaintBackend>();
    fw::SetDefaultPaintBackend(program->backend.get());
    program->platform = std::make_unique<fw::QtPlatform>();
    program->router = std::make_unique<fw::InputRouter>();
    program->keeper = std::make_unique<fw::QtPeerKeeper>(*program->router);
    PlayTheUser();

    program->libraries = std::make_unique<TTWProgramLibraries>(program->folder);
    // Whatever this machine's settings say: no question about the file types at start, no
    // default notes.
    UserSettings().System.CheckTVLReg = false;
    UserSettings().DefaultNotes.clear();
    RegisterShellModules();
    RegisterEditors();
    running = program.release();
    TfrmTWMain& main = CreateProgramWindows(&fw::App());
    running->main = &main;
    fw::App().SetMainForm(&main);
    main.Show();
    // After the main window, which installs the exception dialog there.
    fw::App().SetOnException([](const std::exception& error) {
        if (dynamic_cast<const fw::Exception*>(&error) == nullptr) {
            std::fprintf(stderr, "An event raised a foreign error: %s\n", error.what());
            std::abort();
        }
    });
    Settle();
    for (const TTWWindowKind kind :
         {TTWWindowKind::ThreadedEditor, TTWWindowKind::SimpleDoubleFaceEditor,
          TTWWindowKind::MultiColourDoubleFaceEditor, TTWWindowKind::SixHoleDoubleFaceEditor,
          TTWWindowKind::BrokenTwillEditor, TTWWindowKind::FontGenerator, TTWWindowKind::LetteredBandEditor,
          TTWWindowKind::BrocadeEditor, TTWWindowKind::TwistPatternedEditor}) {
        if (!OpenWindowOfKind(main, kind, kind == TTWWindowKind::ThreadedEditor ? 4 : 0)) {
            Fail("An editor of the Create menu did not open.");
        }
        DrawEditors();
        CloseEditors();
    }
    running->widgetsWithoutEditors = QApplication::allWidgets().size();
    // Taken down before the statics of Qt that were made on the way.
    std::atexit(Stop);
}

TfrmTWMain& Main()
{
    return *running->main;
}

fs::path WriteInput(std::string_view name, const std::uint8_t* data, std::size_t size)
{
    const fs::path path = running->folder / "inputs" / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    if (!out) {
        Fail("The input could not be written to its file.");
    }
    return path;
}

void Settle()
{
    fw::SyncQtPeers();
    QCoreApplication::processEvents();
    fw::ProcessPostedMessages();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void DrawEditors()
{
    Settle();
    TfrmTWMain& main = Main();
    std::vector<fw::WeakRef<fw::Form>> editors;
    for (int i = 0; i < main.MDIChildCount(); ++i) {
        editors.emplace_back(main.MDIChildren(i));
    }
    for (const fw::WeakRef<fw::Form>& editor : editors) {
        if (!editor) {
            Fail("An editor went away while the editors were drawn.");
        }
        fw::GuardedCall([&] { fw::RenderToBitmap(*editor.Get()); });
        DrawEveryPage(*editor.Get());
    }
}

void CloseEditors()
{
    TfrmTWMain& main = Main();
    while (main.MDIChildCount() > 0) {
        const fw::WeakRef<fw::Form> editor(main.MDIChildren(0));
        fw::GuardedCall([&] { editor->Close(); });
        Settle();
        if (editor) {
            Fail("An editor stayed open after Yes to losing its changes.");
        }
    }
    // Widgets that outlive their editor pile up for the program's life, out of the leak
    // checker's sight: Qt still holds them.
    if (running->widgetsWithoutEditors != 0 && QApplication::allWidgets().size() > running->widgetsWithoutEditors) {
        Fail("Qt widgets were left behind: " + std::to_string(QApplication::allWidgets().size()) +
             " with every editor closed, " + std::to_string(running->widgetsWithoutEditors) + " before.");
    }
}

fw::Form* ActiveEditor()
{
    return Main().ActiveMDIChild();
}

ITWActions* ActiveEditorActions()
{
    return dynamic_cast<ITWActions*>(ActiveEditor());
}

void Fail(std::string_view what)
{
    std::fprintf(stderr, "%.*s\n", static_cast<int>(what.size()), what.data());
    std::abort();
}

} // namespace offscreen_program
