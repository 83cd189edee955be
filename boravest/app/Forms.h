#pragma once
// Creates every form of the program once, in the fixed start-up order, and
// removes them again (the tests build and drop the whole program).
#include <QList>

class QWidget;

// Each form's captions are fitted to the faces they are made in
// (FitCaptionsOfAllForms).
void CreateAllForms();
void DestroyAllForms();

// The forms made by CreateAllForms that are windows, in the order they were
// made (the data module and the report holders are not).
QList<QWidget *> CreatedForms();

// Makes every caption of every form whole in the face it has
// (pf::ui::fitCaptions): once the forms are made and again once the program
// has placed them at start-up.
void FitCaptionsOfAllForms();
