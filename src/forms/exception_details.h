#pragma once

#include <functional>
#include <string>

#include "framework/gui/form.h"

namespace fw {
class Button;
class Panel;
class SaveDialog;
class StringList;
} // namespace fw

class TGenericException;
class TGenericExceptionInfo;
class TILBrushPage;
class TILBrushPageControl;
class TILBrushPanel;
class TILTree;
class TILTreeColumnData;
class TILTreeNode;
class TfrmTViewXMLFrame;

// Fills the list with lines "name=value" that describe the system the program runs on.
using TSystemDetailsProvider = std::function<void(fw::StringList& lines)>;
// The provider the exception details window asks; none unless some part of the program
// installs one, and then the window's System page stays hidden.
const TSystemDetailsProvider& SystemDetailsProvider();
void SetSystemDetailsProvider(TSystemDetailsProvider provider);

// The window behind the error dialog's Details button: the error's records (newest first,
// each with its code, sender and operation, a database record's statement below it), the
// system details, the document of a reading error with the element at fault opened up, and
// the command line. Its text can be saved to a file or copied to the clipboard.
//
// Build it, FinishLoading() it (the caption and the default style), then Execute it with
// the error, which it only refers to.
class TfrmTExceptionDetails : public fw::Form {
public:
    explicit TfrmTExceptionDetails(fw::Component* owner = nullptr);
    ~TfrmTExceptionDetails() override;

    std::string_view className() const override { return "TfrmTExceptionDetails"; }

    TILBrushPanel* const pnlDetails;
    TILBrushPageControl* const pcMain;
    // "Error Details": one row a record, its further message lines and statement below it.
    TILBrushPage* const pgException;
    fw::Panel* const pnlException;
    TILTree* const lstTree;
    // "System": hidden unless the system-details provider gives lines.
    TILBrushPage* const pgSysDetails;
    fw::Panel* const pnlSysDetails;
    TILTree* const lstSysDetails;
    // "XML": hidden unless the error comes with a document.
    TILBrushPage* const pgXML;
    fw::Panel* const pnlXML;
    TfrmTViewXMLFrame* const frameXML;
    // "Parameters": the command line, the program first.
    TILBrushPage* const pgParameters;
    fw::Panel* const pnlParameters;
    TILTree* const lstParameters;

    TILBrushPanel* const pnlButtons;
    fw::Button* const btnOK;
    fw::Button* const btnSave;
    fw::Button* const btnCopy;
    fw::SaveDialog* const dlgSave;

    // Keeps the error, fills the pages, shows the Error Details page and runs the window
    // modally; answers how it was closed.
    fw::ModalResult Execute(const TGenericException& error);
    // The error shown, none before Execute.
    const TGenericException* Error() const { return error_; }

    // Fills every page from the error kept.
    virtual void FillDetails();
    // The cells of a record's row and the rows below it.
    virtual void AddInfoNode(TILTreeNode* node, int index, const TGenericExceptionInfo& info);

    // The text Save and Copy give: the records' rows as shown, then the System section (when
    // its page shows) and the Parameters section, every line ended by CR LF.
    std::string DetailsText() const;

    // Rows that ask for their own font (the statement rows) are drawn bold.
    void lstTreeOverrideFont(TILTree* sender, TILTreeColumnData* column, TILTreeNode* node, fw::Font& font);
    void btnSaveClick(fw::Object* sender);
    void btnCopyClick(fw::Object* sender);

protected:
    // The caption from the application's title, and the default style.
    virtual void FormCreate();
    void DoCreate() override;

private:
    void FillRecords();
    void FillSystemDetails();
    void FillXML();
    void FillParameters();
    // Hides a page; the window's first page takes over when the page is the one shown, as
    // the page control keeps its active page from hiding.
    void HidePage(TILBrushPage* page);

    const TGenericException* error_ = nullptr;
};
