#pragma once
// Creates every form of the program once, in the fixed start-up order, and
// removes them again (the tests build and drop the whole program).
void CreateAllForms();
void DestroyAllForms();
