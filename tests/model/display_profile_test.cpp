#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "foundation/xml_node.h"
#include "framework/core/exceptions.h"
#include "model/display_profile.h"

namespace {

TTWDesignProfileWeavingImage* AddWeavingImageProfile(TTWDesignProfileList& list)
{
    auto* profile = new TTWDesignProfileWeavingImage;
    list.Add(profile);
    profile->Name = "Wide & \"real\"";
    profile->Zoom = 7;
    profile->ShowGrid = true;
    profile->Orientation = TTWOrientation::Horizontal;
    profile->GridColour = 0x8000000F;
    profile->WarpWidthBase = 2.5;
    profile->BlockCentreBase = 0;
    profile->BlockEndBase = 0.333333333333333;
    profile->ShowColours = true;
    profile->TagType = TTWTagType::Turn;
    profile->MarkDirChanges = true;
    profile->MarkTwists = true;
    profile->MarkLongFloats = true;
    profile->MarkIdle = true;
    profile->ShowTwining = true;
    profile->ShowReverse = true;
    profile->ShowPickTags = true;
    profile->ShowCardThreading = true;
    profile->ImageType = TTWImageType::Block;
    return profile;
}

TTWDesignProfileBlock* AddBlockProfile(TTWDesignProfileList& list)
{
    auto* profile = new TTWDesignProfileBlock;
    list.Add(profile);
    profile->Name = "Grid";
    profile->Zoom = -3;
    profile->ShowGrid = true;
    profile->Orientation = TTWOrientation::Horizontal;
    profile->GridColour = 0x123456;
    profile->BaseWidth = 1.75;
    profile->BaseHeight = 4;
    profile->SimpleDraw = true;
    profile->ShowBasicPattern = true;
    profile->ShowTwist = true;
    profile->ShowPickTags = true;
    return profile;
}

void ExpectSameWeavingImage(const TTWDesignProfileWeavingImage& a, const TTWDesignProfileWeavingImage& b)
{
    EXPECT_EQ(a.Name, b.Name);
    EXPECT_EQ(a.Zoom, b.Zoom);
    EXPECT_EQ(a.ShowGrid, b.ShowGrid);
    EXPECT_EQ(a.Orientation, b.Orientation);
    EXPECT_EQ(a.GridColour, b.GridColour);
    EXPECT_DOUBLE_EQ(a.WarpWidthBase, b.WarpWidthBase);
    EXPECT_DOUBLE_EQ(a.BlockCentreBase, b.BlockCentreBase);
    EXPECT_DOUBLE_EQ(a.BlockEndBase, b.BlockEndBase);
    EXPECT_EQ(a.ShowColours, b.ShowColours);
    EXPECT_EQ(a.TagType, b.TagType);
    EXPECT_EQ(a.MarkDirChanges, b.MarkDirChanges);
    EXPECT_EQ(a.MarkTwists, b.MarkTwists);
    EXPECT_EQ(a.MarkLongFloats, b.MarkLongFloats);
    EXPECT_EQ(a.MarkIdle, b.MarkIdle);
    EXPECT_EQ(a.ShowTwining, b.ShowTwining);
    EXPECT_EQ(a.ShowReverse, b.ShowReverse);
    EXPECT_EQ(a.ShowPickTags, b.ShowPickTags);
    EXPECT_EQ(a.ShowCardThreading, b.ShowCardThreading);
    EXPECT_EQ(a.ImageType, b.ImageType);
}

void ExpectSameBlock(const TTWDesignProfileBlock& a, const TTWDesignProfileBlock& b)
{
    EXPECT_EQ(a.Name, b.Name);
    EXPECT_EQ(a.Zoom, b.Zoom);
    EXPECT_EQ(a.ShowGrid, b.ShowGrid);
    EXPECT_EQ(a.Orientation, b.Orientation);
    EXPECT_EQ(a.GridColour, b.GridColour);
    EXPECT_DOUBLE_EQ(a.BaseWidth, b.BaseWidth);
    EXPECT_DOUBLE_EQ(a.BaseHeight, b.BaseHeight);
    EXPECT_EQ(a.SimpleDraw, b.SimpleDraw);
    EXPECT_EQ(a.ShowBasicPattern, b.ShowBasicPattern);
    EXPECT_EQ(a.ShowTwist, b.ShowTwist);
    EXPECT_EQ(a.ShowPickTags, b.ShowPickTags);
}

// The list written into a document, turned into text and parsed back.
void RoundTrip(const TTWDesignProfileList& source, TTWDesignProfileList& target)
{
    TILXMLTree written;
    source.BuildXML(written.AddRootNode("TVL"), "EditorProfiles");
    TILXMLTree read;
    read.ParseText(written.BuildXML());
    target.ExtractXML(read.FindTag("TVL/EditorProfiles", true));
}

// A list read from the text of an "EditorProfiles" element.
void ReadList(TTWDesignProfileList& list, const std::string& profilesText)
{
    TILXMLTree tree;
    tree.ParseText("<EditorProfiles>" + profilesText + "</EditorProfiles>");
    list.ExtractXML(tree.GetTopNode(0));
}

} // namespace

TEST(DisplayProfile, BothKindsSurviveTheRoundTripInListOrder)
{
    TTWDesignProfileList source;
    const TTWDesignProfileBlock* block = AddBlockProfile(source);
    const TTWDesignProfileWeavingImage* image = AddWeavingImageProfile(source);
    auto* secondImage = new TTWDesignProfileWeavingImage;
    source.Add(secondImage);
    secondImage->Name = "Chart";
    secondImage->TagType = TTWTagType::Hole;

    TTWDesignProfileList read;
    AddBlockProfile(read); // replaced, not kept
    RoundTrip(source, read);

    ASSERT_EQ(read.Count(), 3);
    auto* readBlock = dynamic_cast<TTWDesignProfileBlock*>(read.GetProfile(0));
    auto* readImage = dynamic_cast<TTWDesignProfileWeavingImage*>(read.GetProfile(1));
    auto* readSecond = dynamic_cast<TTWDesignProfileWeavingImage*>(read.GetProfile(2));
    ASSERT_NE(readBlock, nullptr);
    ASSERT_NE(readImage, nullptr);
    ASSERT_NE(readSecond, nullptr);
    EXPECT_EQ(readBlock->Kind(), TTWProfileKind::Block);
    EXPECT_EQ(readImage->Kind(), TTWProfileKind::WeavingImage);
    ExpectSameBlock(*readBlock, *block);
    ExpectSameWeavingImage(*readImage, *image);
    ExpectSameWeavingImage(*readSecond, *secondImage);
    EXPECT_EQ(read.GetProfile(3), nullptr);
    EXPECT_EQ(read.GetProfile(-1), nullptr);
}

TEST(DisplayProfile, WritesTheElementsInTheirOrder)
{
    TTWDesignProfileWeavingImage image;
    image.TagType = TTWTagType::Hole;
    TILXMLNode parent;
    const TILXMLNode* element = image.BuildXML(&parent);
    std::string tags;
    for (int i = 0; i < element->ChildCount(); ++i) {
        tags.append(element->GetChild(i)->Tag()).append("=").append(element->GetChild(i)->Value()).append(" ");
    }
    EXPECT_EQ(tags, "Type=Real Zoom=1 ShowGrid=No Orientation=Vertical GridColour=0 WarpWidthBase=1 "
                    "BlockCentreBase=1 BlockEndBase=1 TagType=Hole ShowColours=No MarkDirChanges=No "
                    "MarkTwists=No MarkLongFloats=No MarkIdle=No ShowTwining=No ShowReverse=No "
                    "ShowPickTags=No ShowCardThreading=No ImageType=Real ");

    // An image type the frames do not know is left out.
    image.ImageType = static_cast<TTWImageType>(7);
    TILXMLNode otherParent;
    EXPECT_EQ(image.BuildXML(&otherParent)->FindChild("ImageType"), nullptr);
}

TEST(DisplayProfile, ReadingTakesTypesWithoutCaseAndSkipsOthers)
{
    TTWDesignProfileList list;
    ReadList(list, "<EditorProfile Name=\"a\"><Type>block</Type></EditorProfile>"
                   "<EditorProfile Name=\"b\"><Type>Chart</Type></EditorProfile>"
                   "<EditorProfile Name=\"c\"/>"
                   "<Other Name=\"d\"><Type>REAL</Type></Other>");
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.GetProfile(0)->Kind(), TTWProfileKind::Block);
    EXPECT_EQ(list.GetProfile(0)->Name, "a");
    EXPECT_EQ(list.GetProfile(1)->Kind(), TTWProfileKind::WeavingImage);
    EXPECT_EQ(list.GetProfile(1)->Name, "d");

    // An element without one: the list ends up empty.
    list.ExtractXML(nullptr);
    EXPECT_EQ(list.Count(), 0);
}

TEST(DisplayProfile, MissingAndOddValuesReadByTheRules)
{
    TTWDesignProfileList list;
    ReadList(list, "<EditorProfile><Type>Real</Type></EditorProfile>"
                   "<EditorProfile><Type>Real</Type><Zoom>big</Zoom><ShowGrid>T</ShowGrid>"
                   "<Orientation>HORIZONTAL</Orientation><GridColour>2147483663</GridColour>"
                   "<WarpWidthBase>wide</WarpWidthBase><BlockCentreBase>-0.5</BlockCentreBase>"
                   "<TagType>turn</TagType><ShowColours>-1</ShowColours><MarkIdle>no</MarkIdle>"
                   "<ImageType>block</ImageType></EditorProfile>"
                   "<EditorProfile><Type>Block</Type><Orientation>Sideways</Orientation>"
                   "<ImageType>Block</ImageType><GridColour>none</GridColour><SimpleDraw>true</SimpleDraw>"
                   "</EditorProfile>"
                   "<EditorProfile><Type>Real</Type><ImageType>Chart</ImageType><TagType>Card</TagType>"
                   "</EditorProfile>");
    ASSERT_EQ(list.Count(), 4);

    // Nothing given: what a new profile holds.
    const auto& empty = dynamic_cast<const TTWDesignProfileWeavingImage&>(*list.GetProfile(0));
    ExpectSameWeavingImage(empty, TTWDesignProfileWeavingImage());
    EXPECT_EQ(empty.Zoom, 1);
    EXPECT_EQ(empty.WarpWidthBase, 1.0);
    EXPECT_EQ(empty.ImageType, TTWImageType::Real);

    const auto& odd = dynamic_cast<const TTWDesignProfileWeavingImage&>(*list.GetProfile(1));
    EXPECT_EQ(odd.Zoom, 1);
    EXPECT_TRUE(odd.ShowGrid);
    EXPECT_EQ(odd.Orientation, TTWOrientation::Horizontal);
    EXPECT_EQ(odd.GridColour, 0x8000000Fu);
    EXPECT_EQ(odd.WarpWidthBase, 1.0);
    EXPECT_EQ(odd.BlockCentreBase, -0.5);
    EXPECT_EQ(odd.BlockEndBase, 1.0);
    EXPECT_EQ(odd.TagType, TTWTagType::Turn);
    EXPECT_TRUE(odd.ShowColours);
    EXPECT_FALSE(odd.MarkIdle);
    EXPECT_EQ(odd.ImageType, TTWImageType::Block);

    const auto& block = dynamic_cast<const TTWDesignProfileBlock&>(*list.GetProfile(2));
    EXPECT_EQ(block.Orientation, TTWOrientation::Vertical);
    EXPECT_EQ(block.GridColour, 0u);
    EXPECT_EQ(block.BaseWidth, 1.0);
    EXPECT_EQ(block.BaseHeight, 1.0);
    EXPECT_TRUE(block.SimpleDraw);

    const auto& unknown = dynamic_cast<const TTWDesignProfileWeavingImage&>(*list.GetProfile(3));
    EXPECT_EQ(unknown.ImageType, TTWImageType::Real);
    EXPECT_EQ(unknown.TagType, TTWTagType::None);
}

TEST(DisplayProfile, CopiesKeepEachProfilesClass)
{
    TTWDesignProfileList source;
    const TTWDesignProfileWeavingImage* image = AddWeavingImageProfile(source);
    const TTWDesignProfileBlock* block = AddBlockProfile(source);

    TTWDesignProfileList copy;
    copy.Assign(source);
    ASSERT_EQ(copy.Count(), 2);
    ASSERT_NE(copy.GetProfile(0), image);
    ExpectSameWeavingImage(dynamic_cast<const TTWDesignProfileWeavingImage&>(*copy.GetProfile(0)), *image);
    ExpectSameBlock(dynamic_cast<const TTWDesignProfileBlock&>(*copy.GetProfile(1)), *block);

    // Across kinds only the shared values travel; the kind belongs to the class.
    TTWDesignProfileBlock other;
    other.Assign(image);
    EXPECT_EQ(other.Kind(), TTWProfileKind::Block);
    EXPECT_EQ(other.Name, image->Name);
    EXPECT_EQ(other.Zoom, 7);
    EXPECT_EQ(other.GridColour, 0x8000000Fu);
    EXPECT_EQ(other.BaseWidth, 1.0);

    const TTWPalette notAProfile;
    EXPECT_THROW(other.Assign(&notAProfile), fw::EConvertError);
}
