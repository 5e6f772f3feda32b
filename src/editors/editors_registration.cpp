#include "editors/editors_registration.h"

void RegisterEditors()
{
    RegisterThreadedEditor();
}
