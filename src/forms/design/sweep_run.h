// The points of a sweep computed on a thread pool of its own, away from the
// user-interface thread (whose painting borrows the global pool's threads): each worker takes the next point still to do, so a
// cancel stops every worker after the point it is on, keeping the points
// already computed. Progress is polled on the user-interface thread.
#pragma once

#include "engine/sweep.h"

#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <memory>
#include <optional>
#include <vector>

namespace design {

class SweepRun : public QObject {
    Q_OBJECT
public:
    explicit SweepRun(std::shared_ptr<const Sweep> sweep, QObject* parent = nullptr);
    // Cancels and waits for the workers.
    ~SweepRun() override;

    void start();
    void cancel();
    bool isRunning() const { return poll_.isActive(); }
    const Sweep& sweep() const { return *sweep_; }
    // After finished(): every point in sweep order, empty where not computed.
    const std::vector<std::optional<SweepPoint>>& points() const { return points_; }

signals:
    void progressed(int computed);
    void finished();

private:
    void work();
    void poll();

    std::shared_ptr<const Sweep> sweep_;
    std::vector<std::optional<SweepPoint>> points_;  // slot i written only by the worker that took i
    std::atomic<std::size_t> next_{0};
    std::atomic<std::size_t> computed_{0};
    std::atomic<int> activeWorkers_{0};
    std::atomic<bool> cancelled_{false};
    QTimer poll_;
    QThreadPool pool_;
};

}  // namespace design
