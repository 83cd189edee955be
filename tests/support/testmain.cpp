#include "platform/ui/Application.h"

#include <cstdlib>
#include <gtest/gtest.h>

#include "support/TestSupport.h"

int main(int argc, char **argv)
{
    // Forms are driven offscreen unless the caller asks for a real display.
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The programs' own application object: what escapes an event handler
    // reaches the user as a message.
    pf::ui::Application app(argc, argv);
    testsupport::installTestEnvironment();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
