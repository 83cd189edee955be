#pragma once
// Shared helpers of the test programs.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testsupport {

// Called once by the test main: points the settings store at a private
// place and routes message boxes to the recorder below.
void installTestEnvironment();

// Messages shown through the message hook since the last take.
QStringList takeMessages();

} // namespace testsupport
