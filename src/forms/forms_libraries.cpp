#include "forms/forms_libraries.h"

#include "controls/control_library.h"
#include "forms/combo_box.h"
#include "forms/forms_default_style.h"
#include "treegrid/tree_properties.h"

TILFormsLibraries::TILFormsLibraries()
{
    InitControlLibrary();
    InitTreeGridLibrary();
    InitFormsDefaultStyle();
    InitComboBoxLibrary();
}

TILFormsLibraries::~TILFormsLibraries()
{
    ShutdownComboBoxLibrary();
    ShutdownFormsDefaultStyle();
    ShutdownTreeGridLibrary();
    ShutdownControlLibrary();
}
