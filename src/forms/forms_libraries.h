#pragma once

// The shared state the base forms stand on - the control library, the tree-grid library, the
// forms' default style and the combo boxes' default colours - started in that order as the
// object is made and stopped in the reverse order as it goes. Objects of it nest, as the libraries' own calls do.
class TILFormsLibraries {
public:
    TILFormsLibraries();
    ~TILFormsLibraries();
    TILFormsLibraries(const TILFormsLibraries&) = delete;
    TILFormsLibraries& operator=(const TILFormsLibraries&) = delete;
};
