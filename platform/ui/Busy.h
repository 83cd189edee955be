#pragma once
// Signs of work for a job that runs without the event loop (a copy, a
// backup): the file-copy animation, and the sign that shows it once a job
// has run for a while and moves it on whenever the job reports progress.
#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace pf::ui {

// The file-copy animation: a sheet flies from one folder to the other, one
// frame per advance(), from frame 0 to the stop frame and round again.
class Animate : public QWidget {
    Q_OBJECT
public:
    explicit Animate(QWidget *parent = nullptr);

    static constexpr int kFrames = 32;
    int stopFrame() const { return m_stopFrame; }
    void setStopFrame(int frame) { m_stopFrame = qBound(0, frame, kFrames - 1); }
    int frame() const { return m_frame; }
    bool active() const { return m_active; }

    void start(); // from frame 0
    void stop();  // rests on frame 0
    void advance();

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    int m_frame = 0;
    int m_stopFrame = kFrames - 1;
    bool m_active = false;
};

// Shows `panel` with `animation` started once tick() finds that the job has
// run for `delayMs`; after that each tick moves the animation on (a frame
// every 40 ms) and paints it at once. Going away hides both again. `clock`
// gives the milliseconds since the job began (a timer started here when
// empty).
class BusySign {
public:
    BusySign(QWidget *panel, Animate *animation, int delayMs, std::function<qint64()> clock = {});
    ~BusySign();
    BusySign(const BusySign &) = delete;
    BusySign &operator=(const BusySign &) = delete;

    void tick();
    bool shown() const { return m_shown; }

    // How long a job runs before its sign shows.
    static constexpr int kDelayMs = 500;

private:
    QPointer<QWidget> m_panel;
    QPointer<Animate> m_animation;
    int m_delay;
    std::function<qint64()> m_clock;
    QElapsedTimer m_timer;
    qint64 m_lastFrame = 0;
    bool m_shown = false;
};

} // namespace pf::ui
