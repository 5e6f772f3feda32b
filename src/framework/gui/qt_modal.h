#pragma once

namespace fw {

class Form;

// The modal loop of the program: a nested Qt event loop that runs until the form's
// ModalResult is set and its close query agrees (or the form is gone). The form's peer
// makes its window application-modal while Form::Modal() holds.
void RunQtModalLoop(Form& form);
// Makes RunQtModalLoop the loop of every ShowModal.
void InstallQtModalRunner();

} // namespace fw
