#include "shell/window_factory.h"

#include <map>
#include <utility>

#include "framework/gui/dialogs.h"

namespace {

std::map<TTWWindowKind, TTWWindowOpener>& Openers()
{
    static std::map<TTWWindowKind, TTWWindowOpener> openers;
    return openers;
}

} // namespace

std::string_view WindowKindTitle(TTWWindowKind kind)
{
    switch (kind) {
    case TTWWindowKind::ThreadedEditor:
        return "The threaded-in pattern editor";
    case TTWWindowKind::SimpleDoubleFaceEditor:
        return "The simple double-face editor";
    case TTWWindowKind::MultiColourDoubleFaceEditor:
        return "The multi-colour double-face editor";
    case TTWWindowKind::SixHoleDoubleFaceEditor:
        return "The 6-hole double-face editor";
    case TTWWindowKind::BrokenTwillEditor:
        return "The 3/1 broken twill editor";
    case TTWWindowKind::FontGenerator:
        return "The font generator";
    case TTWWindowKind::LetteredBandEditor:
        return "The lettered band editor";
    case TTWWindowKind::BrocadeEditor:
        return "The brocade editor";
    case TTWWindowKind::TwistPatternedEditor:
        return "The twist-patterned editor";
    case TTWWindowKind::PaletteList:
        return "The palette list";
    case TTWWindowKind::Settings:
        return "The settings dialog";
    case TTWWindowKind::About:
        return "The about box";
    case TTWWindowKind::Revisions:
        return "The revision notes";
    case TTWWindowKind::JoinSideBySide:
        return "Joining patterns side by side";
    case TTWWindowKind::JoinEndToEnd:
        return "Joining patterns end to end";
    case TTWWindowKind::ConvertToBrocade:
        return "The conversion to brocade";
    case TTWWindowKind::FileTypeRegistration:
        return "The file-type registration";
    }
    return "This window";
}

std::string NotAvailableText(TTWWindowKind kind)
{
    return std::string(WindowKindTitle(kind)) + " is not available yet.";
}

void RegisterWindowOpener(TTWWindowKind kind, TTWWindowOpener opener)
{
    if (opener) {
        Openers()[kind] = std::move(opener);
    } else {
        Openers().erase(kind);
    }
}

bool WindowOpenerRegistered(TTWWindowKind kind)
{
    return Openers().contains(kind);
}

bool OpenWindowOfKind(TfrmTWMain& main, TTWWindowKind kind, int parameter)
{
    const auto found = Openers().find(kind);
    if (found == Openers().end()) {
        fw::MessageDlg(NotAvailableText(kind), fw::MsgDlgType::Information, fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
        return false;
    }
    // A copy: the opener may register another one for its kind while it runs.
    const TTWWindowOpener opener = found->second;
    opener(main, parameter);
    return true;
}

TTWShellFactories& ShellFactories()
{
    static TTWShellFactories factories;
    return factories;
}

void ResetWindowFactoriesForTests()
{
    Openers().clear();
    ShellFactories() = TTWShellFactories{};
}
