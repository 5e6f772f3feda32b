#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/strings.h"
#include "model/display_profile.h"
#include "model/profile_targets.h"
#include "model/user_settings.h"

namespace {

using Calls = std::vector<std::string>;

std::string Text(bool value)
{
    return value ? "true" : "false";
}
std::string Text(double value)
{
    return fw::FloatToStr(value);
}
std::string Text(std::int64_t value)
{
    return fw::IntToStr(value);
}

// The part of every fake frame that writes down each call, in order, and can be told to fail
// in one of them.
class RecordingFrame {
public:
    mutable Calls calls;
    std::string failIn;

protected:
    void Record(const std::string& name, const std::string& argument = {}) const
    {
        calls.push_back(argument.empty() ? name : name + " " + argument);
        if (name == failIn) {
            throw std::runtime_error("frame failed in " + name);
        }
    }
    // A setter's call with its value (enumerations as their numbers), then the change.
    template <class T>
    void Set(const char* name, T& field, T value)
    {
        if constexpr (std::is_same_v<T, bool> || std::is_same_v<T, double>) {
            Record(name, Text(value));
        } else {
            Record(name, Text(static_cast<std::int64_t>(value)));
        }
        field = value;
    }
    template <class T>
    T Get(const char* name, T value) const
    {
        Record(name);
        return value;
    }
};

// A frame that is neither of the two profile frames.
class FakeOtherFrame : public ITWProfileTarget, public RecordingFrame {
public:
    std::string_view className() const override { return "TfrmTWNotes"; }
    void BeginUpdate() override { Record("BeginUpdate"); }
    void EndUpdate() override { Record("EndUpdate"); }
};

class FakeWeavingImage : public ITWWeavingImageProfileTarget, public RecordingFrame {
public:
    TTWImageType imageType = TTWImageType::Real;
    TTWTagType tagType = TTWTagType::None;
    TTWOrientation orientation = TTWOrientation::Vertical;
    TTWColour gridColour = 0;
    std::int32_t zoom = 1;
    double widthRatio = 3, heightRatio = 0, slantRatio = 5;
    bool showGrid = true, showColours = true, markDirChanges = false, markTwists = false;
    bool markLongFloats = false, markIdle = false, showTwining = true, showReverse = false;
    bool showPickTags = false, showCardThreading = false;

    std::string_view className() const override { return "TfrmWeavingImage"; }
    void BeginUpdate() override { Record("BeginUpdate"); }
    void EndUpdate() override { Record("EndUpdate"); }

    void SetImageType(TTWImageType value) override { Set("SetImageType", imageType, value); }
    void SetTagType(TTWTagType value) override { Set("SetTagType", tagType, value); }
    void SetOrientation(TTWOrientation value) override { Set("SetOrientation", orientation, value); }
    void SetGridColour(TTWColour value) override { Set("SetGridColour", gridColour, value); }
    void SetZoom(std::int32_t value) override { Set("SetZoom", zoom, value); }
    void StoreCellRatios(double width, double height, double slant) override
    {
        Record("StoreCellRatios", Text(width) + " " + Text(height) + " " + Text(slant));
        widthRatio = width;
        heightRatio = height;
        slantRatio = slant;
    }
    void SetShowGrid(bool value) override { Set("SetShowGrid", showGrid, value); }
    void SetShowColours(bool value) override { Set("SetShowColours", showColours, value); }
    void SetMarkDirChanges(bool value) override { Set("SetMarkDirChanges", markDirChanges, value); }
    void SetMarkTwists(bool value) override { Set("SetMarkTwists", markTwists, value); }
    void SetMarkLongFloats(bool value) override { Set("SetMarkLongFloats", markLongFloats, value); }
    void SetMarkIdle(bool value) override { Set("SetMarkIdle", markIdle, value); }
    void SetShowTwining(bool value) override { Set("SetShowTwining", showTwining, value); }
    void SetShowReverse(bool value) override { Set("SetShowReverse", showReverse, value); }
    void SetShowPickTags(bool value) override { Set("SetShowPickTags", showPickTags, value); }
    void SetShowCardThreading(bool value) override { Set("SetShowCardThreading", showCardThreading, value); }

    TTWImageType GetImageType() const override { return Get("GetImageType", imageType); }
    TTWTagType GetTagType() const override { return Get("GetTagType", tagType); }
    TTWOrientation GetOrientation() const override { return Get("GetOrientation", orientation); }
    TTWColour GetGridColour() const override { return Get("GetGridColour", gridColour); }
    std::int32_t GetZoom() const override { return Get("GetZoom", zoom); }
    double GetWidthRatio() const override { return Get("GetWidthRatio", widthRatio); }
    double GetHeightRatio() const override { return Get("GetHeightRatio", heightRatio); }
    double GetSlantRatio() const override { return Get("GetSlantRatio", slantRatio); }
    bool GetShowGrid() const override { return Get("GetShowGrid", showGrid); }
    bool GetShowColours() const override { return Get("GetShowColours", showColours); }
    bool GetMarkDirChanges() const override { return Get("GetMarkDirChanges", markDirChanges); }
    bool GetMarkTwists() const override { return Get("GetMarkTwists", markTwists); }
    bool GetMarkLongFloats() const override { return Get("GetMarkLongFloats", markLongFloats); }
    bool GetMarkIdle() const override { return Get("GetMarkIdle", markIdle); }
    bool GetShowTwining() const override { return Get("GetShowTwining", showTwining); }
    bool GetShowReverse() const override { return Get("GetShowReverse", showReverse); }
    bool GetShowPickTags() const override { return Get("GetShowPickTags", showPickTags); }
    bool GetShowCardThreading() const override { return Get("GetShowCardThreading", showCardThreading); }

};

// The brocade image is a weaving-image frame too.
class FakeBrocadeImage : public FakeWeavingImage {
public:
    std::string_view className() const override { return "TfrmTWBrocadeImage"; }
};

class FakeBlockPattern : public ITWBlockProfileTarget, public RecordingFrame {
public:
    std::int32_t zoom = 5;
    TTWOrientation orientation = TTWOrientation::Vertical;
    bool showGrid = true;
    TTWColour gridColour = 0x808080;
    double baseWidth = 2, baseHeight = 2;
    bool simpleDraw = true, showBasicPattern = true, showPickTags = false, showTwist = false;
    bool twistButtonVisible = true;

    std::string_view className() const override { return "TfrmBlockPattern"; }
    void BeginUpdate() override { Record("BeginUpdate"); }
    void EndUpdate() override { Record("EndUpdate"); }

    void SetZoom(std::int32_t value) override { Set("SetZoom", zoom, value); }
    void SetOrientation(TTWOrientation value) override { Set("SetOrientation", orientation, value); }
    void SetShowGrid(bool value) override { Set("SetShowGrid", showGrid, value); }
    void SetGridColour(TTWColour value) override { Set("SetGridColour", gridColour, value); }
    void SetBaseWidth(double value) override { Set("SetBaseWidth", baseWidth, value); }
    void SetBaseHeight(double value) override { Set("SetBaseHeight", baseHeight, value); }
    void SetSimpleDraw(bool value) override { Set("SetSimpleDraw", simpleDraw, value); }
    void SetShowBasicPattern(bool value) override { Set("SetShowBasicPattern", showBasicPattern, value); }
    void SetShowPickTags(bool value) override { Set("SetShowPickTags", showPickTags, value); }
    void SetShowTwist(bool value) override { Set("SetShowTwist", showTwist, value); }
    bool IsTwistButtonVisible() const override { return Get("IsTwistButtonVisible", twistButtonVisible); }

    std::int32_t GetZoom() const override { return Get("GetZoom", zoom); }
    TTWOrientation GetOrientation() const override { return Get("GetOrientation", orientation); }
    bool GetShowGrid() const override { return Get("GetShowGrid", showGrid); }
    TTWColour GetGridColour() const override { return Get("GetGridColour", gridColour); }
    double GetBaseWidth() const override { return Get("GetBaseWidth", baseWidth); }
    double GetBaseHeight() const override { return Get("GetBaseHeight", baseHeight); }
    bool GetSimpleDraw() const override { return Get("GetSimpleDraw", simpleDraw); }
    bool GetShowBasicPattern() const override { return Get("GetShowBasicPattern", showBasicPattern); }
    bool GetShowPickTags() const override { return Get("GetShowPickTags", showPickTags); }
    bool GetShowTwist() const override { return Get("GetShowTwist", showTwist); }

};

// The brocade grid is a block-design frame too.
class FakeBrocadePatternFrame : public FakeBlockPattern {
public:
    std::string_view className() const override { return "TfrmBrocadePatternFrame"; }
};

// Every value differs from what the fakes start with, so a value that is not passed shows.
void FillWeavingImage(TTWDesignProfileWeavingImage& profile)
{
    profile.Name = "Chart";
    profile.Zoom = 7;
    profile.ShowGrid = false;
    profile.Orientation = TTWOrientation::Horizontal;
    profile.GridColour = 0x8000000F;
    profile.WarpWidthBase = 2.5;
    profile.BlockCentreBase = 1.25;
    profile.BlockEndBase = 0.5;
    profile.ShowColours = false;
    profile.TagType = TTWTagType::Turn;
    profile.MarkDirChanges = true;
    profile.MarkTwists = true;
    profile.MarkLongFloats = true;
    profile.MarkIdle = true;
    profile.ShowTwining = false;
    profile.ShowReverse = true;
    profile.ShowPickTags = true;
    profile.ShowCardThreading = true;
    profile.ImageType = TTWImageType::Block;
}

void FillBlock(TTWDesignProfileBlock& profile)
{
    profile.Name = "Grid";
    profile.Zoom = 3;
    profile.ShowGrid = false;
    profile.Orientation = TTWOrientation::Horizontal;
    profile.GridColour = 0x123456;
    profile.BaseWidth = 1.5;
    profile.BaseHeight = 4;
    profile.SimpleDraw = false;
    profile.ShowBasicPattern = false;
    profile.ShowPickTags = true;
    profile.ShowTwist = true;
}

const Calls WeavingImageApplyCalls = {"BeginUpdate",
                                      "SetImageType 0",
                                      "SetTagType 2",
                                      "SetOrientation 1",
                                      "SetGridColour 2147483663",
                                      "SetZoom 7",
                                      "StoreCellRatios 2.5 1.25 0.5",
                                      "SetShowGrid false",
                                      "SetShowColours false",
                                      "SetMarkDirChanges true",
                                      "SetMarkTwists true",
                                      "SetMarkLongFloats true",
                                      "SetMarkIdle true",
                                      "SetShowTwining false",
                                      "SetShowReverse true",
                                      "SetShowPickTags true",
                                      "SetShowCardThreading true",
                                      "EndUpdate"};

// The profile as it is stored: every value, so equal texts mean equal profiles.
std::string StoredText(const TTWDesignProfileBase& profile)
{
    TILXMLTree tree;
    profile.BuildXML(tree.AddRootNode("TVL"));
    return tree.BuildXML();
}

// The profile as a TGenericException reports it, with the operation: "message | sender | method".
template <class Operation>
std::string Refusal(Operation operation)
{
    try {
        operation();
    } catch (const TGenericException& error) {
        const TGenericExceptionInfo* info = error.GetInfo(0);
        return error.what() + std::string(" | ") + info->SenderName + " | " + info->MethodName;
    }
    return "no error";
}

} // namespace

TEST(ProfileApply, WeavingImageProfileSetsEveryOptionInOrderInsideOneUpdate)
{
    TTWDesignProfileWeavingImage profile;
    FillWeavingImage(profile);

    FakeWeavingImage frame;
    profile.ApplyTo(frame);
    EXPECT_EQ(frame.calls, WeavingImageApplyCalls);

    // A frame derived from the weaving-image frame is one.
    FakeBrocadeImage brocade;
    profile.ApplyTo(brocade);
    EXPECT_EQ(brocade.calls, WeavingImageApplyCalls);
}

TEST(ProfileApply, BlockProfileSetsTheTwistOnlyWhileTheTwistButtonIsVisible)
{
    TTWDesignProfileBlock profile;
    FillBlock(profile);

    FakeBlockPattern frame;
    profile.ApplyTo(frame);
    const Calls shared = {"BeginUpdate",           "SetZoom 3",
                          "SetOrientation 1",      "SetShowGrid false",
                          "SetGridColour 1193046", "SetBaseWidth 1.5",
                          "SetBaseHeight 4",       "SetSimpleDraw false",
                          "SetShowBasicPattern false", "SetShowPickTags true",
                          "IsTwistButtonVisible"};
    Calls expected = shared;
    expected.insert(expected.end(), {"SetShowTwist true", "EndUpdate"});
    EXPECT_EQ(frame.calls, expected);

    FakeBrocadePatternFrame hidden;
    hidden.twistButtonVisible = false;
    profile.ApplyTo(hidden);
    expected = shared;
    expected.push_back("EndUpdate");
    EXPECT_EQ(hidden.calls, expected);
    EXPECT_FALSE(hidden.showTwist);
}

TEST(ProfileApply, CapturingReadsBackWhatApplyingSet)
{
    TTWDesignProfileWeavingImage image;
    FillWeavingImage(image);
    FakeWeavingImage imageFrame;
    image.ApplyTo(imageFrame);
    imageFrame.calls.clear();

    TTWDesignProfileWeavingImage capturedImage;
    capturedImage.Name = "Mine";
    capturedImage.GetFrom(imageFrame);
    EXPECT_EQ(capturedImage.Name, "Mine");
    capturedImage.Name = image.Name;
    EXPECT_EQ(StoredText(capturedImage), StoredText(image));
    // Capturing only reads: no setter and no update.
    for (const std::string& call : imageFrame.calls) {
        EXPECT_EQ(call.rfind("Get", 0), 0u) << call;
    }
    EXPECT_EQ(imageFrame.calls.size(), 18u);

    TTWDesignProfileBlock block;
    FillBlock(block);
    FakeBlockPattern blockFrame;
    block.ApplyTo(blockFrame);

    TTWDesignProfileBlock capturedBlock;
    capturedBlock.GetFrom(blockFrame);
    capturedBlock.Name = block.Name;
    EXPECT_EQ(StoredText(capturedBlock), StoredText(block));

    // Without the twist button the frame's twist is not the profile's business.
    blockFrame.twistButtonVisible = false;
    blockFrame.calls.clear();
    TTWDesignProfileBlock withoutTwist;
    withoutTwist.ShowTwist = false;
    withoutTwist.GetFrom(blockFrame);
    EXPECT_FALSE(withoutTwist.ShowTwist);
    EXPECT_EQ(withoutTwist.BaseHeight, 4.0);
    EXPECT_EQ(blockFrame.calls.back(), "IsTwistButtonVisible");
}

TEST(ProfileApply, AFrameOfAnotherKindIsRefusedAndLeftAlone)
{
    TTWDesignProfileWeavingImage image;
    FillWeavingImage(image);
    TTWDesignProfileBlock block;
    FillBlock(block);
    FakeWeavingImage imageFrame;
    FakeBrocadePatternFrame blockFrame;
    FakeOtherFrame otherFrame;

    EXPECT_EQ(Refusal([&] { image.ApplyTo(blockFrame); }),
              "Unable to apply profile setting to the control.\r\n"
              "TfrmBrocadePatternFrame is not a descendant of TfrmWeavingImage. | TTWDesignProfileWeavingImage | "
              "ApplyTo");
    EXPECT_EQ(Refusal([&] { image.GetFrom(otherFrame); }),
              "Unable to retrieve profile setting from the control.\r\n"
              "TfrmTWNotes is not a descendant of TfrmWeavingImage. | TTWDesignProfileWeavingImage | GetFrom");
    EXPECT_EQ(Refusal([&] { block.ApplyTo(imageFrame); }),
              "Unable to apply profile setting to the control.\r\n"
              "TfrmWeavingImage is not a descendant of TfrmBlockPattern. | TTWDesignProfileBlock | ApplyTo");
    EXPECT_EQ(Refusal([&] { block.GetFrom(imageFrame); }),
              "Unable to retrieve profile setting from the control.\r\n"
              "TfrmWeavingImage is not a descendant of TfrmBlockPattern. | TTWDesignProfileBlock | GetFrom");
    EXPECT_EQ(Refusal([&] { block.ApplyTo(otherFrame); }),
              "Unable to apply profile setting to the control.\r\n"
              "TfrmTWNotes is not a descendant of TfrmBlockPattern. | TTWDesignProfileBlock | ApplyTo");

    // Not even an update was begun, and the refused profiles kept their values.
    EXPECT_TRUE(imageFrame.calls.empty());
    EXPECT_TRUE(blockFrame.calls.empty());
    EXPECT_TRUE(otherFrame.calls.empty());
    EXPECT_EQ(image.Zoom, 7);
    EXPECT_EQ(block.GridColour, 0x123456u);
}

TEST(ProfileApply, AFailingFrameStillEndsItsUpdate)
{
    TTWDesignProfileWeavingImage profile;
    FakeWeavingImage frame;
    frame.failIn = "SetZoom";
    EXPECT_THROW(profile.ApplyTo(frame), std::runtime_error);
    ASSERT_GE(frame.calls.size(), 2u);
    EXPECT_EQ(frame.calls[frame.calls.size() - 2], "SetZoom 1");
    EXPECT_EQ(frame.calls.back(), "EndUpdate");

    TTWDesignProfileBlock block;
    FakeBlockPattern blockFrame;
    blockFrame.failIn = "IsTwistButtonVisible";
    EXPECT_THROW(block.ApplyTo(blockFrame), std::runtime_error);
    EXPECT_EQ(blockFrame.calls.front(), "BeginUpdate");
    EXPECT_EQ(blockFrame.calls.back(), "EndUpdate");
}

TEST(ProfileApply, RatiosMissingOrNotNumbersApplyAsOne)
{
    // A bad ratio must not cost the settings that follow the profiles.
    TTWUserSettings settings("/tmp/");
    TILXMLTree tree;
    tree.ParseText("<TVL><UserSettings><EditorProfiles>"
                   "<EditorProfile Name=\"a\"><Type>Real</Type><BlockCentreBase>0.75</BlockCentreBase>"
                   "<BlockEndBase>1,5</BlockEndBase></EditorProfile>"
                   "<EditorProfile Name=\"b\"><Type>Block</Type><BaseWidth>nan</BaseWidth>"
                   "<BaseHeight>1e999</BaseHeight></EditorProfile>"
                   "</EditorProfiles><Printer><FontSize>12</FontSize></Printer></UserSettings></TVL>");
    settings.ExtractXML(tree.FindTag("TVL/UserSettings", true));
    EXPECT_EQ(settings.Printer.FontSize, 12);
    ASSERT_EQ(settings.EditorProfiles().Count(), 2);

    FakeWeavingImage imageFrame;
    settings.EditorProfiles().GetProfile(0)->ApplyTo(imageFrame);
    EXPECT_EQ(imageFrame.calls.at(6), "StoreCellRatios 1 0.75 1");

    FakeBlockPattern blockFrame;
    settings.EditorProfiles().GetProfile(1)->ApplyTo(blockFrame);
    EXPECT_EQ(blockFrame.calls.at(5), "SetBaseWidth 1");
    EXPECT_EQ(blockFrame.calls.at(6), "SetBaseHeight 1");
}
