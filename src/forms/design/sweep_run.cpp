#include "forms/design/sweep_run.h"

#include <QThread>

namespace design {

namespace {
constexpr int kPollMs = 40;
}

SweepRun::SweepRun(std::shared_ptr<const Sweep> sweep, QObject* parent)
    : QObject(parent), sweep_(std::move(sweep)), points_(sweep_->size())
{
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, &SweepRun::poll);
}

SweepRun::~SweepRun()
{
    cancel();
    pool_.waitForDone();
}

void SweepRun::start()
{
    const int workers = std::max(1, QThread::idealThreadCount());
    pool_.setMaxThreadCount(workers);
    activeWorkers_ = workers;
    for (int i = 0; i < workers; ++i)
        pool_.start([this] { work(); });
    poll_.start();
}

void SweepRun::cancel() { cancelled_ = true; }

void SweepRun::work()
{
    while (!cancelled_) {
        const std::size_t i = next_++;
        if (i >= points_.size())
            break;
        points_[i] = sweep_->point(i);
        ++computed_;
    }
    --activeWorkers_;
}

void SweepRun::poll()
{
    emit progressed(static_cast<int>(computed_.load()));
    if (activeWorkers_.load() > 0)
        return;
    poll_.stop();
    emit finished();
}

}  // namespace design
