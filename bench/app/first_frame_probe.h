// first_frame_probe.h: ends a start-up benchmark run at the first painted frame of a window and
// reports the time since launch and the peak resident memory.
#pragma once

#include <QEvent>
#include <QGuiApplication>
#include <QObject>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/resource.h>

class FirstFrameProbe : public QObject
{
public:
    explicit FirstFrameProbe(QWidget *window) { window->installEventFilter(this); }

    bool eventFilter(QObject *, QEvent *event) override
    {
        // The paint event is delivered before the backing store is flushed to the screen; the
        // zero timer runs once that flush has happened.
        if (event->type() == QEvent::Paint && !seen) {
            seen = true;
            QTimer::singleShot(0, [] { report(); });
        }
        return false;
    }

private:
    static void report()
    {
        timespec now;
        clock_gettime(CLOCK_REALTIME, &now);
        const long long nowNs = now.tv_sec * 1000000000LL + now.tv_nsec;
        const char *launch = std::getenv("KV_LAUNCH_NS");
        const double startupMs = launch ? (nowNs - std::atoll(launch)) / 1e6 : -1.0;
        rusage usage;
        getrusage(RUSAGE_SELF, &usage);
        std::printf("startup_ms=%.2f peak_rss_kib=%ld\n", startupMs, usage.ru_maxrss);
        std::fflush(stdout);
        // For comparing what the operator sees: the screen as the first frame left it.
        if (const char *png = std::getenv("KV_FIRST_FRAME_PNG"))
            QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(png));
        // For finding where the memory goes: the mappings as they are at the first frame.
        if (const char *dump = std::getenv("KV_SMAPS_DUMP")) {
            if (FILE *in = std::fopen("/proc/self/smaps", "r")) {
                if (FILE *out = std::fopen(dump, "w")) {
                    char buffer[4096];
                    size_t n;
                    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
                        std::fwrite(buffer, 1, n, out);
                    std::fclose(out);
                }
                std::fclose(in);
            }
        }
        // For the memory the idle work after the first frame adds: the peak once it has run.
        if (const char *settle = std::getenv("KV_SETTLE_MS")) {
            QTimer::singleShot(std::atoi(settle), [] {
                rusage settled;
                getrusage(RUSAGE_SELF, &settled);
                std::printf("settled_peak_rss_kib=%ld\n", settled.ru_maxrss);
                std::fflush(stdout);
                std::quick_exit(0);
            });
            return;
        }
        std::quick_exit(0);
    }

    bool seen = false;
};
