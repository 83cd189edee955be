#pragma once
// Shared helpers of the test programs.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

namespace testsupport {

// Called once by the test main: points the settings store at a private
// place and routes message boxes to the recorder below.
void installTestEnvironment();

// Messages shown through the message hook since the last take.
QStringList takeMessages();

// A component of a form by its designer name (the form keeps its generated
// Ui object to itself).
template <class W = QWidget> W *part(const QObject *form, const char *name)
{
    return form ? form->findChild<W *>(QString::fromLatin1(name)) : nullptr;
}

} // namespace testsupport
