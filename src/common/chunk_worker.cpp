#include "common/chunk_worker.h"

#include <utility>

namespace morva {

ChunkWorker::ChunkWorker() : thread_([this] { run(); }) {}

ChunkWorker::~ChunkWorker()
{
    if (busy_)
        wait();
    stopping_ = true;
    go_.release();
    thread_.join();
}

void ChunkWorker::start(std::function<void()> job)
{
    job_ = std::move(job);
    busy_ = true;
    go_.release();
}

void ChunkWorker::wait()
{
    done_.acquire();
    busy_ = false;
}

void ChunkWorker::run()
{
    for (;;) {
        go_.acquire();
        if (stopping_)
            return;
        job_();
        done_.release();
    }
}

} // namespace morva
