#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "foundation/enhanced_list.h"
#include "framework/core/object.h"

// The commands of the main window's menus and tool bar, as the editors see them: every
// tagged command control carries one of these action ids as its Tag, and the editor windows
// report which of them they support through a tool-action list.
namespace TWAction {
inline constexpr int PatternDetails = 1;
inline constexpr int CardSetup = 2;
inline constexpr int Save = 3;
inline constexpr int ThreadingDiagram = 4;
inline constexpr int Notes = 5;
inline constexpr int PatternSize = 6;
inline constexpr int Print = 100;
inline constexpr int GridColour = 208;
inline constexpr int ZoomIn = 300;
inline constexpr int ZoomOut = 301;
inline constexpr int DisplayRatios = 302;
inline constexpr int Rotate = 303;
inline constexpr int BlockPattern = 304;
inline constexpr int CardList = 305;
inline constexpr int Selvedges = 306;
inline constexpr int ShowTwining = 350;
inline constexpr int ShowGrid = 351;
inline constexpr int ShowDirectionChanges = 352;
inline constexpr int ShowColours = 353;
inline constexpr int ShowCardTwists = 354;
inline constexpr int ShowUppermostHole = 355;
inline constexpr int ShowReverse = 356;
inline constexpr int ShowTurningDirection = 357;
inline constexpr int ShowLongFloats = 358;
inline constexpr int ShowUnderlyingBlockPattern = 359;
inline constexpr int ShowIdlingCards = 360;
inline constexpr int ShowGridTags = 361;
inline constexpr int ShowCardThreading = 362;
inline constexpr int ShowGridHighlights = 363;
inline constexpr int SaveImage = 400;
inline constexpr int PrintImage = 401;
inline constexpr int CopyImage = 402;
inline constexpr int CaptureProfile = 500;
inline constexpr int SelectProfile = 501;
// The run-time items of the profile menu; their data is the display profile (none for the
// standard weaving chart).
inline constexpr int ApplyProfile = 502;
inline constexpr int ImportBitmap = 600;
inline constexpr int ShiftLeft = 601;
inline constexpr int ShiftRight = 602;
inline constexpr int ShiftUp = 603;
inline constexpr int ShiftDown = 604;
inline constexpr int Invert = 605;
inline constexpr int ClearDesign = 606;
inline constexpr int MirrorHorizontal = 607;
inline constexpr int MirrorVertical = 608;
inline constexpr int Undo = 609;
inline constexpr int Redo = 610;
inline constexpr int SelectArea = 611;
inline constexpr int RealignPattern = 612;
inline constexpr int ClipPanel = 613;
inline constexpr int CopySelection = 614;
inline constexpr int UndoArea = 615;
inline constexpr int CutSelection = 616;
inline constexpr int ImportGroundWeave = 617;
inline constexpr int ClearGroundWeave = 618;
} // namespace TWAction

// One command an editor supports, with its state: Down is "pressed" for a tool button and
// "checked" for a menu item.
class TTWToolAction : public fw::Object {
public:
    TTWToolAction(std::int32_t id, bool enabled, bool down) : ID(id), Enabled(enabled), Down(down) {}

    std::string_view className() const override { return "TTWToolAction"; }

    std::int32_t ID;
    bool Enabled;
    bool Down;
};

// The commands an editor supports in its present state, in the order it added them. An id
// that is not in the list counts as disabled. The list owns its actions.
class TTWToolActionList : public TEnhancedListOf<TTWToolAction> {
public:
    TTWToolActionList() : TEnhancedListOf<TTWToolAction>(ListOwnership::Owning) {}

    std::string_view className() const override { return "TTWToolActionList"; }
    fw::Object* NewInstance() const override { return new TTWToolActionList; }

    // The first action with the id, searched from the start; none without one.
    TTWToolAction* Find(std::int32_t id) const;
    // On: adds the id enabled and not pressed unless it is there already (then nothing
    // changes). Off: removes and frees the action with the id, when there is one.
    void AddRemoveAction(std::int32_t id, bool on);
    // AddRemoveAction with on (or off) for each id in order.
    void EnableActions(std::initializer_list<std::int32_t> ids);
    void DisableActions(std::initializer_list<std::int32_t> ids);
    // Finds the action or appends a new one, then sets both states.
    TTWToolAction* SetAction(std::int32_t id, bool enabled, bool down);
};

// The command interface of the editor windows and of the view frames they embed.
class ITWActions {
public:
    // The interface's identity, for those who ask objects for it by id.
    static constexpr std::string_view InterfaceId = "{5550E9D1-5774-11D6-AA42-00C04F43120A}";

    ITWActions() = default;
    virtual ~ITWActions() = default;
    ITWActions(const ITWActions&) = delete;
    ITWActions& operator=(const ITWActions&) = delete;

    // Carries out the action; data is the chosen display profile for the profile items,
    // none otherwise. Answers whether the action was handled.
    virtual bool PerformAction(std::int32_t actionId, bool down, fw::Object* data) = 0;
    // Adds to the empty list every action supported now, with its states.
    virtual void GetToolActions(TTWToolActionList& list) = 0;
    // Pastes a bitmap clip into the design; an implementer without a design ignores it.
    virtual void PasteClip(fw::Object* source) = 0;
};

// The notes and the name of the pattern an editor window holds.
class ITWFormActions {
public:
    ITWFormActions() = default;
    virtual ~ITWFormActions() = default;
    ITWFormActions(const ITWFormActions&) = delete;
    ITWFormActions& operator=(const ITWFormActions&) = delete;

    virtual std::string GetNotes() = 0;
    virtual void SetNotes(const std::string& notes) = 0;
    // Empty for a pattern that was never saved.
    virtual std::string GetFileName() = 0;
    virtual std::string GetPatternName() = 0;
    // Sets the pattern's name and the window caption, and tells the main window.
    virtual void SetPatternName(const std::string& name) = 0;
};
