#include <gtest/gtest.h>

#include <stdexcept>

#include "foundation/generic_exception.h"
#include "framework/core/object.h"

namespace {

class MainWindow : public fw::Component {
public:
    std::string_view className() const override { return "TfrmTWMain"; }
};

} // namespace

TEST(GenericExceptionSender, NamedComponentsAddTheirNameInBrackets)
{
    MainWindow window;
    auto unnamed = TGenericException::CreateFromSender("Failed.", nullptr, &window, "Load");
    EXPECT_EQ(unnamed.GetInfo(0)->SenderName, "TfrmTWMain");
    window.SetName("Main");
    auto named = TGenericException::CreateFromSender("Failed.", nullptr, &window, "Load");
    EXPECT_EQ(named.GetInfo(0)->SenderName, "TfrmTWMain[Main]");
    EXPECT_EQ(named.GetInfo(0)->MethodName, "Load");
    EXPECT_EQ(named.Message(), "Failed.");
    auto anonymous = TGenericException::CreateFromSender("Failed.", nullptr, nullptr, "Load");
    EXPECT_EQ(anonymous.GetInfo(0)->SenderName, "");
}

TEST(GenericExceptionNesting, RecordsRunFromTheNewestToTheOldestAndMessagesJoinByAnEmptyLine)
{
    TGenericException inner("Inner.", nullptr, "TInner", "Read", 7);
    inner.AddInfo("Detail.", 3, "TDetail", "Parse");
    ASSERT_EQ(inner.InfoCount(), 2);

    TGenericException outer("Outer.", &inner, "TOuter", "Load", 1);
    ASSERT_EQ(outer.InfoCount(), 3);
    EXPECT_EQ(outer.GetInfo(0)->Message, "Outer.");
    EXPECT_EQ(outer.GetInfo(1)->Message, "Inner.");
    EXPECT_EQ(outer.GetInfo(1)->Code, 7);
    EXPECT_EQ(outer.GetInfo(2)->SenderName, "TDetail");
    EXPECT_EQ(outer.GetInfo(3), nullptr);
    EXPECT_EQ(outer.GetInfo(-1), nullptr);
    EXPECT_EQ(outer.Message(), "Outer.\r\n\r\nInner.");
    EXPECT_EQ(outer.GetFirstCode(), 1);

    // The copies are the outer error's own: the inner one may go first.
    TGenericException copy = outer;
    EXPECT_EQ(copy.InfoCount(), 3);
    EXPECT_NE(copy.GetInfo(1), outer.GetInfo(1));
    EXPECT_EQ(copy.GetInfo(2)->MethodName, "Parse");
}

TEST(GenericExceptionNesting, ForeignErrorsKeepOnlyTheirMessage)
{
    std::runtime_error foreign("disk full");
    TGenericException error("Save failed.", &foreign, "TTWPattern", "SaveToFile");
    ASSERT_EQ(error.InfoCount(), 2);
    EXPECT_EQ(error.GetInfo(1)->Message, "disk full");
    EXPECT_EQ(error.GetInfo(1)->Code, 0);
    EXPECT_EQ(error.GetInfo(1)->SenderName, "");
    EXPECT_EQ(error.Message(), "Save failed.\r\n\r\ndisk full");
    EXPECT_FALSE(error.PrefersStandardDisplay());
}

TEST(GenericExceptionNesting, AnErrorWithoutRecordsHasFirstCodeZero)
{
    TGenericException error("x", nullptr, "", "", 5);
    TGenericException empty = error;
    empty = TGenericException("y", nullptr, "", "", 0);
    EXPECT_EQ(empty.GetFirstCode(), 0);
    EXPECT_EQ(error.GetFirstCode(), 5);
}

TEST(GenericExceptionShow, GoesToTheInstalledDisplay)
{
    std::string shown;
    TGenericException::SetShowHandler([&](const TGenericException& error) { shown = error.Message(); });
    TGenericException("Shown.", nullptr, "", "").Show();
    TGenericException::SetShowHandler({});
    EXPECT_EQ(shown, "Shown.");
}
