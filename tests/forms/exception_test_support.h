#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "forms/exception_details.h"
#include "forms/forms_default_style.h"
#include "foundation/generic_exception.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/application.h"
#include "framework/gui/clipboard.h"
#include "framework/gui/control.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/form.h"
#include "framework/gui/message.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"
#include "treegrid/tree_properties.h"
#include "forms_test_support.h"

// A database record as the database layer makes them: the base record with the statement
// that failed.
class StubDatabaseInfo : public TGenericExceptionInfo {
public:
    std::string SQL;

    std::string_view className() const override { return "StubDatabaseInfo"; }
    fw::Object* NewInstance() const override { return new StubDatabaseInfo; }
    void Assign(const fw::Persistent* source) override
    {
        TGenericExceptionInfo::Assign(source);
        if (auto* other = dynamic_cast<const StubDatabaseInfo*>(source)) {
            SQL = other->SQL;
        }
    }
    std::string SQLText() const override { return SQL; }
};

// A database error: every record it makes is a database record; the first carries the
// statement.
class StubDatabaseError : public TGenericException {
public:
    StubDatabaseError(const std::string& message, const std::string& sql, const std::exception* previous = nullptr)
        : TGenericException(Deferred{})
    {
        Fill(message, previous, "TStubTable[Cards]", "Save", 42);
        static_cast<StubDatabaseInfo*>(GetInfo(0))->SQL = sql;
    }
    TGenericExceptionInfo* NewInfo() const override { return new StubDatabaseInfo; }
};

// The control library, the tree-grid and the default style running; the fake text backend;
// every seam a window may reach (modal runs, message boxes, file dialogs, clipboard, beeps)
// put back after each test, with the application's title and command line.
class ExceptionWindowsTest : public FormsTest {
protected:
    void SetUp() override
    {
        fw::ClearPostedMessages();
        fw::Screen::Instance().SetSize(1200, 900);
        previousBackend = fw::DefaultPaintBackend();
        fw::SetDefaultPaintBackend(&fakeBackend);
        previousClipboard = fw::SetClipboard(std::make_unique<fw::MemoryClipboard>());
        savedTitle = fw::App().Title();
        savedExeName = fw::App().ExeName();
        for (int i = 0; i <= fw::App().ParamCount(); ++i) {
            savedArguments.push_back(fw::App().ParamStr(i));
        }
        fw::App().SetTitle("Tavelin");
        fw::App().SetBeepHandler([this](fw::BeepKind kind) { beeps.push_back(kind); });
    }
    void TearDown() override
    {
        fw::Form::SetModalRunner({});
        fw::SetMessageBoxHandler({});
        fw::FileDialog::SetHandler({});
        SetSystemDetailsProvider({});
        fw::App().SetBeepHandler({});
        fw::App().SetTitle(savedTitle);
        fw::App().SetCommandLine(savedArguments);
        fw::App().SetExeName(savedExeName);
        fw::SetClipboard(std::move(previousClipboard));
        fw::SetDefaultPaintBackend(previousBackend);
        fw::ClearPostedMessages();
    }

    // The cells of the row, joined by "|".
    static std::string Cells(const TILTreeNode* row)
    {
        std::string text;
        for (int i = 0; i < row->CellCount(); ++i) {
            text += (i > 0 ? "|" : "") + row->GetCellText(i);
        }
        return text;
    }

    // The texts of the rows directly under the node, in order.
    static std::vector<std::string> ChildTexts(const TILTreeNode* node)
    {
        std::vector<std::string> texts;
        for (const TILTreeNode* child : node->Children()) {
            texts.push_back(child->GetCellText(0));
        }
        return texts;
    }

    fw::FakePaintBackend fakeBackend;
    fw::PaintBackend* previousBackend = nullptr;
    std::unique_ptr<fw::Clipboard> previousClipboard;
    std::string savedTitle;
    std::string savedExeName;
    std::vector<std::string> savedArguments;
    std::vector<fw::BeepKind> beeps;
};
