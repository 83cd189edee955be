#pragma once
// The application object of the programs. An error that escapes an event
// handler ends up here, once, as a last resort: it is shown as a message
// (through the message hook) and the program goes on. Database failures
// show their own Persian text; anything else a Persian text of its own. The
// error's own words go to the log only.
#include <QApplication>

#include <functional>

namespace pf::ui {

class Application : public QApplication {
public:
    Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

// Called after an escaped error, before it is shown: the program makes its
// data safe (a write left half way is undone and the data folder closed)
// and returns what the user should be told of that, or nothing.
using EscapedErrorHook = std::function<QString()>;
EscapedErrorHook setEscapedErrorHook(EscapedErrorHook hook);

// The text an escaped error is shown with.
QString escapedErrorText(const std::exception *e);

} // namespace pf::ui
