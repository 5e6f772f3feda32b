#pragma once

class TfrmTBasic;

namespace fw {
class Edit;
class Label;
} // namespace fw

// The rows of the small number dialogs: a caption on the left and an edit beside it, on the
// form's top panel, owned by the form. `top` is the row's top edge; the label's width leaves
// room for the longest caption of the dialogs ("First Card Number").
inline constexpr int NumberFieldLabelLeft = 12;
inline constexpr int NumberFieldEditLeft = 130;
inline constexpr int NumberFieldEditWidth = 90;

fw::Label* NewFieldLabel(TfrmTBasic& form, const char* name, const char* caption, int top);
fw::Edit* NewNumberEdit(TfrmTBasic& form, const char* name, int top);
