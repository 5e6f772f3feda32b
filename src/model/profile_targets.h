#pragma once

#include <cstdint>
#include <string_view>

#include "model/display_profile.h"
#include "model/palette.h"

// What a view frame offers so that display profiles can be applied to it and captured from
// it. The model knows the frames only through these interfaces, so the profiles work (and
// are tested) without a window.
//
// A frame implements the interface of its kind; a frame derived from it (the brocade image
// from the weaving image, the brocade grid from the block grid) inherits it and so accepts
// the same profiles. A frame of another kind may still implement the common base, so that
// a profile applied to it can say which frame it was given.
class ITWProfileTarget {
public:
    virtual ~ITWProfileTarget() = default;

    // The frame's class name as error messages print it, e.g. "TfrmWeavingImage".
    virtual std::string_view className() const = 0;

    // Changes made between these are drawn once, when the outermost EndUpdate is reached.
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;

protected:
    ITWProfileTarget() = default;
    ITWProfileTarget(const ITWProfileTarget&) = default;
    ITWProfileTarget& operator=(const ITWProfileTarget&) = default;
};

// The weaving-image frame, which draws a computed band as a real image or a block chart.
// A profile calls the setters in the order in which they are declared.
class ITWWeavingImageProfileTarget : public ITWProfileTarget {
public:
    // Block draws the block chart; Real, and any value the frame does not know, the real image.
    virtual void SetImageType(TTWImageType imageType) = 0;
    virtual void SetTagType(TTWTagType tagType) = 0;
    virtual void SetOrientation(TTWOrientation orientation) = 0;
    virtual void SetGridColour(TTWColour colour) = 0;
    virtual void SetZoom(std::int32_t zoom) = 0;
    // The proportions of a cell (its width, the height of its centre and the depth of its
    // slanted ends), stored as they are, without a redraw. They come after SetZoom, so the
    // frame must work out its cell sizes from them again before it next draws (by EndUpdate
    // at the latest), or the profile's zoom would be drawn with the old proportions.
    virtual void StoreCellRatios(double width, double height, double slant) = 0;
    virtual void SetShowGrid(bool show) = 0;
    virtual void SetShowColours(bool show) = 0;
    virtual void SetMarkDirChanges(bool mark) = 0;
    virtual void SetMarkTwists(bool mark) = 0;
    virtual void SetMarkLongFloats(bool mark) = 0;
    virtual void SetMarkIdle(bool mark) = 0;
    virtual void SetShowTwining(bool show) = 0;
    virtual void SetShowReverse(bool show) = 0;
    virtual void SetShowPickTags(bool show) = 0;
    virtual void SetShowCardThreading(bool show) = 0;

    virtual TTWImageType GetImageType() const = 0;
    virtual TTWTagType GetTagType() const = 0;
    virtual TTWOrientation GetOrientation() const = 0;
    virtual TTWColour GetGridColour() const = 0;
    virtual std::int32_t GetZoom() const = 0;
    virtual double GetWidthRatio() const = 0;
    virtual double GetHeightRatio() const = 0;
    virtual double GetSlantRatio() const = 0;
    virtual bool GetShowGrid() const = 0;
    virtual bool GetShowColours() const = 0;
    virtual bool GetMarkDirChanges() const = 0;
    virtual bool GetMarkTwists() const = 0;
    virtual bool GetMarkLongFloats() const = 0;
    virtual bool GetMarkIdle() const = 0;
    virtual bool GetShowTwining() const = 0;
    virtual bool GetShowReverse() const = 0;
    virtual bool GetShowPickTags() const = 0;
    virtual bool GetShowCardThreading() const = 0;
};

// The block-design frame, which draws a two-state grid. A profile calls the setters in the
// order in which they are declared.
class ITWBlockProfileTarget : public ITWProfileTarget {
public:
    virtual void SetZoom(std::int32_t zoom) = 0;
    virtual void SetOrientation(TTWOrientation orientation) = 0;
    virtual void SetShowGrid(bool show) = 0;
    virtual void SetGridColour(TTWColour colour) = 0;
    virtual void SetBaseWidth(double ratio) = 0;
    virtual void SetBaseHeight(double ratio) = 0;
    virtual void SetSimpleDraw(bool simple) = 0;
    virtual void SetShowBasicPattern(bool show) = 0;
    virtual void SetShowPickTags(bool show) = 0;
    // Only called while the twist button is visible: where an editor has hidden it, the
    // twining marks stay as the editor set them.
    virtual void SetShowTwist(bool show) = 0;

    // Whether the frame offers the twining marks at the moment.
    virtual bool IsTwistButtonVisible() const = 0;

    virtual std::int32_t GetZoom() const = 0;
    virtual TTWOrientation GetOrientation() const = 0;
    virtual bool GetShowGrid() const = 0;
    virtual TTWColour GetGridColour() const = 0;
    virtual double GetBaseWidth() const = 0;
    virtual double GetBaseHeight() const = 0;
    virtual bool GetSimpleDraw() const = 0;
    virtual bool GetShowBasicPattern() const = 0;
    virtual bool GetShowPickTags() const = 0;
    virtual bool GetShowTwist() const = 0;
};
