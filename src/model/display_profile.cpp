#include "model/display_profile.h"

#include <string>

#include "foundation/generic_exception.h"
#include "foundation/string_utils.h"
#include "foundation/xml_node.h"
#include "framework/core/strings.h"
#include "model/profile_targets.h"

namespace {

constexpr const char* ProfileTag = "EditorProfile";
constexpr const char* WeavingImageTypeName = "Real";
constexpr const char* BlockTypeName = "Block";

// The text of a direct child, empty when there is none.
std::string ChildText(const TILXMLNode* node, std::string_view tag)
{
    const TILXMLNode* child = node->FindChild(tag);
    return child != nullptr ? std::string(child->Value()) : std::string();
}

// Ratios missing from the element, or that are no number, read as 1.0: a damaged profile
// must not keep the rest of the settings from loading.
double RatioFromChild(const TILXMLNode* node, std::string_view tag)
{
    double value = 0;
    return fw::TryStrToFloat(ChildText(node, tag), value) ? value : 1.0;
}

bool BoolFromChild(const TILXMLNode* node, std::string_view tag)
{
    return StrToBoolText(ChildText(node, tag));
}

const char* TagTypeText(TTWTagType tagType)
{
    switch (tagType) {
    case TTWTagType::Hole:
        return "Hole";
    case TTWTagType::Turn:
        return "Turn";
    default:
        return "None";
    }
}

TTWTagType TagTypeFromText(std::string_view text)
{
    if (fw::SameText(text, "Hole")) {
        return TTWTagType::Hole;
    }
    if (fw::SameText(text, "Turn")) {
        return TTWTagType::Turn;
    }
    return TTWTagType::None;
}

// The class names the refusals give for the frame each kind of profile needs.
constexpr const char* WeavingImageFrameClass = "TfrmWeavingImage";
constexpr const char* BlockFrameClass = "TfrmBlockPattern";

enum class ProfileOperation { Apply, Retrieve };

[[noreturn]] void RaiseWrongFrame(const TTWDesignProfileBase* profile, const ITWProfileTarget& frame,
                                  ProfileOperation operation, std::string_view frameClass)
{
    const bool applying = operation == ProfileOperation::Apply;
    std::string message = applying ? "Unable to apply profile setting to the control.\r\n"
                                   : "Unable to retrieve profile setting from the control.\r\n";
    message += frame.className();
    message += " is not a descendant of ";
    message += frameClass;
    message += ".";
    throw TGenericException::CreateFromSender(message, nullptr, profile, applying ? "ApplyTo" : "GetFrom");
}

// The frame as the interface of the profile's kind. A frame derived from one of the two
// frames inherits that frame's interface and so is accepted like it.
template <class Target, class Frame>
Target& FrameAs(Frame& frame, const TTWDesignProfileBase* profile, ProfileOperation operation,
                std::string_view frameClass)
{
    auto* target = dynamic_cast<Target*>(&frame);
    if (target == nullptr) {
        RaiseWrongFrame(profile, frame, operation, frameClass);
    }
    return *target;
}

// Makes the changes inside one update of the frame. A change that fails still ends the
// update: a frame left inside one would never draw again.
template <class Changes>
void InsideUpdate(ITWProfileTarget& frame, Changes&& changes)
{
    frame.BeginUpdate();
    try {
        changes();
    } catch (...) {
        frame.EndUpdate();
        throw;
    }
    frame.EndUpdate();
}

} // namespace

const char* OrientationText(TTWOrientation orientation)
{
    return orientation == TTWOrientation::Horizontal ? "Horizontal" : "Vertical";
}

void TTWDesignProfileBase::Assign(const fw::Persistent* source)
{
    if (auto* profile = dynamic_cast<const TTWDesignProfileBase*>(source)) {
        Name = profile->Name;
        Zoom = profile->Zoom;
        ShowGrid = profile->ShowGrid;
        Orientation = profile->Orientation;
        GridColour = profile->GridColour;
        return;
    }
    fw::Persistent::Assign(source);
}

TILXMLNode* TTWDesignProfileBase::BuildXML(TILXMLNode* parent) const
{
    TILXMLNode* element = parent->AddChild(ProfileTag);
    element->AddAttribute("Name", Name);
    element->AddChildValue("Type", kind_ == TTWProfileKind::Block ? BlockTypeName : WeavingImageTypeName);
    element->AddChildValue("Zoom", fw::IntToStr(Zoom));
    element->AddChildValue("ShowGrid", YesNoText(ShowGrid));
    element->AddChildValue("Orientation", OrientationText(Orientation));
    element->AddChildValue("GridColour", ColourToText(GridColour));
    BuildOwnXML(element);
    return element;
}

void TTWDesignProfileBase::ExtractXML(const TILXMLNode* node)
{
    if (node == nullptr) {
        return;
    }
    Name = node->GetAttribute("Name");
    Zoom = fw::StrToIntDef(ChildText(node, "Zoom"), 1);
    ShowGrid = BoolFromChild(node, "ShowGrid");
    Orientation = fw::SameText(ChildText(node, "Orientation"), "Horizontal") ? TTWOrientation::Horizontal
                                                                             : TTWOrientation::Vertical;
    GridColour = TextToColour(ChildText(node, "GridColour"));
    ExtractOwnXML(node);
}

void TTWDesignProfileWeavingImage::Assign(const fw::Persistent* source)
{
    TTWDesignProfileBase::Assign(source);
    if (auto* profile = dynamic_cast<const TTWDesignProfileWeavingImage*>(source)) {
        WarpWidthBase = profile->WarpWidthBase;
        BlockCentreBase = profile->BlockCentreBase;
        BlockEndBase = profile->BlockEndBase;
        ShowColours = profile->ShowColours;
        TagType = profile->TagType;
        MarkDirChanges = profile->MarkDirChanges;
        MarkTwists = profile->MarkTwists;
        MarkLongFloats = profile->MarkLongFloats;
        MarkIdle = profile->MarkIdle;
        ShowTwining = profile->ShowTwining;
        ShowReverse = profile->ShowReverse;
        ShowPickTags = profile->ShowPickTags;
        ShowCardThreading = profile->ShowCardThreading;
        ImageType = profile->ImageType;
    }
}

void TTWDesignProfileWeavingImage::ApplyTo(ITWProfileTarget& frame) const
{
    auto& image = FrameAs<ITWWeavingImageProfileTarget>(frame, this, ProfileOperation::Apply, WeavingImageFrameClass);
    InsideUpdate(image, [&] {
        image.SetImageType(ImageType);
        image.SetTagType(TagType);
        image.SetOrientation(Orientation);
        image.SetGridColour(GridColour);
        image.SetZoom(Zoom);
        image.StoreCellRatios(WarpWidthBase, BlockCentreBase, BlockEndBase);
        image.SetShowGrid(ShowGrid);
        image.SetShowColours(ShowColours);
        image.SetMarkDirChanges(MarkDirChanges);
        image.SetMarkTwists(MarkTwists);
        image.SetMarkLongFloats(MarkLongFloats);
        image.SetMarkIdle(MarkIdle);
        image.SetShowTwining(ShowTwining);
        image.SetShowReverse(ShowReverse);
        image.SetShowPickTags(ShowPickTags);
        image.SetShowCardThreading(ShowCardThreading);
    });
}

void TTWDesignProfileWeavingImage::GetFrom(const ITWProfileTarget& frame)
{
    const auto& image =
        FrameAs<const ITWWeavingImageProfileTarget>(frame, this, ProfileOperation::Retrieve, WeavingImageFrameClass);
    ImageType = image.GetImageType();
    TagType = image.GetTagType();
    Orientation = image.GetOrientation();
    GridColour = image.GetGridColour();
    Zoom = image.GetZoom();
    WarpWidthBase = image.GetWidthRatio();
    BlockCentreBase = image.GetHeightRatio();
    BlockEndBase = image.GetSlantRatio();
    ShowGrid = image.GetShowGrid();
    ShowColours = image.GetShowColours();
    MarkDirChanges = image.GetMarkDirChanges();
    MarkTwists = image.GetMarkTwists();
    MarkLongFloats = image.GetMarkLongFloats();
    MarkIdle = image.GetMarkIdle();
    ShowTwining = image.GetShowTwining();
    ShowReverse = image.GetShowReverse();
    ShowPickTags = image.GetShowPickTags();
    ShowCardThreading = image.GetShowCardThreading();
}

void TTWDesignProfileWeavingImage::BuildOwnXML(TILXMLNode* element) const
{
    element->AddChildValue("WarpWidthBase", fw::FloatToStr(WarpWidthBase));
    element->AddChildValue("BlockCentreBase", fw::FloatToStr(BlockCentreBase));
    element->AddChildValue("BlockEndBase", fw::FloatToStr(BlockEndBase));
    element->AddChildValue("TagType", TagTypeText(TagType));
    element->AddChildValue("ShowColours", YesNoText(ShowColours));
    element->AddChildValue("MarkDirChanges", YesNoText(MarkDirChanges));
    element->AddChildValue("MarkTwists", YesNoText(MarkTwists));
    element->AddChildValue("MarkLongFloats", YesNoText(MarkLongFloats));
    element->AddChildValue("MarkIdle", YesNoText(MarkIdle));
    element->AddChildValue("ShowTwining", YesNoText(ShowTwining));
    element->AddChildValue("ShowReverse", YesNoText(ShowReverse));
    element->AddChildValue("ShowPickTags", YesNoText(ShowPickTags));
    element->AddChildValue("ShowCardThreading", YesNoText(ShowCardThreading));
    // An image type the frames do not know is left out rather than stored as a wrong one.
    if (ImageType == TTWImageType::Block) {
        element->AddChildValue("ImageType", "Block");
    } else if (ImageType == TTWImageType::Real) {
        element->AddChildValue("ImageType", "Real");
    }
}

void TTWDesignProfileWeavingImage::ExtractOwnXML(const TILXMLNode* element)
{
    WarpWidthBase = RatioFromChild(element, "WarpWidthBase");
    BlockCentreBase = RatioFromChild(element, "BlockCentreBase");
    BlockEndBase = RatioFromChild(element, "BlockEndBase");
    TagType = TagTypeFromText(ChildText(element, "TagType"));
    ShowColours = BoolFromChild(element, "ShowColours");
    MarkDirChanges = BoolFromChild(element, "MarkDirChanges");
    MarkTwists = BoolFromChild(element, "MarkTwists");
    MarkLongFloats = BoolFromChild(element, "MarkLongFloats");
    MarkIdle = BoolFromChild(element, "MarkIdle");
    ShowTwining = BoolFromChild(element, "ShowTwining");
    ShowReverse = BoolFromChild(element, "ShowReverse");
    ShowPickTags = BoolFromChild(element, "ShowPickTags");
    ShowCardThreading = BoolFromChild(element, "ShowCardThreading");
    ImageType = fw::SameText(ChildText(element, "ImageType"), "Block") ? TTWImageType::Block : TTWImageType::Real;
}

void TTWDesignProfileBlock::Assign(const fw::Persistent* source)
{
    TTWDesignProfileBase::Assign(source);
    if (auto* profile = dynamic_cast<const TTWDesignProfileBlock*>(source)) {
        BaseWidth = profile->BaseWidth;
        BaseHeight = profile->BaseHeight;
        SimpleDraw = profile->SimpleDraw;
        ShowBasicPattern = profile->ShowBasicPattern;
        ShowTwist = profile->ShowTwist;
        ShowPickTags = profile->ShowPickTags;
    }
}

void TTWDesignProfileBlock::ApplyTo(ITWProfileTarget& frame) const
{
    auto& grid = FrameAs<ITWBlockProfileTarget>(frame, this, ProfileOperation::Apply, BlockFrameClass);
    InsideUpdate(grid, [&] {
        grid.SetZoom(Zoom);
        grid.SetOrientation(Orientation);
        grid.SetShowGrid(ShowGrid);
        grid.SetGridColour(GridColour);
        grid.SetBaseWidth(BaseWidth);
        grid.SetBaseHeight(BaseHeight);
        grid.SetSimpleDraw(SimpleDraw);
        grid.SetShowBasicPattern(ShowBasicPattern);
        grid.SetShowPickTags(ShowPickTags);
        if (grid.IsTwistButtonVisible()) {
            grid.SetShowTwist(ShowTwist);
        }
    });
}

void TTWDesignProfileBlock::GetFrom(const ITWProfileTarget& frame)
{
    const auto& grid = FrameAs<const ITWBlockProfileTarget>(frame, this, ProfileOperation::Retrieve, BlockFrameClass);
    Zoom = grid.GetZoom();
    Orientation = grid.GetOrientation();
    ShowGrid = grid.GetShowGrid();
    GridColour = grid.GetGridColour();
    BaseWidth = grid.GetBaseWidth();
    BaseHeight = grid.GetBaseHeight();
    SimpleDraw = grid.GetSimpleDraw();
    ShowBasicPattern = grid.GetShowBasicPattern();
    ShowPickTags = grid.GetShowPickTags();
    // Where the twining marks are not offered, their state is not the user's choice.
    if (grid.IsTwistButtonVisible()) {
        ShowTwist = grid.GetShowTwist();
    }
}

void TTWDesignProfileBlock::BuildOwnXML(TILXMLNode* element) const
{
    element->AddChildValue("BaseWidth", fw::FloatToStr(BaseWidth));
    element->AddChildValue("BaseHeight", fw::FloatToStr(BaseHeight));
    element->AddChildValue("SimpleDraw", YesNoText(SimpleDraw));
    element->AddChildValue("ShowBasicPattern", YesNoText(ShowBasicPattern));
    element->AddChildValue("ShowTwist", YesNoText(ShowTwist));
    element->AddChildValue("ShowPickTags", YesNoText(ShowPickTags));
}

void TTWDesignProfileBlock::ExtractOwnXML(const TILXMLNode* element)
{
    BaseWidth = RatioFromChild(element, "BaseWidth");
    BaseHeight = RatioFromChild(element, "BaseHeight");
    SimpleDraw = BoolFromChild(element, "SimpleDraw");
    ShowBasicPattern = BoolFromChild(element, "ShowBasicPattern");
    ShowTwist = BoolFromChild(element, "ShowTwist");
    ShowPickTags = BoolFromChild(element, "ShowPickTags");
}

TILXMLNode* TTWDesignProfileList::BuildXML(TILXMLNode* parent, std::string_view tag) const
{
    TILXMLNode* element = parent->AddChild(tag);
    for (int i = 0; i < Count(); ++i) {
        Items(i)->BuildXML(element);
    }
    return element;
}

void TTWDesignProfileList::ExtractXML(const TILXMLNode* node)
{
    Clear();
    if (node == nullptr) {
        return;
    }
    for (int i = 0; i < node->ChildCount(); ++i) {
        const TILXMLNode* child = node->GetChild(i);
        const std::string type = ChildText(child, "Type");
        TTWDesignProfileBase* profile = nullptr;
        if (fw::SameText(type, WeavingImageTypeName)) {
            profile = new TTWDesignProfileWeavingImage;
        } else if (fw::SameText(type, BlockTypeName)) {
            profile = new TTWDesignProfileBlock;
        } else {
            continue;
        }
        Add(profile);
        profile->ExtractXML(child);
    }
}
