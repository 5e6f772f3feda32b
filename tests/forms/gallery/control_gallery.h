#pragma once

#include "forms/button_basic_form.h"

class TILBrushPageControl;
class TILBrushPage;
class TILButton;
class TILCheckBox;
class TILRadioButton;
class TILScrollBar;
class TILScrollBox;
class TILScrollControl;
class TILTree;

namespace fw {
class Label;
}

// A window that shows every control of the library in its states, for a look at how they
// render together: brush panels, tabbed pages, check boxes and radio buttons, image
// buttons, scroll bars, the scroll control, the scroll box, a tree-grid list, and the
// button dialog's own bottom panel.
//
// Build it, call FinishLoading() (which also gives the focused check box the focus), then
// render it.
class ControlGallery : public TfrmTBtnBasic {
public:
    ControlGallery();
    ~ControlGallery() override;

    TILBrushPanel* pnlPlain;
    TILBrushPanel* pnlRounded;
    TILBrushPanel* pnlCaption;
    TILBrushPanel* pnlDisabled;
    TILBrushPanel* pnlGap;
    TILBrushPanel* pnlLowered;

    TILBrushPageControl* pages;
    TILBrushPage* pageGeneral;
    TILBrushPage* pageColours;
    TILBrushPage* pageLayout;

    TILCheckBox* chkUnchecked;
    TILCheckBox* chkChecked;
    TILCheckBox* chkGrayed;
    TILCheckBox* chkDisabled;
    TILCheckBox* chkFocused;

    TILRadioButton* rdoChecked;
    TILRadioButton* rdoUnchecked;
    TILRadioButton* rdoDisabled;
    TILRadioButton* rdoDisabledChecked;

    TILButton* btnNormal;
    TILButton* btnDown;
    TILButton* btnDisabled;

    TILScrollBar* barHorizontal;
    TILScrollBar* barVertical;
    TILScrollControl* scrollControl;
    TILScrollBox* scrollBox;
    TILTree* tree;

protected:
    void FormCreate() override;

private:
    fw::Label* Heading(const char* text, int x, int y);
    TILBrushPanel* SamplePanel(const char* name, const char* caption, int x, int y);
    void BuildPanels();
    void BuildPages();
    void BuildChecks();
    void BuildImageButtons();
    void BuildScrollers();
    void BuildTree();
};
