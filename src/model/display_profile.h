#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/enhanced_list.h"
#include "model/palette.h"

class TILXMLNode;
class ITWProfileTarget;

// Which of the two view frames a display profile belongs to.
enum class TTWProfileKind : std::uint8_t {
    WeavingImage = 0, // stored as "Real"
    Block = 1         // stored as "Block"
};

// How a view lays out the band: picks running down the screen or across it.
enum class TTWOrientation : std::uint8_t { Vertical = 0, Horizontal = 1 };

// What the weaving image writes beside each card.
enum class TTWTagType : std::uint8_t { None = 0, Hole = 1, Turn = 2 };

// How the weaving image draws the band: a standard weaving chart or the simulated band.
enum class TTWImageType : std::uint8_t { Block = 0, Real = 1 };

// A named snapshot of how one view frame shows a pattern. A profile applies itself to a
// frame and captures a frame's state (see model/profile_targets.h for what a frame offers),
// and stores its values in the settings file.
//
// A new profile holds what a profile read from an empty element holds: zoom 1, ratios 1.0,
// a weaving-image type of Real, and everything else zero or off.
class TTWDesignProfileBase : public fw::Persistent {
public:
    std::string Name;
    std::int32_t Zoom = 1;
    bool ShowGrid = false;
    TTWOrientation Orientation = TTWOrientation::Vertical;
    TTWColour GridColour = 0;

    std::string_view className() const override { return "TTWDesignProfileBase"; }
    // From any profile: the shared values (the kind stays, it belongs to the class).
    void Assign(const fw::Persistent* source) override;

    TTWProfileKind Kind() const { return kind_; }

    // Sets the frame to this profile inside one update of the frame, so that it redraws once.
    // A frame of the other kind raises a TGenericException ("ApplyTo") and is left untouched.
    virtual void ApplyTo(ITWProfileTarget& frame) const = 0;
    // Takes the frame's present state into this profile; the name stays. A frame of the
    // other kind raises a TGenericException ("GetFrom") and the profile stays as it was.
    virtual void GetFrom(const ITWProfileTarget& frame) = 0;

    // Adds an element "EditorProfile" to the parent and returns it.
    TILXMLNode* BuildXML(TILXMLNode* parent) const;
    // Reads the values from an "EditorProfile" element; none leaves the profile alone.
    void ExtractXML(const TILXMLNode* node);

protected:
    explicit TTWDesignProfileBase(TTWProfileKind kind) : kind_(kind) {}

    // The children that only this kind of profile has, after the shared ones.
    virtual void BuildOwnXML(TILXMLNode* element) const = 0;
    virtual void ExtractOwnXML(const TILXMLNode* element) = 0;

private:
    TTWProfileKind kind_;
};

// How the weaving-image frame shows a band.
class TTWDesignProfileWeavingImage : public TTWDesignProfileBase {
public:
    TTWDesignProfileWeavingImage() : TTWDesignProfileBase(TTWProfileKind::WeavingImage) {}

    // The cell proportions of the real image.
    double WarpWidthBase = 1.0;
    double BlockCentreBase = 1.0;
    double BlockEndBase = 1.0;
    bool ShowColours = false;
    TTWTagType TagType = TTWTagType::None;
    bool MarkDirChanges = false;
    bool MarkTwists = false;
    bool MarkLongFloats = false;
    bool MarkIdle = false;
    bool ShowTwining = false;
    bool ShowReverse = false;
    bool ShowPickTags = false;
    bool ShowCardThreading = false;
    TTWImageType ImageType = TTWImageType::Real;

    std::string_view className() const override { return "TTWDesignProfileWeavingImage"; }
    fw::Object* NewInstance() const override { return new TTWDesignProfileWeavingImage; }
    void Assign(const fw::Persistent* source) override;

    // The frame must be a weaving-image frame (ITWWeavingImageProfileTarget).
    void ApplyTo(ITWProfileTarget& frame) const override;
    void GetFrom(const ITWProfileTarget& frame) override;

protected:
    void BuildOwnXML(TILXMLNode* element) const override;
    void ExtractOwnXML(const TILXMLNode* element) override;
};

// How the block-design frame shows a grid.
class TTWDesignProfileBlock : public TTWDesignProfileBase {
public:
    TTWDesignProfileBlock() : TTWDesignProfileBase(TTWProfileKind::Block) {}

    // The cell proportions of the grid.
    double BaseWidth = 1.0;
    double BaseHeight = 1.0;
    bool SimpleDraw = false;
    bool ShowBasicPattern = false;
    bool ShowTwist = false;
    bool ShowPickTags = false;

    std::string_view className() const override { return "TTWDesignProfileBlock"; }
    fw::Object* NewInstance() const override { return new TTWDesignProfileBlock; }
    void Assign(const fw::Persistent* source) override;

    // The frame must be a block-design frame (ITWBlockProfileTarget). ShowTwist is set and
    // read only while the frame's twist button is visible.
    void ApplyTo(ITWProfileTarget& frame) const override;
    void GetFrom(const ITWProfileTarget& frame) override;

protected:
    void BuildOwnXML(TILXMLNode* element) const override;
    void ExtractOwnXML(const TILXMLNode* element) override;
};

// The saved profiles, owned, in the order in which they were added.
class TTWDesignProfileList : public TEnhancedListOf<TTWDesignProfileBase> {
public:
    TTWDesignProfileList() : TEnhancedListOf<TTWDesignProfileBase>(ListOwnership::Owning) {}

    std::string_view className() const override { return "TTWDesignProfileList"; }
    fw::Object* NewInstance() const override { return new TTWDesignProfileList; }

    // None outside 0..Count-1.
    TTWDesignProfileBase* GetProfile(int index) const { return GetItem(index); }

    // Adds an element with the tag to the parent, holding every profile in list order, and
    // returns it.
    TILXMLNode* BuildXML(TILXMLNode* parent, std::string_view tag) const;
    // Replaces the list with the profiles among the element's children: "Type" "Real" or
    // "Block" (without regard to case) makes a profile of that kind, any other is skipped.
    void ExtractXML(const TILXMLNode* node);
};

// The boolean texts of every stored file.
inline const char* YesNoText(bool value)
{
    return value ? "Yes" : "No";
}

// The orientation as stored: "Vertical" or "Horizontal".
const char* OrientationText(TTWOrientation orientation);
