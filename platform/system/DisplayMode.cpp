#include "platform/system/DisplayMode.h"

#include <QGuiApplication>
#include <QScreen>

#ifdef PF_HAVE_XRANDR
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#endif

namespace pf::sys {

namespace {

DisplayMode *g_installed = nullptr;

#ifdef PF_HAVE_XRANDR
bool onX11()
{
    return qGuiApp && QGuiApplication::platformName() == QLatin1String("xcb");
}

// A connection of our own, closed again after each use, so nothing here
// depends on how the toolkit holds its display.
class XConnection {
public:
    XConnection() : m_dpy(XOpenDisplay(nullptr)) {}
    ~XConnection()
    {
        if (m_dpy)
            XCloseDisplay(m_dpy);
    }
    XConnection(const XConnection &) = delete;
    XConnection &operator=(const XConnection &) = delete;
    Display *get() const { return m_dpy; }
    bool hasRandR() const
    {
        int ev = 0, err = 0;
        return m_dpy && XRRQueryExtension(m_dpy, &ev, &err);
    }

private:
    Display *m_dpy;
};
#endif

QSize screenSizeFromToolkit()
{
    if (!qGuiApp)
        return QSize();
    if (QScreen *s = QGuiApplication::primaryScreen())
        return s->size();
    return QSize();
}

} // namespace

QSize SystemDisplayMode::currentSize() const
{
#ifdef PF_HAVE_XRANDR
    if (onX11()) {
        XConnection x;
        if (x.hasRandR()) {
            Window root = DefaultRootWindow(x.get());
            XRRScreenConfiguration *conf = XRRGetScreenInfo(x.get(), root);
            if (conf) {
                Rotation rot = 0;
                const SizeID cur = XRRConfigCurrentConfiguration(conf, &rot);
                int n = 0;
                XRRScreenSize *sizes = XRRConfigSizes(conf, &n);
                QSize result;
                if (sizes && cur < n)
                    result = QSize(sizes[cur].width, sizes[cur].height);
                XRRFreeScreenConfigInfo(conf);
                if (result.isValid())
                    return result;
            }
        }
    }
#endif
    return screenSizeFromToolkit();
}

bool SystemDisplayMode::setMode(int width, int height)
{
#ifdef PF_HAVE_XRANDR
    if (!onX11())
        return false;
    XConnection x;
    if (!x.hasRandR())
        return false;
    Window root = DefaultRootWindow(x.get());
    XRRScreenConfiguration *conf = XRRGetScreenInfo(x.get(), root);
    if (!conf)
        return false;
    bool ok = false;
    int n = 0;
    XRRScreenSize *sizes = XRRConfigSizes(conf, &n);
    Rotation rot = 0;
    const SizeID cur = XRRConfigCurrentConfiguration(conf, &rot);
    for (int i = 0; i < n; ++i) {
        if (sizes[i].width != width || sizes[i].height != height)
            continue;
        if (i == cur) {
            ok = true;
        } else {
            ok = XRRSetScreenConfig(x.get(), conf, root, SizeID(i), rot, CurrentTime) == Success;
            XSync(x.get(), False);
        }
        break;
    }
    XRRFreeScreenConfigInfo(conf);
    return ok;
#else
    (void)width;
    (void)height;
    return false;
#endif
}

DisplayMode &displayMode()
{
    static SystemDisplayMode real;
    return g_installed ? *g_installed : real;
}

DisplayMode *setDisplayMode(DisplayMode *mode)
{
    DisplayMode *before = &displayMode();
    g_installed = mode;
    return before;
}

} // namespace pf::sys
