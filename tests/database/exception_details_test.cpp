#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "database/db_generic_info.h"
#include "database_test_support.h"
#include "forms/exception_details.h"
#include "forms/exception_test_support.h"
#include "framework/gui/form.h"

// The exception details window lists the failing statement of a real error of the layer
// under its record, a row per line.
class DatabaseErrorDetailsTest : public ExceptionWindowsTest {};

TEST_F(DatabaseErrorDetailsTest, TheFailingStatementIsListedUnderItsRecord)
{
    const TestDatabase db(TestEngine::Sqlite);
    CreateLayerTables(db);
    LayerUser user(db, "alice");
    std::unique_ptr<TGenericException> error;
    try {
        user.info.DeleteTableEntries("Looms", "Warp = 1");
    } catch (const TGenericException& raised) {
        error = std::make_unique<TGenericException>(raised);
    }
    ASSERT_NE(error, nullptr);

    auto details = Created<TfrmTExceptionDetails>();
    const fw::ScopedHandler leave(&fw::Form::SetModalRunner, [](fw::Form& form) { form.SetModalResult(fw::mrOk); });
    details->Execute(*error);
    const TILTreeNode* first = details->lstTree->Root()->GetItem(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Cells(first), "Attempt to delete records failed.|35|TDBGenericInfo|DeleteTableEntries");
    const TILTreeNode* sql = nullptr;
    for (const TILTreeNode* child : first->Children()) {
        if (child->GetCellText(0) == "SQL") {
            sql = child;
        }
    }
    ASSERT_NE(sql, nullptr);
    EXPECT_EQ(ChildTexts(sql), (std::vector<std::string>{" DELETE FROM Looms", " WHERE Warp = 1"}));
}
