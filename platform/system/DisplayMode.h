#pragma once
// The display's screen mode: what the screen size is and switching it.
// The program talks to one process-wide instance; tests install a fake.
#include <QSize>
#include <QVector>

namespace pf::sys {

class DisplayMode {
public:
    virtual ~DisplayMode() = default;
    // Current screen size in pixels; an empty size when there is no screen.
    virtual QSize currentSize() const = 0;
    // Asks for a screen of w x h pixels; false when the display cannot (or
    // will not) switch. Callers may ignore the answer.
    virtual bool setMode(int width, int height) = 0;
};

// The real display: RandR on an X11 session where the extension is there;
// elsewhere it reports the primary screen's size and never switches.
class SystemDisplayMode : public DisplayMode {
public:
    QSize currentSize() const override;
    bool setMode(int width, int height) override;
};

// Records every switch and reports the last size asked for.
class FakeDisplayMode : public DisplayMode {
public:
    explicit FakeDisplayMode(QSize size = QSize(1024, 768)) : m_size(size) {}
    QSize currentSize() const override { return m_size; }
    bool setMode(int width, int height) override
    {
        calls.append(QSize(width, height));
        if (acceptSwitch)
            m_size = QSize(width, height);
        return acceptSwitch;
    }
    void setCurrentSize(QSize s) { m_size = s; }

    QVector<QSize> calls;
    bool acceptSwitch = true;

private:
    QSize m_size;
};

// The process-wide instance (a SystemDisplayMode unless one was installed).
DisplayMode &displayMode();
// Installs another instance (not owned; nullptr restores the real one) and
// returns the one installed before.
DisplayMode *setDisplayMode(DisplayMode *mode);

} // namespace pf::sys
