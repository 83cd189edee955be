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

// Puts what every test shares back as the test main left it: the private
// settings store, the message and exit recorders (emptied), no modal hook,
// no table passwords. Every fixture's SetUp calls it first.
void resetSharedState();

// Messages shown through the message hook since the last take.
QStringList takeMessages();

// Exit codes the program asked for (through the exit hook) since the last
// take.
QList<int> takeExits();

// A component of a form by its designer name (the form keeps its generated
// Ui object to itself).
template <class W = QWidget> W *part(const QObject *form, const char *name)
{
    return form ? form->findChild<W *>(QString::fromLatin1(name)) : nullptr;
}

} // namespace testsupport
